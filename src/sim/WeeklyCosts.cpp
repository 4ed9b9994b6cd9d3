#include "sim/WeeklyCosts.h"

#include "company/Staff.h"
#include "state/Game.h"

void BankruptcyTest(TGame& game) {
    if (game.State.Company.Money >= 0) return;
    game.Flags.GameOver = true;
    game.Ui.ShowMessage("You are financially bankrupt.\r\nGAME OVER", "Bankruptcy", TMessageKind::Error);
}

void EquipmentPriceRises(TGame& game) {
    auto& c = game.State.Company;
    AddTo(c.GfxEquipExtra, 35 + game.Random(15));
    AddTo(c.ComputerEquipExtra, 25 + game.Random(10));
    AddTo(c.ToolsEquipExtra, 25 + game.Random(10));
}

// Wages, rents, equipment and interest arrive with company management; until then the week
// only records its staff count and its closing money.
void BookWeeklyCosts(TGame& game) {
    auto& c = game.State.Company;
    game.State.Employees = CountEmployees(game);
    c.HistEmployees[c.Year][c.Week] = game.State.Employees;
    c.HistMoney[c.Year][c.Week] = c.Money;
}

void CashWarning(TGame& game) {
    if (game.State.Company.Money >= 100000) return;
    game.Ui.ShowMessage(
        "You have less the 100000$ left.\r\nBefore you run out of cash you should go to the Bank\r\n"
        "and borrow some money.",
        "Watchout...", TMessageKind::Warning);
}

void MoneyGuard(TGame& game, int32_t openingMoney) {
    auto& money = game.State.Company.Money;
    const int64_t change = static_cast<int64_t>(money) - openingMoney;
    // A swing this large in one week can only come from a runaway calculation.
    if (change > 20000000 || change < -20000000) money = openingMoney;
}
