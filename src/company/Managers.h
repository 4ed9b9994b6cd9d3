#pragma once
// The hired managers: hiring with its signing fee and refusals, status lines and departures.
#include <string>

#include "state/Outcome.h"

class TGameCore;

// The candidate's answer to the studio's wealth: comment, fee factor and whether he would come.
THireOffer MakeHireOffer(const TGameCore& game, TManagerKind kind, int row);
// A click on a grid row: shows the "Hire" dialog unless the row is the hired one (or the grids
// are locked) and hires on "Yes, Hire new Leader", paying the signing fee.
TOutcome HireManager(TGameCore& game, TManagerKind kind, int row);
// The assistant team limit a project leader of this rating allows.
int TeamLimitFor(int rating);
int32_t& HiredRow(TGameCore& game, TManagerKind kind);
int32_t HiredRow(const TGameCore& game, TManagerKind kind);
std::string ManagerStatusLine(const TGameCore& game, TManagerKind kind);
void ManagerDepartures(TGameCore& game);
