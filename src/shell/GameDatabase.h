#pragma once
// The game database: the end date, the per-genre competitor title lists, the bonus lists
// that mark the famous titles, and the announcement of competitor titles into the upcoming
// games.
#include <array>
#include <string>
#include <vector>

class TGame;

// Lines of each genre's title list: title, year, developer and platforms, tab-separated.
using TTitleLists = std::array<std::vector<std::string>, 7>;

enum TBonusList { TopGames, BestGames, TopGenreTitles, TopPlatformTitles, TopYearTitles, BonusListCount };

struct TPlatformMatch {
    int Platform = -1;
    int Year = 0;
};

// The first platform of the table whose full name occurs in the given name (any case).
TPlatformMatch ResolvePlatformName(const std::string& name);
// YEAR= and WEEK= lines set the last playable date.
void ApplyDataDiff(TGame& game, const std::vector<std::string>& lines);
// The year field of a title line; a line without an integer there is a broken installation.
int TitleYear(const std::string& line);

// Adds one competitor title to the upcoming games, once per platform it is made for.
// True when the line was used (and should leave its list).
bool AnnounceTitle(TGame& game, const std::string& line, int genre, bool seeding);
void SeedTitles(TGame& game);
void WeeklyTitles(TGame& game);
