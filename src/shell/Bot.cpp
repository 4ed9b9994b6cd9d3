#include "shell/Bot.h"

#include "company/Bank.h"
#include "company/Staff.h"
#include "state/Game.h"

namespace {
void KeepAssistants(TGame& game, TAssistantKind kind, int32_t current, int wanted) {
    for (int n = current; n < wanted; ++n)
        if (!StepAssistants(game, kind, +1)) break;
}
} // namespace

void BotTakesTurn(TGame& game) {
    auto& c = game.State.Company;
    KeepAssistants(game, TAssistantKind::Programmers, c.AssistProgrammers, 1);
    if (c.Money < 300000 && !Borrow(game, 250000)) Borrow(game, 50000);
    if (!c.HasInvestor && c.Money < 1000000 && game.Panels.Bank.FindInvestorEnabled) {
        FindInvestor(game);
        if (game.Panels.Bank.InvestorAreaEnabled) AcceptInvestor(game);
    }
    if (c.Money > 2500000) Repay(game, 250000);
}
