#include <algorithm>
#include <gtest/gtest.h>
#include <set>

#include "GameFixture.h"
#include "game/EndOfWeek.h"
#include "players/Bot.h"
#include "sim/Economy.h"
#include "sim/GenreDemand.h"
#include "sim/PlatformMarket.h"
#include "state/PlatformTables.h"

namespace {

// A game standing at week 1 of 1984 with its world built but no week played yet.
class WorldTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        Company.Year = 1984;
        Company.Week = 1;
        Game.Feed.Runs.clear();
        FillPlatformTable(Game);
        Game.State.PlatformsLastWeek = Game.State.Platforms;
    }
    TPlatformTable& Table = Game.State.Platforms;
    bool FeedHas(const std::string& text) const {
        return Game.Feed.PlainText().find(text) != std::string::npos;
    }
};

TEST_F(WorldTest, PlatformsOnSaleAtTheStartOf1984) {
    const std::set<int> onSale = {5, 2, 6, 1, 7, 12, 3};
    for (int i = 0; i < PlatformCount; ++i) {
        if (onSale.count(i)) {
            EXPECT_GT(Table.UnitsSold[i], 0) << Platforms[i].ShortName;
        } else {
            EXPECT_EQ(Table.UnitsSold[i], 0) << Platforms[i].ShortName;
            EXPECT_EQ(Table.UnitsInUse[i], 1.0);
        }
    }
    EXPECT_TRUE(Table.UnitsSold[5] == 480000 || Table.UnitsSold[5] == 640000 || Table.UnitsSold[5] == 800000);
    EXPECT_EQ(Table.UnitsInUse[5], Table.UnitsSold[5] - 40000);
    EXPECT_EQ(Table.UnitsInUse[3], Table.UnitsSold[3]); // DOS arrives in the start year
    EXPECT_EQ(Table.FullName[1].Str(), "Commodore 64");
    EXPECT_EQ(Table.SelfIndex[18], 18);

    FillChoiceLists(Game);
    const auto& study = Game.State.Lists.StudyPlatforms.Items;
    const auto& project = Game.State.Lists.ProjectPlatforms.Items;
    EXPECT_NE(std::find(study.begin(), study.end(), PlatformChoiceEntry(0)), study.end()); // Amiga, next year
    EXPECT_EQ(std::find(project.begin(), project.end(), PlatformChoiceEntry(0)), project.end());
    EXPECT_EQ(PlatformChoiceEntry(1), "C64" + std::string(37, ' ') + ";1");
    EXPECT_EQ(PlatformOfChoice(PlatformChoiceEntry(17)), 17);
    EXPECT_EQ(Game.State.Lists.ProjectGenres.Items.size(), 7u);
}

TEST_F(WorldTest, StrengthAndLifetimeStayInTheirRanges) {
    int lowWin = 999, highWin = 0, lowLife = 99, highLife = 0, low50 = 999, high50 = 0, low50Life = 99,
        high50Life = 0;
    for (int run = 0; run < 400; ++run) {
        FillPlatformTable(Game);
        lowWin = std::min(lowWin, Table.Strength[4]);
        highWin = std::max(highWin, Table.Strength[4]);
        lowLife = std::min(lowLife, Table.Lifetime[4]);
        highLife = std::max(highLife, Table.Lifetime[4]);
        low50 = std::min(low50, Table.Strength[2]);
        high50 = std::max(high50, Table.Strength[2]);
        low50Life = std::min(low50Life, Table.Lifetime[2]);
        high50Life = std::max(high50Life, Table.Lifetime[2]);
    }
    EXPECT_GE(lowWin, 186);
    EXPECT_LE(highWin, 214);
    EXPECT_GE(lowLife, 20);
    EXPECT_LE(highLife, 27);
    EXPECT_GE(low50, 31);
    EXPECT_LE(high50, 89);
    EXPECT_GE(low50Life, 3);
    EXPECT_LE(high50Life, 9);
}

TEST_F(WorldTest, EconomyLabelsAndHeadlines) {
    const std::pair<int, const char*> labels[] = {{65, "bad, Economic crisis!"},
                                                  {66, "Not to good"},
                                                  {75, "Not to good"},
                                                  {76, "OK"},
                                                  {85, "OK"},
                                                  {86, "Very Good"},
                                                  {95, "Very Good"},
                                                  {96, "Fantastic"}};
    for (const auto& [economy, label] : labels)
        EXPECT_EQ(EconomyLabelText(economy), label) << economy;

    const std::pair<int, const char*> headlines[] = {{90, "Sales are booming!"},
                                                     {89, "Sales are improving"},
                                                     {75, "Sales are improving"},
                                                     {74, "Sales starting to improve"}};
    for (const auto& [economy, headline] : headlines) {
        Company.Week = Game.EconomyReviewWeek;
        Company.Economy = static_cast<uint8_t>(economy);
        SetRandomValues({0}); // no crisis
        EvaluateEconomy(Game);
        EXPECT_EQ(Game.News.WorldHeadline, headline) << economy;
        EXPECT_EQ(Game.Side.Headline, headline);
    }
    EXPECT_EQ(Game.News.WorldNews.rfind("The world economy is healthy.\r\nThe Worst is behind us.", 0), 0u);
}

TEST_F(WorldTest, NoCrisisInTheFirstWeekButASecondCrisisCounts) {
    SetRandomValues({99});
    EvaluateEconomy(Game);
    EXPECT_FALSE(Company.EconomyFalling);
    EXPECT_EQ(Company.Crises, 0);
    ASSERT_FALSE(Player.NewsWindows.empty());
    EXPECT_EQ(Player.NewsWindows.back().BusinessNews, "A new Games developer has been formed by Ada. The "
                                                      "company, Pixel Forge, plans to have their first game "
                                                      "shipped later this year\r\nThe company state that it "
                                                      "has already got a deal with a known publisher and "
                                                      "managed to hire some very competent developers.");

    Company.Year = 1985;
    Company.EconomyFalling = true;
    Company.Crises = 1;
    SetRandomValues({99});
    EvaluateEconomy(Game);
    EXPECT_TRUE(Company.EconomyFalling);
    EXPECT_EQ(Company.Crises, 2);
    EXPECT_EQ(Game.News.BusinessNews, "");
    // Difficulty 2 breaks out above 70 only.
    SetRandomValues({70});
    EvaluateEconomy(Game);
    EXPECT_FALSE(Company.EconomyFalling);
    EXPECT_EQ(Company.Crises, 2);
}

TEST_F(WorldTest, PredictionsNeverPickActionOrXbox) {
    std::set<int> genres, platforms;
    for (int g = 1; g <= 5; ++g)
        Company.GenrePopularity[g] = 30;
    for (int year = 1984; year <= 1994; ++year)
        for (int run = 0; run < 40; ++run) {
            Company.Year = year;
            Company.Week = 1;
            EvaluateEconomy(Game);
            genres.insert(Company.HotGenre);
            platforms.insert(Company.BoomPlatform);
        }
    EXPECT_FALSE(genres.count(0));
    EXPECT_FALSE(platforms.count(18));
    EXPECT_EQ(genres, (std::set<int>{2, 3, 4, 5})); // Adventure only as a last resort

    // No genre 2..5 at 35 or less: fifty misses, then any of 1..5 unconditionally.
    for (int g = 2; g <= 5; ++g)
        Company.GenrePopularity[g] = 40;
    std::deque<int> draws(1, 0);      // the crisis roll
    draws.insert(draws.end(), 50, 3); // g = 4, too popular
    draws.push_back(0);               // the fallback: Adventure
    SetRandomValues(draws);
    Company.Year = 1985;
    EvaluateEconomy(Game);
    EXPECT_EQ(Company.HotGenre, 1);

    // With every platform out of its boom years no platform is predicted, and the
    // hardware news keeps its last text.
    Game.News.HardwareNews = "previous";
    for (int i = 0; i < PlatformCount; ++i)
        Table.ReleaseYear[i] = 2005;
    EvaluateEconomy(Game);
    EXPECT_EQ(Company.BoomPlatform, NoBoomPlatform);
    EXPECT_EQ(Game.News.HardwareNews, "previous");
}

TEST_F(WorldTest, ComingPlatformsAndProductionStopsOnlyAroundTheTurnOfTheYear) {
    for (int week : {1, 4, 5, 47, 48, 52}) {
        Game.Feed.Runs.clear();
        Company.Week = week;
        AdvancePlatforms(Game);
        const bool expected = week < 5 || week > 47;
        EXPECT_EQ(FeedHas("A new Platform called Amiga is under development"), expected) << week;
        EXPECT_EQ(FeedHas("Production of Apple II Will stop within the year"),
                  expected && Table.ReleaseYear[2] + Table.Lifetime[2] == 1985)
            << week;
    }
    EXPECT_EQ(Game.News.BusinessNews,
              "A new Platform, Amiga is under development.\r\n"
              "Analyst of the business say that prices on hardware will drop even more");
}

TEST_F(WorldTest, MilestonesAreNotRepeatedInAWeekWithoutSales) {
    Table.UnitsSold[1] = 1050000;
    Game.State.PlatformsLastWeek.UnitsSold[1] = 990000;
    ReportMilestones(Game, 1);
    EXPECT_TRUE(FeedHas("Commodore 64 sales world wide reached 1000000 Units"));
    Game.Feed.Runs.clear();
    Game.State.PlatformsLastWeek.UnitsSold[1] = 1050000;
    ReportMilestones(Game, 1);
    EXPECT_FALSE(FeedHas("reached"));
}

TEST_F(WorldTest, MachinesSoldByBand) {
    Company.BoomPlatform = NoBoomPlatform;
    Table.Strength[0] = 100;
    Table.SellingWell[0] = false;
    Table.UnitsSold[0] = 500000;
    SetRandomValues({6249});
    EXPECT_EQ(MachinesSold(Game, 0), 4166 + 6249);
    Table.UnitsSold[0] = 900000;
    SetRandomValues({0});
    EXPECT_EQ(MachinesSold(Game, 0), 4166 / 3);
    Table.UnitsSold[0] = 1900000;
    SetRandomValues({936});
    EXPECT_EQ(MachinesSold(Game, 0), 936);
    // The boom platform gets its extra every week once the boom is confirmed.
    Company.BoomPlatform = 0;
    Game.Flags.BoomConfirmed = true;
    SetRandomValues({0, 10});
    EXPECT_EQ(MachinesSold(Game, 0), 0 + 10 + 4166);
}

TEST_F(WorldTest, BestPlatformsBreakTiesTowardTheLowerIndex) {
    for (int i = 0; i < PlatformCount; ++i)
        Table.UnitsSold[i] = 0;
    Table.UnitsSold[7] = Table.UnitsSold[2] = 1;
    Table.UnitsInUse[7] = Table.UnitsInUse[2] = 1000;
    Table.Piracy[7] = Table.Piracy[2] = 0;
    ShowBestPlatforms(Game);
    EXPECT_EQ(Game.Side.BestPlatforms[0], "1.Apple II");
    EXPECT_EQ(Game.Side.BestPlatforms[1], "2.Amstrad");
    EXPECT_EQ(Game.Side.BestPlatforms[2], "3.");
    EXPECT_EQ(Game.Side.BestPlatforms[4], "5.");
    // Piracy takes its share of the machines in use.
    Table.Piracy[2] = 50;
    ShowBestPlatforms(Game);
    EXPECT_EQ(Game.Side.BestPlatforms[0], "1.Amstrad");
}

TEST(GenreMoveTest, MovesFollowTheTable) {
    struct Case {
        int R, Trend, Popularity, Move;
    } cases[] = {{1, -1, 40, 0},  {2, -1, 40, -5}, {2, -1, 25, 0},  {2, 0, 26, -3}, {2, 1, 40, 0},
                 {3, -1, 40, 5},  {3, 0, 40, 3},   {3, 1, 40, 3},   {4, -1, 40, 1}, {4, 0, 40, -1},
                 {5, -1, 40, -1}, {5, 1, 40, 1},   {6, -1, 40, -1}, {8, 0, 40, 0},  {7, 1, 40, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(GenreMove(c.R, c.Trend, c.Popularity), c.Move)
            << c.R << " " << c.Trend << " " << c.Popularity;
}

TEST_F(WorldTest, SaturationCanCostTenThenTwentyButTheHotGenreOnlyTen) {
    Company.Week = 8;
    Company.GenrePopularity.Fill(30);
    Company.GenreTrend.Fill(0);
    Company.GenrePopularity[0] = 60;
    Company.HotGenre = 3;
    Company.GenreTrend[3] = 1; // a rising hot genre does not pull
    Game.Flags.GenreBoomConfirmed = true;
    SetRandomValues({0, 1, 9}); // Action: no move, "a bit" on 2, "rapidly" on 10
    AdvanceGenres(Game);
    EXPECT_EQ(Company.GenrePopularity[0], 30);
    EXPECT_TRUE(FeedHas("Sales of Action games is declining a bit"));
    EXPECT_TRUE(FeedHas("Sales of Action games is declining rapidly"));

    Game.Feed.Runs.clear();
    Company.GenrePopularity.Fill(30);
    Company.GenrePopularity[1] = 60;
    Company.HotGenre = 1;
    Company.GenreTrend[1] = 1;
    SetRandomValues({0, 0, 1, 9}); // Action: no move; Adventure: no move, "a bit", then 10
    AdvanceGenres(Game);
    EXPECT_EQ(Company.GenrePopularity[1], 50);
    EXPECT_TRUE(FeedHas("Sales of Adventure games is declining a bit"));
    EXPECT_FALSE(FeedHas("Adventure games is declining rapidly"));
}

TEST_F(WorldTest, TrendRollsKeepActionSteadyAndTheHotGenreNeverFalling) {
    Company.Week = 4;
    Company.HotGenre = 3;
    Company.GenreTrend.Fill(0);
    std::deque<int> falling(10, 0); // every rolled trend goes down
    SetRandomValues(falling);
    AdvanceGenres(Game);
    EXPECT_EQ(Company.GenreTrend[0], 0);
    EXPECT_EQ(Company.GenreTrend[3], 0);
    EXPECT_EQ(Company.GenreTrend[1], -1);
    EXPECT_EQ(Company.GenreTrend[6], -1);
    RefreshGenreLights(Game);
    EXPECT_EQ(Game.Side.GenreLights[1].Small, TLightColor::Red);
    EXPECT_EQ(Game.Side.GenreLights[0].Small, TLightColor::Yellow);
}

TEST_F(WorldTest, GenreLightsByPopularity) {
    const std::pair<int, TLightColor> cases[] = {{24, TLightColor::Red},    {25, TLightColor::Yellow},
                                                 {34, TLightColor::Yellow}, {35, TLightColor::Green},
                                                 {44, TLightColor::Green},  {45, TLightColor::Lime}};
    for (const auto& [popularity, colour] : cases) {
        Company.GenrePopularity[2] = static_cast<uint8_t>(popularity);
        RefreshGenreLights(Game);
        EXPECT_EQ(Game.Side.GenreLights[2].Large, colour) << popularity;
    }
}

} // namespace

namespace {

// Eleven years of the world: platforms come and go on time, demand and the economy stay in
// their ranges.
TEST(WorldRunTest, ElevenYearsStayWithinTheRules) {
    TScriptedPlayer player;
    TGame game(player, 5u, BuildFolders());
    StartNewGame(game, {"Run", "Long Run", 2});
    const auto& c = game.State.Company;
    const auto& t = game.State.Platforms;
    std::array<double, PlatformCount> lastSold{};
    for (int i = 0; i < PlatformCount; ++i)
        lastSold[i] = t.UnitsSold[i];
    int crises = 0;
    while (player.ScoreSheets.empty()) {
        BotTakesTurn(game);
        // The world is what this run watches: the studio's money is kept up so that it lasts.
        game.State.Company.Money = std::max(game.State.Company.Money, 2000000);
        EndOfWeek(game);
        if (!player.ScoreSheets.empty()) break;
        ASSERT_GE(c.Economy, 50);
        ASSERT_LE(c.Economy, 100);
        for (int g = 0; g < GenreCount; ++g) {
            // The hot genre's pull may leave an earlier genre below 10 until its next turn.
            ASSERT_GE(c.GenrePopularity[g], 6) << Genres[g].Name << " " << c.Year;
            ASSERT_LE(c.GenrePopularity[g], 60) << Genres[g].Name << " " << c.Year;
        }
        for (int i = 0; i < PlatformCount; ++i) {
            if (c.Year < t.ReleaseYear[i]) {
                ASSERT_EQ(t.UnitsSold[i], 0) << Platforms[i].ShortName;
            } else {
                ASSERT_GT(t.UnitsSold[i], 0) << Platforms[i].ShortName;
            }
            if (c.Year - t.ReleaseYear[i] >= t.Lifetime[i] && c.Week > 1) {
                ASSERT_EQ(t.UnitsSold[i], lastSold[i])
                    << Platforms[i].ShortName << " sold after its lifetime";
            }
            ASSERT_GE(t.Piracy[i], 0);
            lastSold[i] = t.UnitsSold[i];
        }
        crises = c.Crises;
    }
    EXPECT_EQ(c.Year, 1994);
    EXPECT_EQ(c.Week, 51);
    EXPECT_GT(crises, 0);
}

} // namespace
