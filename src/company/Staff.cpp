#include "company/Staff.h"

#include "company/Office.h"
#include "state/Game.h"

int CountEmployees(const TGame& game) {
    const auto& c = game.State.Company;
    int64_t count = static_cast<int64_t>(c.AssistProgrammers) + c.AssistMusicians + c.AssistArtists +
                    c.StudyStaff + c.ToolStaff + c.AntiPiracyStaff + c.PortingStaff;
    for (int32_t row : {c.LeadProgrammer, c.ProjectLeader, c.LeadDesigner})
        if (row != -1) ++count;
    return CheckedI32(count);
}

int FreeSpace(const TGame& game) {
    return OfficeSpace(game) - game.State.Employees;
}

bool StaffStepAllowed(const TGame& game, int step) {
    return step < 0 || FreeSpace(game) >= 1;
}

void StaffChanged(TGame& game) {
    game.State.Employees = CountEmployees(game);
    game.Ui.StatusChanged();
}

bool StepAssistants(TGame& game, TAssistantKind kind, int step) {
    auto& c = game.State.Company;
    int32_t& count = kind == TAssistantKind::Programmers ? c.AssistProgrammers
                     : kind == TAssistantKind::Musicians ? c.AssistMusicians
                                                         : c.AssistArtists;
    game.Panels.Assistants.ErrorLine.clear();
    if (!StaffStepAllowed(game, step)) return false;
    if (step > 0 && count > c.TeamLimit) {
        game.Panels.Assistants.ErrorLine =
            "To have bigger development teams, you need to hire a better rated Project Leader";
        return false;
    }
    const int next = count + (step > 0 ? 1 : -1);
    if (next < 0 || next > 100) return false;
    count = next;
    StaffChanged(game);
    return true;
}

std::string MonthlyWageText(const TGame& game) {
    return "Monthly wage " + std::to_string(2000 + game.State.Company.WageRaise) + "$";
}
