#pragma once
// The porting dialog's games list: the studio's own released games, in list order.
#include <string>
#include <vector>

class TGameCore;

struct TPortRow {
    int Entry = -1;        // position in ReleasedGames
    int PlatformIndex = 0; // the platform the game was made for
    std::string Game;
    std::string Platform;    // short name
    std::string ReleaseDate; // "week/year"
    std::string Income;
};

// The list has room for 99 games.
constexpr int PortListRoom = 99;
extern const char* const PortColumns[4];

std::vector<TPortRow> PortRows(const TGameCore& game);
