#include "game/NewGame.h"

#include "game/EndOfWeek.h"
#include "game/Game.h"
#include "start/InitialiseWorld.h"
#include "start/NewGame.h"

void BeginGame(TGame& game) {
    if (game.Flags.QuitChosen) return;
    InitialiseWorld(game);
    EndOfWeek(game);
    game.RefreshViews();
}

void StartNewGame(TGame& game, const TNewGameChoices& choices) {
    ApplyNewGameChoices(game, choices);
    BeginGame(game);
}
