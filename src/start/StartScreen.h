#pragma once
// The start screen: names, difficulty, the game database and the start of a new game.
#include <cstddef>
#include <string>

class TGameCore;
struct TNewGameChoices;

// The longest name the start screen's boxes take: the names are kept in fixed-length fields.
inline constexpr size_t StartNameLength = 25;

// What the start screen shows and what the player has typed into it.
struct TStartScreen {
    std::string PlayerName;
    std::string CompanyName;
    int Difficulty = 2;
    bool NoMusic = false;
    int Gauge = 0;
    bool GaugeVisible = false;
    std::string DataPackLabel;
    // The score record of the finished game waiting to be uploaded (its path), if any.
    std::string ScoreRecord;
};

// "level of difficulty : " and the slider position.
std::string DifficultyLabel(int difficulty);
// Reads the end date from the database and the names from the player profile.
void ShowStartScreen(TGameCore& game, TStartScreen& screen);
// Why a typed name cannot be kept, or empty when it can: the saved game lists separate their
// fields with ";", so a name must not hold one, nor a control character.
std::string NameProblem(const std::string& name, const std::string& what);
// "Start Game": false when a name is empty or cannot be kept, or the database cannot be read
// (the player has been told why); true when the game's starting values are set and the world
// can be built.
bool StartGame(TGameCore& game, TStartScreen& screen);
// The candidate grids and the starting values of a new game.
void PrepareNewGame(TGameCore& game, const TNewGameChoices& choices);
// "Load Saved Game": false with a message when there is no saved game.
bool LoadSavedGame(TGameCore& game, TStartScreen& screen);
