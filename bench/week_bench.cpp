// End Of Week late in the game, with the full game database: how long one week takes, and
// how the weekly sales step compares with a naive reference of the same rules (every title
// tested against every other for competition, chart places counted pair by pair). Both run
// in this process on the same state, and their results are checked to be identical.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "game/EndOfWeek.h"
#include "game/Game.h"
#include "players/ScriptedPlayer.h"
#include "sim/Sales.h"
#include "start/InitialiseWorld.h"
#include "start/NewGame.h"
#include "start/StartScreen.h"
#include "state/TextFields.h"

namespace {

using Clock = std::chrono::steady_clock;

double Millis(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The weekly sales of competitor titles exactly as the rules state them, without the rival
// index: the competition test walks the whole list for every title.
void NaiveSellGames(TGame& game) {
    const auto& c = game.State.Company;
    TGameList& list = game.State.ReleasedGames;
    for (int i = 0; i < list.Length(); ++i) {
        TGameEntry& g = list[i];
        if (g.OffMarket) continue;
        g.WeeksOnSale = CheckedU8(g.WeeksOnSale + 1);
        const int r = 1 + game.Random(8);
        if (g.Quality > 70) {
            if (r <= 4) g.Quality -= 1;
            if (r == 8) g.Quality -= 2;
        } else if (r <= 2) {
            g.Quality -= 1;
        }
        for (int h = 0; h < list.Length(); ++h) {
            const TGameEntry& rival = list[h];
            if (g.Quality < rival.Quality - 60 && g.Quality > 70 && g.Platform == rival.Platform &&
                g.Genre == rival.Genre && rival.WeeksOnSale < 10)
                g.Quality -= (rival.Quality - g.Quality) / 25;
        }
        if (g.Quality > 125 && r <= 6) g.Quality -= 1;
        if (g.Quality <= 48) {
            g.OffMarket = true;
            continue;
        }
        int64_t u = (100 + game.Random(10)) * static_cast<int64_t>(g.Quality - 45);
        const int64_t age = std::max(std::max<int64_t>(1, g.WeeksOnSale) / 4, int64_t{1});
        u = std::max<int64_t>(std::max<int64_t>(1, u) - 200 * age, 1);
        u = std::max<int64_t>(std::max<int64_t>(1, u / 60) * c.GenrePopularity[g.Genre], 1);
        u *= static_cast<int64_t>(
            RoundHalfEven(game.State.Platforms.UnitsInUse[g.Platform] / (11 + 2 * c.Difficulty) / 1000));
        u = (u / 80) * c.Economy;
        g.WeekSales = CheckedI32(u);
        g.TotalSales = CheckedAdd(g.TotalSales, g.WeekSales);
        g.ChartWeeks = g.WeeksOnSale;
    }
}

// Chart places as the rules count them: one more than the games ahead, pair by pair.
std::vector<int> NaiveChartPositions(const TGameList& list) {
    std::vector<int> positions(static_cast<size_t>(list.RealCount()), 0);
    for (int i = 0; i < list.RealCount(); ++i) {
        if (list[i].OffMarket) continue;
        int position = 1;
        for (int j = 0; j < list.RealCount(); ++j)
            if (j != i && !list[j].OffMarket &&
                (list[j].WeekSales > list[i].WeekSales || (list[j].WeekSales == list[i].WeekSales && j < i)))
                ++position;
        positions[static_cast<size_t>(i)] = position;
    }
    return positions;
}

bool SameEntries(const TGameList& a, const TGameList& b) {
    if (a.Length() != b.Length()) return false;
    for (int i = 0; i < a.Length(); ++i)
        if (a[i].Quality != b[i].Quality || a[i].WeekSales != b[i].WeekSales ||
            a[i].OffMarket != b[i].OffMarket || a[i].TotalSales != b[i].TotalSales)
            return false;
    return true;
}

} // namespace

int main() {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "quillon-week-bench";
    fs::create_directories(dir);
    fs::copy_file(fs::path(AppDirectory()) / ".." / "Database.pck", dir / "Database.pck",
                  fs::copy_options::overwrite_existing);
    SetAppDirectory(dir.string());

    TScriptedPlayer player;
    TGame game(player, 1994u);
    if (!LoadGameDatabase(game)) {
        std::fprintf(stderr, "week_bench: no game database\n");
        return 1;
    }
    PrepareNewGame(game, {"Bench", "Bench Works", 2});
    InitialiseWorld(game);
    // A rich studio, so the ten years run without a bankruptcy.
    while (game.State.Company.Year < 1994) {
        game.State.Company.Money = 5000000;
        EndOfWeek(game);
    }
    const int onMarket =
        static_cast<int>(std::count_if(game.State.ReleasedGames.begin(), game.State.ReleasedGames.end(),
                                       [](const TGameEntry& e) { return !e.OffMarket; }));
    std::printf("1994: %d titles released, %d on the market, %d announced\n",
                game.State.ReleasedGames.RealCount(), onMarket, game.State.UpcomingGames.RealCount());

    // The weekly sales step, ours against the naive reference, on the same state and draws.
    const TGameList start = game.State.ReleasedGames;
    const int rounds = 20;
    Clock::duration fast{}, naive{};
    bool same = true;
    for (int round = 0; round < rounds; ++round) {
        game.State.ReleasedGames = start;
        game.SetRandom(std::make_unique<TRandom>(round));
        auto t0 = Clock::now();
        SellGames(game);
        BuildSalesChart(game);
        fast += Clock::now() - t0;
        const TGameList ours = game.State.ReleasedGames;

        game.State.ReleasedGames = start;
        game.SetRandom(std::make_unique<TRandom>(round));
        t0 = Clock::now();
        NaiveSellGames(game);
        const std::vector<int> positions = NaiveChartPositions(game.State.ReleasedGames);
        naive += Clock::now() - t0;
        same = same && SameEntries(ours, game.State.ReleasedGames);
        for (int i = 0; i < ours.RealCount(); ++i)
            same = same && (positions[static_cast<size_t>(i)] <= 150 ? positions[static_cast<size_t>(i)]
                                                                     : 0) == ours[i].LastChartPos;
    }
    game.State.ReleasedGames = start;
    std::printf(
        "sales and chart step: ours %.3f ms, naive reference %.3f ms, ratio ours/naive %.3f, results %s\n",
        Millis(fast) / rounds, Millis(naive) / rounds, Millis(fast) / Millis(naive),
        same ? "identical" : "DIFFERENT");

    // Whole weeks of 1994.
    game.SetRandom(std::make_unique<TRandom>(7));
    const int weeks = 40;
    const auto t0 = Clock::now();
    for (int w = 0; w < weeks; ++w) {
        game.State.Company.Money = 5000000;
        EndOfWeek(game);
    }
    std::printf("End Of Week in 1994: %.3f ms per week (target: at most 1 ms)\n",
                Millis(Clock::now() - t0) / weeks);
    fs::remove_all(dir);
    return same ? 0 : 1;
}
