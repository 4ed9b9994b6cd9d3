#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "GameFixture.h"
#include "dev/Release.h"
#include "game/EndOfWeek.h"
#include "sim/Sales.h"
#include "start/GameDatabase.h"
#include "start/StartScreen.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"
#include "views/Calendar.h"

namespace fs = std::filesystem;

namespace {

class MarketTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        Game.State.ReleasedGames.Clear();
        Game.State.UpcomingGames.Clear();
        Company.Difficulty = 2;
        Company.DifficultyFactor = 9;
        Company.Economy = 80;
        Company.GenrePopularity.Fill(30);
        Company.Year = 1990;
        Company.Week = 20;
        for (int i = 0; i < 26; ++i)
            Game.State.Platforms.UnitsInUse[i] = 15000; // one buyer unit at difficulty 2
    }
    TGameList& Released() { return Game.State.ReleasedGames; }

    TGameEntry Entry(const std::string& title, int quality, int platform = 3, int genre = 0,
                     bool byPlayer = false) {
        TGameEntry e = BlankRecord<TGameEntry>();
        e.Title = title;
        e.Developer = "Rival Co";
        e.Quality = quality;
        e.Platform = static_cast<uint8_t>(platform);
        e.Genre = static_cast<uint8_t>(genre);
        e.ByPlayer = byPlayer;
        return e;
    }
};

TEST_F(MarketTest, AQuality49GameSellsLessAsItAges) {
    Released().Append(Entry("Old Yeller", 49));
    // No decay (r = 3), base draw 0: 400 - 200 = 200, div 60 = 3, x 30 popularity, x 1, then x 80 / 80.
    SetRandomValues({2, 0});
    SellGames(Game);
    EXPECT_EQ(Released()[0].WeekSales, 3 * 30 / 80 * 80);
    EXPECT_EQ(Released()[0].Quality, 49);
    EXPECT_EQ(Released()[0].WeeksOnSale, 1);
    // From the eighth week the age term eats the whole base: 1 x popularity.
    Released()[0].WeeksOnSale = 7;
    Company.Economy = 100;
    SetRandomValues({2, 9});
    SellGames(Game);
    EXPECT_EQ(Released()[0].WeekSales, 30 / 80 * 100);
    EXPECT_EQ(Released()[0].ChartWeeks, 8);
    // The blank slot took part and left the market at once.
    EXPECT_TRUE(Released()[1].OffMarket);
}

TEST_F(MarketTest, FewMachinesSellNothingButThePlayerStillEarnsTheMinimum) {
    Company.Difficulty = 1;
    Company.DifficultyFactor = 7;
    Game.State.Platforms.UnitsInUse[3] = 6500; // 6500 / 13 / 1000 = 0.5, rounded to even: 0
    Released().Append(Entry("Tiny Base", 90, 3, 0, true));
    const int money = Company.Money;
    SellGames(Game);
    EXPECT_EQ(Released()[0].WeekSales, 0);
    EXPECT_EQ(Company.Money, money + 1 * Company.Economy);
    EXPECT_EQ(Company.HistIncome[1990][20], Company.Economy);
    EXPECT_EQ(Released()[0].Income, 100);
}

TEST_F(MarketTest, PlayerIncomeTakesEveryShare) {
    auto& lists = Game.State.Candidates.Lists;
    lists[0] = {{"A", 50, 10, 5000}};
    lists[1] = {{"B", 50, 5, 5000}};
    lists[2] = {{"C", 50, 4, 5000}};
    Company.LeadProgrammer = Company.ProjectLeader = Company.LeadDesigner = 1;
    Company.HasInvestor = true;
    Company.InvestorShare = 10;
    Game.State.PublisherDeal.WeeksLeft = 5;
    Game.State.PublisherDeal.SalesShare = 20;
    Company.AntiPiracy[3] = 100;
    Game.State.Platforms.Piracy[3] = 30;
    Game.State.Platforms.UnitsInUse[3] = 150000; // ten units
    Released().Append(Entry("Big Hit", 100, 3, 0, true));
    const int money = Company.Money;
    // decay r = 5 (none), base 0, piracy threshold 63
    SetRandomValues({4, 0, 0});
    SellGames(Game);
    // u = (100 x 55 - 200) div 60 x 30 x 10 = 26400 (not scaled by the economy)
    EXPECT_EQ(Released()[0].WeekSales, 26400);
    // 24024 after the difficulty's 9 %, then 10, 5 and 4 % for the managers, 10 % for the
    // investor, 20 % for the publisher, and 30 - 100 div 20 = 25 % lost to piracy.
    EXPECT_EQ(Released()[0].Income, 10664);
    // The money: 10664 div 100 x 91, div 90, x the economy's 80.
    EXPECT_EQ(Company.Money, money + 8560);
}

TEST_F(MarketTest, PiracyTakesItsShareAndAntiPiracyWorkLowersIt) {
    struct Case {
        int Piracy, AntiPiracy, Quality, Income;
    };
    // 26400 units, 24024 after the difficulty; each piracy point takes 240.
    const Case cases[] = {
        {30, 0, 100, 24024 - 30 * 240},   // no anti-piracy work: the whole piracy rate
        {30, 100, 100, 24024 - 25 * 240}, // 100 div 20 = 5 points fewer
        {30, 1000, 100, 24024 - 1 * 240}, // never below one point
        {0, 0, 100, 24024},               // a platform without piracy keeps everything
        {0, 500, 100, 24024},
        {30, 0, 62, 6825}, // too poor to be copied: 7500 units, only the difficulty cut
    };
    for (const Case& k : cases) {
        Released().Clear();
        Game.State.PublisherDeal.WeeksLeft = 0;
        Company.HasInvestor = false;
        Company.LeadProgrammer = Company.ProjectLeader = Company.LeadDesigner = -1;
        Company.AntiPiracy[3] = k.AntiPiracy;
        Game.State.Platforms.Piracy[3] = k.Piracy;
        Game.State.Platforms.UnitsInUse[3] = 150000;
        Released().Append(Entry("Copied", k.Quality, 3, 0, true));
        SetRandomValues({4, 0, 0});
        SellGames(Game);
        EXPECT_EQ(Released()[0].Income, k.Income)
            << "piracy " << k.Piracy << ", anti-piracy " << k.AntiPiracy;
    }
}

TEST_F(MarketTest, MuchBetterNewGamesPressOnOlderOnes) {
    Released().Append(Entry("Old Guard", 80));
    Released().Append(Entry("New Star", 150));
    Released()[0].WeeksOnSale = 40;
    // No decay for either; the old game loses (150 - 80) div 25 = 2.
    SetRandomValues({4, 0, 4, 0});
    SellGames(Game);
    EXPECT_EQ(Released()[0].Quality, 78);
    // Another genre is no competition.
    Released()[1].Genre = 1;
    SetRandomValues({4, 0, 4, 0});
    SellGames(Game);
    EXPECT_EQ(Released()[0].Quality, 78);
}

TEST_F(MarketTest, ChartsRankBySalesWithTiesToTheEarlierEntry) {
    for (int i = 0; i < 35; ++i) {
        Released().Append(Entry("Game " + std::to_string(i), 90, i < 33 ? 3 : 0));
        Released()[i].WeekSales = i == 5 ? 1000 : 500;
        Released()[i].TotalSales = 100 + i;
    }
    Released()[2].OffMarket = true;
    Released()[2].TotalSales = 5000;
    BuildSalesChart(Game);
    const auto& chart = Game.WeeklyChart;
    EXPECT_EQ(chart.Title, "Weekly games sales (All Platforms)");
    EXPECT_EQ(chart.Header, "Pos Last Weeks GameName           Platform    Dev         Genre      ");
    ASSERT_EQ(chart.Rows.size(), 150u);
    // Pos, Last and Weeks are each fitted to 3 (four characters), with a space before Weeks.
    EXPECT_EQ(chart.Rows[0].Text.substr(0, 33), "1    -   1   Game 5              ");
    EXPECT_EQ(Released()[5].LastChartPos, 1);
    EXPECT_EQ(Released()[0].LastChartPos, 2);
    EXPECT_EQ(Released()[1].LastChartPos, 3);
    EXPECT_EQ(Released()[3].LastChartPos, 4); // Game 2 is off the market
    EXPECT_EQ(Released()[2].LastChartPos, 0);
    EXPECT_EQ(chart.Rows[40].Text, std::string(chart.Rows[0].Text.size(), ' '));

    // Showing "All Platforms" again shows the published chart and moves no game on.
    EXPECT_EQ(SalesChart(Game, 0, false).Rows[0].Text, chart.Rows[0].Text);
    EXPECT_EQ(Released()[5].ChartWeeks, 2);
    // The next week's chart moves "Last" and the weeks on.
    BuildSalesChart(Game);
    EXPECT_EQ(chart.Rows[0].Text.substr(0, 13), "1   1    3   ");

    const TSalesChart dos = SalesChart(Game, 4, false); // Dos only: 33 games, 30 rows
    EXPECT_EQ(dos.Title, "Weekly games sales (Dos)");
    EXPECT_EQ(dos.Rows.size(), 30u);
    EXPECT_EQ(Released()[5].LastChartPos, 1); // other variants change no game

    const TSalesChart best = SalesChart(Game, 0, true);
    EXPECT_EQ(best.Title, "All times best selling games");
    EXPECT_EQ(best.Rows[0].Text.substr(0, 24), "1   Game 2              "); // off the market, still listed
    EXPECT_NE(best.Rows[0].Text.find("5000"), std::string::npos);
}

TEST_F(MarketTest, ChartPositionsFeedHistoryBestPositionAndObjective) {
    Released().Append(Entry("Mine", 120, 3, 0, true));
    Released()[0].LastChartPos = 3;
    Released()[0].WeeksOnSale = 4;
    Company.BestChartPos[1990] = 5;
    Game.State.PublisherDeal.TargetPos = 3;
    RecordChartPositions(Game);
    EXPECT_EQ(Released()[0].ChartHistory[5], 3);
    EXPECT_EQ(Company.BestChartPos[1990], 3);
    EXPECT_TRUE(Game.Flags.ObjectiveReached);
}

TEST_F(MarketTest, ReleasingATitleBringsCompetitionAndTheReviewRating) {
    Released().Append(Entry("Same Kind", 100, 3, 0));
    Released().Append(Entry("Other Genre", 100, 3, 1));
    Released().Append(Entry("Other Platform", 100, 4, 0));
    TGameEntry mine = Entry("Mine", 140, 3, 0, true);
    mine.ReleaseYear = 1990;
    mine.ReleaseWeek = 20;
    Game.State.UpcomingGames.Append(mine);
    WeeklyReleases(Game);
    ASSERT_EQ(Released().RealCount(), 4);
    EXPECT_TRUE(Game.State.UpcomingGames[0].Moved);
    EXPECT_EQ(Released()[0].Quality, 100 - 40 / 10 - (140 - 96) / 30);
    EXPECT_EQ(Released()[1].Quality, 100 - 40 / 30);
    EXPECT_EQ(Released()[2].Quality, 100);
    EXPECT_EQ(Released()[3].Quality, 139); // the player's own title loses a point
    EXPECT_EQ(Released()[3].ChartHistory[300], 151);
    EXPECT_EQ(Released()[3].WeeksOnSale, 0);
    EXPECT_TRUE(Player.SawMessage("MineReleased this week\r\nGameReview Rating : 9/10"));

    const std::pair<int, int> ratings[] = {{14, 0}, {15, 1}, {149, 9}, {150, 10}, {151, 10}, {400, 10}};
    for (const auto& [quality, rating] : ratings)
        EXPECT_EQ(ReviewRating(quality), rating);
}

TEST_F(MarketTest, CatchUpPutsPassedTitlesOnSaleExceptWeakOnes) {
    const std::tuple<const char*, int, int, int> titles[] = {
        {"Past", 1989, 30, 80}, {"This Week", 1990, 20, 80}, {"Future", 1990, 21, 80}, {"Weak", 1989, 1, 40}};
    for (const auto& [title, year, week, quality] : titles) {
        TGameEntry e = Entry(title, quality);
        e.ReleaseYear = year;
        e.ReleaseWeek = static_cast<uint8_t>(week);
        Game.State.UpcomingGames.Append(e);
    }
    CatchUpReleases(Game);
    ASSERT_EQ(Released().RealCount(), 2);
    EXPECT_EQ(Released()[0].Title.Str(), "Past");
    EXPECT_EQ(Released()[1].Title.Str(), "This Week");
    for (int i = 0; i < 2; ++i) {
        EXPECT_GE(Released()[i].WeeksOnSale, 2);
        EXPECT_LE(Released()[i].WeeksOnSale, 16);
        EXPECT_EQ(Released()[i].TotalSales, (1 + Released()[i].WeeksOnSale) * Released()[i].WeekSales);
    }
    EXPECT_FALSE(Game.State.UpcomingGames[3].Moved);
}

TEST_F(MarketTest, CalendarWeeksAndYears) {
    // Past the year's end every start week is a week of its own: no week 0, no week offered twice.
    const std::tuple<int, int, int> starts[] = {{21, 21, 1990}, {47, 47, 1990}, {48, 47, 1990},
                                                {51, 47, 1990}, {52, 1, 1991},  {53, 1, 1991},
                                                {57, 5, 1991},  {58, 6, 1991},  {59, 7, 1991}};
    for (const auto& [start, week, year] : starts)
        EXPECT_EQ(CalendarStart(start, 1990), (std::pair{week, year})) << start;

    FillChoiceLists(Game);
    Game.State.Lists.CalendarGenres.Selected = 0;
    Game.State.Lists.CalendarPlatforms.Selected = 3; // Dos (platforms released by 1990, in index order)
    ASSERT_EQ(PlatformOfChoice(Game.State.Lists.CalendarPlatforms.Items[3]), 3);
    TGameEntry soon = Entry("Soon", 60);
    soon.ReleaseYear = 1990;
    soon.ReleaseWeek = 23;
    TGameEntry nextYear = Entry("Next Year", 90);
    nextYear.ReleaseYear = 1991;
    nextYear.ReleaseWeek = 23;
    TGameEntry out = Entry("Out Lately", 60);
    out.ReleaseYear = 1990;
    out.ReleaseWeek = 15;
    out.Moved = true;
    for (const auto& e : {soon, nextYear, out})
        Game.State.UpcomingGames.Append(e);

    Game.Views.Calendar.RatingFilter.Selected = 5;
    OpenCalendar(Game, Game.Views.Calendar);
    const auto& view = Game.Views.Calendar;
    EXPECT_EQ(view.Columns[0].Title, "Week 21, 1990");
    EXPECT_TRUE(view.Columns[2].Rows.empty()); // rating 4 is filtered out of the weeks
    ASSERT_EQ(view.Released.size(), 1u);       // but not out of the released list
    EXPECT_EQ(view.Released[0], FitColumn("Out Lately", 24) + " - 4/10");
    Game.Views.Calendar.RatingFilter.Selected = 0;
    ShowCalendar(Game, Game.Views.Calendar, 21);
    ASSERT_EQ(view.Columns[2].Rows.size(), 1u);
    EXPECT_EQ(view.Columns[2].Rows[0].second, "4/10");
    for (int k = 0; k < 6; ++k)
        for (const auto& row : view.Columns[k].Rows)
            EXPECT_EQ(row.first.find("Next Year"), std::string::npos);

    for (int i = 0; i < 8; ++i)
        CalendarNextWeeks(Game, Game.Views.Calendar);
    EXPECT_EQ(view.Offset, 47);
    EXPECT_EQ(view.Columns[0].Title, "Week 16, 1991"); // 21 + 47 - 52
    CalendarPreviousWeeks(Game, Game.Views.Calendar);
    EXPECT_EQ(view.Offset, 41);
}

TEST_F(MarketTest, FutureReleasesCountTheRestOfTheYear) {
    const std::tuple<const char*, int, int, int, int> titles[] = {
        {"Later", 1990, 30, 80, 2},     {"Hyped", 1990, 40, 140, 2},    {"Now", 1990, 20, 80, 2},
        {"Early Next", 1991, 9, 80, 2}, {"Late Next", 1991, 10, 80, 2}, {"Amiga Game", 1990, 30, 80, 0}};
    for (const auto& [title, year, week, quality, genre] : titles) {
        TGameEntry e = Entry(title, quality, std::string(title) == "Amiga Game" ? 0 : 3, genre);
        e.ReleaseYear = year;
        e.ReleaseWeek = static_cast<uint8_t>(week);
        Game.State.UpcomingGames.Append(e);
    }
    auto& view = Game.Views.FutureReleases;
    view.NextYear = true;
    view.PlatformFilter.Selected = 4; // Dos
    BuildFutureReleases(Game, Game.Views.FutureReleases);
    EXPECT_EQ(view.Total, 2);
    EXPECT_EQ(view.GenreCounts[2], 2);
    std::string text;
    for (const auto& run : view.Text)
        text += run.Text;
    EXPECT_NE(text.find("Later"), std::string::npos);
    EXPECT_NE(text.find("This could be the new benchmark..."), std::string::npos);
    EXPECT_NE(text.find("(Next year) Early Next"), std::string::npos);
    EXPECT_EQ(text.find("Late Next"), std::string::npos);
    EXPECT_EQ(text.find("Amiga Game"), std::string::npos);
    EXPECT_EQ(text.find("Now"), std::string::npos);
}

// The weekly chart of one seeded week with the real database: any change in the sales
// arithmetic shows here. Regenerate with QUILLON_UPDATE_GOLDEN=1 after a deliberate change.
TEST(ChartGoldenTest, SeededWeekChart) {
    TScriptedPlayer player;
    TGame game(player, 1984u, BuildFolders());
    ASSERT_TRUE(LoadGameDatabase(game));
    PrepareNewGame(game, {"Golden", "Golden Games", 2});
    BeginGame(game);
    while (game.State.Company.Year < 1987)
        EndOfWeek(game);

    std::ostringstream text;
    text << game.WeeklyChart.Title << "\n" << game.WeeklyChart.Header << "\n";
    for (const auto& row : game.WeeklyChart.Rows)
        text << row.Text << "\n";
    const fs::path golden = fs::path(QUILLON_SOURCE_DIR) / "tests/core/golden/chart-1987-w1.txt";
    if (std::getenv("QUILLON_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << text.str();
    std::ifstream in(golden, std::ios::binary);
    ASSERT_TRUE(in) << golden;
    const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.str(), expected);
}

} // namespace
