#pragma once
// What a panel may ask of the window that holds it: one gesture applied to the game, another
// panel shown, a question put to the player. Panels know this and the game they read, never the
// main window itself.
#include <QString>
#include <string>

#include "game/Gesture.h"

class TPanelHost {
public:
    // Applies the gesture through the game's one door; then every open panel shows the new
    // state, once.
    virtual TOutcome Act(const TGesture& gesture) = 0;
    // Opens the panel of a menu link (or brings it to the front).
    virtual void ShowPanel(const QString& link) = 0;
    // Asks the player a yes/no question before a gesture that cannot be taken back; true for
    // "Yes". The text is in the game's code page.
    virtual bool Confirm(const std::string& text, const std::string& caption) = 0;

protected:
    ~TPanelHost() = default;
};
