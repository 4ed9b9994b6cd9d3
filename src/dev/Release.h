#pragma once
// Titles going on sale: the weekly release of announced titles with the competition they
// bring, the release of one title with its first week of sales, and the catch-up of titles
// whose date passed before the game began.
class TGameCore;

// Releases the titles due this week.
void WeeklyReleases(TGameCore& game);
void ReleaseTitle(TGameCore& game, int upcomingIndex, bool catchUp);
void CatchUpReleases(TGameCore& game);
