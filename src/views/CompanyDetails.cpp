#include "views/CompanyDetails.h"

#include <cmath>

#include "state/GameCore.h"
#include "state/PlatformTables.h"
#include "views/NumberText.h"

namespace {
// The game of the chosen row, or none when the row shows no game.
const TGameEntry* ChosenGame(const TGameCore& game, const TCompanyView& view) {
    const int row = view.SelectedRow;
    if (row < 1 || row > static_cast<int>(view.Rows.size())) return nullptr;
    if (view.Rows[static_cast<size_t>(row - 1)].Game.empty()) return nullptr;
    // A list loaded since the panel was filled may be shorter.
    const int entry = view.ReleasedRowMap[row];
    const TGameList& games = game.State.ReleasedGames;
    return entry >= 0 && entry < games.RealCount() ? &games[entry] : nullptr;
}
} // namespace

const std::array<const char*, 5> TCompanyView::Headings = {"Game", "Platform", "ReleaseDate", "Income",
                                                           "income+cost"};

TGridProperties TCompanyView::ChartHistoryGrid() {
    TGridProperties p;
    p.XMin = 1;
    p.XMax = 26;
    p.YMin = 1;
    p.YMax = 150;
    p.XGridRange = 7;
    p.YGridRange = 7;
    p.XLabelRange = 20;
    p.YLabelRange = 11;
    p.GridMode = TGridMode::mBoth;
    p.GridColor = {128, 128, 128};
    p.XInterlabelGrid = true;
    p.YInterlabelGrid = true;
    p.XInteger = false;
    p.YInteger = false;
    p.MarginTop = 8;
    p.MarginBottom = 30;
    p.MarginLeft = 28;
    p.MarginRight = 8;
    return p;
}

void ShowGamesList(const TGameCore& game, TCompanyView& view) {
    view.ReleasedRowMap.Fill(0);
    view.Rows.clear();
    const TGameList& games = game.State.ReleasedGames;
    for (int i = 0; i < games.RealCount() && static_cast<int>(view.Rows.size()) < GamesListRows; ++i) {
        const TGameEntry& e = games[i];
        if (!e.ByPlayer) continue;
        TGamesListRow row;
        row.Game = e.Title.Str();
        row.Platform = e.Platform < PlatformCount ? Platforms[e.Platform].ShortName : "";
        row.ReleaseDate = std::to_string(e.ReleaseWeek) + "/" + std::to_string(e.ReleaseYear);
        row.Income = MoneyText(e.Income);
        row.Sales = CountText(e.TotalSales);
        view.Rows.push_back(std::move(row));
        view.ReleasedRowMap[static_cast<long>(view.Rows.size())] = i;
    }
}

bool ChooseGameRow(TCompanyView& view, int row) {
    if (row < 1 || row > static_cast<int>(view.Rows.size()) ||
        view.Rows[static_cast<size_t>(row - 1)].Game.empty())
        return false;
    view.SelectedRow = row;
    view.ChartFit = true;
    return true;
}

std::optional<TChartHistory> DrawChartHistory(const TGameCore& game, TCompanyView& view, bool fit) {
    const TGameEntry* e = ChosenGame(game, view);
    if (!e) return std::nullopt;
    TChartHistory drawing;
    view.ChartGrid.XMin = 0;
    view.ChartCaption =
        "ChartPosition history of " + view.Rows[static_cast<size_t>(view.SelectedRow - 1)].Game;
    view.CaptionRed = true;
    view.ChartGrid.XMax = fit ? e->WeeksOnSale + 1 : 302;
    drawing.XMin = view.ChartGrid.XMin;
    drawing.XMax = view.ChartGrid.XMax;
    if (e->WeeksOnSale > 1) {
        // A week with no position recorded (every week before a load reads 0) is not drawn: a
        // line ends at the last recorded week, which keeps its marker.
        auto recorded = [](int position) { return position != 0; };
        for (int i = fit ? 1 : 0; i <= e->WeeksOnSale + 1; ++i) {
            const int here = e->ChartHistory[i], next = e->ChartHistory[i + 1];
            if (!recorded(here)) continue;
            if (recorded(next))
                drawing.Segments.push_back({double(i), double(here), double(i + 1), double(next)});
            else
                drawing.Segments.push_back({double(i), double(here), double(i), double(here)});
        }
    }
    return drawing;
}

std::string ChartPointText(const TGameCore& game, const TCompanyView& view, double x) {
    const TGameEntry* e = ChosenGame(game, view);
    if (!e) return {};
    const double week = std::nearbyint(x);
    if (!(week >= 1 && week <= e->WeeksOnSale)) return {};
    const int w = static_cast<int>(week);
    const int position = e->ChartHistory[w];
    std::string text = "Week " + std::to_string(w) + " on sale: ";
    if (position >= 1 && position < NoChartPos)
        return text + "No. " + std::to_string(position) + " in the chart";
    if (position == NoChartPos) return text + "not in the chart";
    return text + "no position recorded";
}
