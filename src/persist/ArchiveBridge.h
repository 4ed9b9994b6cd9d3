#pragma once
// The archive library asks its questions and shows its messages through the game's player
// interface.
#include "archive/ArchiveUi.h"
#include "state/PlayerInterface.h"

#include <string>
#include <vector>

class TGameArchiveUi : public TArchiveUi {
public:
    explicit TGameArchiveUi(TPlayerInterface& ui) : Ui(ui) {}
    void ShowMessage(const std::string& text, const std::string& caption) override;
    TArchiveAnswer Ask(const std::string& text, const std::string& caption, TArchiveButtons buttons) override;
    void SetBusy(bool busy) override { Ui.SetBusy(busy); }
    void ProcessEvents() override { Ui.ProcessEvents(); }

private:
    TPlayerInterface& Ui;
};

// For saving and loading: what the archive library would tell the player is kept instead, so
// that a damaged save ends in one message that says what went wrong; questions are answered
// "No". The window still gets its chance to repaint during long work.
class TCollectingArchiveUi : public TArchiveUi {
public:
    explicit TCollectingArchiveUi(TPlayerInterface& ui) : Ui(ui) {}
    void ShowMessage(const std::string& text, const std::string&) override { Messages.push_back(text); }
    TArchiveAnswer Ask(const std::string& text, const std::string&, TArchiveButtons) override {
        Messages.push_back(text);
        return TArchiveAnswer::No;
    }
    void ProcessEvents() override { Ui.ProcessEvents(); }

    std::vector<std::string> Messages;

private:
    TPlayerInterface& Ui;
};
