#pragma once
#include <string>

class TGameCore;

struct TNewGameChoices {
    std::string PlayerName;
    std::string CompanyName;
    int Difficulty = 2; // 1..3
};

// The start screen's starting values of a new game (before the world is built).
void ApplyNewGameChoices(TGameCore& game, const TNewGameChoices& choices);
