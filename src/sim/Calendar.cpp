#include "sim/Calendar.h"

#include "state/GameCore.h"
#include "state/PlatformTables.h"

namespace {
void YearEnd(TGameCore& game) {
    auto& c = game.State.Company;
    // Projects get harder to make shine as the industry matures, fastest in the early years.
    int32_t drop = 1;
    if (c.Year >= 1985 && c.Year <= 1989) drop += c.Difficulty;
    if (c.Year == 1990 || c.Year == 1991) drop += 1;
    game.Tunables.QualityBase = CheckedSub(game.Tunables.QualityBase, drop);
    AddTo(c.WageRaise, CheckedAdd(200 + game.Random(50), CheckedMul(CheckedSub(c.Year, 1983), 25)));
    RebuildYearChoiceLists(game);
}
} // namespace

void AdvanceCalendar(TGameCore& game) {
    auto& c = game.State.Company;
    c.Week = CheckedAdd(c.Week, 1);
    if (c.Week != 53) return;
    game.EconomyReviewWeek = static_cast<uint8_t>(20 + game.Random(15));
    c.Week = 1;
    c.Year = CheckedAdd(c.Year, 1);
    YearEnd(game);
}

bool AtEndDate(const TGameCore& game) {
    const auto& c = game.State.Company;
    return c.Year >= game.EndYear && c.Week >= game.EndWeek;
}
