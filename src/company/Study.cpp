#include "company/Study.h"

#include <algorithm>

#include "state/GameCore.h"

// Study and tool progress arrive with company management.
void WeeklyStudy(TGameCore&) {}

void ClampLevels(TGameCore& game) {
    auto& c = game.State.Company;
    for (int i = 0; i <= 30; ++i) {
        c.ToolProgress[i] = std::min(c.ToolProgress[i], 1000);
        c.PortingMethods[i] = std::min(c.PortingMethods[i], 1000);
        c.AntiPiracy[i] = std::min(c.AntiPiracy[i], 1000);
        c.PlatformKnowledge[i] = std::min(c.PlatformKnowledge[i], 100);
        c.GenreKnowledge[i] = std::min(c.GenreKnowledge[i], 100);
    }
}
