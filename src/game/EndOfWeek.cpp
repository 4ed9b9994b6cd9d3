#include "game/EndOfWeek.h"

#include <exception>

#include "company/Bank.h"
#include "company/Managers.h"
#include "company/Office.h"
#include "company/Publisher.h"
#include "company/Study.h"
#include "dev/Preview.h"
#include "dev/Project.h"
#include "dev/Release.h"
#include "game/Game.h"
#include "persist/SaveGame.h"
#include "sim/Announcements.h"
#include "sim/Calendar.h"
#include "sim/Economy.h"
#include "sim/GameOver.h"
#include "sim/GenreDemand.h"
#include "sim/NewsFeed.h"
#include "sim/PlatformMarket.h"
#include "sim/Sales.h"
#include "sim/WeeklyCosts.h"

namespace {

bool ProjectUnderWay(TGame& game) {
    const TProject& project = game.State.Projects[1];
    return project.InProgress && !project.Ready;
}

void BeginDisplay(TGame& game) {
    game.Ui.ShowWorking("Calculating data.....");
    game.Ui.SetBusy(true);
    game.Ui.SetAnimation(false);
    game.Ui.Pause(100);
    game.Ui.CloseWeekPanels();
}

void EndDisplay(TGame& game) {
    game.Ui.ScrollFeedToTop();
    game.Ui.Pause(250);
    game.Ui.SetAnimation(true);
    game.Ui.SetBusy(false);
    game.Ui.CloseWorking();
}

// Steps 10 to 27: the simulated week.
void SimulateWeek(TGame& game, int endedWeek) {
    auto& c = game.State.Company;
    if (endedWeek == 1 || endedWeek == game.EconomyReviewWeek) {
        if (game.Flags.JustLoaded) {
            game.Flags.JustLoaded = false;
        } else {
            EvaluateEconomy(game);
        }
    }
    AdvanceCalendar(game);
    game.Ui.StatusChanged();

    ClearFeed(game);
    WriteFeedHeading(game);
    if (game.Flags.PreviewRequested) WritePreview(game);
    AdvancePlatforms(game);
    ShiftPlatformSnapshots(game);
    if (c.Week % 4 == 0) AdvanceGenres(game);

    c.HistIncome[c.Year][c.Week] = 0;
    SellGames(game);
    WeeklyTitles(game);
    WeeklyReleases(game);
    BuildSalesChart(game);
    RecordChartPositions(game);

    WeeklyPublisherStep(game);
    if (c.Week % 4 == 0) GrowProjectWork(game);
    CopyOfficeChoices(game);
    if (game.State.Projects[1].InProgress) WeeklyProjectEffects(game);
    BookWeeklyCosts(game);
    game.Ui.StatusChanged();

    // Trouble in the project's weekly work costs the week nothing else; the news says so.
    try {
        WeeklyProjectProgress(game);
    } catch (const EGameError& error) {
        ReportNews(game, std::string("The project's work of this week was lost: ") + error.what(),
                   TFeedStyle::FontHeader1);
    }
    if (ProjectUnderWay(game)) WeeklyQualityGain(game);

    EndDisplay(game);
    CashWarning(game);
}

void RunWeek(TGame& game, bool& displayOpen) {
    auto& c = game.State.Company;
    // A save holds the state before this week, and loading it plays the week again: nothing
    // is lost after it.
    const bool saved = game.Flags.SaveRequested;
    if (saved) SaveGame(game);

    const int32_t openingMoney = c.Money;
    BeginDisplay(game);
    displayOpen = true;

    if (AtEndDate(game)) game.Flags.GameOver = true;
    DriftEconomy(game);
    const int endedWeek = c.Week;
    if (endedWeek % 10 == 0) WeeklyBankStep(game);
    WeeklyStudy(game);
    ClampLevels(game);
    BankruptcyTest(game);
    EquipmentPriceRises(game);

    if (game.Flags.GameOver) {
        // The window is put back in order before the score sheet takes over.
        EndDisplay(game);
        displayOpen = false;
        GameOverBranch(game);
    } else {
        SimulateWeek(game, endedWeek);
        displayOpen = false;
    }

    if (c.Week % 4 == 0) ManagerDepartures(game);
    if (c.Week % 6 == 0 && ProjectUnderWay(game)) ProblemCheck(game);
    MoneyGuard(game, openingMoney);
    ClampLevels(game);
    ShowEconomyLabel(game);
    ShowPublisherLabel(game);
    RefreshGenreLights(game);
    ShowBestPlatforms(game);
    game.WeeksSinceSave = saved ? 0 : game.WeeksSinceSave + 1;
    game.Ui.StatusChanged();
}

} // namespace

void EndOfWeek(TGame& game) {
    bool displayOpen = false;
    try {
        RunWeek(game, displayOpen);
    } catch (const std::exception& error) {
        if (displayOpen) EndDisplay(game);
        game.Ui.ShowMessage(std::string("The week could not be completed.\r\n") + error.what(), "Error",
                            TMessageKind::Error);
        game.Ui.StatusChanged();
    }
}
