#pragma once
// The release calendar (six weeks of announced titles of one genre on one platform, with the
// major games released lately) and the Future Releases list of the rest of the year.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "state/ChoiceList.h"
#include "state/Feed.h"

class TGameCore;

struct TCalendarColumn {
    std::string Title;                                     // "Week " + n + ", " + year
    std::vector<std::pair<std::string, std::string>> Rows; // game, rating
};

struct TCalendarView {
    std::array<TCalendarColumn, 6> Columns;
    std::vector<std::string> Released; // "Major Games already released"
    TChoiceList RatingFilter;          // "All Games", "With rating of 1/10 or better", ...
    int Offset = 0;                    // 0..47 in steps of 6
    // The week chooser, shown in release mode.
    std::vector<std::string> ChooserItems;
    int ChooserSelected = 0;
    std::string ChooserYearLabel;
};

struct TFutureReleasesView {
    TChoiceList PlatformFilter; // "All Platforms" and the 19 short names
    bool NextYear = false;      // "View Next Year's releases"
    std::vector<TFeedRun> Text;
    int Total = 0;
    std::array<int, 7> GenreCounts{};
};

extern const char* const ReleasedListHint;

// Fills the rating filter and the Future Releases platform filter.
void InitCalendarViews(TCalendarView& calendar, TFutureReleasesView& future);
// Builds the calendar from a start week (current week + 1 + offset); selects the first genre
// and platform when none is selected.
void ShowCalendar(TGameCore& game, TCalendarView& view, int startWeek);
// The menu link: resets the offset and shows the coming six weeks.
void OpenCalendar(TGameCore& game, TCalendarView& view);
void CalendarNextWeeks(TGameCore& game, TCalendarView& view);
void CalendarPreviousWeeks(TGameCore& game, TCalendarView& view);
void BuildFutureReleases(const TGameCore& game, TFutureReleasesView& view);
