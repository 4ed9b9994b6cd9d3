#include <gtest/gtest.h>

#include "GameFixture.h"
#include "company/Publisher.h"
#include "dev/Project.h"
#include "dev/Release.h"
#include "game/EndOfWeek.h"
#include "views/DevelopmentView.h"

namespace {

class DevelopmentTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        // Known managers: a lead programmer of 40 and a lead designer of 26.
        auto& lists = Game.State.Candidates.Lists;
        lists[0] = {{"Ann Starter", 40, 1, 3000}, {"Bo Ace", 100, 14, 20000}};
        lists[1] = {{"Ed Lead", 25, 1, 2500}};
        lists[2] = {{"Gus Art", 26, 1, 2000}};
        Company.Money = 5000000;
        Company.Loan = 0;
    }

    TProject& Project() { return Game.State.Projects[1]; }
    TDevelopment& Dev() { return Game.State.Development; }

    // "Start New Project" and the setup as the player makes it; then "Start project".
    void Begin(const std::string& name = "Star Quest", int genre = 0, int platform = 3) {
        ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
        ASSERT_TRUE(Apply(Game, TChooseProjectGenre{.Genre = genre}).Done);
        ASSERT_TRUE(Apply(Game, TChooseProjectPlatform{.Platform = platform}).Done);
        ASSERT_TRUE(Apply(Game, TStartProject{.GameName = name}).Done);
    }

    // Ends weeks until the project is ready, at most limit weeks.
    int WeeksUntilReady(int limit = 80) {
        for (int week = 1; week <= limit; ++week) {
            Apply(Game, TEndOfWeekAction{});
            if (Project().Ready) return week;
        }
        return -1;
    }
};

TEST_F(DevelopmentTest, TheNameIsCheckedBeforeTheProjectStarts) {
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
    EXPECT_EQ(Dev().Stage, TProjectStage::Initial);
    EXPECT_EQ(Dev().Status, "initial stage..");
    for (const char* name : {"New Game", "new game", "NEW GAME"}) {
        EXPECT_FALSE(Apply(Game, TStartProject{.GameName = name}).Done) << name;
        EXPECT_EQ(Player.Messages.back().Text, "GameName not valid. Choose another name");
    }
    // The saved lists separate their fields with ";": such a name is refused, nothing changes.
    for (const char* name : {"Semi;Colon", "Tab\there", "Line\r\nbreak"}) {
        EXPECT_FALSE(Apply(Game, TStartProject{.GameName = name}).Done) << name;
        EXPECT_NE(Player.Messages.back().Text.find("cannot contain"), std::string::npos);
    }
    EXPECT_EQ(Dev().Stage, TProjectStage::Initial);
    EXPECT_FALSE(Project().InProgress);

    // A title already on sale on the same platform is refused; on another it is fine.
    TGameEntry released = BlankRecord<TGameEntry>();
    released.Title = "Star Quest";
    released.Platform = 3;
    Game.State.ReleasedGames.Append(released);
    ASSERT_TRUE(Apply(Game, TChooseProjectPlatform{.Platform = 3}).Done);
    EXPECT_FALSE(Apply(Game, TStartProject{.GameName = "STAR quest"}).Done);
    EXPECT_EQ(Player.Messages.back().Text,
              "Game already exists for the platform. Cancel the project and begin a new");
    ASSERT_TRUE(Apply(Game, TChooseProjectPlatform{.Platform = 1}).Done);
    // A name longer than the box is cut to the box's twenty characters; an empty one is fine.
    EXPECT_TRUE(Apply(Game, TStartProject{.GameName = "Star Quest: The Very Long Return"}).Done);
    EXPECT_EQ(Project().Name.Str(), "Star Quest: The Very");
    EXPECT_TRUE(Project().InProgress);
    EXPECT_EQ(Dev().Status, "In Progress..");
    EXPECT_EQ(Dev().SideLink, "Game:Star Quest: The Very");
    EXPECT_EQ(Project().PlatformItem, 0);
}

TEST_F(DevelopmentTest, TheWorkModelSplitsTheWorkByGenreAndTeam) {
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
    TProject& p = Project();
    // 200 units of Action with no discounts: 80 / 40 / 80, at 6 units a week 13 weeks.
    p.BaseWork = 200 + 40 / 2 + 26 / 2; // the two managers take their halves off again
    Dev().Technology = 0;
    Game.State.Company.ToolProgress.Fill(0);
    EXPECT_TRUE(RecalculateProject(Game, 1, true));
    EXPECT_EQ(p.WeeksLeft, 13);
    EXPECT_EQ(Dev().Bars, (std::array<int, 3>{80 / 6, 40 / 6, 80 / 6}));
    EXPECT_EQ(Dev().BarMax, p.BaseWork / 8);
    // More programmers shorten the engine work.
    Company.AssistProgrammers = 2;
    RecalculateProject(Game, 1, true);
    EXPECT_EQ(p.WeeksLeft, 13); // the graphics still take 13 weeks
    Company.AssistArtists = 2;
    RecalculateProject(Game, 1, true);
    EXPECT_EQ(p.WeeksLeft, 80 / 10);

    // Tools: 5 % from 200, both 5 % and 10 % (of what is left, in whole hundreds) at exactly 400,
    // 40 % from 990.
    const std::pair<int, int> cuts[] = {{199, 1000}, {200, 950}, {400, 860}, {401, 900},
                                        {800, 650},  {989, 750}, {990, 600}};
    for (const auto& [level, work] : cuts)
        EXPECT_EQ(ToolDiscount(1000, level), work) << level;

    // In estimate mode a project with nothing left still shows one week, and says so.
    p.EngineDone = p.SoundDone = p.GraphicsDone = 100000;
    EXPECT_FALSE(RecalculateProject(Game, 1, true));
    EXPECT_EQ(p.WeeksLeft, 1);
}

TEST_F(DevelopmentTest, TechnologyAndMultiPlayLockInTheLastTwelveWeeks) {
    Begin();
    TProject& p = Project();
    p.WeeksLeft = 13;
    p.BaseWork = 2000;
    RecalculateProject(Game, 1, true);
    ASSERT_GT(p.WeeksLeft, 12);
    EXPECT_TRUE(Apply(Game, TSetTechnology{.Level = 2}).Done);
    EXPECT_TRUE(Apply(Game, TSetProjectOption{.Option = TProjectOption::MultiPlay, .Ticked = true}).Done);
    p.EngineDone = p.SoundDone = p.GraphicsDone = 100000;
    p.BaseWork = 200;
    RecalculateProject(Game, 1, true);
    ASSERT_LE(p.WeeksLeft, 12);
    EXPECT_FALSE(Apply(Game, TSetTechnology{.Level = 0}).Done);
    EXPECT_FALSE(Apply(Game, TSetProjectOption{.Option = TProjectOption::MultiPlay, .Ticked = false}).Done);
    EXPECT_EQ(Dev().Technology, 2);
    EXPECT_TRUE(Dev().MultiPlay);
    // "Beta Testing" with no work left goes back and says so.
    EXPECT_TRUE(Apply(Game, TSetProjectOption{.Option = TProjectOption::Beta, .Ticked = true}).Done);
    EXPECT_FALSE(Dev().Beta);
    EXPECT_EQ(Player.Messages.back().Text, "Allready to fare in Development");
}

TEST_F(DevelopmentTest, AProjectIsReadyTheWeekAfterItsLastWork) {
    Company.Difficulty = 1;
    Begin();
    TProject& p = Project();
    // The last six units of engine work: done in the coming week. The managers take 33 off.
    p.BaseWork = 233;
    p.EngineDone = 80 - 6;
    p.SoundDone = 40;
    p.GraphicsDone = 80;
    Dev().Technology = 0;
    Game.Tunables.QualityBase = 60;
    RecalculateProject(Game, 1, true);
    Apply(Game, TEndOfWeekAction{}); // the last work is done in this week...
    EXPECT_FALSE(p.Ready);
    EXPECT_EQ(Dev().Stage, TProjectStage::InProgress);
    p.Hype = 35; // far more hype than counts
    const double quality = p.Quality;
    Apply(Game, TEndOfWeekAction{}); // ...and the readiness is seen the week after
    ASSERT_TRUE(p.Ready);
    EXPECT_EQ(Dev().Stage, TProjectStage::Ready);
    EXPECT_EQ(Dev().Status, "Ready for release!!");
    EXPECT_EQ(Player.Questions.back().Text, "Star Quest ready for release!");
    EXPECT_NE(Game.Feed.PlainText().find("Star Quest ready for Release !!"), std::string::npos);
    EXPECT_EQ(p.Hype, 20);
    EXPECT_DOUBLE_EQ(p.FinalCopy, quality - 5);
    // The starting deal's two extras add 3 points each.
    EXPECT_DOUBLE_EQ(p.TargetQuality, quality - 5 + 20 + 6);

    // A game that waits for its release still pays for advertising.
    Dev().Advertising = 3;
    const int32_t before = Company.Money;
    WeeklyProjectEffects(Game);
    EXPECT_EQ(Company.Money, before - 9000);
}

TEST_F(DevelopmentTest, DifficultyLowersTheTargetAndTheFinalQuality) {
    Begin();
    TProject& p = Project();
    p.BaseWork = 2000;
    Dev().Technology = 0;
    Dev().Advertising = 0;
    Company.PlatformKnowledge.Fill(0);
    Company.GenreKnowledge.Fill(0);
    Game.Tunables.QualityBase = 120;
    // Points: the two managers, 40 + 26, a tenth of it counts.
    for (int difficulty : {1, 3}) {
        Company.Difficulty = static_cast<uint8_t>(difficulty);
        SetRandomValues({0, 0, 0});
        ComputeQualityTarget(Game);
        const int base = 120 - 7 * difficulty + 66 / 10;
        // Above 100 the draws only take away (the scripted draws are 0).
        EXPECT_DOUBLE_EQ(p.TargetQuality, base) << difficulty;
    }
    // Genre knowledge counts half, at most 40.
    Company.Difficulty = 1;
    Company.GenreKnowledge[p.Genre] = 100;
    SetRandomValues({0, 0, 0});
    ComputeQualityTarget(Game);
    EXPECT_DOUBLE_EQ(p.TargetQuality, 120 - 7 + 6 + 40);

    p.Quality = 80;
    p.Hype = 0;
    Company.Difficulty = 3;
    MakeReady(Game);
    EXPECT_DOUBLE_EQ(p.FinalCopy, 80 - 15);
}

struct ProblemCase {
    int Severity;
    int WeeksLeft;
    int64_t Wealth;
    int Growth; // percent of the base work, with the draw 0
    bool Scrapped;
    const char* TextStart;
};

TEST_F(DevelopmentTest, ProblemsAddWorkOrScrapTheProject) {
    const ProblemCase cases[] = {
        {84, 20, 1000000, 4, false, "The Game under development has encountered some problems and will"},
        {95, 20, 1000000, 4, false, "The Game under development has encountered some minor bugs"},
        {96, 20, 1000000, 8, false, "The Game under development has encountered some minor bugs"},
        {112, 20, 1000000, 10, false, "The Game under development has encountered some problems and bugs."},
        {116, 20, 1000000, 20, false, "The Game under development has encountered some major problems"},
        {118, 20, 1000000, 40, false, "Major Problems with the Game under development."},
        {120, 30, 5000000, 0, false, "Major Problems"}, // too late to scrap: the last text again
        {119, 40, 500000, 0, false, "Major Problems"},  // too poor to scrap
        {119, 31, 500001, 0, true, "You have to scrap the development of the new game!!."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Severity);
        if (Dev().Stage != TProjectStage::InProgress) Begin("Case " + std::to_string(c.Severity));
        TProject& p = Project();
        p.BaseWork = 1000;
        p.WeeksLeft = c.WeeksLeft;
        Company.Money = static_cast<int32_t>(c.Wealth);
        Company.Loan = 0;
        Dev().ProblemSeverity = c.Severity;
        SetRandomValues({0});
        ShowProblem(Game);
        EXPECT_EQ(Dev().ProblemText.rfind(c.TextStart, 0), 0u) << Dev().ProblemText;
        EXPECT_EQ(p.BaseWork, 1000 + 10 * c.Growth);
        EXPECT_EQ(Dev().Stage == TProjectStage::NotStarted, c.Scrapped);
        if (c.Scrapped) {
            EXPECT_EQ(Player.Messages.back().Text, "The Project under development was scraped!");
        }
    }

    // The roll: technology and difficulty set the odds; a studio without spare cash is spared.
    Begin("Roll");
    Player.Problems.clear();
    Dev().Technology = 0;
    Company.Difficulty = 1;
    Company.Money = 200000;
    SetRandomValues({51});
    ProblemCheck(Game); // 30 + 2 + 51 = 83: nothing
    EXPECT_EQ(Player.Problems.size(), 0u);
    SetRandomValues({52, 0});
    ProblemCheck(Game); // 84: a problem
    EXPECT_EQ(Player.Problems.size(), 1u);
    Company.Money = 100000;
    SetRandomValues({54});
    ProblemCheck(Game);
    EXPECT_EQ(Player.Problems.size(), 1u);
}

// While the release calendar waits for "Choose", no path ends the week: not End Of Week (F5,
// Ctrl+E), not "Save game && end turn", not "Quit Game". Nothing is charged.
TEST_F(DevelopmentTest, NoWeekPassesWhileTheReleaseWeekIsChosen) {
    Begin();
    Project().Ready = true;
    Project().ReadyAnnounced = true;
    Dev().Stage = TProjectStage::Ready;
    Dev().Advertising = 5;
    ASSERT_TRUE(Apply(Game, TBeginRelease{}).Done);
    ASSERT_TRUE(Dev().ReleaseMode);
    const int week = Company.Week;
    const int32_t money = Company.Money;
    const size_t messages = Player.Messages.size();
    for (const TPlayerAction& action :
         {TPlayerAction{TEndOfWeekAction{}}, TPlayerAction{TSaveAndEndTurn{}}, TPlayerAction{TQuitGame{}}}) {
        EXPECT_FALSE(Apply(Game, action).Done) << FormatAction(action);
        EXPECT_EQ(Company.Week, week);
        EXPECT_EQ(Company.Money, money);
        EXPECT_FALSE(Game.Flags.GameOver);
        EXPECT_FALSE(Game.Flags.SaveRequested);
    }
    EXPECT_EQ(Player.Messages.size(), messages);
    // "Choose" leads on, and the week can end again.
    ASSERT_TRUE(Apply(Game, TChooseReleaseWeek{.Offset = 0, .Index = 0}).Done);
    EXPECT_TRUE(Apply(Game, TEndOfWeekAction{}).Done);
    EXPECT_EQ(Company.Week, week + 1);
}

// Opening the Development panel estimates the project afresh: tools raised since the last
// estimate halve the weeks the box shows. Without a project, the side panel keeps its caption.
TEST_F(DevelopmentTest, OpeningThePanelEstimatesTheProjectAfresh) {
    EXPECT_TRUE(Apply(Game, TOpenDevelopment{}).Done);
    EXPECT_EQ(Dev().SideCaption, "NOt Started..");
    Begin("Star Quest", 0, 3);
    const int before = Project().WeeksLeft;
    ASSERT_GT(before, 12);
    Company.ToolProgress[3] = 1000; // 40 % less work
    EXPECT_EQ(Project().WeeksLeft, before) << "nothing has estimated the project yet";
    ASSERT_TRUE(Apply(Game, TOpenDevelopment{}).Done);
    EXPECT_LT(Project().WeeksLeft, before);
    EXPECT_EQ(DevelopmentView(Game).WeeksLeft, Project().WeeksLeft);
    EXPECT_EQ(Dev().SideCaption, std::to_string(Project().WeeksLeft) + " Weeks remain");
    EXPECT_EQ(FormatAction(TOpenDevelopment{}), "OpenDevelopment");
}

TEST_F(DevelopmentTest, ReleasingAnnouncesTheGameAndSendsTheTeamHome) {
    Begin();
    Project().Ready = true;
    Project().ReadyAnnounced = true;
    Project().TargetQuality = 92.5;
    Project().FinalCopy = 81.5;
    Dev().Stage = TProjectStage::Ready;
    Company.AssistProgrammers = 3;
    Company.AssistArtists = 2;
    Company.Economy = 70;
    ASSERT_TRUE(Apply(Game, TBeginRelease{}).Done);
    EXPECT_TRUE(Dev().ReleaseMode);
    EXPECT_EQ(Player.Messages.back().Text,
              "Look out. World economic situation is bad at the moment. Choose your release week wisely");
    EXPECT_EQ(Company.AssistProgrammers, 0);
    EXPECT_EQ(Company.AssistArtists, 0);
    EXPECT_EQ(Game.State.Employees, 3);

    const int upcoming = Game.State.UpcomingGames.RealCount();
    const int week = Company.Week;
    ASSERT_TRUE(Apply(Game, TChooseReleaseWeek{.Offset = 0, .Index = 2}).Done);
    const TGameEntry& e = Game.State.UpcomingGames[upcoming];
    EXPECT_EQ(e.Title.Str(), "Star Quest");
    EXPECT_EQ(e.Developer.Str(), "Pixel Forge");
    EXPECT_EQ(e.ReleaseWeek, week + 3);
    EXPECT_EQ(e.Quality, 92); // rounded half to even
    EXPECT_EQ(e.ReleaseScore, 82);
    EXPECT_TRUE(e.ByPlayer);
    EXPECT_EQ(Dev().Stage, TProjectStage::NotStarted);
    EXPECT_EQ(Dev().Status, "Released");
    EXPECT_EQ(Dev().Advertising, 0);
    EXPECT_FALSE(Dev().ReleaseMode);

    // The game goes on sale in its week, with its rating.
    while (Company.Week != week + 3)
        Apply(Game, TEndOfWeekAction{});
    EXPECT_TRUE(Player.SawMessage("Star QuestReleased this week\r\nGameReview Rating : 6/10"));
    bool onSale = false;
    for (const TGameEntry& r : Game.State.ReleasedGames)
        onSale = onSale || (r.ByPlayer && r.Title.Str() == "Star Quest");
    EXPECT_TRUE(onSale);
}

TEST_F(DevelopmentTest, TheWeekChooserNearTheYearsEnd) {
    // Weeks 47..50 show the year's end; a week already begun becomes the next one.
    Company.Week = 49;
    EXPECT_EQ(CalendarStart(50, Company.Year), (std::pair{47, Company.Year}));
    const int year = Company.Year;
    struct TCase {
        int Week, Year, ExpectWeek, ExpectYear;
    } cases[] = {{47, year, 50, year}, {49, year, 50, year},    {50, year, 50, year},
                 {51, year, 51, year}, {52, year, 1, year + 1}, {6, year + 1, 6, year + 1}};
    for (const auto& c : cases) {
        AnnounceRelease(Game, c.Week, c.Year);
        const TGameEntry& e = Game.State.UpcomingGames[Game.State.UpcomingGames.RealCount() - 1];
        EXPECT_EQ(e.ReleaseWeek, c.ExpectWeek) << c.Week;
        EXPECT_EQ(e.ReleaseYear, c.ExpectYear) << c.Week;
    }
}

TEST_F(DevelopmentTest, CancellingAsksAndResets) {
    Begin();
    Player.Answers = {TAnswer::No};
    EXPECT_FALSE(Apply(Game, TCancelProject{}).Done);
    EXPECT_TRUE(Project().InProgress);
    Player.Answers = {TAnswer::Yes};
    EXPECT_TRUE(Apply(Game, TCancelProject{}).Done);
    EXPECT_EQ(Player.Questions.back().Text, "Are you sure you want to cancel Project ?");
    EXPECT_FALSE(Project().InProgress);
    EXPECT_EQ(Dev().Status, "Not started..");
    EXPECT_EQ(Dev().SideCaption, "NOt Started..");
    EXPECT_EQ(Dev().SideLink, "Project");
}

TEST_F(DevelopmentTest, AnAssistantChangeReplansTheProject) {
    Begin();
    TProject& p = Project();
    p.BaseWork = 600;
    RecalculateProject(Game, 1, true);
    const int weeks = p.WeeksLeft;
    ASSERT_TRUE(Apply(Game, TSetAssistants{.Kind = TAssistantKind::Programmers, .Count = 3}).Done);
    ASSERT_TRUE(Apply(Game, TSetAssistants{.Kind = TAssistantKind::Artists, .Count = 3}).Done);
    ASSERT_TRUE(Apply(Game, TSetAssistants{.Kind = TAssistantKind::Musicians, .Count = 3}).Done);
    EXPECT_LT(p.WeeksLeft, weeks);
}

TEST_F(DevelopmentTest, TheWorkSizesGrowEveryFourthWeek) {
    const TTunables before = Game.Tunables;
    SetRandomValues({2});
    GrowProjectWork(Game);
    EXPECT_EQ(Game.Tunables.NewProjectWork, before.NewProjectWork + 5);
    EXPECT_EQ(Game.Tunables.TechStepWork, before.TechStepWork + 2);
    EXPECT_EQ(Game.Tunables.MultiplayWork, before.MultiplayWork + 2);
    EXPECT_EQ(Game.Tunables.DemoWork, before.DemoWork + 1);
    EXPECT_EQ(Game.Tunables.ExtrasWork, before.ExtrasWork + 1);
    EXPECT_EQ(Game.Tunables.BetaWork, before.BetaWork + 1);
}

} // namespace
