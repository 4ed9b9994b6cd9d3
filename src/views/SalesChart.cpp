#include "views/SalesChart.h"

#include <algorithm>

#include "sim/Sales.h"
#include "state/PlatformTables.h"

void InitChartView(TChartView& view) {
    view.Filter.Clear();
    view.Filter.Add(AllPlatformsText);
    for (const auto& platform : Platforms)
        view.Filter.Add(platform.ShortName);
    view.Filter.Selected = 0;
    view.AllTime = false;
}

void ShowChart(const TGameCore& game, TChartView& view) {
    view.Chart = SalesChart(game, std::max(view.Filter.Selected, 0), view.AllTime);
}
