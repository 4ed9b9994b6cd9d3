#include "company/Staff.h"

#include "company/Space.h"
#include "dev/Project.h"
#include "state/GameCore.h"

int32_t& AssistantCount(TGameCore& game, TAssistantKind kind) {
    auto& c = game.State.Company;
    return kind == TAssistantKind::Programmers ? c.AssistProgrammers
           : kind == TAssistantKind::Musicians ? c.AssistMusicians
                                               : c.AssistArtists;
}

TOutcome SetAssistants(TGameCore& game, TAssistantKind kind, int wanted) {
    const auto& c = game.State.Company;
    int32_t& count = AssistantCount(game, kind);
    while (count != wanted) {
        const int step = wanted > count ? 1 : -1;
        if (!StaffStepAllowed(game, step)) return TOutcome::Refused();
        if (step > 0 && count > c.TeamLimit)
            return TOutcome::RefusedInline(
                "To have bigger development teams, you need to hire a better rated Project Leader");
        const int next = count + step;
        if (next < 0 || next > 100) return TOutcome::Refused();
        count = next;
        StaffChanged(game);
        // A smaller or bigger team changes the running project's plan at once.
        if (game.State.Projects[1].WeeksLeft > 0) RecalculateProject(game, 1, true);
    }
    return TOutcome::Ok();
}

std::string MonthlyWageText(const TGameCore& game) {
    return "Monthly wage " + std::to_string(2000 + game.State.Company.WageRaise) + "$";
}

int32_t AssistantCount(const TGameCore& game, TAssistantKind kind) {
    return AssistantCount(const_cast<TGameCore&>(game), kind);
}
