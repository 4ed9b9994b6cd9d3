#pragma once
// Player actions of the main window that are not a panel's own, and what the status area shows.
#include <string>
#include <utility>

class TGame;

// "Quit Game": the next End Of Week shows the score sheet.
void QuitGame(TGame& game);
// "Save game && end turn": refused while a project is being developed.
void SaveAndEndTurn(TGame& game);

struct TStatusView {
    std::string CompanyName;
    std::string WeekText;  // "Week 5, 1984"
    std::string MoneyText; // the number
    int Money = 0;
    int FreeSpace = 0;
    int Employees = 0;
    std::string Managers[3];
    bool MoneyBlinks = false;
    bool SpaceBlinks = false;
};
TStatusView StatusView(const TGame& game);

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
