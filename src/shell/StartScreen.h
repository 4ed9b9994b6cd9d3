#pragma once
// The start screen: names, difficulty, the game database and the start of a new game.
#include <string>
#include <vector>

class TGame;

struct TStartScreen {
    std::string PlayerName;
    std::string CompanyName;
    int Difficulty = 2;
    bool NoMusic = false;
    int Gauge = 0;
    bool GaugeVisible = false;
    std::string DataPackLabel;
};

// "level of difficulty : " and the slider position.
std::string DifficultyLabel(int difficulty);
// Reads the end date from the database and the names from the player profile.
void ShowStartScreen(TGame& game);
// "Start Game": false when the names are empty or the database cannot be read (the player
// has been told why); true when the game's starting values are set and the world can be built.
bool StartGame(TGame& game);
// Reads the end date and the genre title lists; false (with a message) when the
// installation is broken. Nothing of the game changes then.
bool LoadGameDatabase(TGame& game, bool showGauge = false);
// The candidate grids and the starting values of a new game.
struct TNewGameChoices;
void PrepareNewGame(TGame& game, const TNewGameChoices& choices);
// "Load Saved Game": false with a message when there is no saved game.
bool LoadSavedGame(TGame& game);
// Extracts one member of Database.pck into the program folder, reads its lines and deletes
// the file again. Throws EGameRange when the database or the member is missing or damaged.
std::vector<std::string> ReadDatabaseMember(TGame& game, const std::string& member);
std::string SaveArchivePath();
// The five lists of famous titles compiled into the program, as the texts searched for bonuses.
void LoadBonusLists(TGame& game);
