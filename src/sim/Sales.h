#pragma once
// Weekly sales of every game on the market, the player's income from them, and the sales
// charts: the weekly chart of 150, per platform 30, and the all-time list.
#include <string>
#include <vector>

#include "state/GameCore.h"

class TGameCore;

// A rating out of ten as reviews and the calendar show it.
int ReviewRating(int quality);

void SellGames(TGameCore& game);

constexpr const char* AllPlatformsText = "All Platforms";

// End Of Week's weekly chart of all platforms: ranks the games on sale, moves each charted
// game's chart fields on and publishes the chart (the game's WeeklyChart).
void BuildSalesChart(TGameCore& game);
// The chart as the player asks to see it; filter is the position in the chart's platform
// filter (0 = all platforms, p = platform p - 1). The weekly chart of all platforms is the one
// End Of Week published; the others are ranked afresh and change no game.
TSalesChart SalesChart(const TGameCore& game, int filter, bool allTime);
void RecordChartPositions(TGameCore& game);
