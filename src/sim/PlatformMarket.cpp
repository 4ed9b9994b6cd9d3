#include "sim/PlatformMarket.h"

#include "state/Game.h"

// Machines sold, piracy and ageing arrive with the world simulation.
void AdvancePlatforms(TGame&) {}

void ShiftPlatformSnapshots(TGame& game) {
    game.State.PlatformsTwoWeeksAgo = game.State.PlatformsLastWeek;
    game.State.PlatformsLastWeek = game.State.Platforms;
}

void ShowBestPlatforms(TGame&) {}
