#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QCursor>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "game/Actions.h"
#include "game/Game.h"
#include "game/NewGame.h"
#include "ui/BankPage.h"
#include "ui/BlinkLabel.h"
#include "ui/ContentPanel.h"
#include "ui/Cp1252.h"
#include "ui/DepartureDialog.h"
#include "ui/DevelopmentPage.h"
#include "ui/GenreLights.h"
#include "ui/HelpWindow.h"
#include "ui/HireDialog.h"
#include "ui/InfoPanels.h"
#include "ui/LinkButton.h"
#include "ui/ManagersPage.h"
#include "ui/MarketPanels.h"
#include "ui/ModalHost.h"
#include "ui/NewsDialog.h"
#include "ui/NewsFeedView.h"
#include "ui/NewsPanel.h"
#include "ui/OfficePage.h"
#include "ui/OptionsPanel.h"
#include "ui/PublisherPage.h"
#include "ui/QtPlayerInterface.h"
#include "ui/RentDialog.h"
#include "ui/SidePanel.h"
#include "ui/Starfield.h"
#include "ui/StartScreenDialog.h"
#include "ui/StatusArea.h"
#include "ui/StudyPanels.h"
#include "ui/WelcomeDialog.h"
#include "ui/WorkingWindow.h"
#include "views/StatusView.h"

namespace {
constexpr int StartupMs = 500;
constexpr int StatusMs = 60;
constexpr int HelpMs = 200;
constexpr int DesignedWidth = 1016;
constexpr int DesignedHeight = 732;

// A panel the game does not fill yet: its title and nothing else.
class TEmptyPanel : public TContentPanel {
public:
    using TContentPanel::TContentPanel;
};

class TGameNewsPanel : public TNewsPanel {
public:
    TGameNewsPanel(const TGame& game, QWidget* parent) : TNewsPanel(parent), Game(game) {}
    void Refresh() override { SetText(FromCoreText(Game.Feed.PlainText())); }
    // Left open, it shows each new week's news.
    void GameChanged() override { Refresh(); }

private:
    const TGame& Game;
};

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
    StartWindow = new TStartScreenDialog(*GameState, this);
    Working = new TWorkingWindow(this);
    Hire = new THireDialog(this);
    Rent = new TRentDialog(this);
    Welcome = new TWelcomeDialog(this);
    News = new TNewsDialog(this);
    ProgressBox = new TProgressWindow(this);
    Departure = new TDepartureDialog(this);
    Help = new THelpWindow(this);
    InstallMarketPanels(*this, [this](const std::function<void()>& step) { Guarded(step); });
    InstallInfoPanels(*this);
    InstallStudyPanels(*this);

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
        GameState->Flags.ShowHelp = show;
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
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
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
    layout->addWidget(EndOfWeekLink);
    layout->addSpacing(6);
    auto* version = new QLabel(FromCp1252(GameState->VersionText), column);
    version->setAlignment(Qt::AlignCenter);
    version->setProperty("caption", true);
    layout->addWidget(version);
    return column;
}

void TMainWindow::BuildPanels() {
    // Titles that differ from the link that opens the panel.
    const QHash<QString, QString> titles = {
        {QStringLiteral("Office and Equipment"), QStringLiteral("Invest")},
        {QStringLiteral("Hire Managers"), QStringLiteral("Managers")},
    };
    BuildGamePages();
    for (const auto& group : MenuGroups)
        for (const auto& item : group.Links) {
            const QString link = QString::fromLatin1(item.Text);
            if (link == QLatin1String("Next song") || Panels.contains(link)) continue;
            AddPanel(link, new TEmptyPanel(titles.value(link, link), Content));
        }

    auto* options = new TOptionsPanel(Content);
    AddPanel(QStringLiteral("Game Options"), options);
    connect(options, &TOptionsPanel::QuitGameRequested, this, [this] { Perform(TQuitGame{}); });
    connect(options, &TOptionsPanel::SaveAndEndTurnRequested, this, [this] { Perform(TSaveAndEndTurn{}); });
    connect(options, &TOptionsPanel::MusicRequested, this, [this] { ShowPanel(QStringLiteral("Player")); });
    connect(options, &TOptionsPanel::StarfieldToggleRequested, this,
            [this] { Sky->SetRunning(!Sky->IsRunning()); });
    connect(options, &TOptionsPanel::StarfieldSkyRequested, this,
            [this] { Sky->SetWhiteSky(!Sky->HasWhiteSky()); });
}

void TMainWindow::BuildGamePages() {
    TGame& game = *GameState;
    const TPerform perform = [this](const TPlayerAction& action) { Perform(action); };
    AddPanel(QStringLiteral("News"), new TGameNewsPanel(game, Content));
    Managers = new TManagersPage(game, perform, Content);
    Development = new TDevelopmentPage(game, perform, Content);
    Office = new TOfficePage(game, perform, Content);
    Bank = new TBankPage(game, perform, Content);
    AddPanel(QStringLiteral("Hire Managers"), Managers);
    AddPanel(QStringLiteral("Development"), Development);
    AddPanel(QStringLiteral("Office and Equipment"), Office);
    AddPanel(QStringLiteral("Bank And Investors"), Bank);
    AddPanel(QStringLiteral("Publishers Deal"), new TPublisherPage(game, perform, Content));
    connect(Development, &TDevelopmentPage::ReleaseCalendarRequested, this,
            [this] { ShowPanel(QStringLiteral("Release Calendar")); });
    // The managers panel opens with the assistant counters brought up to date.
    connect(Managers, &TManagersPage::Opened, Development, &TDevelopmentPage::Render);
    connect(Managers, &TManagersPage::SoundRequested, this, &TMainWindow::SoundRequested);
}

void TMainWindow::AddPanel(const QString& link, TContentPanel* panel) {
    Panels.insert(link, panel);
    Content->Track(panel);
    connect(panel, &TContentPanel::Closed, this, [this] { PlaySound(3); });
}

void TMainWindow::InstallPanel(const QString& link, TContentPanel* panel) {
    if (TContentPanel* old = Panels.value(link)) {
        const bool wasVisible = old->isVisible();
        Content->Close(old);
        old->deleteLater();
        if (wasVisible) Content->Present(panel);
    }
    AddPanel(link, panel);
}

void TMainWindow::ShowPanel(const QString& link) {
    TContentPanel* panel = Panels.value(link);
    if (!panel) return;
    Guarded([panel] { panel->Refresh(); });
    Content->Present(panel);
}

void TMainWindow::ClosePanel(const QString& link) {
    if (TContentPanel* panel = Panels.value(link)) Content->Close(panel);
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
        if (panel->isVisible()) panel->GameChanged();
    if (EndRequested) EndProgram();
}

void TMainWindow::Perform(const TPlayerAction& action) {
    Guarded([this, &action] { Apply(*GameState, action); });
}

void TMainWindow::RunEndOfWeek() {
    if (Acting || Ended) return;
    PlaySound(1);
    Perform(TEndOfWeekAction{});
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
    TGame& game = *GameState;
    if (!game.Flags.StartPending) return;
    game.Flags.StartPending = false;
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
        bool loaded = false;
        Guarded([&game, &loaded] { loaded = LoadSavedGameAndPlay(game); });
        if (Ended) return;
        if (!loaded) {
            // The save could not be used and the player has been told why: the next tick shows
            // the start screen again, for a new game or another try.
            game.Flags.StartPending = true;
            return;
        }
    } else {
        Modals().Exec(*Welcome, TWelcomeDialog::Text());
        Guarded([&game] { BeginGame(game); });
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
    StatusTicker.start();
}

void TMainWindow::HelpTick() {
    if (!StatusPanel->ShowHelpBox()->isChecked()) {
        if (Help->isVisible()) Help->hide();
        return;
    }
    const QString hint = statusBar()->currentMessage();
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

void TMainWindow::SetAnimation(bool running) {
    if (running)
        StatusTicker.start();
    else
        StatusTicker.stop();
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
