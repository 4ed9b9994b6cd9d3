#include "sim/WeeklyCosts.h"

#include "company/Bank.h"
#include "company/Office.h"
#include "company/Space.h"
#include "state/GameCore.h"

void BankruptcyTest(TGameCore& game) {
    if (game.State.Company.Money >= 0) return;
    game.Flags.GameOver = true;
    game.Ui.ShowMessage("You are financially bankrupt.\r\nGAME OVER", "Bankruptcy", TMessageKind::Error);
}

void EquipmentPriceRises(TGameCore& game) {
    auto& c = game.State.Company;
    AddTo(c.GfxEquipExtra, 35 + game.Random(15));
    AddTo(c.ComputerEquipExtra, 25 + game.Random(10));
    AddTo(c.ToolsEquipExtra, 25 + game.Random(10));
}

int32_t WeeklyRunningCosts(const TGameCore& game) {
    const auto& c = game.State.Company;
    int64_t monthly = MonthlyPrice(c);
    const int64_t paid = static_cast<int64_t>(c.AssistProgrammers) + c.AssistMusicians + c.AssistArtists +
                         c.StudyStaff + c.ToolStaff + c.AntiPiracyStaff + c.PortingStaff;
    monthly += (2000 + static_cast<int64_t>(c.WageRaise)) * paid;
    const auto& grids = game.State.Candidates;
    const std::pair<TManagerKind, int32_t> hired[] = {{TManagerKind::LeadProgrammer, c.LeadProgrammer},
                                                      {TManagerKind::ProjectLeader, c.ProjectLeader},
                                                      {TManagerKind::LeadDesigner, c.LeadDesigner}};
    for (const auto& [kind, row] : hired)
        if (const TManagerCandidate* manager = grids.AtRow(kind, row)) monthly += manager->Wage;
    const int32_t weekly = RoundToI32(static_cast<double>(monthly) / 4.34);
    return weekly < 0 ? 0 : weekly;
}

void BookWeeklyCosts(TGameCore& game) {
    auto& c = game.State.Company;
    game.State.Employees = CountEmployees(game);
    const int32_t costs = WeeklyRunningCosts(game);
    const int32_t interest = WeeklyInterest(game);
    c.Money = CheckedSub(c.Money, costs);
    c.Money = CheckedSub(c.Money, interest);
    c.HistEmployees[c.Year][c.Week] = CountEmployees(game);
    c.HistMoney[c.Year][c.Week] = c.Money;
    int32_t booked = CheckedAdd(costs, interest);
    const int advertising = game.State.Development.Advertising;
    if (advertising > 0) booked = CheckedAdd(booked, CheckedMul(3000, advertising));
    c.HistCosts[c.Year][c.Week] = booked;
    c.HistInterest[c.Year][c.Week] = interest;
    game.Ui.StatusChanged();
}

void CashWarning(TGameCore& game) {
    if (game.State.Company.Money >= 100000) return;
    game.Ui.ShowMessage(
        "You have less the 100000$ left.\r\nBefore you run out of cash you should go to the Bank\r\n"
        "and borrow some money.",
        "Watchout...", TMessageKind::Warning);
}

void MoneyGuard(TGameCore& game, int32_t openingMoney) {
    auto& money = game.State.Company.Money;
    const int64_t change = static_cast<int64_t>(money) - openingMoney;
    // A swing this large in one week can only come from a runaway calculation.
    if (change > 20000000 || change < -20000000) money = openingMoney;
}
