#include "players/Bot.h"

#include "company/Bank.h"
#include "game/Actions.h"
#include "game/Game.h"

void BotTakesTurn(TGame& game) {
    const auto& c = game.State.Company;
    if (c.AssistProgrammers < 1) Apply(game, TSetAssistants{.Kind = TAssistantKind::Programmers, .Count = 1});
    if (c.Money < 300000) {
        if (CanBorrow(game, 250000))
            Apply(game, TBorrow{.Amount = 250000});
        else if (CanBorrow(game, 50000))
            Apply(game, TBorrow{.Amount = 50000});
    }
    if (!c.HasInvestor && c.Money < 1000000 && game.State.Investor.FindEnabled) {
        Apply(game, TFindInvestor{});
        if (game.State.Investor.OfferOpen) Apply(game, TAcceptInvestor{});
    }
    if (c.Money > 2500000 && CanRepay(game, 250000)) Apply(game, TRepay{.Amount = 250000});
}
