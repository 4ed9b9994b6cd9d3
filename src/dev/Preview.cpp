#include "dev/Preview.h"

#include "state/Game.h"

// Previews arrive with game development; the request is consumed either way.
void MakePreview(TGame& game) {
    game.Flags.PreviewRequested = false;
}
