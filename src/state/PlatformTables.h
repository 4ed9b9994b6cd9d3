#pragma once
// The platform and genre tables and the choice lists built from them.

class TGame;

void FillPlatformFilters(TGame& game);
void FillPlatformTable(TGame& game);
void FillChoiceLists(TGame& game);
void RebuildYearChoiceLists(TGame& game);
