#pragma once
// What the Development panel's project area offers, derived from the project's stage: which
// controls can be used, and the figures it shows.
#include <string>

class TGameCore;

struct TDevelopmentView {
    bool StartNewEnabled = false;
    bool StartProjectEnabled = false;
    bool CancelEnabled = false;
    bool ReleaseVisible = false;
    bool ReleaseEnabled = false;
    bool NameGroupEnabled = false; // name, genre and platform, and the porting link among them
    bool TechnologyEnabled = false;
    bool TechnologyVisible = true; // hidden once a port is set up
    bool PreviewEnabled = false;   // "Preview Game", with the advertising
    bool OptionsEnabled = false;
    bool MultiPlayEnabled = false;
    bool AdvertisingEnabled = false;
    bool TimeBoxEnabled = false;
    int WeeksLeft = 0;
};

TDevelopmentView DevelopmentView(const TGameCore& game);
// "No Advertising" and the ten paid levels.
std::string AdvertisingItem(int level);
