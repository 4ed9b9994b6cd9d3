#include <gtest/gtest.h>

#include <cstring>

#include "GameFixture.h"
#include "company/Publisher.h"
#include "sim/Sales.h"

namespace {

class PublisherTest : public GameFixture {
protected:
    TPublisherDeal& Deal() { return Game.State.PublisherDeal; }
    TPublisherDeal& Offer() { return Game.State.PublisherOffer; }
    TPublisherSearch& Search() { return Game.State.Publishers; }

    // The publisher's asking terms as the player would type them back.
    TOfferDeal AskingTerms() {
        return TOfferDeal{.Share = Offer().SalesShare,
                          .Objective = Offer().TargetPos,
                          .Fee = std::to_string(Offer().SigningFee)};
    }
};

TEST_F(PublisherTest, TheStartingDeal) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        TScriptedPlayer player;
        TGame game(player, seed, BuildFolders());
        StartNewGame(game, {"P", "C", 2});
        const TPublisherDeal& d = game.State.PublisherDeal;
        // The first week has already counted down once.
        EXPECT_GE(d.WeeksLeft, 99);
        EXPECT_LE(d.WeeksLeft, 108);
        EXPECT_GE(d.SalesShare, 6);
        EXPECT_LE(d.SalesShare, 9);
        EXPECT_GE(d.TargetPos, 96);
        EXPECT_LE(d.TargetPos, 100);
        EXPECT_GE(d.SigningFee, 300000);
        EXPECT_LE(d.SigningFee, 399999);
        EXPECT_EQ(d.SizeClass, 0);
        for (int extra = 1; extra <= 10; ++extra)
            EXPECT_EQ(d.Extras[extra], extra == 4 || extra == 7) << extra;
        EXPECT_EQ(d.TargetWeeks, (d.WeeksLeft + 1) / 2 + 10 - 1);
        EXPECT_EQ(game.Side.Publisher, std::to_string(d.WeeksLeft) + " Week(s)");
        EXPECT_EQ(ExtrasQualityBonus(d), 6);
    }
}

TEST_F(PublisherTest, ANewPublisherOnlyInTheLastNineWeeks) {
    Deal().WeeksLeft = 10;
    for (int size = 0; size < 3; ++size) {
        EXPECT_FALSE(Apply(Game, TFindPublisher{.Size = size}).Done);
        EXPECT_EQ(Player.Messages.back().Caption, "New deal");
    }
    Deal().WeeksLeft = 9;
    EXPECT_TRUE(Apply(Game, TFindPublisher{.Size = 0}).Done);
    EXPECT_TRUE(Search().Negotiating);
    // One search of a size a week.
    EXPECT_FALSE(Apply(Game, TFindPublisher{.Size = 0}).Done);
    WeeklyPublisherStep(Game);
    EXPECT_FALSE(Search().Negotiating);
    EXPECT_TRUE(Apply(Game, TFindPublisher{.Size = 0}).Done);
}

TEST_F(PublisherTest, BiggerPublishersWantChartGamesAndBiggerOffices) {
    Deal().WeeksLeft = 0;
    Company.BestChartPos.Fill(NoChartPos);
    const int year = Company.Year;
    struct TCase {
        int Size;
        int ChartYearsBack;
        int Position;
        int Office;
        bool Found;
        const char* MessageStart;
    } cases[] = {
        {1, 2, 31, 3, false, "You have not Developed a game"},
        {1, 2, 30, 0, false, "Your need a greater work force"},
        {1, 2, 30, 1, true, ""},
        {2, 1, 11, 3, false, "In recent years you have failed"},
        {2, 2, 10, 3, false, "In recent years you have failed"},
        {2, 1, 10, 2, false, "Your need a larger office"},
        {2, 1, 10, 3, true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Size * 1000 + c.Position);
        Company.BestChartPos.Fill(NoChartPos);
        Company.BestChartPos[year - c.ChartYearsBack] = static_cast<uint8_t>(c.Position);
        Company.OfficeIndex = c.Office;
        Search().FindEnabled = {true, true, true};
        const TOutcome found = Apply(Game, TFindPublisher{.Size = c.Size});
        EXPECT_EQ(found.Done, c.Found);
        if (!c.Found) {
            EXPECT_EQ(Player.Messages.back().Text.rfind(c.MessageStart, 0), 0u)
                << Player.Messages.back().Text;
            EXPECT_EQ(Player.Messages.back().Caption, "No publisher interrested");
        } else {
            EXPECT_EQ(Offer().SizeClass, c.Size);
        }
    }
}

TEST_F(PublisherTest, TheAskingTermsAreAcceptedAndTooSmallAFeeIsNot) {
    Deal().WeeksLeft = 0;
    for (int run = 0; run < 30; ++run) {
        Search().FindEnabled = {true, true, true};
        ASSERT_TRUE(Apply(Game, TFindPublisher{.Size = 0}).Done);
        const TOfferDeal asking = AskingTerms();
        const int32_t minimum = Offer().MinimumFee;
        EXPECT_EQ(minimum, Offer().SigningFee - 300000);
        TOfferDeal tooSmall = asking;
        tooSmall.Fee = std::to_string(minimum);
        Apply(Game, tooSmall);
        EXPECT_EQ(Player.Messages.back().Text, "Signing Fee to small");
        EXPECT_FALSE(Search().SignEnabled);
        Apply(Game, asking);
        EXPECT_EQ(Player.Messages.back().Text, "Deal possible. The publisher is interrested");
        EXPECT_TRUE(Search().SignEnabled);
    }
}

TEST_F(PublisherTest, PatienceAllowsOneBidLessThanItStartsWith) {
    Deal().WeeksLeft = 0;
    Company.BestChartPos[Company.Year] = 5;
    Company.OfficeIndex = 3;
    SetRandomValues({0}); // patience 3 + 0
    ASSERT_TRUE(Apply(Game, TFindPublisher{.Size = 2}).Done);
    ASSERT_EQ(Offer().Patience, 3);
    const TOfferDeal asking = AskingTerms();
    TOfferDeal greedy = asking;
    greedy.Share = 1;
    Apply(Game, greedy);
    EXPECT_EQ(Search().Status, " Publisher getting irritated");
    EXPECT_EQ(Search().StatusColor, TPatienceColor::Red);
    Apply(Game, greedy);
    const size_t evaluated = Player.Messages.size();
    Apply(Game, asking); // the third bid ends the talks unheard
    EXPECT_EQ(Player.Messages.back().Text, "Your company and the publishers could not reach an agreement. "
                                           "Try Finding a new publisher next week");
    EXPECT_EQ(Player.Messages.size(), evaluated + 1);
    EXPECT_FALSE(Search().Negotiating);
    EXPECT_EQ(Search().FindEnabled, (std::array<bool, 3>{false, false, false}));
}

TEST_F(PublisherTest, AFeeThatIsNoNumberIsRefusedBeforePatienceDrops) {
    Deal().WeeksLeft = 0;
    ASSERT_TRUE(Apply(Game, TFindPublisher{.Size = 0}).Done);
    const TPublisherDeal before = Offer();
    for (const char* fee : {"", "abc", "-500000", "99999999999", "1.2.x"}) {
        EXPECT_FALSE(Apply(Game, TOfferDeal{.Share = 5, .Objective = 80, .Fee = fee}).Done) << fee;
        EXPECT_EQ(Player.Messages.back().Caption, "Signing Fee");
        EXPECT_EQ(Offer().Patience, before.Patience);
        EXPECT_EQ(Offer().SigningFee, before.SigningFee);
    }
    // Full stops only group the digits.
    TOfferDeal grouped{.Share = 5, .Objective = 80, .Fee = ""};
    grouped.Fee = "1.000.000";
    Apply(Game, grouped);
    EXPECT_EQ(Offer().SigningFee, 1000000);
    EXPECT_EQ(Offer().Patience, before.Patience - 1);
}

// A refused "Find" changes none of the deal under negotiation: its extras stay.
TEST_F(PublisherTest, ARefusedFindLeavesTheOfferAsItWas) {
    Deal().WeeksLeft = 0;
    ASSERT_TRUE(Apply(Game, TFindPublisher{.Size = 0}).Done);
    Offer().Extras[1] = Offer().Extras[5] = Offer().Extras[8] = true;
    const TPublisherDeal before = Offer();
    Company.BestChartPos.Fill(NoChartPos); // no chart game: medium and large refuse
    for (int size : {1, 2}) {
        EXPECT_FALSE(Apply(Game, TFindPublisher{.Size = size}).Done);
        EXPECT_EQ(Player.Messages.back().Caption, "No publisher interrested");
        EXPECT_EQ(std::memcmp(&Offer(), &before, sizeof before), 0) << size;
        EXPECT_TRUE(Search().Negotiating);
    }
    Deal().WeeksLeft = 20; // "You already have a signed deal"
    Search().FindEnabled = {true, true, true};
    EXPECT_FALSE(Apply(Game, TFindPublisher{.Size = 0}).Done);
    EXPECT_EQ(std::memcmp(&Offer(), &before, sizeof before), 0);
}

// A fee the money cannot take is refused with the overflow message, before the deal is
// written: the old deal and the money stay as they were.
TEST_F(PublisherTest, AFeeThatOverflowsTheMoneyLeavesTheDealUnsigned) {
    Deal().WeeksLeft = 0;
    ASSERT_TRUE(Apply(Game, TFindPublisher{.Size = 0}).Done);
    // The publisher agrees to anything: a threshold no score can miss.
    Offer().Threshold = 2000000000;
    Apply(Game, TOfferDeal{.Share = 5, .Objective = 100, .Fee = "2147483647"});
    ASSERT_TRUE(Search().SignEnabled);
    Company.Money = -1000;
    const TPublisherDeal before = Deal();
    const TOutcome signed_ = Apply(Game, TSignDeal{});
    EXPECT_FALSE(signed_.Done);
    EXPECT_EQ(Player.Messages.back().Caption, "Error");
    EXPECT_EQ(Company.Money, -1000);
    EXPECT_EQ(std::memcmp(&Deal(), &before, sizeof before), 0);
    EXPECT_EQ(Deal().WeeksLeft, 0);
    EXPECT_EQ(Search().DealsSigned, 0);
}

// The fields show the publisher's asking terms when the offer is made, and afterwards what the
// player proposed, also when the bid was refused.
TEST_F(PublisherTest, TheFieldsKeepTheTermsThePlayerTyped) {
    Deal().WeeksLeft = 0;
    ASSERT_TRUE(Apply(Game, TFindPublisher{.Size = 0}).Done);
    EXPECT_EQ(Search().Terms.Share, Offer().SalesShare);
    EXPECT_EQ(Search().Terms.Objective, Offer().TargetPos);
    EXPECT_EQ(Search().Terms.Fee, std::to_string(Offer().SigningFee));
    EXPECT_FALSE(Apply(Game, TOfferDeal{.Share = 3, .Objective = 90, .Fee = ""}).Done);
    EXPECT_EQ(Search().Terms.Share, 3);
    EXPECT_EQ(Search().Terms.Objective, 90);
    EXPECT_EQ(Search().Terms.Fee, "");
    Apply(Game, TOfferDeal{.Share = 4, .Objective = 95, .Fee = "1.250.000"});
    EXPECT_EQ(Search().Terms.Share, 4);
    EXPECT_EQ(Search().Terms.Objective, 95);
    EXPECT_EQ(Search().Terms.Fee, "1250000") << "the full stops only grouped the digits";
}

TEST_F(PublisherTest, SigningPaysTheFeeAndStartsTheObjectiveAfresh) {
    Deal().WeeksLeft = 0;
    Company.BestChartPos[Company.Year] = 1; // before the deal: does not count
    Game.Flags.ObjectiveReached = true;
    ASSERT_TRUE(Apply(Game, TFindPublisher{.Size = 0}).Done);
    Apply(Game, AskingTerms());
    ASSERT_TRUE(Search().SignEnabled);
    Company.Money = 100000;
    const int32_t fee = Offer().SigningFee;
    const int32_t weeks = Offer().WeeksLeft;
    ASSERT_TRUE(Apply(Game, TSignDeal{}).Done);
    EXPECT_EQ(Company.Money, 100000 - fee);
    EXPECT_EQ(Deal().TargetWeeks, weeks / 2 + 10);
    EXPECT_EQ(Company.BestChartPos[Company.Year], NoChartPos);
    EXPECT_FALSE(Game.Flags.ObjectiveReached);
    EXPECT_EQ(Search().DealsSigned, 1);
    EXPECT_EQ(Player.Messages.back().Text,
              "Your companys funds are negative. Goto to the bank and borrow some money");
    EXPECT_EQ(Player.Messages.back().Caption, "Funds");
    EXPECT_FALSE(Apply(Game, TSignDeal{}).Done); // a deal is signed once
}

TEST_F(PublisherTest, TheWeeksCountDownAndAMissedObjectiveCostsTheFeeOnce) {
    Deal().WeeksLeft = 8;
    Deal().TargetWeeks = 7;
    Deal().SigningFee = 400000;
    Game.Flags.ObjectiveReached = false;
    Company.Money = 5000000;
    WeeklyPublisherStep(Game);
    EXPECT_EQ(Deal().WeeksLeft, 7);
    EXPECT_TRUE(Player.SawMessage("You only have 5 weeks until You have to pay your publishers signing fee "
                                  "again\r\nBecause you have not reached the Objective yet"));
    for (int week = 0; week < 5; ++week)
        WeeklyPublisherStep(Game);
    EXPECT_EQ(Deal().TargetWeeks, 0);
    EXPECT_EQ(Company.Money, 5000000 - 400000);
    EXPECT_TRUE(
        Player.SawMessage("Get a new publisher deal soon. You have less then 5 weeks\r\nBefore you current "
                          "deal ends"));
    WeeklyPublisherStep(Game);
    WeeklyPublisherStep(Game);
    EXPECT_EQ(Company.Money, 5000000 - 400000);
    EXPECT_EQ(Deal().WeeksLeft, 0);
    EXPECT_TRUE(Game.State.Development.ReleaseShown);
    WeeklyPublisherStep(Game);
    EXPECT_FALSE(Game.State.Development.ReleaseShown);
    EXPECT_EQ(Player.Messages.back().Text,
              "You have no publisher and can therefor not release new games.\r\nGet a new publisher Deal");

    // A reached objective never costs the fee, however long the deal runs on.
    Deal().WeeksLeft = 30;
    Deal().TargetWeeks = 3;
    Game.Flags.ObjectiveReached = true;
    for (int week = 0; week < 5; ++week)
        WeeklyPublisherStep(Game);
    EXPECT_EQ(Company.Money, 5000000 - 400000);
    EXPECT_EQ(Deal().TargetWeeks, 1);
}

TEST_F(PublisherTest, TheChartSetsTheObjectiveAndThePublisherTakesItsShare) {
    Deal().TargetPos = 3;
    Deal().WeeksLeft = 20;
    Deal().SalesShare = 10;
    Company.BestChartPos[Company.Year] = 5;
    Game.Flags.ObjectiveReached = false;
    TGameEntry own = BlankRecord<TGameEntry>();
    own.ByPlayer = true;
    own.LastChartPos = 3;
    Game.State.ReleasedGames.Clear();
    Game.State.ReleasedGames.Append(own);
    RecordChartPositions(Game);
    EXPECT_EQ(Company.BestChartPos[Company.Year], 3);
    EXPECT_TRUE(Game.Flags.ObjectiveReached);

    EXPECT_EQ(SalesShareOf(Game, 12345), 12345u - 123u * 10u);
    Deal().WeeksLeft = 0;
    EXPECT_EQ(SalesShareOf(Game, 12345), 12345u);
}

} // namespace
