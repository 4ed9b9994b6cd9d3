#include <gtest/gtest.h>

#include "GameFixture.h"
#include "game/ActionLog.h"
#include "game/Actions.h"

namespace {

TEST(ActionTextTest, EveryActionReadsBackAsItself) {
    const TPlayerAction actions[] = {
        TEndOfWeekAction{},
        TQuitGame{},
        TSaveAndEndTurn{},
        THireManager{.Kind = TManagerKind::LeadDesigner, .Row = 7},
        TSetAssistants{.Kind = TAssistantKind::Musicians, .Count = 12},
        TMoveOffice{.Building = 3},
        TSetExtraOffices{.Count = 10},
        TSetEquipment{.Which = TEquipment::Tools, .On = true},
        TSetFacility{.Which = TFacility::TestCenter, .Rented = false},
        TBorrow{.Amount = 250000},
        TRepay{.Amount = -2147483647 - 1},
        TFindInvestor{},
        TAcceptInvestor{},
        TDeclineInvestor{},
        TStartNewProject{},
        TStartProject{.GameName = "Quest \"for\" | a \\ C"},
        TChooseProjectGenre{.Genre = 6},
        TChooseProjectPlatform{.Platform = 18},
        TSetTechnology{.Level = 2},
        TSetProjectOption{.Option = TProjectOption::MultiPlay, .Ticked = true},
        TSetAdvertising{.Level = 10},
        TCancelProject{},
        TBeginRelease{},
        TChooseReleaseWeek{.Offset = 47, .Index = 5},
        TChooseCalendarGenre{.Index = 3},
        TChooseCalendarPlatform{.Index = 11},
        TFindPublisher{.Size = 2},
        TOfferDeal{.Share = 12, .Objective = 40, .Fee = "1.250.000"},
        TSignDeal{},
        TChooseStudyPlatform{.Activity = TStudyActivity::Porting, .Platform = 18},
        TSetStudyStaff{.Activity = TStudyActivity::AntiPiracy, .Count = 100},
        TRequestPreview{},
        TPortGame{.ReleasedIndex = -1, .Platform = 12},
        TOpenDevelopment{},
    };
    static_assert(std::size(actions) == std::variant_size_v<TPlayerAction>, "one case per action");
    for (const TPlayerAction& action : actions) {
        const std::string text = FormatAction(action);
        const auto back = ParseAction(text);
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(back->index(), action.index()) << text;
        EXPECT_EQ(FormatAction(*back), text);
    }
    EXPECT_EQ(FormatAction(THireManager{.Kind = TManagerKind::ProjectLeader, .Row = 2}), "HireManager 1 2");
    const auto named = ParseAction(FormatAction(TStartProject{.GameName = "A \"B\" | C \\ D"}));
    ASSERT_TRUE(named.has_value());
    EXPECT_EQ(std::get<TStartProject>(*named).GameName, "A \"B\" | C \\ D");
}

TEST(ActionTextTest, LinesThatAreNoActionAreRefused) {
    for (const char* line : {"", "Dance", "Borrow", "Borrow 1 2", "Borrow x", "Borrow 99999999999",
                             "SetEquipment 0 2", "HireManager 1"})
        EXPECT_FALSE(ParseAction(line).has_value()) << line;
}

TEST(ReplayFileTest, HeaderActionsAndAnswersReadBack) {
    TReplay replay{77, 3, "Zoë \\ \"Q\"", "Back\\slash | Bar\r\nLtd", {}};
    replay.Actions.push_back({1984, 2, "Borrow 50000", {}});
    replay.Actions.push_back({1984, 2, "SetFacility 0 1", {"Yes"}});
    replay.Actions.push_back({1985, 14, "EndOfWeek", {"No", "Cancel"}});
    const TReplay back = ParseReplay(FormatReplay(replay));
    EXPECT_EQ(back.Seed, 77u);
    EXPECT_EQ(back.Difficulty, 3);
    EXPECT_EQ(back.Player, replay.Player);
    EXPECT_EQ(back.Company, replay.Company);
    ASSERT_EQ(back.Actions.size(), 3u);
    EXPECT_EQ(back.Actions[1].Action, "SetFacility 0 1");
    EXPECT_EQ(back.Actions[1].Answers, std::vector<std::string>{"Yes"});
    EXPECT_EQ(back.Actions[2].Year, 1985);
    EXPECT_EQ(back.Actions[2].Week, 14);
    EXPECT_EQ(back.Actions[2].Answers, (std::vector<std::string>{"No", "Cancel"}));

    for (const char* damaged : {"", "quillon-replay 2\n", "quillon-replay 1\nseed x\n",
                                "quillon-replay 1\nseed 1\ndifficulty 2\nplayer a\ncompany b\n1984\n"})
        EXPECT_THROW(ParseReplay(damaged), EDataFile) << damaged;
}

class ApplyTest : public GameFixture {};

TEST_F(ApplyTest, TheLogKeepsEachActionWithItsWeekAndAnswers) {
    Company.Money = 5000000;
    Game.Log.clear();
    Player.Answers = {TAnswer::Yes};
    EXPECT_TRUE(Apply(Game, TSetFacility{.Which = TFacility::SoundStudio, .Rented = true}).Done);
    EXPECT_TRUE(Company.SoundStudio);
    Apply(Game, TEndOfWeekAction{});
    Apply(Game, TBorrow{.Amount = 50000});
    ASSERT_EQ(Game.Log.size(), 3u);
    EXPECT_EQ(Game.Log[0].Action, "SetFacility 0 1");
    EXPECT_EQ(Game.Log[0].Answers, std::vector<std::string>{"Yes"});
    EXPECT_EQ(Game.Log[0].Week, 2);
    EXPECT_EQ(Game.Log[1].Action, "EndOfWeek");
    EXPECT_EQ(Game.Log[2].Week, 3);

    // Played back, the logged answer is taken whatever the player answers now.
    Player.Answers = {TAnswer::No};
    Game.ReplayAnswers({"Yes"});
    EXPECT_TRUE(Apply(Game, TSetFacility{.Which = TFacility::TestCenter, .Rented = true}).Done);
    EXPECT_TRUE(Company.TestCenter);
}

TEST_F(ApplyTest, RefusalsReachThePlayerAndChangeNothing) {
    Company.Money = 100;
    const int32_t money = Company.Money;
    const TOutcome moved = Apply(Game, TMoveOffice{.Building = 2});
    EXPECT_FALSE(moved.Done);
    EXPECT_EQ(Player.Messages.back().Text, "Insufficient funds !");
    EXPECT_EQ(Player.Messages.back().Caption, "Not enough money");
    EXPECT_EQ(Company.OfficeIndex, 0);
    EXPECT_EQ(Company.Money, money);

    // An error inside an action is reported, and the action is over.
    Company.Money = 2147483647;
    Company.Loan = 0;
    const TOutcome overflow = Apply(Game, TBorrow{.Amount = 50000});
    EXPECT_FALSE(overflow.Done);
    EXPECT_EQ(Player.Messages.back().Caption, "Error");
    EXPECT_EQ(Company.Loan, 0);

    // A refusal shown on its panel goes to the panel's line, and the next action clears it.
    Company.TeamLimit = 0;
    Company.AssistProgrammers = 1;
    EXPECT_FALSE(Apply(Game, TSetAssistants{.Kind = TAssistantKind::Programmers, .Count = 2}).Done);
    EXPECT_EQ(Game.Views.InlineRefusal,
              "To have bigger development teams, you need to hire a better rated Project Leader");
    Apply(Game, TSetAssistants{.Kind = TAssistantKind::Programmers, .Count = 0});
    EXPECT_EQ(Game.Views.InlineRefusal, "");
}

TEST_F(ApplyTest, TwoGamesWithOneSeedAndOneLogAreTheSame) {
    TScriptedPlayer otherPlayer;
    TGame other(otherPlayer, 7u, BuildFolders());
    StartNewGame(other, {"Ada", "Pixel Forge", 2});
    for (TGame* game : {&Game, &other})
        for (int week = 0; week < 60; ++week) {
            if (week == 10) Apply(*game, TBorrow{.Amount = 250000});
            if (week == 20) Apply(*game, TFindInvestor{});
            Apply(*game, TEndOfWeekAction{});
        }
    EXPECT_EQ(std::memcmp(&Game.State.Company, &other.State.Company, sizeof(TCompany)), 0);
    EXPECT_EQ(Game.State.ReleasedGames.RealCount(), other.State.ReleasedGames.RealCount());
    EXPECT_EQ(Game.Feed.PlainText(), other.Feed.PlainText());
}

} // namespace
