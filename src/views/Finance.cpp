#include "views/Finance.h"

#include <cmath>

#include "state/GameCore.h"
#include "views/NumberText.h"

namespace {
constexpr TRgb Green{0, 128, 0};
constexpr TRgb Red{255, 0, 0};

// The weeks of a year, or none for a year the histories do not cover (before a game starts).
const TYearWeeks* WeeksOf(const TWeekHistory& history, int year) {
    return year >= TWeekHistory::Low && year <= TWeekHistory::High ? &history[year] : nullptr;
}

int64_t YearSum(const TWeekHistory& history, int year) {
    int64_t sum = 0;
    if (const TYearWeeks* weeks = WeeksOf(history, year))
        for (int32_t v : *weeks)
            sum += v;
    return sum;
}

int32_t WeekValue(const TWeekHistory& history, int year, int week) {
    const TYearWeeks* weeks = WeeksOf(history, year);
    return weeks && week >= 1 && week <= 52 ? (*weeks)[week] : 0;
}
} // namespace

const std::array<TFinanceGraphKind, 5> FinanceGraphs = {{
    {"Income", "Income graph", Green, &TCompany::HistIncome, 0},
    {"Bankloan", "Interrest of bankLoan", Red, &TCompany::HistInterest, 0},
    {"Cost Weekly", "Weekly Cost Graph", Green, &TCompany::HistCosts, 1},
    {"Employees", "Numbers Of employees", Green, &TCompany::HistEmployees, 0},
    {"Money", "Money Graph", Red, &TCompany::HistMoney, 0},
}};

void OpenFinanceView(const TGameCore& game, TFinanceView& view) {
    const TCompany& c = game.State.Company;
    // A graph already chosen follows the weeks played since.
    if (view.Graph >= 0) ShowFinanceGraph(game, view, view.Graph);
    for (auto& row : view.Table)
        row.fill("");
    auto& t = view.Table;
    t[0][1] = "Income";
    t[0][2] = "expense";
    t[1][0] = "Interest of Bank loan";
    t[1][2] = MoneyText(YearSum(c.HistInterest, c.Year));
    t[2][0] = "All Expenses";
    t[2][2] = MoneyText(YearSum(c.HistCosts, c.Year));
    t[3][0] = "All Income";
    t[3][1] = MoneyText(YearSum(c.HistIncome, c.Year));
    t[5][1] = "Start of Year";
    t[5][2] = "Current balance";
    t[6][0] = "Bank Balance";
    t[6][1] = MoneyText(WeekValue(c.HistMoney, c.Year, 1));
    t[6][2] = MoneyText(WeekValue(c.HistMoney, c.Year, c.Week));
}

void ShowFinanceGraph(const TGameCore& game, TFinanceView& view, int graph) {
    const TCompany& c = game.State.Company;
    const TFinanceGraphKind& kind = FinanceGraphs.at(static_cast<size_t>(graph));
    view.Grid.XMin = 1;
    view.Grid.XMax = 52;
    view.Grid.YMin = kind.LowerLimit;
    view.Graph = graph;
    view.GraphTitle = kind.Title;
    view.GraphBuffer = c.*kind.History;
    // The top grows by a twentieth over each new largest week, so the curve never touches it.
    double top = 0;
    if (const TYearWeeks* weeks = WeeksOf(view.GraphBuffer, c.Year))
        for (int32_t v : *weeks)
            if (v > top) top = static_cast<double>(static_cast<int64_t>(v) + v / 20);
    view.Grid.YMax = top;
}

std::vector<TSeriesSegment> FinanceSeries(const TWeekHistory& buffer, int year) {
    std::vector<TSeriesSegment> segments;
    const TYearWeeks* weeks = WeeksOf(buffer, year);
    if (!weeks) return segments;
    for (int w = 1; w <= 51; ++w)
        if ((*weeks)[w + 1] > 0)
            segments.push_back({double(w), double((*weeks)[w]), double(w + 1), double((*weeks)[w + 1])});
    return segments;
}

std::string FinancePointText(const TFinanceView& view, int year, double x) {
    if (view.Graph < 0) return {};
    const double week = std::nearbyint(x);
    if (!(week >= 1 && week <= 52)) return {};
    const int w = static_cast<int>(week);
    if (!WeeksOf(view.GraphBuffer, year)) return {};
    const int32_t value = WeekValue(view.GraphBuffer, year, w);
    // Every graph shows dollars but the head count.
    const bool count = FinanceGraphs[static_cast<size_t>(view.Graph)].History == &TCompany::HistEmployees;
    return "Week " + std::to_string(w) + ": " + (count ? CountText(value) : MoneyText(value));
}
