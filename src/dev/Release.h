#pragma once
// Titles going on sale.

class TGame;

void WeeklyReleases(TGame& game, bool release);
void CatchUpReleases(TGame& game);
