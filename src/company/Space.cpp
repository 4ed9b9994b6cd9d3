#include "company/Space.h"

#include <algorithm>

#include "state/GameCore.h"

int OfficeSpace(const TGameCore& game) {
    const auto& c = game.State.Company;
    return OfficeSpaces[std::clamp(c.OfficeIndex, 0, 3)] + 2 * std::clamp(c.ExtraOffices, 0, 10) +
           (c.SoundStudio ? 2 : 0) + (c.TestCenter ? 2 : 0);
}

int CountEmployees(const TGameCore& game) {
    const auto& c = game.State.Company;
    int64_t count = static_cast<int64_t>(c.AssistProgrammers) + c.AssistMusicians + c.AssistArtists +
                    c.StudyStaff + c.ToolStaff + c.AntiPiracyStaff + c.PortingStaff;
    for (int32_t row : {c.LeadProgrammer, c.ProjectLeader, c.LeadDesigner})
        if (row != -1) ++count;
    return CheckedI32(count);
}

int FreeSpace(const TGameCore& game) {
    return OfficeSpace(game) - game.State.Employees;
}

bool StaffStepAllowed(const TGameCore& game, int step) {
    return step < 0 || FreeSpace(game) >= 1;
}

void StaffChanged(TGameCore& game) {
    game.State.Employees = CountEmployees(game);
    game.Ui.StatusChanged();
}
