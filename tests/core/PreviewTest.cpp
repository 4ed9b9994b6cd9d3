// Magazine previews: when the player may ask for one, what End Of Week writes, the scores and
// the tables of verdicts, remarks and release lines.
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "dev/Preview.h"

namespace {

class PreviewTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        // A lead programmer of 60, a project leader of 40 and a lead designer of 120.
        auto& lists = Game.State.Candidates.Lists;
        lists[0] = {{"Pia Code", 60, 1, 3000}};
        lists[1] = {{"Lou Lead", 40, 1, 2500}};
        lists[2] = {{"Dee Draw", 120, 1, 2000}};
        Company.LeadProgrammer = Company.ProjectLeader = Company.LeadDesigner = 1;
        Company.Money = 5000000;
        Company.Loan = 0;
    }

    void Begin() {
        ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
        ASSERT_TRUE(Apply(Game, TStartProject{.GameName = "Moon Garden"}).Done);
    }

    TProject& Project() { return Game.State.Projects[1]; }
    const TPreviewReport& Report() { return Game.State.Preview; }

    std::vector<std::string> PanelTexts() {
        std::vector<std::string> texts;
        for (const TFeedRun& run : Report().Text)
            texts.push_back(run.Text);
        return texts;
    }
};

TEST_F(PreviewTest, OnlyAGameInItsLastThirtyWeeksGoesToTheMagazine) {
    // Before "Start project" there is no game to send.
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
    EXPECT_FALSE(Apply(Game, TRequestPreview{}).Done);
    EXPECT_EQ(Player.Messages.back().Text, "You are not deveolping a game right now");
    EXPECT_FALSE(Game.Flags.PreviewRequested);

    ASSERT_TRUE(Apply(Game, TStartProject{.GameName = "Moon Garden"}).Done);
    Project().WeeksLeft = 31;
    EXPECT_FALSE(Apply(Game, TRequestPreview{}).Done);
    EXPECT_EQ(Player.Messages.back().Text,
              "To soon for this. Wait until theres 30 weeks left of development");
    EXPECT_FALSE(Game.Flags.PreviewRequested);

    Project().WeeksLeft = 30;
    EXPECT_TRUE(Apply(Game, TRequestPreview{}).Done);
    EXPECT_EQ(Player.Messages.back().Text,
              "Your send your game to a magazine for preview. Click \"Latest Preview\" next week to see your "
              "score");
    EXPECT_TRUE(Game.Flags.PreviewRequested);
    // A refused request takes back the one before it.
    Project().WeeksLeft = 31;
    EXPECT_FALSE(Apply(Game, TRequestPreview{}).Done);
    EXPECT_FALSE(Game.Flags.PreviewRequested);

    // A ready game waits for its release; the preview button is closed then.
    Game.State.Development.Stage = TProjectStage::Ready;
    const size_t messages = Player.Messages.size();
    EXPECT_FALSE(Apply(Game, TRequestPreview{}).Done);
    EXPECT_EQ(Player.Messages.size(), messages);
}

TEST_F(PreviewTest, TheWeekWritesThePreviewIntoTheFeedAndThePanel) {
    Begin();
    Project().WeeksLeft = 30;
    ASSERT_TRUE(Apply(Game, TRequestPreview{}).Done);
    Apply(Game, TEndOfWeekAction{});
    EXPECT_FALSE(Game.Flags.PreviewRequested);
    EXPECT_EQ(Report().Written, 1);
    ASSERT_FALSE(Report().Text.empty());
    EXPECT_EQ(Report().Text.front().Text, "Preview of Moon Garden\n\n");
    const std::string feed = Game.Feed.PlainText();
    EXPECT_NE(feed.find("Preview of Moon Garden\n"), std::string::npos);
    // One request, one preview.
    Apply(Game, TEndOfWeekAction{});
    EXPECT_EQ(Report().Written, 1);
}

TEST_F(PreviewTest, ScoresAreCappedAndTheTextFollowsTheTarget) {
    Begin();
    Project().TargetQuality = 62.4; // a third of 62 pulls down by up to 20
    Project().Hype = 10;            // heading for 72.4
    Project().WeeksLeft = 12;
    Company.Week = 9;
    Company.Year = 1986;
    // Graphics 120 + 29 - 0, Sound 120 + 5 - 19, Gameplay 40 + 10 - 15, Overall + 0 - 10.
    SetRandomValues({29, 0, 5, 19, 10, 15, 0});
    Game.Feed.Runs.clear();
    WritePreview(Game);
    EXPECT_EQ(Report().Graphics, 100);
    EXPECT_EQ(Report().Sound, 100);
    EXPECT_EQ(Report().Gameplay, 35);
    EXPECT_EQ(Report().Overall, (35 + 100 + 100) / 3 - 10);
    // A designer above 100 gets no graphics remark; 12 weeks left, no line about the date.
    const std::vector<std::string> expected = {
        "Preview of Moon Garden\n\n",
        "The Game was recived by us in the start of week 9 1986\n\n",
        "Moon Garden has Great potential\n\n",
        "The gameplay was very addictive\n\n",
    };
    EXPECT_EQ(PanelTexts(), expected);
    EXPECT_EQ(Report().Text[0].Style, TFeedStyle::FontHeader1);
    EXPECT_EQ(Report().Text[1].Style, TFeedStyle::FontHeader1);
    EXPECT_EQ(Report().Text[2].Style, TFeedStyle::FontNormal);
    ASSERT_EQ(Game.Feed.Runs.size(), 2u);
    EXPECT_EQ(Game.Feed.Runs[0].Text, "Preview of Moon Garden\n");
    EXPECT_EQ(Game.Feed.Runs[0].Style, TFeedStyle::FONTMAIN);
    EXPECT_EQ(Game.Feed.Runs[1].Text, "Moon Garden has Great potential\n");
}

TEST_F(PreviewTest, AWeakTeamCanScoreBelowNothing) {
    Begin();
    Game.State.Candidates.Lists[2] = {{"Dee Draw", 0, 1, 2000}};
    Project().TargetQuality = 150; // pulls down by up to 49
    Project().Hype = 0;
    Project().WeeksLeft = 3;
    SetRandomValues({0, 49, 0, 0, 0, 0, 0});
    WritePreview(Game);
    EXPECT_EQ(Report().Graphics, -49);
    EXPECT_EQ(Report().Sound, 0);
    EXPECT_EQ(Report().Gameplay, 40);
    EXPECT_EQ(Report().Overall, (40 + 0 - 49) / 3 - 10);
    EXPECT_EQ(PanelTexts()[2], ReleaseDateLine(3) + "\n\n");
    EXPECT_EQ(PanelTexts()[3], "Moon Garden was innovative and VERY promising\n\n");
    EXPECT_EQ(PanelTexts()[4], "The graphics could be better\n\n");

    // With no target at all nothing is drawn to pull the scores down.
    Project().TargetQuality = 2;
    SetRandomValues({7, 7, 7, 0});
    WritePreview(Game);
    EXPECT_EQ(Report().Graphics, 7);
    EXPECT_EQ(Report().Sound, 7);
    EXPECT_EQ(Report().Gameplay, 47);
    EXPECT_EQ(Report().Written, 2);
}

TEST(PreviewTextTest, VerdictsByTheQualityAhead) {
    struct TCase {
        double Q;
        const char* Feed;
        const char* Panel;
    } const cases[] = {
        {50, " was reasonably fun to play.",
         " was reasonably. It lacks things and features that other games in the same genre has"},
        {50.5, " was reasonably fun to play.", " was reasonably fun to play."},
        {55, " was reasonably fun to play.", " was reasonably fun to play."},
        {56, " was fair. But nothing out of the ordinary", " was alright. But nothing out of the ordinary"},
        {60, " was fair. But nothing out of the ordinary", " was alright. But nothing out of the ordinary"},
        {70, " has some potential. It will proberly be a must for players that like the genre",
         " has some potential. It will proberly be a must for players that like the genre"},
        {90, " has Great potential", " has Great potential"},
        {105, " was VERY promising", " was VERY promising"},
        {105.1, " was innovative and VERY promising", " was innovative and VERY promising"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(FeedVerdict(c.Q), c.Feed) << c.Q;
        EXPECT_EQ(PanelVerdict(c.Q), c.Panel) << c.Q;
    }
}

TEST(PreviewTextTest, RemarksByTheManagersRatings) {
    struct TCase {
        int Rating;
        const char* Graphics;
        const char* Gameplay;
    } const cases[] = {
        {26, "The graphics could be better", "The interface was mediocre. The gameplay could be better"},
        {27, "The graphics was ok", "The interface looked okay"},
        {35, "The graphics was ok", "The interface looked okay"},
        {36, "The graphics was fine", "The interface was userfriendly and the gameplay was addictive."},
        {51, "The graphics was Cool", "The gameplay was very addictive"},
        {71, "The graphics was incredible", "The gameplay was very addictive"},
        {81, "The graphics was incredible", "The playable was very refreshing and addictive"},
        {91, "The graphics was extraordinarily incredible", "The playable was very refreshing and addictive"},
        {100, "The graphics was extraordinarily incredible",
         "The playable was very refreshing and addictive"},
        {101, "", ""},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(GraphicsRemark(c.Rating), c.Graphics) << c.Rating;
        EXPECT_EQ(GameplayRemark(c.Rating), c.Gameplay) << c.Rating;
    }
}

TEST(PreviewTextTest, TheReleaseLineByTheWeeksLeft) {
    const std::string soon =
        "Game is going to be released in the next 1 to 2 month. So the preview was done on a "
        "nearly finished product.";
    const std::string later =
        "Game is going to be released in the next 2 or 3 month. So the game might still change a bit.";
    const std::string far = "There is still a long way to go before release. Much can happen.";
    const std::pair<int, std::string> cases[] = {{0, soon}, {5, soon}, {6, later}, {10, later},
                                                 {11, ""},  {14, ""},  {15, far},  {30, far}};
    for (const auto& [weeks, line] : cases)
        EXPECT_EQ(ReleaseDateLine(weeks), line) << weeks;
}

} // namespace
