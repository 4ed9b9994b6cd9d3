#include <gtest/gtest.h>

#include <filesystem>

#include "GameFixture.h"
#include "company/Managers.h"
#include "game/EndOfWeek.h"
#include "persist/SavedGame.h"
#include "sim/Calendar.h"
#include "sim/GameOver.h"
#include "sim/WeeklyCosts.h"
#include "views/StatusView.h"

namespace {

using EndOfWeekTest = GameFixture;

TEST_F(EndOfWeekTest, NewGamePlaysItsFirstWeek) {
    EXPECT_EQ(Company.Year, 1984);
    EXPECT_EQ(Company.Week, 2);
    EXPECT_EQ(Company.HistMoney[1984][1], 1500000);
    // No candidates in this game, so only the interest is paid: 17 % of a million.
    EXPECT_EQ(Company.Money, 1500000 - 3269);
    EXPECT_EQ(Company.HistMoney[1984][2], 1500000 - 3269);
    EXPECT_EQ(Company.HistInterest[1984][2], 3269);
    EXPECT_EQ(Company.Loan, 1000000);
    EXPECT_FALSE(Game.Flags.GameOver);
    EXPECT_EQ(Player.NewsWindows.size(), 1u); // the week-1 evaluation
    EXPECT_EQ(Game.Feed.PlainText().find("NEWS @ Week 2, 1984") != std::string::npos, true);
    EXPECT_FALSE(Player.WorkingOpen);
    EXPECT_TRUE(Player.Animating);
    EXPECT_FALSE(Player.Busy);
}

struct YearEndCase {
    int EndedYear;
    int Difficulty;
    int QualityDrop;
};

TEST_F(EndOfWeekTest, YearEndLowersQualityBaseAndRaisesWages) {
    const YearEndCase cases[] = {{1984, 1, 2}, {1986, 3, 4}, {1988, 2, 3}, {1989, 2, 2},
                                 {1990, 3, 2}, {1991, 1, 1}, {1993, 3, 1}};
    for (const auto& c : cases) {
        Company.Year = c.EndedYear;
        Company.Week = 52;
        Company.Difficulty = static_cast<uint8_t>(c.Difficulty);
        Company.WageRaise = 1000;
        Game.Tunables.QualityBase = 50;
        // Draws: review week 20 + 14, wage 200 + 49.
        SetRandomValues({14, 49});
        AdvanceCalendar(Game);
        EXPECT_EQ(Company.Year, c.EndedYear + 1);
        EXPECT_EQ(Company.Week, 1);
        EXPECT_EQ(Game.EconomyReviewWeek, 34);
        EXPECT_EQ(Game.Tunables.QualityBase, 50 - c.QualityDrop) << c.EndedYear;
        EXPECT_EQ(Company.WageRaise, 1000 + 200 + 49 + (c.EndedYear + 1 - 1983) * 25) << c.EndedYear;
    }
}

TEST_F(EndOfWeekTest, EconomyReviewWeekIsDrawnIn20To34AndOtherWeeksJustAdvance) {
    int lowest = 99, highest = 0;
    for (int year = 0; year < 300; ++year) {
        Company.Year = 1985;
        Company.Week = 52;
        AdvanceCalendar(Game);
        lowest = std::min<int>(lowest, Game.EconomyReviewWeek);
        highest = std::max<int>(highest, Game.EconomyReviewWeek);
    }
    EXPECT_EQ(lowest, 20);
    EXPECT_EQ(highest, 34);
    Company.Week = 17;
    const int wage = Company.WageRaise;
    AdvanceCalendar(Game);
    EXPECT_EQ(Company.Week, 18);
    EXPECT_EQ(Company.WageRaise, wage);
}

TEST_F(EndOfWeekTest, TheGameEndsAtTheEndDateWithTheCalendarStanding) {
    Company.Year = 1994;
    Company.Week = 50;
    EndOfWeek(Game);
    EXPECT_EQ(Company.Week, 51);
    EXPECT_TRUE(Player.ScoreSheets.empty());
    EndOfWeek(Game);
    ASSERT_EQ(Player.ScoreSheets.size(), 1u);
    EXPECT_TRUE(Game.Flags.GameOver);
    EXPECT_EQ(Company.Year, 1994);
    EXPECT_EQ(Company.Week, 51);
    EXPECT_EQ(Player.ScoreSheets[0].Rows[5], (std::pair<std::string, std::string>{"Week", "51"}));
    EXPECT_FALSE(Player.WorkingOpen);
    // Every later week shows the score sheet again.
    EndOfWeek(Game);
    EXPECT_EQ(Player.ScoreSheets.size(), 2u);
    EXPECT_EQ(Company.Week, 51);
}

TEST_F(EndOfWeekTest, ScoreExample) {
    Company.Money = 2000000;
    Company.Loan = 500000;
    Company.Crises = 2;
    Company.OfficeIndex = 1;
    Company.Year = 1990;
    Company.Week = 10;
    Company.Difficulty = 2;
    GameOverBranch(Game);
    ASSERT_EQ(Player.ScoreSheets.size(), 1u);
    const TScoreSheet& sheet = Player.ScoreSheets[0];
    EXPECT_EQ(sheet.Score, 1748);
    EXPECT_EQ(Company.Money, 1501000);
    EXPECT_EQ(sheet.Rows[0], (std::pair<std::string, std::string>{"Player Name", "Ada"}));
    EXPECT_EQ(sheet.Rows[1], (std::pair<std::string, std::string>{"Company Name", "Pixel Forge"}));
    EXPECT_EQ(sheet.Rows[3], (std::pair<std::string, std::string>{"Money", "1501000"}));
    EXPECT_EQ(sheet.Rows[6], (std::pair<std::string, std::string>{"Number of crisis", "2"}));
    EXPECT_EQ(sheet.Rows[7].first, "");
    EXPECT_EQ(sheet.Rows[8].first, "");
    EXPECT_EQ(sheet.Rows[10], (std::pair<std::string, std::string>{"Score", "1748"}));
    // Deep in debt the wealth part bottoms out at 1.
    Company.Money = -50000;
    Company.Loan = 3000000;
    EXPECT_EQ(ComputeScore(Game), (1 + 322 + 300 + 101) * 2);
}

TEST_F(EndOfWeekTest, TheLoanIsSettledOnceHoweverOftenTheGameOverStepRuns) {
    Company.Money = 497731;
    Company.Loan = 999000;
    Game.Flags.GameOver = true;
    for (int pass = 0; pass < 3; ++pass)
        EndOfWeek(Game);
    ASSERT_EQ(Player.ScoreSheets.size(), 3u);
    EXPECT_EQ(Company.Money, 497731 + 1000 - 999000);
    EXPECT_EQ(Company.Loan, 0);
    EXPECT_EQ(Player.ScoreSheets[2].Score, Player.ScoreSheets[0].Score);
    EXPECT_EQ(Player.ScoreSheets[2].Rows[3].second, "-500269");
}

TEST_F(EndOfWeekTest, BankruptcyShowsItsMessageThenTheScoreSheetInTheSameRun) {
    Company.Money = -1;
    EndOfWeek(Game);
    ASSERT_FALSE(Player.Messages.empty());
    EXPECT_EQ(Player.Messages.back().Text, "You are financially bankrupt.\r\nGAME OVER");
    EXPECT_EQ(Player.Messages.back().Caption, "Bankruptcy");
    EXPECT_EQ(Player.ScoreSheets.size(), 1u);
    EXPECT_EQ(Company.Week, 2);
}

TEST_F(EndOfWeekTest, CashWarningBelow100000) {
    for (int money : {100000, 99999, -5}) {
        Player.Messages.clear();
        Company.Money = money;
        CashWarning(Game);
        EXPECT_EQ(Player.SawMessage(
                      "You have less the 100000$ left.\r\nBefore you run out of cash you should go to "
                      "the Bank\r\nand borrow some money."),
                  money < 100000)
            << money;
    }
}

TEST_F(EndOfWeekTest, MoneyGuardUndoesSwingsOverTwentyMillion) {
    struct Case {
        int Opening, Closing, Expected;
    } cases[] = {{1000000, 21000000, 21000000},
                 {1000000, 21000001, 1000000},
                 {1000000, -19000000, -19000000},
                 {1000000, -19000001, 1000000}};
    for (const auto& c : cases) {
        Company.Money = c.Closing;
        MoneyGuard(Game, c.Opening);
        EXPECT_EQ(Company.Money, c.Expected);
    }
}

TEST_F(EndOfWeekTest, AnOverflowEndsTheWeekWithAMessageAndKeepsEarlierSteps) {
    Company.Week = 10; // the bank step runs when week 10 is ended
    Company.Economy = 80;
    Company.EconomyFalling = true;
    Company.GfxEquipExtra = INT32_MAX - 10;
    Company.ComputerEquipExtra = 0;
    const int credit = Game.Tunables.CreditLine;
    SetRandomValues({2}); // the drift
    EndOfWeek(Game);
    EXPECT_EQ(Company.Economy, 78);                       // step 4 kept
    EXPECT_EQ(Game.Tunables.CreditLine, credit + 100000); // step 5 kept
    EXPECT_EQ(Company.GfxEquipExtra, INT32_MAX - 10);     // the failing step wrote nothing
    EXPECT_EQ(Company.ComputerEquipExtra, 0);             // and what follows did not run
    EXPECT_EQ(Company.Week, 10);
    ASSERT_FALSE(Player.Messages.empty());
    EXPECT_EQ(Player.Messages.back().Caption, "Error");
    EXPECT_NE(Player.Messages.back().Text.find("overflow"), std::string::npos);
    EXPECT_FALSE(Player.WorkingOpen);
    EXPECT_TRUE(Player.Animating);
    EXPECT_FALSE(Player.Busy);
}

TEST_F(EndOfWeekTest, AWeekPastTheHistoriesEndsWithAMessageAfterTheCalendarMoved) {
    Game.EndYear = 2012;
    Company.Year = 2010;
    Company.Week = 52;
    EndOfWeek(Game);
    EXPECT_EQ(Company.Year, 2011);
    EXPECT_EQ(Company.Week, 1);
    ASSERT_FALSE(Player.Messages.empty());
    EXPECT_NE(Player.Messages.back().Text.find("outside its range"), std::string::npos);
}

TEST_F(EndOfWeekTest, AfterALoadTheNextEvaluationPointIsSkippedOnce) {
    Game.Flags.JustLoaded = true;
    Company.Week = 52;
    Company.Year = 1985;
    EndOfWeek(Game); // ends week 52: no evaluation point
    EXPECT_TRUE(Game.Flags.JustLoaded);
    const size_t windows = Player.NewsWindows.size();
    EndOfWeek(Game); // ends week 1: skipped
    EXPECT_FALSE(Game.Flags.JustLoaded);
    EXPECT_EQ(Player.NewsWindows.size(), windows);
    Company.Week = Game.EconomyReviewWeek;
    EndOfWeek(Game);
    EXPECT_EQ(Player.NewsWindows.size(), windows + 1);
}

TEST_F(EndOfWeekTest, ManagerDeparturesFollowTheirDraws) {
    Company.Difficulty = 1;
    Company.LeadProgrammer = 3;
    Company.LeadProgrammerShare = 9;
    Company.LeadDesigner = 4;
    // r = 66 + 3 + 1033 = 1102 for the programmer, then 7 + 2 > 8.
    SetRandomValues({66, 7});
    ManagerDepartures(Game);
    EXPECT_EQ(Company.LeadProgrammer, 1);
    EXPECT_EQ(Company.LeadProgrammerShare, 1);
    EXPECT_EQ(Company.LeadDesigner, 4);
    ASSERT_EQ(Player.Departures.size(), 1u);
    EXPECT_EQ(Player.Departures[0],
              "Your Lead Programmer got a better offer, he will leave your company at the end of this week");
    EXPECT_FALSE(Game.Flags.ManagerGridsLocked);

    // The second draw too low: the designer stays.
    SetRandomValues({67, 6});
    ManagerDepartures(Game);
    EXPECT_EQ(Company.LeadDesigner, 4);
    SetRandomValues({67, 7});
    ManagerDepartures(Game);
    EXPECT_EQ(Company.LeadDesigner, 1);
    // The first candidate never leaves, and no second draw is taken for him.
    auto scripted = std::make_unique<TScriptedRandom>(std::deque<int>{66});
    TScriptedRandom* random = scripted.get();
    Game.SetRandom(std::move(scripted));
    ManagerDepartures(Game);
    EXPECT_EQ(random->Calls, 1);
    EXPECT_EQ(Player.Departures.size(), 2u);
}

TEST_F(EndOfWeekTest, QuitAndSaveActions) {
    // The save goes to a folder of this test's own, not beside the program.
    const TScratchFolder saves(Game.Folders, "quillon-eow-");
    Game.Folders.SaveArchiveFile = saves.Path() + "sav.sav";
    Game.State.Projects[1].InProgress = true;
    Apply(Game, TSaveAndEndTurn{});
    EXPECT_TRUE(Player.SawMessage(
        "Save is not possible while developing a game\r\nSave, when you have released the game"));
    EXPECT_EQ(Company.Week, 2);
    Game.State.Projects[1].InProgress = false;
    Apply(Game, TSaveAndEndTurn{});
    EXPECT_EQ(Company.Week, 3);
    EXPECT_FALSE(Game.Flags.SaveRequested);
    EXPECT_TRUE(std::filesystem::exists(saves.Path() + "sav.sav"));
    Apply(Game, TQuitGame{});
    EXPECT_EQ(Player.ScoreSheets.size(), 1u);
    EXPECT_EQ(Company.Week, 3);
}

TEST_F(EndOfWeekTest, WorldInitialisationDrawsWithinItsRanges) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        TScriptedPlayer player;
        TGame game(player, seed, BuildFolders());
        StartNewGame(game, {"P", "C", 1 + static_cast<int>(seed % 3)});
        const auto& c = game.State.Company;
        EXPECT_GE(c.GenrePopularity[4], 41);
        EXPECT_LE(c.GenrePopularity[4], 50);
        EXPECT_GE(c.PlatformKnowledge[1], 5);
        EXPECT_LE(c.PlatformKnowledge[1], 9);
        EXPECT_EQ(c.BestChartPos[1980], 151);
        EXPECT_EQ(c.BestChartPos[2010], 151);
        EXPECT_EQ(c.DifficultyFactor, 5 + 2 * c.Difficulty);
    }
}

TEST(StatusTest, BlinkThresholdsAndHelpWindowPlacement) {
    EXPECT_FALSE(MoneyBlinks(50000));
    EXPECT_TRUE(MoneyBlinks(49999));
    EXPECT_FALSE(SpaceBlinks(2));
    EXPECT_TRUE(SpaceBlinks(1));
    // Room to the right: centred below the mouse.
    EXPECT_EQ(HelpWindowPosition(500, 300, 200, 100, 1920, 1080), (std::pair{400, 332}));
    // Too far right: to the left and above.
    EXPECT_EQ(HelpWindowPosition(1850, 300, 200, 100, 1920, 1080), (std::pair{1618, 268}));
    // Too low: further up, whatever the side.
    EXPECT_EQ(HelpWindowPosition(500, 1000, 200, 100, 1920, 1080), (std::pair{284, 936}));
    // w/2 truncates.
    EXPECT_EQ(HelpWindowPosition(500, 300, 201, 100, 1920, 1080), (std::pair{400, 332}));
}

} // namespace
