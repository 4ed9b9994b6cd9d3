#include "company/Office.h"

#include <algorithm>

#include "state/Game.h"

int OfficeSpace(const TGame& game) {
    const auto& office = game.Panels.Office;
    const int building = std::clamp(office.BuildingIndex, 0, 3);
    return OfficeSpaces[building] + 2 * office.ExtraOffices + (office.SoundStudio ? 2 : 0) +
           (office.TestCenter ? 2 : 0);
}

// The on-screen choices are copied with the office panel.
void CopyOfficeChoices(TGame&) {}
