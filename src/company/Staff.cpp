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
