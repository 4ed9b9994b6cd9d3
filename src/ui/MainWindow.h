#pragma once
// The main window of the game: the status area on top, the menu column, the content area
// where one panel at a time is shown, and the side panel, all over the starfield. It owns
// the running game and the windows the game uses, and runs the start-up sequence.
#include <QHash>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "game/Actions.h"
#include "state/Folders.h"

class TBankPage;
class TContentArea;
class TContentPanel;
class TDepartureDialog;
class TDevelopmentPage;
class TGame;
class TGamePage;
class THelpWindow;
class THireDialog;
class TLinkButton;
class TManagersPage;
class TModalHost;
class TNewsDialog;
class TOfficePage;
class TProgressWindow;
class TQtPlayerInterface;
class TRentDialog;
class TSidePanel;
class TStarfield;
class TStartScreenDialog;
class TStatusArea;
class TWelcomeDialog;
class TWorkingWindow;

class TMainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Without a seed the game's draws start from the clock; without folders the game uses
    // those of its installation.
    explicit TMainWindow(std::optional<uint32_t> seed = std::nullopt,
                         std::optional<TFolders> folders = std::nullopt, QWidget* parent = nullptr);
    ~TMainWindow() override;

    TGame& Game() { return *GameState; }
    TModalHost& Modals() { return *ModalHost; }

    // Content panels, named by the menu link that opens them.
    TContentPanel* Panel(const QString& link) const { return Panels.value(link); }
    QStringList PanelLinks() const { return Panels.keys(); }
    // Puts a panel in place of the one a link opens now (later panels replace the empty ones).
    void InstallPanel(const QString& link, TContentPanel* panel);
    // Refreshes the panel, fills the content area with it and brings it to the front.
    void ShowPanel(const QString& link);
    void ClosePanel(const QString& link);

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
    // Applies one player action; then the status, the side panel and every open panel show
    // the new state, once.
    void Perform(const TPlayerAction& action);
    void SetAnimation(bool running);
    // Nothing moves by itself from now on (starfield, blinking, scrolling feed and banner), so
    // that the same game pictured twice gives the same pictures.
    void HoldStill();
    // Shows what the game's status has become: status area, side panel and news feed.
    void RefreshStatus();
    // The program ends once the running step has finished.
    void RequestProgramEnd() { EndRequested = true; }
    bool ProgramEnded() const { return Ended; }

    TStatusArea& Status() const { return *StatusPanel; }
    TSidePanel& Side() const { return *SidePanel; }
    TStarfield& Starfield() const { return *Sky; }
    TStartScreenDialog& StartScreen() const { return *StartWindow; }
    TWorkingWindow& WorkingWindow() const { return *Working; }
    TWelcomeDialog& WelcomeWindow() const { return *Welcome; }
    TNewsDialog& NewsWindow() const { return *News; }
    TProgressWindow& ProgressWindow() const { return *ProgressBox; }
    TDepartureDialog& DepartureWindow() const { return *Departure; }
    THelpWindow& HelpWindow() const { return *Help; }
    THireDialog& HireWindow() const { return *Hire; }
    TRentDialog& RentWindow() const { return *Rent; }

    TManagersPage& ManagersPage() const { return *Managers; }
    TDevelopmentPage& DevelopmentPage() const { return *Development; }
    TOfficePage& OfficePage() const { return *Office; }
    TBankPage& BankPage() const { return *Bank; }

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
    void BuildPanels();
    void AddPanel(const QString& link, TContentPanel* panel);
    // The game's own panels, which render from the game's models.
    void BuildGamePages();
    // Runs a step of the window's own (start-up, a view's filter); an error it raises is
    // shown, then the window catches up.
    void Guarded(const std::function<void()>& step);
    void EndProgram();
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
    TManagersPage* Managers = nullptr;
    TDevelopmentPage* Development = nullptr;
    TOfficePage* Office = nullptr;
    TBankPage* Bank = nullptr;

    TStartScreenDialog* StartWindow = nullptr;
    TWorkingWindow* Working = nullptr;
    TWelcomeDialog* Welcome = nullptr;
    TNewsDialog* News = nullptr;
    TProgressWindow* ProgressBox = nullptr;
    TDepartureDialog* Departure = nullptr;
    THelpWindow* Help = nullptr;
    THireDialog* Hire = nullptr;
    TRentDialog* Rent = nullptr;

    QTimer Startup;
    QTimer StatusTicker;
    QTimer HelpTicker;
    bool Acting = false;
    bool EndRequested = false;
    bool Ended = false;
    bool Still = false;
};
