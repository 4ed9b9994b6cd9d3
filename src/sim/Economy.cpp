#include "sim/Economy.h"

#include <algorithm>

#include "state/Game.h"

void EconomyDrift(TGame& game) {
    auto& c = game.State.Company;
    const int step = game.Random(3);
    const int economy = c.EconomyFalling ? c.Economy - step : c.Economy + step;
    c.Economy = static_cast<uint8_t>(std::clamp(economy, 50, 100));
}

// The evaluation with its crises and predictions arrives with the world simulation.
void EvaluateEconomy(TGame&) {}

void ShowEconomyLabel(TGame&) {}
