#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <string>
#include <utility>

#include "game/Game.h"
#include "ui/dialogs/DepartureDialog.h"
#include "ui/dialogs/HelpWindow.h"
#include "ui/dialogs/HireDialog.h"
#include "ui/dialogs/NewsDialog.h"
#include "ui/dialogs/PortDialog.h"
#include "ui/dialogs/RentDialog.h"
#include "ui/dialogs/StartScreenDialog.h"
#include "ui/dialogs/WelcomeDialog.h"
#include "ui/dialogs/WorkingWindow.h"
#include "ui/panels/BankPanel.h"
#include "ui/panels/CalendarPanel.h"
#include "ui/panels/CompanyDetailsPanel.h"
#include "ui/panels/ContentPanel.h"
#include "ui/panels/DevelopmentPanel.h"
#include "ui/panels/FinancePanel.h"
#include "ui/panels/FutureReleasesPanel.h"
#include "ui/panels/ManagersPanel.h"
#include "ui/panels/MarketInfoPanel.h"
#include "ui/panels/MusicPanel.h"
#include "ui/panels/NewsPanel.h"
#include "ui/panels/OfficePanel.h"
#include "ui/panels/OptionsPanel.h"
#include "ui/panels/PreviewPanel.h"
#include "ui/panels/PublisherPanel.h"
#include "ui/panels/SalesChartPanel.h"
#include "ui/panels/StudyPanel.h"
#include "ui/widgets/BlinkLabel.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/GenreLights.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/MarketStyle.h"
#include "ui/widgets/NewsFeedView.h"
#include "ui/widgets/NowPlayingBanner.h"
#include "ui/widgets/Starfield.h"
#include "ui/window/ContentArea.h"
#include "ui/window/ModalHost.h"
#include "ui/window/MusicBox.h"
#include "ui/window/QtPlayerInterface.h"
#include "ui/window/SidePanel.h"
#include "ui/window/StatusArea.h"
#include "views/StatusView.h"

namespace {
constexpr int StartupMs = 500;
constexpr int StatusMs = 60;
constexpr int HelpMs = 200;
constexpr int DesignedWidth = 1016;
constexpr int DesignedHeight = 732;
// Room kept free on either side of the status bar's hint.
constexpr int HintGap = 12;

struct TMenuLink {
    const char* Text;
    const char* Hint;
};

struct TMenuGroup {
    const char* Heading;
    std::initializer_list<TMenuLink> Links;
};

const TMenuGroup MenuGroups[] = {
    {"Financial",
     {{"Office and Equipment", "Buy a bigger headquarters, extra offices and better equipment"},
      {"Bank And Investors", "Borrow money, repay your loan or look for an investor"},
      {"Financial Info", "Your money, income and costs, week by week"},
      {"Publishers Deal", "Your publisher contract and the search for a new one"}}},
    {"Managment",
     {{"Hire Managers", "Hire a lead programmer, a project leader and a lead designer"},
      {"Development", "Start a game project and follow its progress"},
      {"Study And Tools", "Study platforms and build tools that make better games"},
      {"Company Details", "Your company's games and their chart positions"}}},
    {"Info and News",
     {{"Sales Charts", "The best-selling games of the week"},
      {"Future Releases", "Games announced by other studios"},
      {"Release Calendar", "Who releases what, and when"},
      {"News", "This week's news in full"},
      {"Market Info", "Machines sold per platform and what the public wants to play"}}},
    {"Music", {{"Player", "Choose and play music"}, {"Next song", "Skip to the next song"}}},
};
} // namespace

TMainWindow::TMainWindow(std::optional<uint32_t> seed, std::optional<TFolders> folders, QWidget* parent)
    : QMainWindow(parent), ModalHost(std::make_unique<TModalHost>()),
      PlayerInterface(std::make_unique<TQtPlayerInterface>(*this)),
      GameState(std::make_unique<TGame>(*PlayerInterface, seed, std::move(folders))) {
    setWindowTitle(QStringLiteral("Quillon - The Bright Years"));
    BuildWindow();

    // The other windows, each made once and reused for the whole run.
    StartWindow = new TStartScreenDialog(
        *GameState, [this](const TGesture& gesture) { return Act(gesture); },
        [this](QDialog& dialog) { return Modals().Exec(dialog, dialog.windowTitle()); }, this);
    Working = new TWorkingWindow(this);
    Hire = new THireDialog(this);
    Rent = new TRentDialog(this);
    Welcome = new TWelcomeDialog(this);
    News = new TNewsDialog(this);
    ProgressBox = new TProgressWindow(this);
    Departure = new TDepartureDialog(this);
    Help = new THelpWindow(this);
    Port = new TPortDialog(this);

    EndOfWeekLink->setFocus();
    RefreshStatus();
    FitToScreen();

    connect(&Startup, &QTimer::timeout, this, &TMainWindow::StartupTick);
    connect(&StatusTicker, &QTimer::timeout, this, &TMainWindow::StatusTick);
    connect(&HelpTicker, &QTimer::timeout, this, &TMainWindow::HelpTick);
    StatusTicker.start(StatusMs);
    HelpTicker.setInterval(HelpMs);
    Startup.start(StartupMs);
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::FitToScreen() {
    // The smallest size is the one at which every part of the window, and every panel in the
    // content area, gets the room its layout asks for; below it parts would be drawn over each
    // other. The layout keeps it so as panels come and go.
    Content->updateGeometry();
    layout()->activate();
    // The size the window was designed at, where the screen has room for it, in the middle of
    // the screen's free area.
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect free = screen ? screen->availableGeometry() : QRect(0, 0, DesignedWidth, DesignedHeight);
    const QSize size = QSize(DesignedWidth, DesignedHeight).boundedTo(free.size()).expandedTo(minimumSize());
    QRect placed = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, free);
    // Taller or wider than the screen: its top left corner stays in view.
    placed.moveTopLeft(QPoint(std::max(placed.left(), free.left()), std::max(placed.top(), free.top())));
    setGeometry(placed);
}

void TMainWindow::BuildWindow() {
    Sky = new TStarfield(this);
    setCentralWidget(Sky);
    auto* grid = new QGridLayout(Sky);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setSpacing(10);

    StatusPanel = new TStatusArea(Sky);
    grid->addWidget(StatusPanel, 0, 0, 1, 3);
    MenuColumn = BuildMenu();
    grid->addWidget(MenuColumn, 1, 0);
    Content = new TContentArea(Sky);
    connect(Content, &TContentArea::Uncovered, this, &TMainWindow::CatchUp);
    grid->addWidget(Content, 1, 1);
    SidePanel = new TSidePanel(Sky);
    grid->addWidget(SidePanel, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    statusBar()->setSizeGripEnabled(true);

    BuildPanels();

    connect(StatusPanel, &TStatusArea::GameOptionsRequested, this, [this] {
        PlaySound(2);
        ShowPanel(QStringLiteral("Game Options"));
    });
    connect(StatusPanel, &TStatusArea::ShowHelpChanged, this, [this](bool show) {
        Act(TSetShowHelp{show});
        if (!show) Help->hide();
    });
    connect(SidePanel, &TSidePanel::PanelRequested, this, [this](const QString& link) {
        PlaySound(0);
        ShowPanel(link);
    });
    connect(SidePanel, &TSidePanel::WorldNewsRequested, this,
            [this] { Guarded([this] { PlayerInterface->ShowNewsWindow(GameState->News); }); });
    connect(SidePanel, &TSidePanel::LightsHelpRequested, this, [this] {
        Guarded([this] {
            PlayerInterface->ShowMessage(ToCp1252(TSidePanel::LightsHint()), "Genre lights",
                                         TMessageKind::Information);
        });
    });
    connect(SidePanel, &TSidePanel::Widened, this, [this] { PlaySound(4); });
    connect(SidePanel, &TSidePanel::Narrowed, this, [this] { PlaySound(5); });

    // Escape closes the panel in front, as its "X" does; not the calendar while it is the
    // only way on.
    qApp->installEventFilter(this);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        // An open drop-down list or menu takes the first Escape for itself: the panel under it
        // stays, and waits for a further one.
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        if (std::exchange(PopupEscape, false)) return;
        TContentPanel* top = Content->Top();
        if (Acting || !top || !top->XButton()->isVisibleTo(top) || !top->XButton()->isEnabled()) return;
        top->XButton()->click();
    });
    for (const char* keys : {"Ctrl+E", "F5"}) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(keys)), this);
        connect(shortcut, &QShortcut::activated, this, &TMainWindow::RunEndOfWeek);
    }
}

QWidget* TMainWindow::BuildMenu() {
    auto* column = new QFrame(Sky);
    column->setObjectName(QStringLiteral("MenuColumn"));
    column->setAttribute(Qt::WA_StyledBackground);
    column->setFixedWidth(196);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(8, 8, 8, 10);
    layout->setSpacing(0);

    auto* logo = new QLabel(QStringLiteral("QUILLON"), column);
    logo->setAlignment(Qt::AlignCenter);
    logo->setStyleSheet(
        QStringLiteral("color: #ffcf5a; font-size: 17pt; font-weight: bold; letter-spacing: 3px;"));
    auto* tagline = new QLabel(tr("The Bright Years"), column);
    tagline->setAlignment(Qt::AlignCenter);
    tagline->setStyleSheet(QStringLiteral("color: #8fd3ff; font-style: italic;"));
    layout->addWidget(logo);
    layout->addWidget(tagline);
    layout->addSpacing(4);

    for (const auto& group : MenuGroups) {
        auto* heading = new QLabel(QString::fromLatin1(group.Heading), column);
        heading->setProperty("heading", true);
        layout->addWidget(heading);
        layout->addSpacing(2);
        for (const auto& item : group.Links) {
            const QString text = QString::fromLatin1(item.Text);
            auto* link = new TLinkButton(text, tr(item.Hint), column);
            layout->addWidget(link);
            connect(link, &QPushButton::clicked, this, [this, text] {
                PlaySound(0);
                // "Next song" belongs to the music player; every other link opens its panel.
                if (text == QLatin1String("Development")) Perform(TOpenDevelopment{});
                if (Panels.contains(text)) ShowPanel(text);
            });
        }
    }
    layout->addSpacing(8);
    auto* options =
        new TLinkButton(QStringLiteral("Game Options"), tr("Quit, save, music and background"), column);
    connect(options, &QPushButton::clicked, this, [this] {
        PlaySound(2);
        ShowPanel(QStringLiteral("Game Options"));
    });
    layout->addWidget(options);
    layout->addStretch(1);

    EndOfWeekLink = new TLinkButton(QStringLiteral("End Of Week"),
                                    tr("Play the next week: sales, costs, news and your project move on "
                                       "(Ctrl+E or F5)"),
                                    column);
    EndOfWeekLink->setObjectName(QStringLiteral("EndOfWeek"));
    EndOfWeekLink->setProperty("link", false);
    EndOfWeekLink->setToolTip(tr("End the week (Ctrl+E or F5)"));
    connect(EndOfWeekLink, &QPushButton::clicked, this, &TMainWindow::RunEndOfWeek);
    // The second press of a double click is not a second week.
    EndOfWeekLink->installEventFilter(this);
    layout->addWidget(EndOfWeekLink);
    layout->addSpacing(6);
    auto* version = new QLabel(FromCp1252(GameState->VersionText), column);
    version->setAlignment(Qt::AlignCenter);
    version->setProperty("caption", true);
    layout->addWidget(version);
    return column;
}

void TMainWindow::BuildPanels() {
    // Most panels are made without a parent and polished when the content area adopts them, as
    // they always were: made inside it, the calendar's grid headers come out a pixel taller.
    const TGame& game = *GameState;
    Managers = new TManagersPanel(game, *this, Content);
    Development = new TDevelopmentPanel(game, *this, Content);
    Office = new TOfficePanel(game, *this, Content);
    Bank = new TBankPanel(game, *this, Content);
    AddPanel(QStringLiteral("Office and Equipment"), Office);
    AddPanel(QStringLiteral("Bank And Investors"), Bank);
    AddPanel(QStringLiteral("Financial Info"), new TFinancePanel(game, *this));
    AddPanel(QStringLiteral("Publishers Deal"), new TPublisherPanel(game, *this, Content));
    AddPanel(QStringLiteral("Hire Managers"), Managers);
    AddPanel(QStringLiteral("Development"), Development);
    AddPanel(QStringLiteral("Study And Tools"), new TStudyPanel(game, *this));
    AddPanel(QStringLiteral("Company Details"), new TCompanyDetailsPanel(game, *this));
    AddPanel(QStringLiteral("Sales Charts"), new TSalesChartPanel(game, *this));
    AddPanel(QStringLiteral("Future Releases"), new TFutureReleasesPanel(game, *this));
    AddPanel(QStringLiteral("Release Calendar"), new TCalendarPanel(game, *this));
    AddPanel(QStringLiteral("News"), new TNewsPanel(game, *this, Content));
    AddPanel(QStringLiteral("Market Info"), new TMarketInfoPanel(game, *this));
    AddPanel(QStringLiteral("Preview Feedback"), new TPreviewPanel(game, *this));
    AddPanel(QStringLiteral("Player"), new TMusicPanel(game, *this));

    connect(Development, &TDevelopmentPanel::PortDialogRequested, this, &TMainWindow::OpenPortDialog);
    // The managers panel opens with the assistant counters brought up to date.
    connect(Managers, &TManagersPanel::Opened, Development, &TDevelopmentPanel::Render);
    connect(Managers, &TManagersPanel::SoundRequested, this, &TMainWindow::SoundRequested);

    auto* options = new TOptionsPanel(game, *this, Content);
    AddPanel(QStringLiteral("Game Options"), options);
    connect(options, &TOptionsPanel::QuitGameRequested, this, [this] {
        if (!Acting && !Ended && MayLoseUnsavedWeeks()) Act(TQuitGame{});
    });
    connect(options, &TOptionsPanel::SaveAndEndTurnRequested, this, [this] { Act(TSaveAndEndTurn{}); });
    connect(options, &TOptionsPanel::MusicRequested, this, [this] { ShowPanel(QStringLiteral("Player")); });
    connect(options, &TOptionsPanel::StarfieldToggleRequested, this,
            [this] { Sky->SetRunning(!Sky->IsRunning()); });
    connect(options, &TOptionsPanel::StarfieldSkyRequested, this,
            [this] { Sky->SetWhiteSky(!Sky->HasWhiteSky()); });
}

void TMainWindow::AddPanel(const QString& link, TContentPanel* panel) {
    Panels.insert(link, panel);
    Content->Track(panel);
    connect(panel, &TContentPanel::Closed, this, [this] { PlaySound(3); });
}

TMusicBox& TMainWindow::InstallMusic(std::unique_ptr<TAudio> audio, const std::string& musicFolder,
                                     const std::string& soundsFolder, TMusicPlayer::TRandomFunction random) {
    auto* panel = qobject_cast<TMusicPanel*>(Panels.value(QStringLiteral("Player")));
    auto* banner = new TNowPlayingBanner;
    statusBar()->addPermanentWidget(banner);
    Music = new TMusicBox(
        *panel, *banner, *Working, [this](bool off) { Act(TSetMusicOff{off}); }, std::move(audio),
        musicFolder, soundsFolder, std::move(random));
    Music->setParent(this);
    connect(this, &TMainWindow::SoundRequested, Music, &TMusicBox::PlayEffect);
    if (TLinkButton* next = Link(QStringLiteral("Next song")))
        connect(next, &QPushButton::clicked, Music, &TMusicBox::NextSong);
    connect(this, &TMainWindow::GameStarted, Music, [this] { Music->StartGame(GameState->Flags.MusicOff); });
    // The end of a song is looked for, and the banner moved on, with the window's animation.
    connect(&StatusTicker, &QTimer::timeout, Music, &TMusicBox::Tick);
    return *Music;
}

void TMainWindow::OpenPortDialog() {
    Port->Prepare(*GameState);
    // "Cancel" (or closing the window) changes nothing; "Choose" is the player's choice.
    if (Modals().Exec(*Port, Port->windowTitle()) != QDialog::Accepted) return;
    Act(TPortGame{.ReleasedIndex = Port->ChosenEntry(), .Platform = Port->ChosenPlatform()});
}

void TMainWindow::ShowPanel(const QString& link) {
    TContentPanel* panel = Panels.value(link);
    if (!panel) return;
    Guarded([this, panel] {
        if (const auto opening = panel->Opening()) ::Act(*GameState, *opening);
        panel->Refresh();
    });
    Content->Present(panel);
}

void TMainWindow::ClosePanel(const QString& link) {
    if (TContentPanel* panel = Panels.value(link)) Content->Close(panel);
}

bool TMainWindow::Confirm(const std::string& text, const std::string& caption) {
    return PlayerInterface->AskBeforeLoss(text, caption);
}

TLinkButton* TMainWindow::Link(const QString& text) const {
    // Only the window's own links: the start screen has a "Quit Game" of its own.
    for (TLinkButton* link : findChildren<TLinkButton*>())
        if (link->text() == text && link->window() == this) return link;
    return nullptr;
}

void TMainWindow::Guarded(const std::function<void()>& step) {
    // One player action at a time; the dialogs an action opens are modal anyway.
    if (Acting || Ended) return;
    Acting = true;
    try {
        step();
    } catch (const std::exception& error) {
        PlayerInterface->ShowMessage(error.what(), "Error", TMessageKind::Error);
    }
    Acting = false;
    RefreshStatus();
    for (TContentPanel* panel : Panels)
        if (panel->isVisible()) CatchUp(panel);
    if (EndRequested) EndProgram();
}

void TMainWindow::CatchUp(TContentPanel* panel) {
    if (const auto following = panel->Following()) ::Act(*GameState, *following);
    panel->Render();
}

TOutcome TMainWindow::Act(const TGesture& gesture) {
    // One player action at a time. What only changes a screen (a graph resized, the music
    // switched off) or belongs to the score sheet an action shows is taken at once; the
    // action's end brings the window up to date.
    if (Acting && !std::holds_alternative<TPlayerAction>(gesture)) return ::Act(*GameState, gesture);
    TOutcome outcome = TOutcome::Refused();
    Guarded([this, &gesture, &outcome] { outcome = ::Act(*GameState, gesture); });
    return outcome;
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
    {
        // An Escape that finds a drop-down list or menu open belongs to it, even where the list
        // closes itself before the window's shortcut hears the key (the whole program's keys
        // pass here).
        const QEvent::Type type = event->type();
        if ((type == QEvent::ShortcutOverride || type == QEvent::KeyRelease) &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            if (type == QEvent::KeyRelease)
                PopupEscape = false;
            else if (QApplication::activePopupWidget())
                PopupEscape = true;
        }
    }
    if (watched == EndOfWeekLink) {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonDblClick) {
            // The press before it has already pushed the link down; it is let up without a click.
            EndOfWeekLink->setDown(false);
            SwallowRelease = true;
            return true;
        }
        if (type == QEvent::MouseButtonRelease && SwallowRelease) {
            SwallowRelease = false;
            return true;
        }
        // A press while a week runs is dropped, and so is its release.
        if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) && (Acting || Ended))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TMainWindow::MayLoseUnsavedWeeks() {
    const int weeks = GameState->WeeksSinceSave;
    if (weeks <= 0 || GameState->Flags.QuitChosen) return true;
    const std::string count = std::to_string(weeks) + (weeks == 1 ? " week has" : " weeks have");
    return PlayerInterface->AskBeforeLoss(
        count + " been played since the game was last saved, and will be lost.\r\n"
                "Do you want to quit anyway?",
        "Quit Game");
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    // The window's own end (after "Quit Game" or the start screen's) asks nothing.
    if (!Ended && !Acting && !MayLoseUnsavedWeeks()) {
        event->ignore();
        return;
    }
    if (!Ended) {
        // Closed by the player: nothing runs on, and the help window goes with it.
        Ended = true;
        Startup.stop();
        StatusTicker.stop();
        HelpTicker.stop();
        Help->hide();
    }
    QMainWindow::closeEvent(event);
}

void TMainWindow::RunEndOfWeek() {
    if (Acting || Ended) return;
    PlaySound(1);
    Act(TEndOfWeekAction{});
}

void TMainWindow::EndProgram() {
    Ended = true;
    Startup.stop();
    StatusTicker.stop();
    HelpTicker.stop();
    Help->hide();
    close();
}

void TMainWindow::StartupTick() {
    Startup.stop();
    const TGame& game = *GameState;
    if (!game.Flags.StartPending) return;
    // The start screen asks the game for its names first, which takes the pending start.
    StartWindow->Prepare();
    Modals().Exec(*StartWindow, StartWindow->windowTitle());
    Startup.start();
    if (game.Flags.QuitChosen) {
        EndProgram();
        return;
    }
    // The start screen may have brought the player's help choice from the profile.
    StatusPanel->ShowHelpBox()->setChecked(game.Flags.ShowHelp);
    if (game.Flags.LoadRequested) {
        // A save that cannot be used has been explained, and the game has the start screen
        // pending again for the next tick: a new game or another try.
        const bool loaded = Act(TPlayLoadedGame{}).Done;
        if (Ended || !loaded) return;
    } else {
        Modals().Exec(*Welcome, TWelcomeDialog::Text());
        Act(TBeginWorld{});
        if (Ended) return;
    }
    HelpTicker.start();
    Sky->update();
    emit GameStarted();
}

void TMainWindow::StatusTick() {
    if (GameState->Flags.QuitChosen) return;
    StatusTicker.stop();
    SidePanel->Feed()->ScrollStep();
    // Money and free space blink wherever they are shown.
    for (TBlinkLabel* label : findChildren<TBlinkLabel*>())
        label->Tick();
    if (!Still) StatusTicker.start();
}

bool TMainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // The status bar shows as much of the hint as fits before the "Now Playing :" banner,
        // ending in "…"; the help window shows all of it.
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        QStatusBar* bar = statusBar();
        int right = bar->width() - HintGap;
        for (auto* banner : bar->findChildren<TNowPlayingBanner*>())
            if (banner->isVisible()) right = std::min(right, banner->geometry().left() - HintGap);
        FullHint = tip;
        ShownHint = bar->fontMetrics().elidedText(tip, Qt::ElideRight, std::max(0, right - HintGap));
        bar->showMessage(ShownHint);
        return true;
    }
    return QMainWindow::event(event);
}

void TMainWindow::HelpTick() {
    if (!StatusPanel->ShowHelpBox()->isChecked()) {
        if (Help->isVisible()) Help->hide();
        return;
    }
    QString hint = statusBar()->currentMessage();
    if (!hint.isEmpty() && hint == ShownHint) hint = FullHint;
    if (hint.trimmed().isEmpty()) {
        Help->hide();
        return;
    }
    Help->SetHint(hint);
    const QPoint mouse = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(mouse);
    if (!screen) screen = QGuiApplication::primaryScreen();
    Help->move(Help->PositionFor(mouse, screen->availableGeometry()));
    if (!Help->isVisible()) Help->show();
}

void TMainWindow::HoldStill() {
    Still = true;
    StatusTicker.stop();
    Sky->HoldStill();
    StartWindow->Sky()->HoldStill();
}

void TMainWindow::SetAnimation(bool running) {
    if (running && !Still)
        StatusTicker.start();
    else
        StatusTicker.stop();
}

void TMainWindow::ScrollFeedToTop() {
    SidePanel->Feed()->ScrollToTop();
}

void TMainWindow::RefreshStatus() {
    const TGame& game = *GameState;
    StatusPanel->Show(StatusView(game));
    SidePanel->SetEconomy(FromCoreText(game.Side.Economy), FromCoreText(game.Side.Headline));
    SidePanel->SetPublisher(FromCoreText(game.Side.Publisher));
    const TDevelopment& project = game.State.Development;
    // While a release week is being chosen, the calendar is the only way on.
    MenuColumn->setVisible(!project.ReleaseMode);
    SidePanel->setVisible(!project.ReleaseMode);
    SidePanel->SetProject(FromCp1252(project.SideLink), FromCp1252(project.SideCaption), project.SideBlinks);
    SidePanel->SetStudyCaption(FromCp1252(game.State.Study.SideCaption));
    SidePanel->Lights()->ShowLights(game.Side.GenreLights);
    QStringList best;
    for (const std::string& label : game.Side.BestPlatforms)
        best.append(FromCp1252(label));
    SidePanel->SetBestPlatforms(best);
    SidePanel->Feed()->Render(game.Feed);
}
