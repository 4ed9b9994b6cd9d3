#include "persist/SaveGame.h"

#include "state/Game.h"

// Writing the save archive arrives with saving and loading; the request is consumed.
void SaveGame(TGame& game) {
    game.Flags.SaveRequested = false;
}
