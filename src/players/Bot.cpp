#include "players/Bot.h"

#include <algorithm>

#include "players/BotStudy.h"

#include "company/Bank.h"
#include "company/Managers.h"
#include "company/Space.h"
#include "game/Actions.h"
#include "game/Game.h"
#include "sim/WeeklyCosts.h"
#include "state/PlatformTables.h"

namespace {

int64_t Wealth(const TGame& game) {
    const auto& c = game.State.Company;
    return static_cast<int64_t>(c.Money) - c.Loan;
}

// The cash kept in hand: some weeks of running costs and a little more for the unexpected.
int64_t Reserve(const TGame& game) {
    return 250000 + 8LL * WeeklyRunningCosts(game);
}

// The bank funds a shortfall only this far; beyond it the studio must earn before it spends.
constexpr int32_t DebtLimit = 2500000;

void ManageMoney(TGame& game) {
    const auto& c = game.State.Company;
    const int64_t reserve = Reserve(game);
    // Below the reserve the bank helps, within the limit; below 100000 always, as far as it lends.
    while ((c.Money < reserve && c.Loan + 100000 <= DebtLimit && CanBorrow(game, 100000)) ||
           (c.Money < 100000 && CanBorrow(game, 100000)))
        Apply(game, TBorrow{.Amount = 100000});
    if (c.Money < 100000 && CanBorrow(game, 50000)) Apply(game, TBorrow{.Amount = 50000});
    // An investor takes a share of every sale for good: only when the bank is no help.
    if (!c.HasInvestor && c.Money < reserve / 2 && c.Loan + 100000 > DebtLimit &&
        game.State.Investor.FindEnabled) {
        Apply(game, TFindInvestor{});
        if (game.State.Investor.OfferOpen) Apply(game, TAcceptInvestor{});
    }
    // Interest is the dearest cost of all: what the reserve does not need goes back to the bank.
    while (c.Money > reserve + 200000 && CanRepay(game, 100000))
        Apply(game, TRepay{.Amount = 100000});
}

// How much a platform is worth making a game for: its machines in use, and more so where the
// studio knows the machine and has its tools.
int64_t PlatformValue(const TGame& game, int platform) {
    const auto& c = game.State.Company;
    const TPlatformTable& t = game.State.Platforms;
    int64_t units = static_cast<int64_t>(t.UnitsInUse[platform]);
    // A machine no longer made only loses owners, more every year: a game made for it now sells
    // to those left a year on.
    const int age = c.Year - (t.ReleaseYear[platform] + 1);
    if (c.Year - t.ReleaseYear[platform] >= t.Lifetime[platform] && age > 0)
        units = std::max<int64_t>(units - 52LL * age * (t.UnitsSold[platform] > 2200000 ? 800 : 300), 0);
    return units * (150 + c.PlatformKnowledge[platform] + c.ToolProgress[platform] / 20) / 150;
}

// The platform of the project list worth most.
int BestPlatform(const TGame& game) {
    int best = -1;
    for (const std::string& item : game.State.Lists.ProjectPlatforms.Items) {
        const int platform = PlatformOfChoice(item);
        if (best < 0 || PlatformValue(game, platform) > PlatformValue(game, best)) best = platform;
    }
    return best;
}

// What the public wants, weighed by what the studio knows of the genre: a studio that sticks
// to its genres makes better games in them.
int WantedGenre(const TGame& game) {
    const auto& c = game.State.Company;
    const auto score = [&](int g) { return c.GenrePopularity[g] * (40 + std::min(c.GenreKnowledge[g], 80)); };
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
        if (n >= 56) {
            name += ' ';
            name += std::to_string(n / 56 + 1);
        }
        const bool taken = std::any_of(game.State.ReleasedGames.begin(), game.State.ReleasedGames.end(),
                                       [&](const TGameEntry& e) {
                                           return e.Title.Str() == name && e.Platform == platform;
                                       }) ||
                           std::any_of(game.State.UpcomingGames.begin(), game.State.UpcomingGames.end(),
                                       [&](const TGameEntry& e) { return e.Title.Str() == name; });
        if (!taken) return name;
    }
}

// Better equipment makes better games, and its rent is small beside what a better game earns.
void Equip(TGame& game) {
    const auto& c = game.State.Company;
    if (c.Money < Reserve(game)) return;
    if (!c.GfxEquipment)
        Apply(game, TSetEquipment{.Which = TEquipment::Graphics, .On = true});
    else if (!c.ComputerEquipment)
        Apply(game, TSetEquipment{.Which = TEquipment::Computers, .On = true});
    else if (!c.ToolsEquipment)
        Apply(game, TSetEquipment{.Which = TEquipment::Tools, .On = true});
}

// Every quarter, a clearly better lead programmer or lead designer when the studio is rich
// enough to pay his fee many times over; he must be willing to come.
void HireBetterManagers(TGame& game) {
    const auto& c = game.State.Company;
    if (c.Week % 13 != 0) return;
    for (TManagerKind kind : {TManagerKind::LeadProgrammer, TManagerKind::LeadDesigner}) {
        const int64_t wealth = Wealth(game);
        const int32_t hired = kind == TManagerKind::LeadProgrammer ? c.LeadProgrammer : c.LeadDesigner;
        const TManagerCandidate* current = game.State.Candidates.AtRow(kind, hired);
        int bestRow = -1, bestRating = (current ? current->Rating : 0) + 15;
        const auto& list = game.State.Candidates.Of(kind);
        for (int row = 1; row <= static_cast<int>(list.size()); ++row) {
            const THireOffer offer = MakeHireOffer(game, kind, row);
            if (offer.HireEnabled && offer.Rating > bestRating && offer.Fee * 10LL <= wealth) {
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
    // The extra work of new technology, testing and extras costs more weeks than its quality
    // earns back: plain games, finished sooner, make more money. (The ticks stay from the last
    // project.)
    Apply(game, TSetTechnology{.Level = 0});
    for (TProjectOption option :
         {TProjectOption::Beta, TProjectOption::Demo, TProjectOption::MultiPlay, TProjectOption::Extras})
        Apply(game, TSetProjectOption{.Option = option, .Ticked = false});
    // The lowest level of advertising raises the most hype for the money.
    Apply(game, TSetAdvertising{.Level = 1});
    Apply(game, TStartProject{.GameName = GameName(game, game.State.Development.Platform)});
}

// The team of a running project: as many hands as the project leader allows in the area with
// the most work, and in the others just enough to finish with it.
void KeepTeam(TGame& game) {
    const TDevelopment& d = game.State.Development;
    const auto& c = game.State.Company;
    const TAssistantKind kinds[3] = {TAssistantKind::Programmers, TAssistantKind::Musicians,
                                     TAssistantKind::Artists};
    if (d.Stage != TProjectStage::InProgress) {
        for (TAssistantKind kind : kinds)
            if (AssistantCount(game, kind) > 1) Apply(game, TSetAssistants{.Kind = kind, .Count = 1});
        return;
    }
    const int* ratio = DevelopmentRatios[std::clamp(int{game.State.Projects[1].Genre}, 0, 9)];
    const int most = std::max({ratio[0], ratio[1], ratio[2]});
    const int biggest = c.TeamLimit + 1;
    // Seats for the whole team: an extra office costs 200000 once.
    int wanted[3], seats = 0;
    for (int a = 0; a < 3; ++a) {
        wanted[a] = std::max((ratio[a] * (biggest + 3) + most - 1) / most - 3, 1);
        seats += std::max(wanted[a] - AssistantCount(game, kinds[a]), 0);
    }
    if (seats > FreeSpace(game) && c.ExtraOffices < 10 && c.Money > Reserve(game) + 200000)
        Apply(game, TSetExtraOffices{.Count = c.ExtraOffices + 1});
    for (int a = 0; a < 3; ++a)
        if (AssistantCount(game, kinds[a]) != wanted[a])
            Apply(game, TSetAssistants{.Kind = kinds[a], .Count = wanted[a]});
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
    KeepTeam(game);
    BotAsksForPreview(game);
    BotStudies(game);
    ManageMoney(game);
}
