#pragma once
// The player interface of the windowed game: message boxes, questions, the news window,
// the working and progress windows, the departure message, the hire and rent dialogs and the
// score panel of the start screen, all shown through the main window's modal host.
#include <QMessageBox>
#include <QString>

#include "state/PlayerInterface.h"

class QWidget;
class TDepartureDialog;
class THireDialog;
class TModalHost;
class TNewsDialog;
class TProgressWindow;
class TRentDialog;
class TStartScreenDialog;
class TWorkingWindow;

// The parts of the window the player interface shows things in; the main window is one.
class TInterfaceHost {
public:
    // The window message boxes belong to.
    virtual QWidget& Frame() = 0;
    virtual TModalHost& Modals() = 0;
    virtual TRentDialog& RentWindow() const = 0;
    virtual TNewsDialog& NewsWindow() const = 0;
    virtual TWorkingWindow& WorkingWindow() const = 0;
    virtual TProgressWindow& ProgressWindow() const = 0;
    virtual TStartScreenDialog& StartScreen() const = 0;
    virtual TDepartureDialog& DepartureWindow() const = 0;
    virtual THireDialog& HireWindow() const = 0;
    virtual void SetAnimation(bool running) = 0;
    // The program ends once the running step has finished.
    virtual void RequestProgramEnd() = 0;
    virtual void ClosePanel(const QString& link) = 0;
    virtual void ScrollFeedToTop() = 0;
    // Shows what the game's status has become: status area, side panel and news feed.
    virtual void RefreshStatus() = 0;

protected:
    ~TInterfaceHost() = default;
};

class TQtPlayerInterface : public TPlayerInterface {
public:
    explicit TQtPlayerInterface(TInterfaceHost& window) : Window(window) {}

    void ShowMessage(const std::string& text, const std::string& caption, TMessageKind kind) override;
    TAnswer Ask(const std::string& text, const std::string& caption, TButtons buttons) override;
    // The window's own question before a gesture that costs money or loses weeks: "No" is the
    // default, so that an Enter pressed out of habit changes nothing.
    bool AskBeforeLoss(const std::string& text, const std::string& caption);
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
    TAnswer AskInBox(const std::string& text, const std::string& caption, TButtons buttons,
                     QMessageBox::StandardButton preferred);

    TInterfaceHost& Window;
    bool Busy = false;
};
