#pragma once
// Weekly sales of every game on the market and the sales charts.

class TGame;

void SellGames(TGame& game);
void BuildSalesChart(TGame& game);
void RecordChartPositions(TGame& game);
