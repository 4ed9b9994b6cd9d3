#include "company/Managers.h"

#include "state/Game.h"

std::string ManagerStatusLine(const TGame& game, TManagerKind kind) {
    const auto& c = game.State.Company;
    const int row = kind == TManagerKind::LeadProgrammer  ? c.LeadProgrammer
                    : kind == TManagerKind::ProjectLeader ? c.ProjectLeader
                                                          : c.LeadDesigner;
    const TManagerCandidate* manager = game.Panels.Managers.AtRow(kind, row);
    return manager ? manager->Name + " (" + std::to_string(manager->Wage) + "$)" : "";
}

namespace {
// A manager who leaves is replaced by the first candidate of the list, who never leaves.
void Depart(TGame& game, int32_t& row, int32_t& share, const std::string& text) {
    game.Flags.ManagerGridsLocked = true;
    game.Ui.ShowDeparture(text);
    row = 1;
    share = 1;
    game.Ui.StatusChanged();
    game.Flags.ManagerGridsLocked = false;
}
} // namespace

void ManagerDepartures(TGame& game) {
    auto& c = game.State.Company;
    const int difficulty = c.Difficulty;
    for (int i = 0; i < difficulty; ++i) {
        const int r = game.Random(70) + 3 * difficulty + 1033;
        if (r == 1102 && c.LeadProgrammer > 1 && game.Random(8) + 2 * difficulty > 8)
            Depart(game, c.LeadProgrammer, c.LeadProgrammerShare,
                   "Your Lead Programmer got a better offer, he will leave your company at the end of this "
                   "week");
        if (r == 1103 && c.LeadDesigner > 1 && game.Random(8) + 2 * difficulty > 8)
            Depart(
                game, c.LeadDesigner, c.LeadDesignerShare,
                "Your Lead Designer got a better offer, he will leave your company at the end of this week");
    }
}
