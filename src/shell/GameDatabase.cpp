#include "shell/GameDatabase.h"

#include "state/Game.h"

// Competitor titles arrive with the game database.
void SeedTitles(TGame&) {}

void WeeklyTitles(TGame&) {}
