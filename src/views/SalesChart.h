#pragma once
// The sales chart panel: its platform filter, the all-time switch and the chart they select.
#include "state/ChoiceList.h"
#include "state/GameCore.h"

struct TChartView {
    TChoiceList Filter; // "All Platforms" and the 19 short names
    bool AllTime = false;
    TSalesChart Chart;
};

void InitChartView(TChartView& view);
// Fills the chart for the view's filter (or the all-time list); changes no game.
void ShowChart(const TGameCore& game, TChartView& view);
