#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "company/Candidates.h"
#include "persist/PlayerProfile.h"
#include "sim/Announcements.h"
#include "start/Folders.h"
#include "start/GameDatabase.h"
#include "start/StartScreen.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;

namespace {

class GameDatabaseTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        Game.State.UpcomingGames.Clear();
        Company.Year = 1986;
        Company.Week = 10;
        for (auto& text : Game.State.BonusTexts)
            text.clear();
    }
    const TGameList& Upcoming() const { return Game.State.UpcomingGames; }
};

TEST_F(GameDatabaseTest, PlatformNamesResolveByFullNameThenContainment) {
    EXPECT_EQ(ResolvePlatformName(" commodore 64 ").Platform, 1);
    EXPECT_EQ(ResolvePlatformName("Commodore 64").Year, 1982);
    EXPECT_EQ(ResolvePlatformName("NES").Platform, 12);
    // A full name wins over an earlier name it contains.
    EXPECT_EQ(ResolvePlatformName("SNES").Platform, 17);
    EXPECT_EQ(ResolvePlatformName(" snes").Platform, 17);
    EXPECT_EQ(ResolvePlatformName("PlayStation 2").Platform, 15);
    EXPECT_EQ(ResolvePlatformName("PlayStation").Platform, 14);
    EXPECT_EQ(ResolvePlatformName("Super SNES Pro").Platform, 12); // no full name: the first contained
    EXPECT_EQ(ResolvePlatformName("MS-DOS").Platform, 3);
    EXPECT_EQ(ResolvePlatformName("Vectrex").Platform, -1);
}

// Competitors release on every machine the database names, SNES included, in a seeded game.
TEST(GameDatabaseRunTest, CompetitorsReleaseOnTheSnes) {
    TRichWorld world(11u, 1994);
    int snes = 0, genesis = 0;
    for (const TGameEntry& e : world.Game.State.ReleasedGames) {
        snes += !e.ByPlayer && e.Platform == 17;
        genesis += !e.ByPlayer && e.Platform == 11;
    }
    EXPECT_GT(snes, 20);
    EXPECT_GE(snes * 2, genesis);
}

TEST_F(GameDatabaseTest, AnnouncedTitleTakesItsFieldsAndReleaseWeek) {
    EXPECT_TRUE(AnnounceTitle(Game, "Moon Harvest\t1985\tOrbital Toys Incorporated\tDOS,Amiga", 2, false));
    ASSERT_EQ(Upcoming().RealCount(), 2);
    const TGameEntry& dos = Upcoming()[0];
    EXPECT_EQ(dos.Title.Str(), "Moon Harvest");
    EXPECT_EQ(dos.Developer.Str(), "Orbital Toys In");
    EXPECT_EQ(dos.Platform, 3);
    EXPECT_EQ(dos.Genre, 2);
    EXPECT_EQ(dos.ReleaseYear, 1986); // released already: the current year
    EXPECT_GE(dos.ReleaseWeek, 10);
    EXPECT_LE(dos.ReleaseWeek, 51);
    EXPECT_GE(dos.Quality, 75);
    EXPECT_LE(dos.Quality, 99);
    EXPECT_EQ(Upcoming()[1].Platform, 0);

    // Not yet released platforms, and seeding, keep the platform's year.
    Game.State.UpcomingGames.Clear();
    AnnounceTitle(Game, "Tank Ballet\t1990\tX\tWindows", 0, false);
    EXPECT_EQ(Upcoming()[0].ReleaseYear, 1990);
    AnnounceTitle(Game, "Old Timer\t1981\tX\tApple II", 0, true);
    EXPECT_EQ(Upcoming()[1].ReleaseYear, 1981);

    // Week 52 releases in week 52.
    Company.Week = 52;
    AnnounceTitle(Game, "Late Show\t1986\tX\tDOS", 0, false);
    EXPECT_EQ(Upcoming()[2].ReleaseWeek, 52);
}

TEST_F(GameDatabaseTest, UnknownPlatformsAddNothingButTheLineIsUsed) {
    EXPECT_TRUE(AnnounceTitle(Game, "Ghost Ship\t1985\tX\tVectrex,Odyssey", 1, false));
    EXPECT_EQ(Upcoming().RealCount(), 0);
}

TEST_F(GameDatabaseTest, CommodoreTitlesAreUsuallyConvertedToSpectrumAndAmstrad) {
    int spectrum = 0, amstrad = 0;
    const int runs = 1000;
    for (int run = 0; run < runs; ++run) {
        Game.State.UpcomingGames.Clear();
        AnnounceTitle(Game, "Bouncer\t1985\tX\tCommodore 64", 0, false);
        for (const auto& entry : Upcoming()) {
            spectrum += entry.Platform == 6;
            amstrad += entry.Platform == 7;
        }
    }
    EXPECT_NEAR(spectrum / double(runs), 0.8, 0.05);
    EXPECT_NEAR(amstrad / double(runs), 0.6, 0.05);
}

TEST_F(GameDatabaseTest, TheSameTitleOnTheSamePlatformIsNotAnnouncedTwice) {
    AnnounceTitle(Game, "Echo\t1985\tX\tDOS", 0, false);
    AnnounceTitle(Game, "Filler\t1985\tX\tAmiga", 0, false);
    // With two real entries only the last one is compared.
    EXPECT_TRUE(AnnounceTitle(Game, "Echo\t1985\tX\tDOS", 0, false));
    EXPECT_EQ(Upcoming().RealCount(), 3);
    // With three, the one before the last too.
    AnnounceTitle(Game, "Filler\t1985\tX\tSpectrum", 0, false);
    EXPECT_FALSE(AnnounceTitle(Game, "ECHO \t1985\tX\tDOS", 0, false));
    EXPECT_EQ(Upcoming().RealCount(), 4);
    EXPECT_TRUE(AnnounceTitle(Game, "Echo\t1985\tX\tAmiga", 0, false));
    EXPECT_EQ(Upcoming().RealCount(), 5);
}

TEST_F(GameDatabaseTest, BonusListsRaiseQualityBySubstring) {
    Game.State.BonusTexts[TopGames] = "Star Raiders of the Deep\t\r\n";
    Game.State.BonusTexts[BestGames] = "star raiders\t\r\n";
    for (int run = 0; run < 50; ++run) {
        Game.State.UpcomingGames.Clear();
        AnnounceTitle(Game, "Star Raiders\t1985\tX\tDOS", 0, false);
        const int quality = Upcoming()[0].Quality;
        EXPECT_GE(quality, 75 + 30 + 15);
        EXPECT_LE(quality, 99 + 49 + 29);
    }
}

TEST_F(GameDatabaseTest, SeedingLooksAtTheFirst41LinesAndOnlyOlderTitles) {
    Company.Year = 1984;
    for (auto& list : Game.State.TitleLists)
        list.clear();
    auto& action = Game.State.TitleLists[0];
    for (int k = 0; k < 45; ++k) {
        std::string line = "T";
        line += std::to_string(k);
        line += k % 2 ? "\t1983\tX\tDOS" : "\t1984\tX\tDOS";
        action.push_back(line);
    }
    SeedTitles(Game);
    // Odd lines 1..39 are older than 1984 and within the first 41: twenty titles.
    EXPECT_EQ(Upcoming().RealCount(), 20);
    EXPECT_EQ(action.size(), 25u);
    EXPECT_EQ(action[0], "T0\t1984\tX\tDOS");
    EXPECT_EQ(action[21], "T41\t1983\tX\tDOS");  // beyond line 40: left alone
    EXPECT_EQ(Upcoming()[0].Title.Str(), "T39"); // from line 40 down
}

TEST_F(GameDatabaseTest, WeeklyTitlesNeverPickTheLastLine) {
    for (auto& list : Game.State.TitleLists)
        list.clear();
    Game.State.TitleLists[3] = {"Only\t1980\tX\tDOS", "Last\t1980\tX\tDOS"};
    WeeklyTitles(Game);
    ASSERT_EQ(Game.State.TitleLists[3].size(), 1u);
    EXPECT_EQ(Game.State.TitleLists[3][0], "Last\t1980\tX\tDOS");
    WeeklyTitles(Game); // one line left: never picked
    EXPECT_EQ(Game.State.TitleLists[3].size(), 1u);
    EXPECT_EQ(Upcoming().RealCount(), 1);
    // A line without a year is a broken installation.
    Game.State.TitleLists[4] = {"Broken\tsoon\tX\tDOS", "Last\t1980\tX\tDOS"};
    EXPECT_THROW(WeeklyTitles(Game), EDataFile);
}

TEST_F(GameDatabaseTest, EndDateFromTheDatabase) {
    ApplyDataDiff(Game, {"YEAR=1994", "WEEK=52", "something else"});
    EXPECT_EQ(Game.EndYear, 1994);
    EXPECT_EQ(Game.EndWeek, 52);
    EXPECT_THROW(ApplyDataDiff(Game, {"YEAR=2011"}), EDataFile);
    EXPECT_THROW(ApplyDataDiff(Game, {"WEEK=x"}), EDataFile);
}

struct GridCase {
    TManagerKind Kind;
    int Rating;
    int ShareLow, ShareHigh;
    int WageBase; // before the 0..999 draw
};

TEST_F(GameDatabaseTest, CandidateGridsFollowTheirFormulas) {
    // Ratings 100 keep 100 only when the two ±9 draws cancel out; pin the draws with a script.
    const GridCase cases[] = {
        {TManagerKind::LeadProgrammer, 100, 14, 18, (400 / 12) * 650 + 5000 + 13000},
        {TManagerKind::ProjectLeader, 96, 11, 13, (384 / 12) * 650 + 5000 + 8000},
        {TManagerKind::LeadDesigner, 71, 9, 12, (284 / 12) * 650 + 5000 + 2000},
        {TManagerKind::LeadProgrammer, 30, 5, 9, (120 / 12) * 650},
        {TManagerKind::LeadProgrammer, 31, 5, 9, (124 / 12) * 650 + 1000},
    };
    for (const auto& c : cases) {
        // line 1 is a filler so that the starter rule of row 1 does not apply
        SetRandomValues({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        FillCandidateGrid(Game, c.Kind, {"Filler\t50", "Pat Quill\t" + std::to_string(c.Rating)});
        const TManagerCandidate* m = Game.State.Candidates.AtRow(c.Kind, 2);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->Name, "Pat Quill");
        EXPECT_EQ(m->Rating, c.Rating);
        EXPECT_GE(m->Share, c.ShareLow);
        EXPECT_LE(m->Share, c.ShareHigh);
        EXPECT_EQ(m->Wage, c.WageBase) << c.Rating;
    }
}

TEST_F(GameDatabaseTest, CandidateRatingsAreClampedAndStartersAreModest) {
    for (int run = 0; run < 30; ++run) {
        FillCandidateGrid(Game, TManagerKind::ProjectLeader,
                          {"Starter\t90", "Low\t20", "High\t100", "Random\t0"});
        const auto& grid = Game.State.Candidates.Lists[1];
        ASSERT_EQ(grid.size(), 4u);
        EXPECT_GE(grid[0].Rating, 25);
        EXPECT_LE(grid[0].Rating, 27);
        EXPECT_EQ(grid[0].Wage, 4000);
        EXPECT_EQ(grid[0].Share, 1);
        for (size_t i = 1; i < grid.size(); ++i) {
            EXPECT_GE(grid[i].Rating, 25);
            EXPECT_LE(grid[i].Rating, 100);
        }
        EXPECT_LE(grid[3].Rating, 25 + 39 + 9);
    }
    // The first lead programmer is no starter.
    SetRandomValues({0, 0});
    FillCandidateGrid(Game, TManagerKind::LeadProgrammer, {"Ace\t90"});
    EXPECT_EQ(Game.State.Candidates.Lists[0][0].Rating, 90);
}

// A program folder of its own holding a copy of the built database.
class StartGameTest : public GameFixture {
protected:
    fs::path Dir = fs::temp_directory_path() / ("quillon-start-" + std::to_string(::getpid()));
    void SetUp() override {
        GameFixture::SetUp();
        fs::create_directories(Dir);
        fs::copy_file(fs::path(QUILLON_BINARY_DIR) / "Database.pck", Dir / "Database.pck",
                      fs::copy_options::overwrite_existing);
        Game.Folders = FoldersAt(Dir.string());
    }
    void TearDown() override { fs::remove_all(Dir); }
};

TEST_F(StartGameTest, EmptyNamesAreRefused) {
    Game.Views.StartScreen.PlayerName = "  ";
    Game.Views.StartScreen.CompanyName = "Pixel Forge";
    EXPECT_FALSE(StartGame(Game, Game.Views.StartScreen));
    ASSERT_FALSE(Player.Messages.empty());
    EXPECT_EQ(Player.Messages.back().Text, "Player Name and Company Name cannot be empty");
    EXPECT_EQ(Player.Messages.back().Caption, "Error");
    EXPECT_FALSE(fs::exists(Dir / "player.ini"));
}

TEST_F(StartGameTest, StartGameReadsTheDatabaseAndWritesTheProfile) {
    ShowStartScreen(Game, Game.Views.StartScreen);
    EXPECT_EQ(Game.Views.StartScreen.DataPackLabel, "DataPack : Y1994/W51");
    Game.Views.StartScreen.PlayerName = " Ada ";
    Game.Views.StartScreen.CompanyName = "Pixel Forge";
    Game.Views.StartScreen.Difficulty = 3;
    ASSERT_TRUE(StartGame(Game, Game.Views.StartScreen));
    for (const auto& list : Game.State.TitleLists)
        EXPECT_GE(list.size(), 250u);
    EXPECT_EQ(Game.State.Candidates.Lists[0].size(), 32u);
    EXPECT_EQ(Game.State.Candidates.Lists[1].size(), 20u);
    EXPECT_EQ(Game.State.Candidates.Lists[2].size(), 14u);
    EXPECT_EQ(Company.Difficulty, 3);
    EXPECT_EQ(Company.PlayerName.Str(), "Ada");
    const auto profile = ReadPlayerProfile(Dir.string());
    ASSERT_TRUE(profile.has_value());
    EXPECT_EQ(profile->PlayerName, "Ada");
    EXPECT_EQ(profile->CompanyName, "Pixel Forge");
    EXPECT_EQ(profile->ShowHelp, true);
    // Nothing of the database is left lying around.
    EXPECT_FALSE(fs::exists(Dir / "actiongames.txt"));
    EXPECT_FALSE(fs::exists(Dir / "datadiff.txt"));
}

TEST_F(StartGameTest, AMissingOrDamagedDatabaseIsReportedNotFatal) {
    Game.Views.StartScreen.PlayerName = "Ada";
    Game.Views.StartScreen.CompanyName = "Pixel Forge";
    fs::remove(Dir / "Database.pck");
    EXPECT_FALSE(StartGame(Game, Game.Views.StartScreen));
    EXPECT_EQ(Player.Messages.back().Caption, "Error");
    EXPECT_NE(Player.Messages.back().Text.find("Database.pck"), std::string::npos);

    std::ofstream(Dir / "Database.pck", std::ios::binary) << "QARC garbage that is no archive";
    Player.Messages.clear();
    EXPECT_FALSE(StartGame(Game, Game.Views.StartScreen));
    ASSERT_FALSE(Player.Messages.empty());
    EXPECT_EQ(Player.Messages.back().Caption, "Error");
    EXPECT_TRUE(Game.State.TitleLists[0].empty());
}

// A downloaded database that cannot be read, whichever way it is broken, never keeps the
// player from starting a game with the installed one; a sound one is preferred.
TEST_F(StartGameTest, AnUnreadableDownloadedDatabaseNeverStandsInFrontOfTheInstalledOne) {
    const fs::path data = Dir / "data";
    fs::create_directories(data);
    Game.Folders.Data = data.string() + "/";
    const std::string installed = (Dir / "Database.pck").string();
    const std::string downloaded = (data / "database.pck").string();
    std::string bytes;
    {
        std::ifstream in(installed, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::string flipped = bytes;
    flipped[flipped.size() / 3] ^= 0x40;
    const std::pair<const char*, std::string> broken[] = {
        {"not an archive", "QARC garbage that is no archive"},
        {"damaged inside", flipped},
        {"cut short", bytes.substr(0, bytes.size() / 2)},
    };
    for (const auto& [name, content] : broken) {
        std::ofstream(downloaded, std::ios::binary | std::ios::trunc) << content;
        EXPECT_FALSE(GameDatabaseProblem(downloaded).empty()) << name;
        EXPECT_EQ(DatabasePath(Game.Folders), installed) << name;
        Player.Messages.clear();
        EXPECT_TRUE(LoadGameDatabase(Game)) << name;
        EXPECT_TRUE(Player.Messages.empty()) << name;
    }
    std::ofstream(downloaded, std::ios::binary | std::ios::trunc) << bytes;
    EXPECT_EQ(GameDatabaseProblem(downloaded), "");
    EXPECT_EQ(DatabasePath(Game.Folders), downloaded);
}

TEST_F(StartGameTest, ProfileLinesAndLoadWithoutSave) {
    std::ofstream(Dir / "Player.INI", std::ios::binary) << "Bo\r\nBo's Bytes\r\n";
    Game.Flags.ShowHelp = false;
    ShowStartScreen(Game, Game.Views.StartScreen);
    EXPECT_EQ(Game.Views.StartScreen.PlayerName, "Bo");
    EXPECT_EQ(Game.Views.StartScreen.CompanyName, "Bo's Bytes");
    EXPECT_FALSE(Game.Flags.ShowHelp); // two lines: the box stays as it was
    std::ofstream(Dir / "Player.INI", std::ios::binary | std::ios::trunc) << "Bo\r\nBo's Bytes\r\nTrue\r\n";
    ShowStartScreen(Game, Game.Views.StartScreen);
    EXPECT_TRUE(Game.Flags.ShowHelp);

    EXPECT_FALSE(LoadSavedGame(Game, Game.Views.StartScreen));
    EXPECT_EQ(Player.Messages.back().Text, "No saved game exists");
    EXPECT_EQ(Player.Messages.back().Caption, "No save game");
    EXPECT_FALSE(Game.Flags.LoadRequested);
}

} // namespace
