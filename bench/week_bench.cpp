// End Of Week late in the game, with the full game database: how long one week takes, and
// how the weekly sales step compares with a naive reference of the same rules (every title
// tested against every other for competition, chart places counted pair by pair). Both run
// in this process on the same state, and their results are checked to be identical.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "game/EndOfWeek.h"
#include "game/Game.h"
#include "players/ScriptedPlayer.h"
#include "sim/Sales.h"
#include "start/GameDatabase.h"
#include "start/InitialiseWorld.h"
#include "start/NewGame.h"
#include "start/StartScreen.h"

#include "../tests/core/NaiveSales.h"

namespace {

using Clock = std::chrono::steady_clock;

double Millis(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main() {
    TScriptedPlayer player;
    TGame game(player, 1994u, TFolders{QUILLON_BINARY_DIR "/", QUILLON_BINARY_DIR "/"});
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
        naive::NaiveSellGames(game);
        const std::vector<int> positions = naive::NaiveChartPositions(game.State.ReleasedGames);
        naive += Clock::now() - t0;
        same = same && naive::SameEntries(ours, game.State.ReleasedGames);
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
    return same ? 0 : 1;
}
