#pragma once
#include <string>

class TGame;

struct TNewGameChoices {
    std::string PlayerName;
    std::string CompanyName;
    int Difficulty = 2; // 1..3
};

// The start screen's starting values of a new game (before the world is built).
void ApplyNewGameChoices(TGame& game, const TNewGameChoices& choices);
// A whole new game: the starting values, then the world and its first week.
void StartNewGame(TGame& game, const TNewGameChoices& choices);
