#include "sim/Sales.h"

#include "state/Game.h"

// Sales and charts arrive with the games market.
void SellGames(TGame&) {}

void BuildSalesChart(TGame&) {}

void RecordChartPositions(TGame&) {}
