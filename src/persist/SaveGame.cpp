#include "persist/SaveGame.h"

#include "state/GameCore.h"

// Writing the save archive arrives with saving and loading; the request is consumed.
void SaveGame(TGameCore& game) {
    game.Flags.SaveRequested = false;
}
