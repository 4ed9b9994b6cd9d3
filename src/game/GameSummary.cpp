#include "game/GameSummary.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "game/Game.h"
#include "state/CodePage.h"
#include "state/Numbers.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

namespace {

using TJson = nlohmann::ordered_json;

// Every text leaves the game's code page for UTF-8 on its way into the file.
TJson Text(const std::string& cp1252) {
    return Cp1252ToUtf8(cp1252);
}

int OnMarket(const TGame& game) {
    int count = 0;
    for (const TGameEntry& e : game.State.ReleasedGames)
        count += !e.OffMarket;
    return count;
}

std::string BoomPlatformName(int index) {
    return index < PlatformCount ? Platforms[index].ShortName : "none";
}

// The titles of the last weekly chart's first ten places.
std::vector<std::string> ChartTop(const TGame& game) {
    std::vector<std::pair<int, std::string>> placed;
    for (const TGameEntry& e : game.State.ReleasedGames)
        if (e.LastChartPos >= 1 && e.LastChartPos <= 10) placed.push_back({e.LastChartPos, e.Title.Str()});
    std::sort(placed.begin(), placed.end());
    std::vector<std::string> titles;
    for (const auto& p : placed)
        titles.push_back(p.second);
    return titles;
}

TJson PlayerGames(const TGame& game) {
    TJson games = TJson::array();
    for (const TGameEntry& e : game.State.ReleasedGames) {
        if (!e.ByPlayer) continue;
        int best = 0;
        for (int w = 1; w <= 300; ++w)
            if (e.ChartHistory[w] >= 1 && e.ChartHistory[w] <= 150 && (best == 0 || e.ChartHistory[w] < best))
                best = e.ChartHistory[w];
        // The quality the game was released with: the announced copy keeps it, the one on sale
        // loses quality week by week.
        int quality = e.Quality;
        for (const TGameEntry& announced : game.State.UpcomingGames)
            if (announced.ByPlayer && announced.Moved && announced.Platform == e.Platform &&
                announced.Title.Str() == e.Title.Str())
                quality = announced.Quality;
        games.push_back({{"title", Text(e.Title.Str())},
                         {"platform", Text(Platforms[e.Platform % PlatformCount].ShortName)},
                         {"genre", Text(Genres[e.Genre % GenreCount].Name)},
                         {"quality", quality},
                         {"releaseYear", e.ReleaseYear},
                         {"releaseWeek", int{e.ReleaseWeek}},
                         {"totalSales", e.TotalSales},
                         {"income", e.Income},
                         {"bestChartPos", best}});
    }
    return games;
}

TJson Levels(const TPlatformInts& values, int count) {
    TJson list = TJson::array();
    for (int i = 0; i < count; ++i)
        list.push_back(values[i]);
    return list;
}

} // namespace

std::string GameSummaryJson(const TGame& game, std::optional<int> finalScore, uint32_t seed) {
    const auto& c = game.State.Company;
    TJson out;
    out["year"] = c.Year;
    out["week"] = c.Week;
    out["money"] = c.Money;
    out["loan"] = c.Loan;
    out["score"] = finalScore.value_or(0);
    out["gameOver"] = game.Flags.GameOver;
    out["seed"] = seed;
    int64_t yearCosts = 0, yearInterest = 0, yearIncome = 0;
    if (c.Year >= 1983 && c.Year <= 2010)
        for (int w = 1; w <= c.Week; ++w) {
            yearCosts += c.HistCosts[c.Year][w];
            yearInterest += c.HistInterest[c.Year][w];
            yearIncome += c.HistIncome[c.Year][w];
        }
    int64_t totalIncome = 0;
    for (int y = 1983; y <= std::min(c.Year, 2010); ++y)
        for (int w = 1; w <= 52; ++w)
            totalIncome += c.HistIncome[y][w];
    out["released"] = game.State.ReleasedGames.RealCount();
    std::array<int, PlatformCount> releasedByPlatform{};
    for (const TGameEntry& e : game.State.ReleasedGames)
        if (!e.ByPlayer && e.Platform < PlatformCount) ++releasedByPlatform[e.Platform];
    out["competitorReleasesByPlatform"] = releasedByPlatform;
    out["onMarket"] = OnMarket(game);
    std::array<int, GenreCount> upcomingByGenre{};
    for (const TGameEntry& e : game.State.UpcomingGames)
        if (e.Genre < GenreCount) ++upcomingByGenre[e.Genre];
    out["upcoming"] = game.State.UpcomingGames.RealCount();
    out["upcomingByGenre"] = upcomingByGenre;
    TJson top = TJson::array();
    for (const std::string& title : ChartTop(game))
        top.push_back(Text(title));
    out["chartTop"] = top;
    out["playerGames"] = PlayerGames(game);
    const TProject& project = game.State.Projects[1];
    const TProjectStage stage = game.State.Development.Stage;
    const char* stageName = stage == TProjectStage::Initial      ? "initial"
                            : stage == TProjectStage::InProgress ? "inProgress"
                            : stage == TProjectStage::Ready      ? "ready"
                                                                 : "none";
    const bool none = stage == TProjectStage::NotStarted;
    out["project"] = {{"state", stageName},
                      {"weeksLeft", none ? 0 : project.WeeksLeft},
                      {"quality", none ? 0 : RoundToI32(project.Quality)}};
    const TPublisherDeal& deal = game.State.PublisherDeal;
    out["publisher"] = Text(deal.WeeksLeft > 0 ? Trim(deal.Publisher.Str()) : "");
    out["dealWeeksLeft"] = deal.WeeksLeft;
    out["salesShare"] = int{deal.SalesShare};
    out["objectiveReached"] = game.Flags.ObjectiveReached;
    out["dealsSigned"] = game.State.Publishers.DealsSigned;
    out["loanRate"] = int{c.LoanRate};
    out["employees"] = game.State.Employees;
    out["hasInvestor"] = c.HasInvestor;
    out["creditLine"] = game.Tunables.CreditLine;
    out["yearCosts"] = yearCosts;
    out["yearInterest"] = yearInterest;
    out["yearIncome"] = yearIncome;
    out["totalIncome"] = totalIncome;
    out["company"] = Text(c.CompanyName.Str());
    out["economy"] = int{c.Economy};
    out["economyFalling"] = c.EconomyFalling;
    out["crises"] = c.Crises;
    out["boomPlatform"] = Text(BoomPlatformName(c.BoomPlatform));
    out["hotGenre"] = Text(Genres[c.HotGenre % GenreCount].Name);
    TJson genres = TJson::array();
    for (int g = 0; g < GenreCount; ++g)
        genres.push_back({{"name", Text(Genres[g].Name)},
                          {"popularity", int{c.GenrePopularity[g]}},
                          {"trend", c.GenreTrend[g]}});
    out["genres"] = genres;
    // What the studio has learnt and built, platform by platform (and genre by genre).
    out["knowledge"] = {{"platforms", Levels(c.PlatformKnowledge, PlatformCount)},
                        {"genres", Levels(c.GenreKnowledge, GenreCount)}};
    out["tools"] = Levels(c.ToolProgress, PlatformCount);
    out["antiPiracy"] = Levels(c.AntiPiracy, PlatformCount);
    out["portingMethods"] = Levels(c.PortingMethods, PlatformCount);
    out["previews"] = game.State.Preview.Written;
    out["ports"] = game.State.Development.PortsReleased;
    const auto& t = game.State.Platforms;
    TJson platforms = TJson::array();
    for (int i = 0; i < PlatformCount; ++i)
        platforms.push_back({{"name", Text(Platforms[i].ShortName)},
                             {"releaseYear", t.ReleaseYear[i]},
                             {"lifetime", t.Lifetime[i]},
                             {"strength", t.Strength[i]},
                             {"unitsSold", static_cast<long long>(t.UnitsSold[i])},
                             {"unitsInUse", static_cast<long long>(t.UnitsInUse[i])},
                             {"piracy", t.Piracy[i]}});
    out["platforms"] = platforms;
    return out.dump(2) + "\n";
}
