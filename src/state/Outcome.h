#pragma once
// What a player's action came to: done, or refused with the message the player sees (none
// for a control that simply does not move, such as a counter at its limit).
#include <string>

#include "state/PlayerInterface.h"

enum class TRefusalShown {
    MessageBox, // a message box with a caption
    Inline,     // a line of text on the panel that was used
};

struct TOutcome {
    bool Done = true;
    std::string Message;
    std::string Caption;
    TMessageKind Kind = TMessageKind::Warning;
    TRefusalShown Shown = TRefusalShown::MessageBox;

    explicit operator bool() const { return Done; }

    static TOutcome Ok() { return {}; }
    static TOutcome Refused(std::string message = "", std::string caption = "",
                            TMessageKind kind = TMessageKind::Warning) {
        return {false, std::move(message), std::move(caption), kind, TRefusalShown::MessageBox};
    }
    static TOutcome RefusedInline(std::string message) {
        return {false, std::move(message), "", TMessageKind::Warning, TRefusalShown::Inline};
    }
};
