#include "dev/Release.h"

#include <algorithm>

#include "sim/Sales.h"
#include "state/GameCore.h"

namespace {

// A new title takes buyers from the games already on sale on its platform, most of all from
// weaker games of its own genre.
void Competition(TGameCore& game, const TGameEntry& released) {
    const int32_t q0 = released.Quality;
    TGameList& list = game.State.ReleasedGames;
    for (int j = 0; j < list.Length(); ++j) {
        TGameEntry& e = list[j];
        if (e.OffMarket || e.Platform != released.Platform) continue;
        int32_t q = e.Quality;
        if (q < q0 && e.Genre == released.Genre) q -= (q0 - q) / 10;
        if (q > 75 && e.ByPlayer && q < q0 + 15) q -= 1;
        if (q < q0 && q > 75) q -= (q0 - q) / 30;
        e.Quality = q;
    }
}

} // namespace

void ReleaseTitle(TGameCore& game, int upcomingIndex, bool catchUp) {
    const auto& c = game.State.Company;
    TGameEntry& source = game.State.UpcomingGames[upcomingIndex];
    source.Moved = true;
    TGameList& released = game.State.ReleasedGames;
    TGameEntry& r = released.Blank();
    r = source;
    r.WeeksOnSale = static_cast<uint8_t>(catchUp ? 2 + game.Random(15) : 0);

    int64_t s = std::max<int64_t>(static_cast<int64_t>(r.Quality - 45) * (100 + game.Random(10)), 1);
    s = std::max<int64_t>(s / std::max(r.WeeksOnSale / 8, 1), 1);
    s = std::max<int64_t>(c.GenrePopularity[r.Genre] * std::max<int64_t>(s / 60, 1), 1);
    s *= static_cast<int64_t>(
        RoundHalfEven(game.State.Platforms.UnitsInUse[r.Platform] / (2 * c.Difficulty + 11) / 1000));
    const int32_t sales = CheckedI32(s);
    r.WeekSales = sales;
    r.TotalSales = CheckedAdd(r.TotalSales, sales);
    r.ChartWeeks = r.WeeksOnSale;
    if (r.ByPlayer) {
        for (int w = 1; w <= 300; ++w)
            r.ChartHistory[w] = NoChartPos;
        game.Ui.ShowMessage(r.Title.Str() + "Released this week" + "\r\n" +
                                "GameReview Rating : " + std::to_string(ReviewRating(r.Quality)) + "/10",
                            "Game Released", TMessageKind::Information);
    }
    if (catchUp) {
        r.TotalSales = CheckedAdd(r.TotalSales, CheckedMul(r.WeeksOnSale, sales));
        if (r.ByPlayer) r.Income = r.TotalSales;
    }
    released.Commit();
}

void WeeklyReleases(TGameCore& game) {
    const auto& c = game.State.Company;
    TGameList& upcoming = game.State.UpcomingGames;
    for (int i = 0; i < upcoming.RealCount(); ++i) {
        const TGameEntry& e = upcoming[i];
        if (e.Moved || e.ReleaseYear != c.Year || e.ReleaseWeek != c.Week) continue;
        ReleaseTitle(game, i, false);
        Competition(game, upcoming[i]);
    }
}

void CatchUpReleases(TGameCore& game) {
    const auto& c = game.State.Company;
    game.State.ReleasedGames.Clear();
    TGameList& upcoming = game.State.UpcomingGames;
    for (int i = 0; i < upcoming.RealCount(); ++i) {
        const TGameEntry& e = upcoming[i];
        if (e.Title.Length == 0 || e.Moved || e.Quality <= 40) continue;
        if (e.ReleaseYear < c.Year || (e.ReleaseYear == c.Year && e.ReleaseWeek <= c.Week))
            ReleaseTitle(game, i, true);
    }
}
