#pragma once
// What the status area and the managers panel show.
#include <string>
#include <utility>

#include "state/Candidates.h"

class TGameCore;

struct TStatusView {
    std::string CompanyName;
    std::string WeekText;  // "Week 5, 1984"
    std::string MoneyText; // in the money form of views/NumberText.h
    int Money = 0;
    int FreeSpace = 0;
    int Employees = 0;
    std::string Managers[3];
    bool MoneyBlinks = false;
    bool SpaceBlinks = false;
};
TStatusView StatusView(const TGameCore& game);

// Money below 50000 and free space of 1 or less blink on the status area.
inline bool MoneyBlinks(int money) {
    return money < 50000;
}
inline bool SpaceBlinks(int freeSpace) {
    return freeSpace <= 1;
}

// Where the help window goes for a mouse at (x, y): left and top.
std::pair<int, int> HelpWindowPosition(int mouseX, int mouseY, int width, int height, int desktopWidth,
                                       int desktopHeight);

// The managers panel: which candidate grid is in front and the label above it.
struct TManagersView {
    TManagerKind Shown = TManagerKind::LeadProgrammer;
    std::string Label = "Hire Lead Programmer :";
};
void ShowManagerGrid(TManagersView& view, TManagerKind kind);
