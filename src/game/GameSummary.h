#pragma once
// The summary of a game's state that the headless simulator writes with --json: one JSON
// object, its texts turned from the game's code page into UTF-8.
#include <cstdint>
#include <optional>
#include <string>

class TGame;

// finalScore: the score sheet's score once the game is over.
std::string GameSummaryJson(const TGame& game, std::optional<int> finalScore, uint32_t seed);
