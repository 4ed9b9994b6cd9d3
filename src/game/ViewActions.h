#pragma once
// Gestures that change only what a screen shows (a filter, a page, a graph, a chosen row) and
// the window's own settings. They go through the same door as the player's actions (Act, in
// Gesture.h) but are not logged: no rule reads what they change, so a replay without them
// plays the same game.
#include <variant>

#include "state/Candidates.h"

class TGame;

// The panels whose opening brings their view up to date first.
enum class TOpenedPanel { Finance, MarketInfo, CompanyDetails, Calendar, StudyAndTools };

struct TOpenPanel {
    TOpenedPanel Which = TOpenedPanel::Finance;
};
// The game changed while the panel is open.
struct TFollowGame {
    TOpenedPanel Which = TOpenedPanel::Finance;
};

// "Sales Charts": a platform of the filter, or "All Time Best".
struct TChooseChartPlatform {
    int Index = 0;
};
struct TShowAllTimeBest {};

// "Release Calendar": the rating filter, the weeks shown and the week chosen for a release (its
// genre and platform lists belong to the game's choice lists, and change by player actions).
struct TChooseCalendarRating {
    int Index = 0;
};
struct TTurnCalendarPage {
    bool Forward = true;
};
struct TChooseCalendarWeek {
    int Index = 0;
};
// The "?" beside "Major Games already released".
struct TExplainReleasedList {};

// "Future Releases": the platform filter and "View Next Year's releases".
struct TChooseFuturePlatform {
    int Index = 0;
};
struct TShowNextYearReleases {
    bool On = false;
};

// "Financial Info": one of the five graphs.
struct TChooseFinanceGraph {
    int Graph = 0;
};
// "Company Details": a row of the released games (1-based), and the graph's new size.
struct TChooseCompanyGame {
    int Row = 0;
};
struct TResizeChartGraph {};

// "Hire Managers": the candidate grid in front.
struct TShowManagerGrid {
    TManagerKind Kind = TManagerKind::LeadProgrammer;
};

// The window's settings: "Show Help Window" and the music switched off.
struct TSetShowHelp {
    bool On = false;
};
struct TSetMusicOff {
    bool Off = false;
};

using TViewAction =
    std::variant<TOpenPanel, TFollowGame, TChooseChartPlatform, TShowAllTimeBest, TChooseCalendarRating,
                 TTurnCalendarPage, TChooseCalendarWeek, TExplainReleasedList, TChooseFuturePlatform,
                 TShowNextYearReleases, TChooseFinanceGraph, TChooseCompanyGame, TResizeChartGraph,
                 TShowManagerGrid, TSetShowHelp, TSetMusicOff>;

// Changes the view; false when the gesture changed nothing (a row without a game).
bool ApplyView(TGame& game, const TViewAction& action);
