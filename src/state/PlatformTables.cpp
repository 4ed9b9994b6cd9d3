#include "state/PlatformTables.h"

#include "state/Game.h"

// The tables arrive with the world simulation.
void FillPlatformFilters(TGame&) {}

void FillPlatformTable(TGame&) {}

void FillChoiceLists(TGame&) {}

void RebuildYearChoiceLists(TGame&) {}
