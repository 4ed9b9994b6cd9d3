#include "views/StatusView.h"

#include "company/Managers.h"
#include "company/Space.h"
#include "state/GameCore.h"
#include "views/NumberText.h"

TStatusView StatusView(const TGameCore& game) {
    const auto& c = game.State.Company;
    TStatusView view;
    view.CompanyName = c.CompanyName.Str();
    view.WeekText = "Week " + std::to_string(c.Week) + ", " + std::to_string(c.Year);
    view.Money = c.Money;
    view.MoneyText = MoneyText(c.Money);
    view.Employees = game.State.Employees;
    view.FreeSpace = FreeSpace(game);
    for (int k = 0; k < 3; ++k)
        view.Managers[k] = ManagerStatusLine(game, static_cast<TManagerKind>(k));
    view.MoneyBlinks = MoneyBlinks(view.Money);
    view.SpaceBlinks = SpaceBlinks(view.FreeSpace);
    return view;
}

std::pair<int, int> HelpWindowPosition(int x, int y, int w, int h, int desktopWidth, int desktopHeight) {
    std::pair<int, int> at =
        x + w / 2 < desktopWidth ? std::pair{x - w / 2, y + 32} : std::pair{x - w - 32, y - 32};
    if (y + h + 32 > desktopHeight) at = {x - w - 16, y - 64};
    return at;
}

void ShowManagerGrid(TManagersView& view, TManagerKind kind) {
    static const char* const Labels[3] = {
        "Hire Lead programmer:", "Hire Projects Leader:", "Hire Lead Designer (Music,Graphics,Design):"};
    view.Shown = kind;
    view.Label = Labels[static_cast<int>(kind)];
}
