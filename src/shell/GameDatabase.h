#pragma once
// Competitor titles announced from the game database.

class TGame;

void SeedTitles(TGame& game);
void WeeklyTitles(TGame& game);
