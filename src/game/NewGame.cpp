#include "game/NewGame.h"

#include <exception>
#include <optional>

#include "game/EndOfWeek.h"
#include "game/Game.h"
#include "persist/LoadGame.h"
#include "start/InitialiseWorld.h"
#include "start/NewGame.h"

void BeginGame(TGame& game) {
    if (game.Flags.QuitChosen) return;
    InitialiseWorld(game);
    EndOfWeek(game);
    // The world's own first week is no week the player has played.
    game.WeeksSinceSave = 0;
    game.RefreshViews();
}

void StartNewGame(TGame& game, const TNewGameChoices& choices) {
    ApplyNewGameChoices(game, choices);
    BeginGame(game);
}

bool LoadSavedGameAndPlay(TGame& game) {
    if (game.Flags.QuitChosen) return false;
    // Read before the world is built: a save that cannot be used sends the player back with
    // nothing changed, rather than into a fresh world they did not ask for.
    std::optional<TSavedGame> saved;
    try {
        saved = ReadSavedGame(game, game.Folders.SaveArchive());
    } catch (const std::exception& error) {
        game.Flags.LoadRequested = false;
        const TOutcome refused = LoadRefused(error.what());
        game.Ui.ShowMessage(refused.Message, refused.Caption, refused.Kind);
        return false;
    }
    game.Flags.WorldBeforeLoad = true;
    try {
        BeginGame(game);
    } catch (...) {
        game.Flags.WorldBeforeLoad = false;
        throw;
    }
    game.Flags.WorldBeforeLoad = false;
    ApplySavedGame(game, std::move(*saved));
    game.Views.StartScreen.CompanyName = game.State.Company.CompanyName.Str();
    // Nothing before this point can be replayed: the log starts with the loaded game.
    game.Log.clear();
    EndOfWeek(game);
    // The saved week played again: the save still holds everything.
    game.WeeksSinceSave = 0;
    game.RefreshViews();
    return true;
}
