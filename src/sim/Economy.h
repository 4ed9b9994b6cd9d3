#pragma once
// The world economy: its weekly drift, its evaluations and its labels.

class TGame;

void EconomyDrift(TGame& game);
void EvaluateEconomy(TGame& game);
void ShowEconomyLabel(TGame& game);
