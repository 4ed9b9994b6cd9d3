#pragma once
// Weekly sales of every game on the market, the player's income from them, and the sales
// charts: the weekly chart of 150, per platform 30, and the all-time list.
#include <string>
#include <vector>

class TGame;

// A rating out of ten as reviews and the calendar show it.
int ReviewRating(int quality);

void SellGames(TGame& game);

struct TChartRow {
    std::string Text;
    bool ByPlayer = false; // written in the header style
};

struct TSalesChart {
    std::string Title;
    std::string Header;
    std::vector<TChartRow> Rows;
};

// filter: position in the chart's platform filter (0 = all platforms, p = platform p - 1).
void BuildSalesChart(TGame& game, int filter = 0, bool allTime = false);
void RecordChartPositions(TGame& game);
