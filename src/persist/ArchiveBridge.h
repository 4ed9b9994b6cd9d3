#pragma once
// The archive library asks its questions and shows its messages through the game's player
// interface.
#include "archive/ArchiveUi.h"
#include "state/PlayerInterface.h"

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
