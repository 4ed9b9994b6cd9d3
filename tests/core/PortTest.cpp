// Porting a released game to another platform: the dialog's choice, the checks after it and at
// "Start project", the port's work and figure, its fixed technology and its release quality.
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "dev/Port.h"
#include "views/DevelopmentView.h"
#include "views/PortView.h"

namespace {

class PortTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        Company.Money = 5000000;
        Company.Loan = 0;
        Game.Tunables.NewProjectWork = 200;
        // A competitor's title first, then the studio's own RPG for the C64.
        Released("Rock Rally", 3, 70, false);
        Own = Released("Star Quest", 1, 80, true);
    }

    int Released(const std::string& title, int platform, int releaseScore, bool byPlayer) {
        TGameEntry e = BlankRecord<TGameEntry>();
        e.Title = title;
        e.Platform = static_cast<uint8_t>(platform);
        e.Genre = 5;
        e.ReleaseScore = releaseScore;
        e.Quality = releaseScore;
        e.ReleaseWeek = 10;
        e.ReleaseYear = 1984;
        e.Income = 123456;
        e.ByPlayer = byPlayer;
        Game.State.ReleasedGames.Append(e);
        return Game.State.ReleasedGames.RealCount() - 1;
    }

    TOutcome Port(int entry, int platform) {
        return Apply(Game, TPortGame{.ReleasedIndex = entry, .Platform = platform});
    }

    TProject& Project() { return Game.State.Projects[1]; }
    TDevelopment& Dev() { return Game.State.Development; }
    int Own = -1;
};

TEST(PortFiguresTest, MethodsMakeThePortBetterAndCheaper) {
    struct TCase {
        int Score, Methods, NewProjectWork, FinalCopy, BaseWork;
    } const cases[] = {
        {80, 0, 200, 81, 120},   // no methods: 80 of 200 work units saved
        {80, 1000, 200, 94, 20}, // the best methods
        {80, 74, 200, 81, 113},  // (74 + 800) / 10 = 87
        {80, 75, 200, 82, 113},  // the second point comes at 75
        {60, 0, 399, 61, 319},   // 399 div 200 is 1
        {60, 500, 400, 67, 140}, // (500 + 800) * 2 / 10 = 260
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(PortFinalCopy(c.Score, c.Methods), c.FinalCopy) << c.Score << " " << c.Methods;
        EXPECT_EQ(PortBaseWork(c.NewProjectWork, c.Methods), c.BaseWork)
            << c.NewProjectWork << " " << c.Methods;
    }
}

TEST_F(PortTest, TheDialogListsTheStudiosOwnGames) {
    const std::vector<TPortRow> rows = PortRows(Game);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Entry, Own);
    EXPECT_EQ(rows[0].Game, "Star Quest");
    EXPECT_EQ(rows[0].Platform, "C64");
    EXPECT_EQ(rows[0].ReleaseDate, "10/1984");
    EXPECT_EQ(rows[0].Income, "123,456$");
}

TEST_F(PortTest, APortFromItsChoiceToItsRelease) {
    Company.PortingMethods[1] = 1000;
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
    ASSERT_TRUE(Port(Own, 3).Done);
    EXPECT_FALSE(Game.Flags.PortCancelled);
    EXPECT_EQ(Project().Name.Str(), "Star Quest");
    EXPECT_EQ(Project().Genre, 5);
    EXPECT_EQ(Dev().Genre, 5);
    EXPECT_EQ(Project().FinalCopy, 94);
    EXPECT_EQ(Project().BaseWork, 20);
    EXPECT_TRUE(Project().IsPort);
    EXPECT_EQ(Dev().Platform, 3);
    EXPECT_EQ(Project().PlatformItem, 2);
    EXPECT_EQ(Dev().Technology, 0);
    TDevelopmentView view = DevelopmentView(Game);
    EXPECT_FALSE(view.NameGroupEnabled);
    EXPECT_FALSE(view.TechnologyVisible);
    EXPECT_FALSE(view.TechnologyEnabled);
    EXPECT_TRUE(view.CancelEnabled);

    // Name, genre, platform and technology are fixed; the dialog cannot be used twice.
    EXPECT_FALSE(Apply(Game, TSetTechnology{.Level = 2}).Done);
    EXPECT_FALSE(Apply(Game, TChooseProjectPlatform{.Platform = 5}).Done);
    EXPECT_FALSE(Apply(Game, TChooseProjectGenre{.Genre = 1}).Done);
    EXPECT_FALSE(Port(Own, 5).Done);
    EXPECT_EQ(Dev().Platform, 3);
    // "Start project" takes the title, whatever was typed.
    ASSERT_TRUE(Apply(Game, TStartProject{.GameName = "Something Else"}).Done);
    EXPECT_EQ(Project().Name.Str(), "Star Quest");
    EXPECT_FALSE(Apply(Game, TSetTechnology{.Level = 1}).Done);
    EXPECT_EQ(Dev().Technology, 0);

    // Readiness keeps the port's figure.
    for (int week = 0; week < 10 && !Project().Ready; ++week) {
        Apply(Game, TEndOfWeekAction{});
        ASSERT_EQ(Dev().Technology, 0);
    }
    ASSERT_TRUE(Project().Ready);
    EXPECT_EQ(Project().FinalCopy, 94);
    // The title's quality is the mean of both figures, each rounded half to even first.
    Project().TargetQuality = 73; // half of it, 36.5, rounds to 36
    ASSERT_TRUE(Apply(Game, TBeginRelease{}).Done);
    const int upcoming = Game.State.UpcomingGames.RealCount();
    ASSERT_TRUE(Apply(Game, TChooseReleaseWeek{.Offset = 0, .Index = 0}).Done);
    const TGameEntry& e = Game.State.UpcomingGames[upcoming];
    EXPECT_EQ(e.Title.Str(), "Star Quest");
    EXPECT_EQ(e.Platform, 3);
    EXPECT_EQ(e.Quality, 47 + 36);
    EXPECT_EQ(e.ReleaseScore, 94);
    EXPECT_EQ(Dev().PortsReleased, 1);

    // The next project is a new game again.
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
    EXPECT_FALSE(Project().IsPort);
    EXPECT_TRUE(DevelopmentView(Game).TechnologyVisible);
    EXPECT_TRUE(DevelopmentView(Game).NameGroupEnabled);
    EXPECT_EQ(Project().BaseWork, Game.Tunables.NewProjectWork);
}

TEST_F(PortTest, PortingAPortStartsFromItsOwnFigure) {
    const int port = Released("Star Quest", 3, 94, true);
    Company.PortingMethods[1] = 1000;
    Company.PortingMethods[3] = 0;
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
    ASSERT_TRUE(Port(port, 12).Done);
    EXPECT_EQ(Project().FinalCopy, 95);
    EXPECT_EQ(Project().BaseWork, 120);
}

TEST_F(PortTest, TheChoiceIsCheckedInTheDialogAndAfterIt) {
    // Only while a new project is being set up.
    EXPECT_FALSE(Port(Own, 3).Done);
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);

    const size_t messages = Player.Messages.size();
    EXPECT_FALSE(Port(Own, -1).Done);
    ASSERT_EQ(Player.Messages.size(), messages + 1);
    EXPECT_EQ(Player.Messages.back().Text, "Choose a platform");
    EXPECT_TRUE(Game.Flags.PortCancelled);
    EXPECT_FALSE(Project().IsPort);
    // Platforms the project list does not offer, and rows that are no game of the studio's.
    EXPECT_FALSE(Port(Own, 4).Done);
    EXPECT_FALSE(Port(Own - 1, 3).Done);
    EXPECT_FALSE(Port(Own + 1, 3).Done);
    EXPECT_EQ(Player.Messages.size(), messages + 1);
    EXPECT_FALSE(Project().IsPort);

    // The title is on sale for that platform already: refused before anything is written, so
    // the project is the new game it was.
    Released("Star Quest", 3, 50, false);
    const TProject before = Project();
    const TDevelopment setup = Dev();
    EXPECT_FALSE(Port(Own, 3).Done);
    EXPECT_EQ(Player.Messages.back().Text, "Game already exists for this platform");
    EXPECT_TRUE(Game.Flags.PortCancelled);
    EXPECT_FALSE(Project().IsPort);
    EXPECT_EQ(Project().BaseWork, before.BaseWork);
    EXPECT_EQ(Project().FinalCopy, before.FinalCopy);
    EXPECT_EQ(Project().Name.Str(), before.Name.Str());
    EXPECT_EQ(Dev().Platform, setup.Platform);
    EXPECT_EQ(Dev().Genre, setup.Genre);
    EXPECT_EQ(Dev().Technology, setup.Technology);
    EXPECT_FALSE(Dev().PortSetUp);
    EXPECT_TRUE(DevelopmentView(Game).NameGroupEnabled);
    // "Start project" refuses the same title for the same platform as well.
    ASSERT_TRUE(Apply(Game, TChooseProjectPlatform{.Platform = 3}).Done);
    EXPECT_FALSE(Apply(Game, TStartProject{.GameName = "Star Quest"}).Done);
    EXPECT_EQ(Player.Messages.back().Text,
              "Game already exists for the platform. Cancel the project and begin a new");
    EXPECT_EQ(Dev().Stage, TProjectStage::Initial);

    // An unrelated new game started after the refusal gets no port's discount or figure.
    ASSERT_TRUE(Apply(Game, TStartProject{.GameName = "Sky Farm"}).Done);
    EXPECT_FALSE(Project().IsPort);
    EXPECT_EQ(Project().BaseWork, Game.Tunables.NewProjectWork);
    EXPECT_EQ(Project().FinalCopy, 0);
}

TEST_F(PortTest, AChosenPortCanBeGivenUpBeforeItStarts) {
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
    ASSERT_TRUE(Port(Own, 3).Done);
    Player.Answers.push_back(TAnswer::Yes);
    EXPECT_TRUE(Apply(Game, TCancelProject{}).Done);
    EXPECT_EQ(Dev().Stage, TProjectStage::NotStarted);
}

// The port fixed "Old-fashioned"; the next new game starts from "Up-to-date" again, and a
// level the player chose for a new game carries over as before.
TEST_F(PortTest, AfterAPortTheNextGameStartsFromTheUsualTechnology) {
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
    ASSERT_TRUE(Port(Own, 3).Done);
    ASSERT_EQ(Dev().Technology, 0);
    Player.Answers.push_back(TAnswer::Yes);
    ASSERT_TRUE(Apply(Game, TCancelProject{}).Done);
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
    EXPECT_EQ(Dev().Technology, 1);
    EXPECT_EQ(std::string(TechnologyItems[Dev().Technology]), "Up-to-date");
    EXPECT_TRUE(DevelopmentView(Game).TechnologyEnabled);

    ASSERT_TRUE(Apply(Game, TSetTechnology{.Level = 2}).Done);
    ASSERT_TRUE(Apply(Game, TStartProject{.GameName = "Sky Farm"}).Done);
    Player.Answers.push_back(TAnswer::Yes);
    ASSERT_TRUE(Apply(Game, TCancelProject{}).Done);
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
    EXPECT_EQ(Dev().Technology, 2);
}

TEST_F(PortTest, WithoutGamesOfItsOwnTheStudioHasNothingToPort) {
    Game.State.ReleasedGames.Clear();
    Released("Rock Rally", 3, 70, false);
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
    const size_t messages = Player.Messages.size();
    EXPECT_TRUE(PortRows(Game).empty());
    EXPECT_FALSE(Port(-1, 3).Done);
    EXPECT_FALSE(Port(0, 1).Done);
    EXPECT_EQ(Player.Messages.size(), messages);
    EXPECT_FALSE(Project().IsPort);
    EXPECT_EQ(Project().BaseWork, Game.Tunables.NewProjectWork);
}

} // namespace
