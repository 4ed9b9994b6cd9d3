#include "game/ViewActions.h"

#include "company/Study.h"
#include "game/Game.h"
#include "persist/PlayerProfile.h"
#include "views/Calendar.h"
#include "views/CompanyDetails.h"
#include "views/Finance.h"
#include "views/MarketInfo.h"
#include "views/SalesChart.h"
#include "views/StatusView.h"

namespace {

bool Choose(TChoiceList& list, int index) {
    if (index < 0 || index >= list.Count()) return false;
    list.Selected = index;
    return true;
}

bool Run(TGame& game, const TOpenPanel& a) {
    switch (a.Which) {
    case TOpenedPanel::Finance:
        OpenFinanceView(game, game.Views.Finance);
        break;
    case TOpenedPanel::MarketInfo:
        ShowMarketInfo(game, game.Views.Market);
        break;
    case TOpenedPanel::CompanyDetails:
        ShowGamesList(game, game.Views.Company);
        game.Views.Company.ChartFit = false;
        break;
    case TOpenedPanel::Calendar:
        // While a release week is being chosen the calendar stays on the weeks it shows.
        if (!game.State.Development.ReleaseMode) OpenCalendar(game, game.Views.Calendar);
        break;
    case TOpenedPanel::StudyAndTools:
        ShowStudyDisplays(game);
        break;
    }
    return true;
}

bool Run(TGame& game, const TFollowGame& a) {
    switch (a.Which) {
    case TOpenedPanel::Finance:
    case TOpenedPanel::MarketInfo:
        return Run(game, TOpenPanel{a.Which});
    case TOpenedPanel::CompanyDetails:
        // The rows follow; the graph keeps its fit.
        ShowGamesList(game, game.Views.Company);
        break;
    case TOpenedPanel::Calendar:
    case TOpenedPanel::StudyAndTools:
        break;
    }
    return true;
}

bool Run(TGame& game, const TChooseChartPlatform& a) {
    TChartView& view = game.Views.Chart;
    if (!Choose(view.Filter, a.Index)) return false;
    view.AllTime = false;
    ShowChart(game, view);
    return true;
}
bool Run(TGame& game, const TShowAllTimeBest&) {
    game.Views.Chart.AllTime = true;
    ShowChart(game, game.Views.Chart);
    return true;
}

bool Run(TGame& game, const TChooseCalendarRating& a) {
    TCalendarView& view = game.Views.Calendar;
    if (!Choose(view.RatingFilter, a.Index)) return false;
    ShowCalendar(game, view, game.State.Company.Week + 1 + view.Offset);
    return true;
}
bool Run(TGame& game, const TTurnCalendarPage& a) {
    if (a.Forward)
        CalendarNextWeeks(game, game.Views.Calendar);
    else
        CalendarPreviousWeeks(game, game.Views.Calendar);
    return true;
}
bool Run(TGame& game, const TChooseCalendarWeek& a) {
    TCalendarView& view = game.Views.Calendar;
    if (a.Index < 0 || a.Index >= static_cast<int>(view.ChooserItems.size())) return false;
    view.ChooserSelected = a.Index;
    return true;
}
bool Run(TGame& game, const TExplainReleasedList&) {
    game.Ui.ShowMessage(ReleasedListHint, "Major Games already released", TMessageKind::Information);
    return true;
}

bool Run(TGame& game, const TChooseFuturePlatform& a) {
    TFutureReleasesView& view = game.Views.FutureReleases;
    if (!Choose(view.PlatformFilter, a.Index)) return false;
    BuildFutureReleases(game, view);
    return true;
}
bool Run(TGame& game, const TShowNextYearReleases& a) {
    // Read the next time the list is built, as the box always was.
    game.Views.FutureReleases.NextYear = a.On;
    return true;
}

bool Run(TGame& game, const TChooseFinanceGraph& a) {
    if (a.Graph < 0 || a.Graph >= static_cast<int>(FinanceGraphs.size())) return false;
    ShowFinanceGraph(game, game.Views.Finance, a.Graph);
    return true;
}
bool Run(TGame& game, const TChooseCompanyGame& a) {
    return ChooseGameRow(game.Views.Company, a.Row);
}
bool Run(TGame& game, const TResizeChartGraph&) {
    game.Views.Company.ChartFit = false;
    return true;
}

bool Run(TGame& game, const TShowManagerGrid& a) {
    ShowManagerGrid(game.Views.Managers, a.Kind);
    return true;
}

bool Run(TGame& game, const TSetShowHelp& a) {
    if (game.Flags.ShowHelp == a.On) return true;
    game.Flags.ShowHelp = a.On;
    // The choice is the player's, not the game's: the next start finds it in the profile,
    // whether or not this game ends on the score sheet.
    if (const auto profile = ReadPlayerProfile(game.Folders.Data))
        WritePlayerProfile(game.Folders.Data, profile->PlayerName, profile->CompanyName, a.On);
    return true;
}
bool Run(TGame& game, const TSetMusicOff& a) {
    game.Flags.MusicOff = a.Off;
    return true;
}

} // namespace

bool ApplyView(TGame& game, const TViewAction& action) {
    return std::visit([&](const auto& a) { return Run(game, a); }, action);
}
