#pragma once
// The hired managers: hiring with its signing fee and refusals, status lines and departures.
#include <string>

#include "company/ManagerGrids.h"

class TGame;

// What the "Hire" dialog shows for one candidate.
struct THireOffer {
    TManagerKind Kind = TManagerKind::LeadProgrammer;
    std::string Name;
    int Rating = 0;
    int Share = 0;
    int Wage = 0;
    int Fee = 0;
    int FeeFactor = 15;
    std::string Comment; // shown in double quotes
    bool HireEnabled = true;
};

// The candidate's answer to the studio's wealth: comment, fee factor and whether he would come.
THireOffer MakeHireOffer(const TGame& game, TManagerKind kind, int row);
// A click on a grid row: opens the dialog unless the row is the hired one (or the grids are
// locked) and hires on "Yes, Hire new Leader". True when a manager was hired.
bool ClickManagerRow(TGame& game, TManagerKind kind, int row);
// The assistant team limit a project leader of this rating allows.
int TeamLimitFor(int rating);
int& HiredRow(TGame& game, TManagerKind kind);
std::string ManagerStatusLine(const TGame& game, TManagerKind kind);
void ManagerDepartures(TGame& game);

// The managers panel: which grid is in front and the label above it.
struct TManagersPanel {
    TManagerKind Shown = TManagerKind::LeadProgrammer;
    std::string Label = "Hire Lead Programmer :";
};
void ShowManagerGrid(TGame& game, TManagerKind kind);
