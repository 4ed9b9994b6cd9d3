#pragma once
// The weekly sales step exactly as the rules state it, without the rival index: the
// competition test walks the whole list for every title, and chart places are counted pair by
// pair. The benchmark times it against ours; a test checks both give the same results.
#include <algorithm>
#include <vector>

#include "game/Game.h"
#include "sim/Sales.h"
#include "state/TextFields.h"

namespace naive {

// The weekly sales of competitor titles exactly as the rules state them, without the rival
// index: the competition test walks the whole list for every title.
inline void NaiveSellGames(TGame& game) {
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
inline std::vector<int> NaiveChartPositions(const TGameList& list) {
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

inline bool SameEntries(const TGameList& a, const TGameList& b) {
    if (a.Length() != b.Length()) return false;
    for (int i = 0; i < a.Length(); ++i)
        if (a[i].Quality != b[i].Quality || a[i].WeekSales != b[i].WeekSales ||
            a[i].OffMarket != b[i].OffMarket || a[i].TotalSales != b[i].TotalSales)
            return false;
    return true;
}

} // namespace naive
