#pragma once
// The end of a game: the score, and the score sheet shown on the start screen.
#include "state/PlayerInterface.h"

class TGame;

// Computes the score and settles the loan from the cash (Money changes).
int ComputeScore(TGame& game);
// Scores the game, fills the score sheet and shows it.
void GameOverBranch(TGame& game);
