#include "dev/Release.h"

#include "state/Game.h"

// Releases arrive with the games market.
void WeeklyReleases(TGame&, bool) {}

void CatchUpReleases(TGame&) {}
