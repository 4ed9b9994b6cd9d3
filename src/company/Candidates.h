#pragma once
// Drawing the manager candidates of a new game from the built-in lists.
#include <string>
#include <vector>

#include "state/Candidates.h"

class TGameCore;

// Fills one list from its candidate lines ("name", tab, rating; 0 = a random rating). The
// first project leader and lead designer are the modest starters every studio begins with.
void FillCandidateGrid(TGameCore& game, TManagerKind kind, const std::vector<std::string>& lines);
