#include "sim/Sales.h"

#include <algorithm>
#include <array>
#include <exception>
#include <numeric>

#include "company/Bank.h"
#include "company/Publisher.h"
#include "sim/NewsFeed.h"
#include "state/GameCore.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

int ReviewRating(int quality) {
    return quality > 150 ? 10 : quality / 15;
}

namespace {

// How many machines of a platform count as buyers: a real figure, rounded.
int64_t MachinesFactor(const TGameCore& game, int platform) {
    const double inUse = game.State.Platforms.UnitsInUse[platform];
    return static_cast<int64_t>(RoundHalfEven(inUse / (11 + 2 * game.State.Company.Difficulty) / 1000));
}

uint32_t ManagerShareOf(const TGameCore& game, TManagerKind kind, int32_t row) {
    const TManagerCandidate* manager = game.State.Candidates.AtRow(kind, row);
    return manager ? static_cast<uint32_t>(manager->Share) : 0;
}

// The player's income of one week's sales u; v is what the game earns, w what reaches the
// bank account. The shares are taken from v treated as an unsigned amount.
void BookPlayerIncome(TGameCore& game, TGameEntry& entry, int32_t u) {
    auto& c = game.State.Company;
    const uint32_t keep = 100u - c.DifficultyFactor;
    uint32_t v = (static_cast<uint32_t>(u) / 100) * keep;
    v -= (v / 100) * ManagerShareOf(game, TManagerKind::LeadProgrammer, c.LeadProgrammer);
    v -= (v / 100) * ManagerShareOf(game, TManagerKind::ProjectLeader, c.ProjectLeader);
    v -= (v / 100) * ManagerShareOf(game, TManagerKind::LeadDesigner, c.LeadDesigner);
    v = InvestorShareOf(game, v);
    v = SalesShareOf(game, v);
    // Games good enough to be copied lose the platform's piracy share; anti-piracy work on
    // the platform only lowers that loss.
    const int threshold = 63 + game.Random(4);
    if (entry.Quality >= threshold && game.State.Platforms.Piracy[entry.Platform] > 0) {
        const int32_t piracy =
            std::max(game.State.Platforms.Piracy[entry.Platform] - c.AntiPiracy[entry.Platform] / 20, 1);
        v -= (v / 100) * static_cast<uint32_t>(piracy);
    }
    if (v <= 100) v = 100;
    uint32_t w = (v / 100) * keep;
    if (w == 0) w = 100;
    w = (w / (80u + 5u * c.Difficulty)) * c.Economy;
    const int32_t income = CheckedI32(w);
    c.Money = CheckedAdd(c.Money, income);
    AddTo(c.HistIncome[c.Year][c.Week], income);
    entry.Income = CheckedAdd(entry.Income, CheckedI32(v));
}

// Entries that may still press on newer rivals: on sale for less than ten weeks when the
// week's sales begin. Weeks on sale only grow, so nothing joins them during the week.
struct TRivals {
    std::array<std::vector<int>, TPlatformArray<int>::Count * 11> ByKind;
    std::vector<int>& Of(int platform, int genre) {
        return ByKind[static_cast<size_t>(platform * 11 + genre)];
    }
};

void SellOne(TGameCore& game, TGameList& list, int index, TRivals& rivals) {
    const auto& c = game.State.Company;
    TGameEntry& g = list[index];
    // The byte counter stops at its limit; a title that old sells on as before.
    if (g.WeeksOnSale < 255) ++g.WeeksOnSale;
    const int r = 1 + game.Random(8);
    if (g.Quality > 70) {
        if (r <= 4) g.Quality -= 1;
        if (r == 8) g.Quality -= 2;
    } else if (r <= 2) {
        g.Quality -= 1;
    }
    // A much better new game of the same kind takes buyers away, one rival at a time in list
    // order, each seeing the quality the previous one left.
    if (g.Quality > 70 && g.Platform < TPlatformArray<int>::Count && g.Genre < 11)
        for (int h : rivals.Of(g.Platform, g.Genre)) {
            const TGameEntry& rival = list[h];
            if (g.Quality < rival.Quality - 60 && g.Quality > 70 && rival.WeeksOnSale < 10)
                g.Quality -= (rival.Quality - g.Quality) / 25;
        }
    if (g.Quality > 125 && r <= 6) g.Quality -= 1;
    if (g.Quality <= 48) {
        g.OffMarket = true;
        return;
    }
    int64_t u = (100 + game.Random(10)) * static_cast<int64_t>(g.Quality - 45);
    const int64_t age = std::max(std::max<int64_t>(1, g.WeeksOnSale) / 4, int64_t{1});
    u = std::max<int64_t>(std::max<int64_t>(1, u) - 200 * age, 1);
    u = std::max<int64_t>(std::max<int64_t>(1, u / 60) * c.GenrePopularity[g.Genre], 1);
    u *= MachinesFactor(game, g.Platform);
    if (!g.ByPlayer) u = (u / 80) * c.Economy;
    const int32_t sales = CheckedI32(u);
    if (g.ByPlayer) BookPlayerIncome(game, g, sales);
    g.WeekSales = sales;
    g.TotalSales = CheckedAdd(g.TotalSales, sales);
    g.ChartWeeks = g.WeeksOnSale;
}

} // namespace

void SellGames(TGameCore& game) {
    TGameList& list = game.State.ReleasedGames;
    TRivals rivals;
    for (int h = 0; h < list.Length(); ++h) {
        const TGameEntry& e = list[h];
        if (e.WeeksOnSale < 10 && e.Platform < TPlatformArray<int>::Count && e.Genre < 11)
            rivals.Of(e.Platform, e.Genre).push_back(h);
    }
    try {
        for (int i = 0; i < list.Length(); ++i)
            if (!list[i].OffMarket) SellOne(game, list, i, rivals);
    } catch (const EGameError& error) {
        // A broken entry stops this week's sales; the week itself goes on, and the player
        // reads why in the news.
        ReportNews(game, std::string("The sales of this week were cut short: ") + error.what(),
                   TFeedStyle::FontHeader1);
    }
}

namespace {

std::string Fit(const std::string& text, int width) {
    return FitColumn(text, width, ' ');
}

std::string PlatformName(int platform) {
    return platform < PlatformCount ? Platforms[platform].ShortName : "?";
}
std::string GenreName(int genre) {
    return genre < GenreCount ? Genres[genre].Name : "?";
}

// Ranks the considered entries by key: higher first, ties to the earlier entry.
std::vector<int> Ranked(const TGameList& list, const std::vector<int>& considered, bool allTime) {
    std::vector<int> order = considered;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int64_t ka = allTime ? list[a].TotalSales : list[a].WeekSales;
        const int64_t kb = allTime ? list[b].TotalSales : list[b].WeekSales;
        return ka > kb;
    });
    return order;
}

std::string GameColumns(const TGameEntry& e) {
    return Fit(e.Title.Str(), 20) + Fit(PlatformName(e.Platform), 9) + " " + Fit(e.Developer.Str(), 10) +
           " " + Fit(GenreName(e.Genre), 8);
}

} // namespace

namespace {

// The rows of a chart for the ranked entries; the weekly chart of all platforms also moves
// each charted game's chart fields on (when update is set).
TSalesChart MakeChart(const TGameCore& game, TGameList* update, int filter, bool allTime,
                      const std::string& filterText) {
    const TGameList& list = game.State.ReleasedGames;
    TSalesChart chart;
    const bool weeklyAll = !allTime && filter == 0;
    const int rowsWanted = allTime || filter == 0 ? 150 : 30;
    chart.Title = allTime ? "All times best selling games" : "Weekly games sales (" + filterText + ")";
    chart.Header = weeklyAll ? Fit("Pos", 3) + Fit("Last", 4) + Fit("Weeks", 5) : Fit("Pos", 3);
    chart.Header += Fit("GameName", 18) + Fit("Platform", 10) + " " + Fit("Dev", 10) + " " + Fit("Genre", 10);
    chart.Rows.assign(static_cast<size_t>(rowsWanted), TChartRow{});

    // The blank slot at the end of the list is no game yet; it never takes a place.
    std::vector<int> considered;
    for (int i = 0; i < list.RealCount(); ++i) {
        const TGameEntry& e = list[i];
        if (allTime) {
            considered.push_back(i);
        } else if (!e.OffMarket && (filter == 0 || e.Platform == filter - 1)) {
            considered.push_back(i);
        } else if (update && e.OffMarket) {
            (*update)[i].LastChartPos = 0;
        }
    }
    const std::vector<int> order = Ranked(list, considered, allTime);
    for (size_t rank = 0; rank < order.size(); ++rank) {
        const int position = static_cast<int>(rank) + 1;
        if (position > rowsWanted) {
            if (update) (*update)[order[rank]].LastChartPos = 0;
            continue;
        }
        const TGameEntry& e = list[order[rank]];
        std::string text = Fit(std::to_string(position), 3);
        if (weeklyAll) {
            // The counters stop at their byte's limit instead of stopping the week.
            const int weeks = std::min(e.ChartWeeks + 1, 255);
            text += Fit(e.LastChartPos ? std::to_string(e.LastChartPos) : " -", 3) + " " +
                    Fit(weeks ? std::to_string(weeks) : " -", 3);
            if (update) {
                TGameEntry& changed = (*update)[order[rank]];
                changed.LastChartPos = static_cast<uint8_t>(position);
                changed.ChartWeeks = static_cast<uint8_t>(std::min(weeks + 1, 255));
            }
        }
        text += GameColumns(e) + (allTime ? Fit(std::to_string(e.TotalSales), 10) : Fit("", 10)) + Fit("", 4);
        chart.Rows[rank] = {text, static_cast<bool>(e.ByPlayer), order[rank]};
    }
    // Places nobody holds are blank rows as wide as the others.
    const size_t width =
        chart.Rows.empty() || chart.Rows[0].Text.empty() ? chart.Header.size() : chart.Rows[0].Text.size();
    for (TChartRow& row : chart.Rows)
        if (row.Text.empty()) row.Text.assign(width, ' ');
    return chart;
}

} // namespace

void BuildSalesChart(TGameCore& game) {
    game.WeeklyChart = MakeChart(game, &game.State.ReleasedGames, 0, false, AllPlatformsText);
}

TSalesChart SalesChart(const TGameCore& game, int filter, bool allTime) {
    if (filter == 0 && !allTime) {
        // The published chart, with each row styled by whose game it is now.
        TSalesChart chart = game.WeeklyChart;
        const TGameList& list = game.State.ReleasedGames;
        for (TChartRow& row : chart.Rows)
            if (row.Entry >= 0 && row.Entry < list.Length()) row.ByPlayer = list[row.Entry].ByPlayer;
        return chart;
    }
    const std::string filterText = filter > 0 && filter <= PlatformCount ? Platforms[filter - 1].ShortName
                                                                         : std::string(AllPlatformsText);
    return MakeChart(game, nullptr, filter, allTime, filterText);
}

void RecordChartPositions(TGameCore& game) {
    auto& c = game.State.Company;
    for (TGameEntry& e : game.State.ReleasedGames) {
        if (!e.ByPlayer || e.LastChartPos == 0) continue;
        e.ChartHistory[e.WeeksOnSale + 1] = e.LastChartPos;
        if (e.LastChartPos < c.BestChartPos[c.Year]) {
            c.BestChartPos[c.Year] = e.LastChartPos;
            if (c.BestChartPos[c.Year] <= game.State.PublisherDeal.TargetPos)
                game.Flags.ObjectiveReached = true;
        }
    }
}
