#include <gtest/gtest.h>

#include "GameFixture.h"
#include "company/Bank.h"
#include "company/Managers.h"
#include "company/Office.h"
#include "company/Space.h"
#include "company/Staff.h"
#include "game/EndOfWeek.h"
#include "players/Bot.h"
#include "sim/WeeklyCosts.h"

namespace {

class CompanyTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        auto& lists = Game.State.Candidates.Lists;
        lists[0] = {{"Ann Starter", 40, 1, 3000},
                    {"Bo Ace", 100, 14, 20000},
                    {"Cy Mid", 50, 8, 9000},
                    {"Di Low", 29, 5, 4000}};
        lists[1] = {{"Ed Lead", 25, 1, 2500}, {"Flo Best", 100, 12, 15000}};
        lists[2] = {{"Gus Art", 26, 1, 2000}};
    }
};

struct HireCase {
    int Row;
    int Money, Loan;
    int FeeFactor;
    bool Enabled;
    const char* Comment;
};

TEST_F(CompanyTest, HireDialogWeighsTheStudiosWealth) {
    const HireCase cases[] = {
        {2, 1500000, 1000000, 15, false,
         "Your Company seems Both frail and poor. So I must decline your offer"},
        {2, 4000000, 1000000, 21, false,
         "Your Company seems Both frail and poor. So I must decline your offer"},
        {3, 4400000, 1000000, 16, true,
         "Your Company seems A little frail. In light of this i will demand a higher Signing fee"},
        {3, 3900000, 1000000, 18, true,
         "Your Company seems frail. But for a higher Signing fee i will work for you"},
        {3, 2900000, 1000000, 21, true,
         "Your Company seems Very frail. In light of this i will demand a higher Signing fee"},
        {2, 8100000, 1000000, 15, true, "I would be happy to be a path of your company"},
        {4, 600000, 0, 15, true, "I would be happy to be a path of your company"}, // below 30 never judges
    };
    for (const auto& c : cases) {
        Company.Money = c.Money;
        Company.Loan = c.Loan;
        const THireOffer offer = MakeHireOffer(Game, TManagerKind::LeadProgrammer, c.Row);
        const int wage = Game.State.Candidates.Lists[0][c.Row - 1].Wage;
        EXPECT_EQ(offer.FeeFactor, c.FeeFactor) << c.Money;
        EXPECT_EQ(offer.Fee, wage * c.FeeFactor);
        EXPECT_EQ(offer.HireEnabled, c.Enabled) << c.Money;
        EXPECT_EQ(offer.Comment, c.Comment) << c.Money;
    }
}

TEST_F(CompanyTest, HiringChargesTheFeeAndSetsTheTeamLimit) {
    Company.Money = 9000000;
    Company.Loan = 0;
    Player.Answers = {TAnswer::No};
    EXPECT_FALSE(Hire(Game, TManagerKind::ProjectLeader, 2));
    EXPECT_EQ(Company.ProjectLeader, 1);
    EXPECT_EQ(Company.Money, 9000000);

    Player.Answers = {TAnswer::Yes};
    EXPECT_TRUE(Hire(Game, TManagerKind::ProjectLeader, 2));
    EXPECT_EQ(Company.ProjectLeader, 2);
    EXPECT_EQ(Company.ProjectLeaderShare, 12);
    EXPECT_EQ(Company.Money, 9000000 - 15 * 15000);
    EXPECT_EQ(Company.TeamLimit, 14);
    EXPECT_EQ(ManagerStatusLine(Game, TManagerKind::ProjectLeader), "Flo Best (15000$)");
    EXPECT_EQ(TeamLimitFor(25), 4);
    EXPECT_EQ(TeamLimitFor(60), 9);

    // The hired row opens nothing; a locked grid ignores clicks except the project leaders'.
    const size_t offers = Player.HireOffers.size();
    EXPECT_FALSE(Hire(Game, TManagerKind::ProjectLeader, 2));
    Game.Flags.ManagerGridsLocked = true;
    EXPECT_FALSE(Hire(Game, TManagerKind::LeadProgrammer, 2));
    EXPECT_EQ(Player.HireOffers.size(), offers);
}

TEST_F(CompanyTest, AssistantsStopAtTheTeamLimitAndTheOfficeSpace) {
    Company.TeamLimit = 4;
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(StepAssistants(Game, TAssistantKind::Programmers, +1));
    EXPECT_EQ(Company.AssistProgrammers, 5);
    EXPECT_FALSE(StepAssistants(Game, TAssistantKind::Programmers, +1));
    EXPECT_EQ(Game.Views.InlineRefusal,
              "To have bigger development teams, you need to hire a better rated Project Leader");
    EXPECT_TRUE(StepAssistants(Game, TAssistantKind::Programmers, -1));
    EXPECT_EQ(Game.Views.InlineRefusal, "");

    // Fill the office: 15 places, 3 managers.
    Company.TeamLimit = 100;
    while (FreeSpace(Game) > 0)
        ASSERT_TRUE(StepAssistants(Game, TAssistantKind::Artists, +1));
    EXPECT_EQ(Game.State.Employees, 15);
    EXPECT_FALSE(StepAssistants(Game, TAssistantKind::Musicians, +1));
    EXPECT_TRUE(StepAssistants(Game, TAssistantKind::Artists, -1));
}

TEST_F(CompanyTest, MovingHeadquarters) {
    Game.State.Employees = 3;
    Company.Money = 2750000;
    ChooseBuilding(Game, 1);
    EXPECT_EQ(Player.Messages.back().Text, "Insufficient funds !");
    EXPECT_EQ(Player.Messages.back().Caption, "Not enough money");
    EXPECT_EQ(Company.OfficeIndex, 0);

    Company.Money = 2750001;
    ChooseBuilding(Game, 1);
    EXPECT_EQ(Player.Messages.back().Text,
              "You have moved to a new Headquarter. Your old Headquarter was also sold");
    EXPECT_EQ(Company.OfficeIndex, 1);
    EXPECT_EQ(Company.Money, 1);

    Company.AssistArtists = 17;
    Company.Money = 5000000;
    Game.State.Employees = CountEmployees(Game);
    ChooseBuilding(Game, 0);
    EXPECT_EQ(Player.Messages.back().Text, "You have to fire some of you employees to move to this building");
    EXPECT_EQ(Player.Messages.back().Caption, "Not enough Space");
    EXPECT_EQ(Company.OfficeIndex, 1);
}

TEST_F(CompanyTest, AdditionalOfficesAndRentedRooms) {
    Company.Money = 5000000;
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(StepExtraOffices(Game, +1));
    EXPECT_FALSE(StepExtraOffices(Game, +1));
    EXPECT_EQ(Company.ExtraOffices, 10);
    EXPECT_EQ(Company.Money, 3000000);
    EXPECT_EQ(OfficeSpace(Game), 35);
    EXPECT_TRUE(StepExtraOffices(Game, -1));
    EXPECT_EQ(Company.Money, 3150000);
    Company.Money = 199999;
    EXPECT_FALSE(StepExtraOffices(Game, +1));

    Player.Answers = {TAnswer::Yes};
    SetFacility(Game, TFacility::TestCenter, true);
    EXPECT_TRUE(Company.TestCenter);
    EXPECT_EQ(Player.Questions.back().Caption, "Rent");
    Company.Money = 100000;
    Player.Answers = {TAnswer::Yes};
    SetFacility(Game, TFacility::TestCenter, false);
    EXPECT_FALSE(Company.TestCenter);
    EXPECT_EQ(Company.Money, -50000);
    Player.Answers = {TAnswer::No};
    SetFacility(Game, TFacility::SoundStudio, true);
    EXPECT_FALSE(Company.SoundStudio);
}

TEST_F(CompanyTest, BorrowingRepayingAndInterest) {
    EXPECT_EQ(WeeklyInterest(Game), 3269); // a new game's 17 %
    EXPECT_TRUE(Borrow(Game, 50000));
    EXPECT_EQ(Company.LoanRate, 12);
    EXPECT_TRUE(Repay(Game, 50000));
    EXPECT_EQ(Company.LoanRate, 12);
    EXPECT_EQ(WeeklyInterest(Game), 2307);

    const std::pair<int, int> rates[] = {{0, 8},        {100000, 8},   {150000, 8},
                                         {200000, 8},   {250000, 9},   {1000000, 12},
                                         {1050000, 12}, {2000000, 16}, {2950000, 16}};
    for (const auto& [loan, rate] : rates)
        EXPECT_EQ(LoanRateFor(loan), rate) << loan;

    Company.Loan = 2950000;
    Game.Tunables.CreditLine = 3000000;
    EXPECT_FALSE(Borrow(Game, 250000));
    EXPECT_TRUE(Borrow(Game, 50000));
    EXPECT_EQ(CreditLeft(Game), 0);

    Company.Money = 50000;
    Company.Loan = 50000;
    EXPECT_FALSE(Repay(Game, 50000));
    Company.Money = 50001;
    EXPECT_TRUE(Repay(Game, 50000));
    EXPECT_EQ(Company.Loan, 0);
    EXPECT_EQ(WeeklyInterest(Game), 0);
}

TEST_F(CompanyTest, InvestorOffers) {
    Company.Money = 3000000;
    Company.Loan = 1000000;
    int lowest = INT32_MAX, highest = 0, refusals = 0;
    for (int run = 0; run < 300; ++run) {
        Player.Messages.clear();
        Game.State.Investor.FindEnabled = true;
        FindInvestor(Game);
        EXPECT_FALSE(Game.State.Investor.FindEnabled);
        if (!Player.Messages.empty()) {
            EXPECT_EQ(Player.Messages.back().Text, "No investor was interrested. Try again later.");
            ++refusals;
            continue;
        }
        lowest = std::min(lowest, Game.State.Investor.OfferAmount);
        highest = std::max(highest, Game.State.Investor.OfferAmount);
        EXPECT_GE(Game.State.Investor.OfferShare, 10);
        EXPECT_LE(Game.State.Investor.OfferShare, 14);
    }
    EXPECT_GE(lowest, 1000000);
    EXPECT_LE(highest, 2999999);
    EXPECT_NEAR(refusals / 300.0, 0.3, 0.1);

    Company.Money = 900000;
    Game.State.Investor.FindEnabled = true;
    SetRandomValues({5, 99999, 4});
    FindInvestor(Game);
    EXPECT_EQ(Game.State.Investor.OfferAmount, 599999);
    AcceptInvestor(Game);
    EXPECT_TRUE(Company.HasInvestor);
    EXPECT_EQ(Company.InvestorShare, 14);
    EXPECT_EQ(Company.Money, 1499999);
    EXPECT_EQ(InvestorShareOf(Game, 100000), 86000u);
    Game.State.Investor.FindEnabled = true;
    FindInvestor(Game);
    EXPECT_EQ(Player.Messages.back().Text, "You already have an investor");
    WeeklyBankStep(Game);
    EXPECT_FALSE(Game.State.Investor.FindEnabled); // never again with an investor
}

TEST_F(CompanyTest, WeeklyCostExample) {
    auto& lists = Game.State.Candidates.Lists;
    lists[0][0].Wage = 3000;
    lists[1][0].Wage = 2500;
    lists[2][0].Wage = 2000;
    Company.AssistProgrammers = 4;
    Company.AssistArtists = 3;
    Company.StudyStaff = 2;
    Company.ToolStaff = 1;
    Company.WageRaise = 0;
    Company.SoundStudio = true;
    Company.GfxEquipment = true;
    Company.GfxEquipExtra = 0;
    EXPECT_EQ(WeeklyRunningCosts(Game), 16244);

    Company.Money = 1000000;
    Company.Loan = 1000000;
    Company.LoanRate = 17;
    Game.State.Development.Advertising = 2;
    BookWeeklyCosts(Game);
    EXPECT_EQ(Company.Money, 1000000 - 16244 - 3269);
    EXPECT_EQ(Company.HistMoney[Company.Year][Company.Week], Company.Money);
    EXPECT_EQ(Company.HistCosts[Company.Year][Company.Week], 16244 + 3269 + 6000);
    EXPECT_EQ(Company.HistInterest[Company.Year][Company.Week], 3269);
    EXPECT_EQ(Company.HistEmployees[Company.Year][Company.Week], 13);
    EXPECT_EQ(Game.State.Employees, 13);
}

} // namespace

namespace {

TEST(BotRunTest, HistoriesMatchTheBookingsWeekByWeek) {
    TScriptedPlayer player;
    TGame game(player, 11u, BuildFolders());
    StartNewGame(game, {"Bot", "Bot Works", 2});
    auto& c = game.State.Company;
    int weeks = 0;
    // The bank's part of the bookings must come into play: interest, and a loan that changes.
    bool interestBooked = false, loanChanged = false;
    const int32_t firstLoan = c.Loan;
    while (player.ScoreSheets.empty() && weeks < 11 * 52) {
        BotTakesTurn(game);
        loanChanged = loanChanged || c.Loan != firstLoan;
        EndOfWeek(game);
        if (!player.ScoreSheets.empty()) break;
        ++weeks;
        interestBooked = interestBooked || c.HistInterest[c.Year][c.Week] > 0;
        ASSERT_EQ(c.HistMoney[c.Year][c.Week], c.Money) << c.Year << " W" << c.Week;
        ASSERT_EQ(c.HistEmployees[c.Year][c.Week], game.State.Employees);
        ASSERT_EQ(c.HistCosts[c.Year][c.Week], WeeklyRunningCosts(game) + c.HistInterest[c.Year][c.Week] +
                                                   3000 * game.State.Development.Advertising);
    }
    EXPECT_GT(weeks, 52 * 5);
    EXPECT_TRUE(interestBooked);
    EXPECT_TRUE(loanChanged);
    // Three managers, the bot's assistants and its staff on study and tools.
    EXPECT_EQ(game.State.Employees, 3 + c.AssistProgrammers + c.AssistMusicians + c.AssistArtists +
                                        c.StudyStaff + c.ToolStaff + c.AntiPiracyStaff + c.PortingStaff);
}

} // namespace
