#include "dev/Preview.h"

#include "state/GameCore.h"

// Previews arrive with game development; the request is consumed either way.
void MakePreview(TGameCore& game) {
    game.Flags.PreviewRequested = false;
}
