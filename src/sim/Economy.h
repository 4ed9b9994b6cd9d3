#pragma once
// The world economy: its weekly drift, its evaluations with crises and predictions, and
// the label that shows it.
#include <string>

class TGameCore;

void DriftEconomy(TGameCore& game);
// Run when the week being ended is week 1 or the review week; writes the news window's
// texts and shows the window.
void EvaluateEconomy(TGameCore& game);
std::string EconomyLabelText(int economy);
void ShowEconomyLabel(TGameCore& game);
