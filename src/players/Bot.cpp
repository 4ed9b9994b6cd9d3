#include "players/Bot.h"

#include <algorithm>

#include "players/BotStudy.h"

#include "company/Bank.h"
#include "company/Managers.h"
#include "game/Actions.h"
#include "game/Game.h"
#include "state/PlatformTables.h"

namespace {

void KeepAssistants(TGame& game, TAssistantKind kind, int wanted) {
    if (AssistantCount(game, kind) < wanted) Apply(game, TSetAssistants{.Kind = kind, .Count = wanted});
}

void ManageMoney(TGame& game) {
    const auto& c = game.State.Company;
    while (c.Money < 300000 && (CanBorrow(game, 250000) || CanBorrow(game, 50000))) {
        if (CanBorrow(game, 250000))
            Apply(game, TBorrow{.Amount = 250000});
        else
            Apply(game, TBorrow{.Amount = 50000});
    }
    if (!c.HasInvestor && c.Money < 1000000 && game.State.Investor.FindEnabled) {
        Apply(game, TFindInvestor{});
        if (game.State.Investor.OfferOpen) Apply(game, TAcceptInvestor{});
    }
    while (c.Money > 1500000 && CanRepay(game, 250000))
        Apply(game, TRepay{.Amount = 250000});
}

// The platform of the project list with the most machines in use.
int BestPlatform(const TGame& game) {
    int best = -1;
    for (const std::string& item : game.State.Lists.ProjectPlatforms.Items) {
        const int platform = PlatformOfChoice(item);
        if (best < 0 || game.State.Platforms.UnitsInUse[platform] > game.State.Platforms.UnitsInUse[best])
            best = platform;
    }
    return best;
}

int WantedGenre(const TGame& game) {
    // What the public wants, and what the studio knows how to make.
    const auto& c = game.State.Company;
    const auto score = [&](int g) { return c.GenrePopularity[g] + c.GenreKnowledge[g] / 2; };
    int best = 0;
    for (int g = 1; g < GenreCount; ++g)
        if (score(g) > score(best)) best = g;
    return best;
}

std::string GameName(const TGame& game, int platform) {
    static const char* const First[] = {"Copper", "Silent", "Marble", "Velvet",
                                        "Iron",   "Amber",  "Hollow", "Paper"};
    static const char* const Second[] = {"Harbour", "Lantern", "Orchard", "Comet",
                                         "Meadow",  "Citadel", "Ferry"};
    for (int n = 0;; ++n) {
        std::string name = std::string(First[n % 8]) + " " + Second[(n / 8) % 7];
        if (n >= 56) name += " " + std::to_string(n / 56 + 1);
        const bool taken = std::any_of(game.State.ReleasedGames.begin(), game.State.ReleasedGames.end(),
                                       [&](const TGameEntry& e) {
                                           return e.Title.Str() == name && e.Platform == platform;
                                       }) ||
                           std::any_of(game.State.UpcomingGames.begin(), game.State.UpcomingGames.end(),
                                       [&](const TGameEntry& e) { return e.Title.Str() == name; });
        if (!taken) return name;
    }
}

// Better equipment makes better games; it is bought once the cash allows.
void Equip(TGame& game) {
    const auto& c = game.State.Company;
    if (c.Money < 400000) return;
    if (!c.GfxEquipment)
        Apply(game, TSetEquipment{.Which = TEquipment::Graphics, .On = true});
    else if (!c.ComputerEquipment)
        Apply(game, TSetEquipment{.Which = TEquipment::Computers, .On = true});
    else if (!c.ToolsEquipment)
        Apply(game, TSetEquipment{.Which = TEquipment::Tools, .On = true});
}

// Every quarter, a clearly better lead programmer or lead designer when the studio can afford
// his fee; he must be willing to come.
void HireBetterManagers(TGame& game) {
    const auto& c = game.State.Company;
    if (c.Week % 13 != 0) return;
    for (TManagerKind kind : {TManagerKind::LeadProgrammer, TManagerKind::LeadDesigner}) {
        const int64_t wealth = static_cast<int64_t>(c.Money) - c.Loan;
        const int32_t hired = kind == TManagerKind::LeadProgrammer ? c.LeadProgrammer : c.LeadDesigner;
        const TManagerCandidate* current = game.State.Candidates.AtRow(kind, hired);
        int bestRow = -1, bestRating = (current ? current->Rating : 0) + 10;
        const auto& list = game.State.Candidates.Of(kind);
        for (int row = 1; row <= static_cast<int>(list.size()); ++row) {
            const THireOffer offer = MakeHireOffer(game, kind, row);
            if (offer.HireEnabled && offer.Rating > bestRating && offer.Fee * 6LL <= wealth) {
                bestRow = row;
                bestRating = offer.Rating;
            }
        }
        if (bestRow > 0) {
            // The bot says yes in the "Hire" dialog before it opens.
            game.ReplayAnswers({"Hire"});
            Apply(game, THireManager{.Kind = kind, .Row = bestRow});
        }
    }
}

// The biggest publisher that would talk to the studio.
int PublisherSize(const TGame& game) {
    const auto& c = game.State.Company;
    const auto best = [&](int yearsBack) {
        const int year = c.Year - yearsBack;
        return year >= 1980 ? int{c.BestChartPos[year]} : NoChartPos;
    };
    if (c.OfficeIndex > 2 && std::min(best(0), best(1)) <= 10) return 2;
    if (c.OfficeIndex > 0 && std::min({best(0), best(1), best(2)}) <= 30) return 1;
    return 0;
}

// A new deal once the old one runs low: the publisher's terms, with the easiest objective and a
// smaller fee paid for with a bigger share, so that he always agrees.
void RenewDeal(TGame& game) {
    if (game.State.PublisherDeal.WeeksLeft > 9 || game.State.Publishers.Negotiating) return;
    if (!Apply(game, TFindPublisher{.Size = PublisherSize(game)}) && !Apply(game, TFindPublisher{.Size = 0}))
        return;
    const TPublisherDeal& offer = game.State.PublisherOffer;
    const int32_t fee = std::max(offer.SigningFee - 250000, 300000 * (offer.SizeClass + 1) + 1);
    const int64_t easier =
        5LL * (100 - offer.TargetPos) + (offer.SigningFee - fee) / std::max(offer.WeeksLeft, 1) / 25;
    const int share = std::min<int64_t>(offer.SalesShare + easier / 100 + 2, 33);
    Apply(game, TOfferDeal{.Share = share, .Objective = 100, .Fee = std::to_string(fee)});
    if (!game.State.Publishers.SignEnabled)
        Apply(game, TOfferDeal{.Share = offer.SalesShare,
                               .Objective = offer.TargetPos,
                               .Fee = std::to_string(offer.SigningFee)});
    // The fee is paid at once: only a deal the studio can pay for, with the bank's help.
    const int64_t means = static_cast<int64_t>(game.State.Company.Money) + CreditLeft(game);
    if (game.State.Publishers.SignEnabled && means - game.State.PublisherOffer.SigningFee > 300000)
        Apply(game, TSignDeal{});
}

void StartAProject(TGame& game) {
    if (!Apply(game, TStartNewProject{})) return;
    const int platform = BestPlatform(game);
    if (platform >= 0) Apply(game, TChooseProjectPlatform{.Platform = platform});
    Apply(game, TChooseProjectGenre{.Genre = WantedGenre(game)});
    const auto& c = game.State.Company;
    Apply(game, TSetTechnology{.Level = static_cast<int64_t>(c.Money) - c.Loan > 300000 ? 2 : 1});
    Apply(game, TSetProjectOption{.Option = TProjectOption::Beta, .Ticked = true});
    Apply(game, TSetProjectOption{.Option = TProjectOption::Extras, .Ticked = true});
    if (c.Money > 600000) Apply(game, TSetAdvertising{.Level = 6});
    Apply(game, TStartProject{.GameName = GameName(game, game.State.Development.Platform)});
}

} // namespace

void BotTakesTurn(TGame& game, bool startProjects) {
    ManageMoney(game);
    RenewDeal(game);
    ManageMoney(game);
    Equip(game);
    HireBetterManagers(game);
    const TDevelopment& d = game.State.Development;
    if (d.ReleaseMode) Apply(game, TChooseReleaseWeek{.Offset = 0, .Index = 0});
    if (d.Stage == TProjectStage::Ready && d.ReleaseShown) {
        Apply(game, TBeginRelease{});
        Apply(game, TChooseReleaseWeek{.Offset = 0, .Index = 0});
    }
    if (d.Stage == TProjectStage::NotStarted && startProjects && !BotPortsBestGame(game)) StartAProject(game);
    const bool working = d.Stage == TProjectStage::InProgress;
    KeepAssistants(game, TAssistantKind::Programmers, working ? 3 : 1);
    if (working) {
        KeepAssistants(game, TAssistantKind::Musicians, 2);
        KeepAssistants(game, TAssistantKind::Artists, 3);
    }
    BotAsksForPreview(game);
    BotStudies(game);
}
