#pragma once
// Titles going on sale: the weekly release of announced titles with the competition they
// bring, the release of one title with its first week of sales, and the catch-up of titles
// whose date passed before the game began.
class TGame;

// Releases the titles due this week (when release is set) and rebuilds the Future Releases list.
void WeeklyReleases(TGame& game, bool release);
void ReleaseTitle(TGame& game, int upcomingIndex, bool catchUp);
void CatchUpReleases(TGame& game);
