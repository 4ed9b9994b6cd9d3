#pragma once
// The game's own errors. Each carries the text the player is shown; the outermost handler of
// a player action or of a weekly step reports it through the player interface (or the news
// feed) and keeps what was written before it.
#include <stdexcept>
#include <string>

struct EGameError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A value left its range: an integer overflow, an index outside its bounds.
struct EGameRange : EGameError {
    using EGameError::EGameError;
};

// A data file the game needs is missing, unreadable or damaged (the game database, a save).
struct EDataFile : EGameError {
    using EGameError::EGameError;
};
