#pragma once
// Titles going on sale: the weekly release of announced titles with the competition they
// bring, the release of one title with its first week of sales, and the catch-up of titles
// whose date passed before the game began.
#include <utility>

#include "state/Outcome.h"

class TGameCore;

// The first week (and its year) the release calendar and its week chooser show for a
// requested start week: the year's last weeks show weeks 47..52, and past the year's end the
// weeks of the next year, never a week 0.
std::pair<int, int> CalendarStart(int startWeek, int currentYear);

// "Release Game ": the economy warning, the release calendar in release mode with the project's
// genre and platform, and every assistant leaves.
TOutcome BeginRelease(TGameCore& game);
// "Choose": the week at position index of the chooser the calendar shows with this offset.
TOutcome ChooseReleaseWeek(TGameCore& game, int offset, int index);
// The player's finished game joins the upcoming games for its week; the project is done.
void AnnounceRelease(TGameCore& game, int week, int year);

// Releases the titles due this week.
void WeeklyReleases(TGameCore& game);
void ReleaseTitle(TGameCore& game, int upcomingIndex, bool catchUp);
void CatchUpReleases(TGameCore& game);
