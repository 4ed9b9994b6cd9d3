#pragma once
// The end of a game: the score, and the score sheet shown on the start screen.
#include "state/PlayerInterface.h"

class TGameCore;

// Computes the score and settles the loan from the cash (Money changes).
int ComputeScore(TGameCore& game);
// Scores the game, fills the score sheet and shows it.
void GameOverBranch(TGameCore& game);
