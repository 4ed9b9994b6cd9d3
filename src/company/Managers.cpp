#include "company/Managers.h"

#include "state/GameCore.h"

int32_t& HiredRow(TGameCore& game, TManagerKind kind) {
    auto& c = game.State.Company;
    return kind == TManagerKind::LeadProgrammer  ? c.LeadProgrammer
           : kind == TManagerKind::ProjectLeader ? c.ProjectLeader
                                                 : c.LeadDesigner;
}

namespace {
int& ShareField(TGameCore& game, TManagerKind kind) {
    auto& c = game.State.Company;
    return kind == TManagerKind::LeadProgrammer  ? c.LeadProgrammerShare
           : kind == TManagerKind::ProjectLeader ? c.ProjectLeaderShare
                                                 : c.LeadDesignerShare;
}
} // namespace

int TeamLimitFor(int rating) {
    return (4 * rating) / (rating / 12 + 20);
}

THireOffer MakeHireOffer(const TGameCore& game, TManagerKind kind, int row) {
    THireOffer offer;
    offer.Kind = kind;
    if (const TManagerCandidate* candidate = game.State.Candidates.AtRow(kind, row)) {
        offer.Name = candidate->Name;
        offer.Rating = candidate->Rating;
        offer.Share = candidate->Share;
        offer.Wage = candidate->Wage;
    }
    offer.Comment = "I would be happy to be a path of your company";
    const int64_t n = static_cast<int64_t>(game.State.Company.Money) - game.State.Company.Loan;
    const int r = offer.Rating;
    const char* const refusal = "Your Company seems Both frail and poor. So I must decline your offer";
    if (n <= 500000) {
        offer.Comment = refusal;
        offer.HireEnabled = false;
    } else if (r >= 30) {
        // A good manager looks at the studio's wealth per rating point before he signs.
        const int64_t q = n / r;
        if (q < 70000) {
            offer.Comment =
                "Your Company seems A little frail. In light of this i will demand a higher Signing fee";
            offer.FeeFactor += 1;
        }
        if (q < 60000) {
            offer.Comment = "Your Company seems frail. But for a higher Signing fee i will work for you";
            offer.FeeFactor += 2;
        }
        if (q < 40000) {
            offer.Comment =
                "Your Company seems Very frail. In light of this i will demand a higher Signing fee";
            offer.FeeFactor += 3;
        }
        if (q < 35000) {
            offer.Comment = refusal;
            offer.HireEnabled = false;
        }
    }
    offer.Fee = CheckedMul(offer.Wage, offer.FeeFactor);
    return offer;
}

TOutcome HireManager(TGameCore& game, TManagerKind kind, int row) {
    if (game.Flags.ManagerGridsLocked && kind != TManagerKind::ProjectLeader) return TOutcome::Refused();
    if (row == HiredRow(game, kind) || !game.State.Candidates.AtRow(kind, row)) return TOutcome::Refused();
    const THireOffer offer = MakeHireOffer(game, kind, row);
    if (!game.Ui.ConfirmHire(offer) || !offer.HireEnabled) return TOutcome::Refused();
    auto& c = game.State.Company;
    c.Money = CheckedSub(c.Money, offer.Fee);
    HiredRow(game, kind) = row;
    ShareField(game, kind) = offer.Share;
    if (kind == TManagerKind::ProjectLeader) c.TeamLimit = CheckedU8(TeamLimitFor(offer.Rating));
    return TOutcome::Ok();
}

std::string ManagerStatusLine(const TGameCore& game, TManagerKind kind) {
    const auto& c = game.State.Company;
    const int row = kind == TManagerKind::LeadProgrammer  ? c.LeadProgrammer
                    : kind == TManagerKind::ProjectLeader ? c.ProjectLeader
                                                          : c.LeadDesigner;
    const TManagerCandidate* manager = game.State.Candidates.AtRow(kind, row);
    return manager ? manager->Name + " (" + std::to_string(manager->Wage) + "$)" : "";
}

namespace {
// A manager who leaves is replaced by the first candidate of the list, who never leaves.
void Depart(TGameCore& game, int32_t& row, int32_t& share, const std::string& text) {
    game.Flags.ManagerGridsLocked = true;
    game.Ui.ShowDeparture(text);
    row = 1;
    share = 1;
    game.Ui.StatusChanged();
    game.Flags.ManagerGridsLocked = false;
}
} // namespace

void ManagerDepartures(TGameCore& game) {
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

int32_t HiredRow(const TGameCore& game, TManagerKind kind) {
    return HiredRow(const_cast<TGameCore&>(game), kind);
}
