#pragma once
// Competitor titles from the game database announced into the upcoming games: a seed of
// older titles when a game starts, and a few more every week.
#include <string>

class TGameCore;

// The year field of a title line; a line without an integer there is a broken installation
// (throws EDataFile).
int TitleYear(const std::string& line);

// Adds one competitor title to the upcoming games, once per platform it is made for.
// True when the line was used (and should leave its list).
bool AnnounceTitle(TGameCore& game, const std::string& line, int genre, bool seeding);
void SeedTitles(TGameCore& game);
void WeeklyTitles(TGameCore& game);
