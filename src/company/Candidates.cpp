#include "company/Candidates.h"

#include <algorithm>
#include <charconv>

#include "state/GameCore.h"
#include "state/TextFields.h"

namespace {

int ShareOf(TGameCore& game, TManagerKind kind, int r) {
    switch (kind) {
    case TManagerKind::LeadProgrammer:
        return r / 8 + 2 + game.Random(5);
    case TManagerKind::ProjectLeader:
        return r / 10 + 2 + game.Random(3);
    default:
        return r / 10 + 2 + game.Random(4);
    }
}

int WageOf(TGameCore& game, TManagerKind kind, int r) {
    // Extras for ratings above 70, 80, 90 and 95.
    static constexpr int Extras[3][4] = {
        {2000, 3000, 4000, 4000}, {1000, 2000, 2000, 3000}, {2000, 2000, 3000, 4000}};
    int wage = ((4 * r) / 12) * 650;
    for (int threshold : {30, 35, 40, 50, 60})
        if (r > threshold) wage += 1000;
    const int* extra = Extras[static_cast<int>(kind)];
    if (r > 70) wage += extra[0];
    if (r > 80) wage += extra[1];
    if (r > 90) wage += extra[2];
    if (r > 95) wage += extra[3];
    return wage + game.Random(1000);
}

} // namespace

void FillCandidateGrid(TGameCore& game, TManagerKind kind, const std::vector<std::string>& lines) {
    auto& grid = game.State.Candidates.Of(kind);
    grid.clear();
    for (const std::string& line : lines) {
        if (Trim(line).empty()) continue;
        const std::string ratingText = Trim(FieldAt("\t", line, 1));
        int r = 0;
        std::from_chars(ratingText.data(), ratingText.data() + ratingText.size(), r);
        if (r == 0) r = 25 + game.Random(40);
        r = r + game.Random(10) - game.Random(10);
        r = std::clamp(r, 25, 100);
        TManagerCandidate candidate;
        candidate.Name = FieldAt("\t", line, 0);
        candidate.Rating = r;
        candidate.Share = ShareOf(game, kind, r);
        candidate.Wage = WageOf(game, kind, r);
        if (grid.empty() && kind != TManagerKind::LeadProgrammer) {
            candidate.Rating = 25 + game.Random(3);
            candidate.Wage = 4000;
            candidate.Share = 1;
        }
        grid.push_back(candidate);
    }
}
