#include "dev/Release.h"

#include <algorithm>

#include "company/Space.h"
#include "sim/Sales.h"
#include "state/GameCore.h"
#include "state/PlatformTables.h"

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

std::pair<int, int> CalendarStart(int s, int currentYear) {
    // The last weeks of a year show the year's end; beyond it the next year begins.
    if (s > 47 && s < 52) return {47, currentYear};
    if (s >= 52) return {std::max(s - 52, 1), currentYear + 1};
    return {s, currentYear};
}

TOutcome BeginRelease(TGameCore& game) {
    auto& c = game.State.Company;
    auto& d = game.State.Development;
    if (d.Stage != TProjectStage::Ready || !d.ReleaseShown || d.ReleaseMode) return TOutcome::Refused();
    if (c.Economy < 75)
        game.Ui.ShowMessage(
            "Look out. World economic situation is bad at the moment. Choose your release week wisely", "",
            TMessageKind::Warning);
    d.ReleaseMode = true;
    TChoiceLists& lists = game.State.Lists;
    lists.CalendarGenres.Selected = d.Genre;
    for (int i = 0; i < lists.CalendarPlatforms.Count(); ++i)
        if (PlatformOfChoice(lists.CalendarPlatforms.Items[i]) == d.Platform)
            lists.CalendarPlatforms.Selected = i;
    d.Busy = false;
    c.AssistProgrammers = 0;
    c.AssistMusicians = 0;
    c.AssistArtists = 0;
    StaffChanged(game);
    return TOutcome::Ok();
}

TOutcome ChooseReleaseWeek(TGameCore& game, int offset, int index) {
    const auto& c = game.State.Company;
    if (!game.State.Development.ReleaseMode || offset < 0 || offset > 47 || index < 0 || index > 5)
        return TOutcome::Refused();
    const auto [first, year] = CalendarStart(c.Week + 1 + offset, c.Year);
    AnnounceRelease(game, first + index, year);
    return TOutcome::Ok();
}

void AnnounceRelease(TGameCore& game, int week, int year) {
    const auto& c = game.State.Company;
    auto& d = game.State.Development;
    TProject& p = game.State.Projects[1];
    TGameEntry& e = game.State.UpcomingGames.Blank();
    e = BlankRecord<TGameEntry>();
    e.Platform = CheckedU8(p.PlatformItem + 1);
    e.Genre = CheckedU8(p.Genre);
    e.Title = p.Name.Str();
    e.Developer = c.CompanyName.Str();
    // A week of this year that has already begun is taken as the next one.
    if (week >= 47 && c.Week >= 47 && year == c.Year && week <= c.Week) week = c.Week + 1;
    e.ReleaseWeek = static_cast<uint8_t>(week);
    e.ReleaseYear = year;
    // Nothing is announced for week 52: it goes to the first week of the next year.
    if (week > 51) {
        e.ReleaseWeek = 1;
        e.ReleaseYear = CheckedAdd(year, 1);
    }
    e.Moved = false;
    e.OffMarket = false;
    e.Quality = p.IsPort ? RoundToI32(p.FinalCopy) / 2 + RoundToI32(p.TargetQuality / 2)
                         : RoundToI32(p.TargetQuality);
    e.ReleaseScore = RoundToI32(p.FinalCopy);
    e.ByPlayer = true;
    game.State.UpcomingGames.Commit();

    d.Stage = TProjectStage::NotStarted;
    d.Status = "Released";
    d.StatusBlinkMs = 0;
    d.Advertising = 0;
    d.SideCaption = "Released";
    d.SideBlinks = false;
    d.ReleaseMode = false;
    if (p.IsPort) ++d.PortsReleased;
    p.InProgress = false;
}
