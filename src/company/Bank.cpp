#include "company/Bank.h"

#include "state/Game.h"

void WeeklyBankStep(TGame& game) {
    AddTo(game.Tunables.CreditLine, 100000);
    if (!game.State.Company.HasInvestor) game.Panels.Bank.FindInvestorEnabled = true;
}
