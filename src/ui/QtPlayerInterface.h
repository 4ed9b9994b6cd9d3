#pragma once
// The player interface of the windowed game: message boxes, questions, the news window,
// the working and progress windows, the departure message, the hire and rent dialogs and the
// score panel of the start screen, all shown through the main window's modal host.
#include "state/PlayerInterface.h"

class TMainWindow;

class TQtPlayerInterface : public TPlayerInterface {
public:
    explicit TQtPlayerInterface(TMainWindow& window) : Window(window) {}

    void ShowMessage(const std::string& text, const std::string& caption, TMessageKind kind) override;
    TAnswer Ask(const std::string& text, const std::string& caption, TButtons buttons) override;
    void ShowNewsWindow(const TNewsTexts& texts) override;
    void ShowWorking(const std::string& text) override;
    void CloseWorking() override;
    void Progress(const std::string& text, int percent) override;
    void CloseProgress() override;
    void ProcessEvents() override;
    void Pause(int milliseconds) override;
    void SetBusy(bool busy) override;
    void SetAnimation(bool running) override;
    void ShowDeparture(const std::string& text) override;
    // The departure's animated window serves the company's good news as well.
    void ShowAnimatedMessage(const std::string& text) override { ShowDeparture(text); }
    void ShowScoreSheet(const TScoreSheet& sheet) override;
    bool ConfirmHire(const THireOffer& offer) override;
    void CloseWeekPanels() override;
    void ScrollFeedToTop() override;
    void StatusChanged() override;

private:
    TMainWindow& Window;
    bool Busy = false;
};
