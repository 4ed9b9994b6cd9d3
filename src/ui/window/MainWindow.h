#pragma once
// The main window of the game: the status area on top, the menu column, the content area
// where one panel at a time is shown, and the side panel, all over the starfield. It owns
// the running game and the windows the game uses, runs the start-up sequence, and is the host
// of its panels (their one way to the game) and of the player interface.
#include <QHash>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "game/Gesture.h"
#include "music/MusicPlayer.h"
#include "state/Folders.h"
#include "ui/panels/PanelHost.h"
#include "ui/window/QtPlayerInterface.h"

class TAudio;
class TBankPanel;
class TContentArea;
class TContentPanel;
class TDepartureDialog;
class TDevelopmentPanel;
class TGame;
class THelpWindow;
class THireDialog;
class TLinkButton;
class TManagersPanel;
class TModalHost;
class TMusicBox;
class TNewsDialog;
class TOfficePanel;
class TPortDialog;
class TProgressWindow;
class TQtPlayerInterface;
class TRentDialog;
class TSidePanel;
class TStarfield;
class TStartScreenDialog;
class TStatusArea;
class TWelcomeDialog;
class TWorkingWindow;

class TMainWindow : public QMainWindow, public TPanelHost, public TInterfaceHost {
    Q_OBJECT
public:
    // Without a seed the game's draws start from the clock; without folders the game uses
    // those of its installation.
    explicit TMainWindow(std::optional<uint32_t> seed = std::nullopt,
                         std::optional<TFolders> folders = std::nullopt, QWidget* parent = nullptr);
    ~TMainWindow() override;

    TGame& Game() { return *GameState; }
    TModalHost& Modals() override { return *ModalHost; }
    QWidget& Frame() override { return *this; }

    // Gives the window its music: the "Player" panel, the banner and the sounds of the controls,
    // made once and living as long as the window. random(n) chooses the first song; without
    // one the choice follows the clock.
    TMusicBox& InstallMusic(std::unique_ptr<TAudio> audio, const std::string& musicFolder,
                            const std::string& soundsFolder, TMusicPlayer::TRandomFunction random = {});

    // Content panels, named by the menu link that opens them.
    TContentPanel* Panel(const QString& link) const { return Panels.value(link); }
    QStringList PanelLinks() const { return Panels.keys(); }
    // Asks the game what opening the panel needs, fills the content area with it and brings it
    // to the front.
    void ShowPanel(const QString& link) override;
    void ClosePanel(const QString& link) override;
    bool Confirm(const std::string& text, const std::string& caption) override;

    // The link of the menu or of the status area with this text.
    TLinkButton* Link(const QString& text) const;

    // The three timers of the window and what they do on a tick.
    QTimer& StartupTimer() { return Startup; }
    QTimer& StatusTimer() { return StatusTicker; }
    QTimer& HelpTimer() { return HelpTicker; }
    void StartupTick();
    void StatusTick();
    void HelpTick();

    void RunEndOfWeek();
    // Applies one gesture through the game's door; then the status, the side panel and every
    // open panel show the new state, once.
    TOutcome Act(const TGesture& gesture) override;
    void Perform(const TPlayerAction& action) { Act(action); }
    void SetAnimation(bool running) override;
    // Nothing moves by itself from now on (starfield, blinking, scrolling feed and banner), so
    // that the same game pictured twice gives the same pictures.
    void HoldStill();
    // Shows what the game's status has become: status area, side panel and news feed.
    void RefreshStatus() override;
    void ScrollFeedToTop() override;
    // The program ends once the running step has finished.
    void RequestProgramEnd() override { EndRequested = true; }
    bool ProgramEnded() const { return Ended; }

    TStatusArea& Status() const { return *StatusPanel; }
    TSidePanel& Side() const { return *SidePanel; }
    TStarfield& Starfield() const { return *Sky; }
    TStartScreenDialog& StartScreen() const override { return *StartWindow; }
    TWorkingWindow& WorkingWindow() const override { return *Working; }
    TWelcomeDialog& WelcomeWindow() const { return *Welcome; }
    TNewsDialog& NewsWindow() const override { return *News; }
    TProgressWindow& ProgressWindow() const override { return *ProgressBox; }
    TDepartureDialog& DepartureWindow() const override { return *Departure; }
    THelpWindow& HelpWindow() const { return *Help; }
    THireDialog& HireWindow() const override { return *Hire; }
    TRentDialog& RentWindow() const override { return *Rent; }

    TManagersPanel& ManagersPanel() const { return *Managers; }
    TDevelopmentPanel& DevelopmentPanel() const { return *Development; }
    TOfficePanel& OfficePanel() const { return *Office; }
    TBankPanel& BankPanel() const { return *Bank; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

signals:
    // One of the six short sounds: 0 link, 1 End Of Week, 2 Game Options, 3 panel closed,
    // 4 side panel widened, 5 narrowed.
    void SoundRequested(int sound);
    // The world of a new game has been built and its first week played.
    void GameStarted();

private:
    void BuildWindow();
    // The smallest size and the opening size and place of the window.
    void FitToScreen();
    QWidget* BuildMenu();
    // Every panel of the menu, one per link.
    void BuildPanels();
    void AddPanel(const QString& link, TContentPanel* panel);
    // The porting dialog, opened from the Development panel; "Choose" ports the game.
    void OpenPortDialog();
    // Runs a step of the window's own (start-up, a gesture); an error it raises is shown, then
    // the status and every open panel show the new state.
    void Guarded(const std::function<void()>& step);
    // The panel shows what the game holds now, after asking what a change while it was open
    // needs.
    void CatchUp(TContentPanel* panel);
    void EndProgram();
    // Weeks played since the last save are lost on quitting: true when there are none, or
    // the player, told how many, still wants to quit.
    bool MayLoseUnsavedWeeks();
    void PlaySound(int sound) { emit SoundRequested(sound); }

    std::unique_ptr<TModalHost> ModalHost;
    std::unique_ptr<TQtPlayerInterface> PlayerInterface;
    std::unique_ptr<TGame> GameState;

    TStarfield* Sky = nullptr;
    QWidget* MenuColumn = nullptr;
    TStatusArea* StatusPanel = nullptr;
    TSidePanel* SidePanel = nullptr;
    TContentArea* Content = nullptr;
    TLinkButton* EndOfWeekLink = nullptr;
    QHash<QString, TContentPanel*> Panels;
    TManagersPanel* Managers = nullptr;
    TDevelopmentPanel* Development = nullptr;
    TOfficePanel* Office = nullptr;
    TBankPanel* Bank = nullptr;

    TStartScreenDialog* StartWindow = nullptr;
    TWorkingWindow* Working = nullptr;
    TWelcomeDialog* Welcome = nullptr;
    TNewsDialog* News = nullptr;
    TProgressWindow* ProgressBox = nullptr;
    TDepartureDialog* Departure = nullptr;
    THelpWindow* Help = nullptr;
    THireDialog* Hire = nullptr;
    TRentDialog* Rent = nullptr;
    TPortDialog* Port = nullptr;
    TMusicBox* Music = nullptr;

    QTimer Startup;
    QTimer StatusTicker;
    QTimer HelpTicker;
    bool Acting = false;
    bool EndRequested = false;
    bool Ended = false;
    bool Still = false;
    // The release that ends a double click on "End Of Week" plays no week.
    bool SwallowRelease = false;
    // The Escape being pressed found a drop-down list or menu open: it closes that only.
    bool PopupEscape = false;
    // The hint last put in the status bar, whole and as far as it fits there.
    QString FullHint;
    QString ShownHint;
};
