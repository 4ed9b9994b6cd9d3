#pragma once
// The studio's released games on the "Company Details" panel, and the weekly chart position
// of the game chosen from the list since its release.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "state/Numbers.h"
#include "views/GraphGrid.h"

class TGameCore;

constexpr int GamesListRows = 500;

struct TGamesListRow {
    std::string Game, Platform, ReleaseDate, Income, Sales;
};

struct TCompanyView {
    // "Game", "Platform", "ReleaseDate", "Income", "income+cost" (the last shows units sold).
    static const std::array<const char*, 5> Headings;
    // Rows 1, 2, ... of the list, in the order the games reached the market.
    std::vector<TGamesListRow> Rows;
    // For each row, the position of its game in ReleasedGames; 0 for an empty row.
    TBoundedArray<int32_t, 1, GamesListRows> ReleasedRowMap{};
    // The row whose history the graph shows (1-based); 0 before one is chosen.
    int SelectedRow = 0;
    // The graph fits the game's weeks on sale until it is next drawn from scratch.
    bool ChartFit = false;
    std::string ChartCaption = "Game ChartPosition history";
    bool CaptionRed = false;
    TGridProperties ChartGrid = ChartHistoryGrid();

    // The graph widget as the panel sets it up.
    static TGridProperties ChartHistoryGrid();
};

// Opening the panel: lists the player's released games (at most 500).
void ShowGamesList(const TGameCore& game, TCompanyView& view);
// A click on a row of the list (1-based). A row without a game changes nothing: false.
bool ChooseGameRow(TCompanyView& view, int row);

struct TChartHistory {
    double XMin = 0, XMax = 0;
    std::vector<TSeriesSegment> Segments; // each with a marker at its first point
};

// Draws the chosen game's chart positions: over its weeks on sale when fit, over 0..302
// otherwise. Nothing when the chosen row has no game. Sets the caption and the X range. Weeks
// without a recorded position are left out; a recorded week before such a gap is a segment of
// no length (its marker).
std::optional<TChartHistory> DrawChartHistory(const TGameCore& game, TCompanyView& view, bool fit);
// What the pointer at week x of the graph reads, e.g. "Week 5 on sale: No. 12 in the chart".
std::string ChartPointText(const TGameCore& game, const TCompanyView& view, double x);
