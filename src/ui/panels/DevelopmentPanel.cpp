#include "ui/panels/DevelopmentPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "company/Space.h"
#include "company/Staff.h"
#include "dev/Port.h"
#include "dev/Project.h"
#include "game/Actions.h"
#include "game/Game.h"
#include "state/PlatformTables.h"
#include "ui/panels/PanelKit.h"
#include "ui/widgets/BlinkLabel.h"
#include "ui/widgets/Counter.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/MarketStyle.h"
#include "ui/widgets/NameField.h"
#include "views/DevelopmentView.h"

TDevelopmentPanel::TDevelopmentPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Development"), game, host, parent) {
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(16, 12, 16, 0);
    layout->setSpacing(10);

    layout->addWidget(BuildProjectArea(), 1);

    auto* box = MakeCard(Body());
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(14, 10, 14, 12);
    boxLayout->setSpacing(6);
    boxLayout->addWidget(MakeHeading(QStringLiteral("Hire Assistants"), box));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    const struct {
        const char* Caption;
        const char* Hint;
    } kinds[3] = {
        {"Programmers:", "Programmers write the engine of your game"},
        {"Musicians:", "Musicians make the music and the sound effects"},
        {"graphic designers:", "Graphic designers draw everything the player sees"},
    };
    for (int k = 0; k < 3; ++k) {
        auto* caption = MakeCaption(QString::fromLatin1(kinds[k].Caption), box);
        auto* counter = new TCounter(0, 100, box);
        const QString hint =
            tr(kinds[k].Hint) + tr(". Every assistant needs office space, and the project leader's rating "
                                   "limits how big a team can grow.");
        SetHint(caption, hint);
        counter->SetHint(hint);
        grid->addWidget(caption, k, 0);
        grid->addWidget(counter, k, 1);
        Counters[static_cast<size_t>(k)] = counter;
        const auto kind = static_cast<TAssistantKind>(k);
        connect(counter, &TCounter::StepRequested, this, [this, kind](int step) {
            Act(TSetAssistants{.Kind = kind, .Count = AssistantCount(Game, kind) + step});
        });
    }

    auto* spaceCaption = MakeCaption(QStringLiteral("Office Space Available :"), box);
    Space = new TBlinkLabel(box);
    Space->setProperty("value", true);
    const QString spaceHint = tr("Room for more employees. Rent more offices on the Invest panel.");
    SetHint(spaceCaption, spaceHint);
    SetHint(Space, spaceHint);
    grid->addWidget(spaceCaption, 0, 2, Qt::AlignRight);
    grid->addWidget(Space, 0, 3);
    Wage = MakeValue(box);
    Wage->setProperty("value", false);
    SetHint(Wage, tr("What each assistant costs a month"));
    grid->addWidget(Wage, 1, 2, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(3, 40);
    boxLayout->addLayout(grid);

    Error = new QLabel(box);
    Error->setObjectName(QStringLiteral("ErrorLine"));
    Error->setWordWrap(true);
    boxLayout->addWidget(Error);
    layout->addWidget(box);
}

QWidget* TDevelopmentPanel::BuildProjectArea() {
    auto* area = MakeCard(Body());
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(14, 10, 14, 10);
    layout->setSpacing(8);
    auto* top = new QHBoxLayout;
    top->addWidget(MakeHeading(tr("Project"), area));
    // The last preview stays readable whatever the project does.
    LatestPreview = new TLinkButton(QStringLiteral("Latest Preview"),
                                    tr("What the magazine wrote about your game last time"), area);
    top->addWidget(LatestPreview);
    top->addStretch(1);
    Busy = new QProgressBar(area);
    Busy->setRange(0, 0); // a bar that keeps moving while the team works
    Busy->setTextVisible(false);
    Busy->setFixedSize(90, 10);
    SetHint(Busy, tr("Your team is at work on the game"));
    top->addWidget(Busy);
    Status = new TBlinkLabel(area);
    Status->setProperty("value", true);
    SetHint(Status, tr("Where the project stands"));
    top->addWidget(Status);
    layout->addLayout(top);

    // The project box: everything of a project, usable once one has been set up.
    Project = new QWidget(area);
    auto* box = new QVBoxLayout(Project);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(8);
    layout->addWidget(Project);

    // Name, genre and platform: chosen once, before "Start project".
    NameGroup = new QWidget(Project);
    auto* names = new QGridLayout(NameGroup);
    names->setContentsMargins(0, 0, 0, 0);
    names->setHorizontalSpacing(8);
    Name = new QLineEdit(NameGroup);
    Name->setMaxLength(ProjectNameLength);
    SetHint(Name, tr("The name of your game (at most 20 characters)"));
    Genre = new QComboBox(NameGroup);
    SetHint(Genre, FromCoreText(GenreRatioHint));
    Platform = new QComboBox(NameGroup);
    SetHint(Platform, tr("The machine your game is made for: its tools and your knowledge of it count"));
    names->addWidget(MakeCaption(tr("Game name:"), NameGroup), 0, 0);
    auto* nameCell = new QVBoxLayout;
    nameCell->setSpacing(3);
    nameCell->addWidget(Name);
    QLabel* nameHint = MakeNameHint(NameGroup);
    GuardName(Name, nameHint, tr("A game name"), GameNameProblem);
    nameCell->addWidget(nameHint);
    names->addLayout(nameCell, 0, 1, 1, 3);
    names->addWidget(MakeCaption(tr("Genre:"), NameGroup), 1, 0);
    names->addWidget(Genre, 1, 1);
    names->addWidget(MakeCaption(tr("Platform:"), NameGroup), 1, 2);
    names->addWidget(Platform, 1, 3);
    Port = new TLinkButton(QStringLiteral("Develop existing game for an other platform"),
                           FromCoreText(PortLinkHint), NameGroup);
    names->addWidget(Port, 2, 0, 1, 4, Qt::AlignLeft);
    names->setColumnStretch(1, 1);
    names->setColumnStretch(3, 1);
    box->addWidget(NameGroup);

    // Technology and options: open until the last weeks of development.
    OptionsGroup = new QWidget(Project);
    auto* options = new QGridLayout(OptionsGroup);
    options->setContentsMargins(0, 0, 0, 0);
    options->setHorizontalSpacing(8);
    Technology = new QComboBox(OptionsGroup);
    for (const char* item : TechnologyItems)
        Technology->addItem(QString::fromLatin1(item));
    SetHint(Technology, FromCoreText(TechnologyHint));
    TechnologyCaption = MakeCaption(QStringLiteral("Game technology:"), OptionsGroup);
    options->addWidget(TechnologyCaption, 0, 0);
    options->addWidget(Technology, 0, 1, 1, 3);
    const char* const optionHints[4] = {
        "Testing finds the bugs before the players do: a better game, more work",
        "A demo lets the players try your game first: a better game, more work",
        "Players can play together: a better game, much more work",
        "Maps, posters and goodies in the box: a better game, more work"};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(OptionNames[i]), OptionsGroup);
        SetHint(box, tr(optionHints[i]));
        options->addWidget(box, 1 + i / 2, i % 2 * 2, 1, 2);
        Options[static_cast<size_t>(i)] = box;
        const auto option = static_cast<TProjectOption>(i);
        connect(box, &QCheckBox::clicked, this,
                [this, option](bool ticked) { Act(TSetProjectOption{.Option = option, .Ticked = ticked}); });
    }
    options->setColumnStretch(1, 1);
    options->setColumnStretch(3, 1);
    box->addWidget(OptionsGroup);

    AdvertisingGroup = new QWidget(Project);
    auto* advertising = new QHBoxLayout(AdvertisingGroup);
    advertising->setContentsMargins(0, 0, 0, 0);
    Advertising = new QComboBox(AdvertisingGroup);
    for (int level = 0; level <= 10; ++level)
        Advertising->addItem(FromCp1252(AdvertisingItem(level)));
    SetHint(Advertising, tr("Advertising builds hype, which sells the game; it is paid every week until the "
                            "game is released"));
    advertising->addWidget(MakeCaption(tr("Advertising:"), AdvertisingGroup));
    advertising->addWidget(Advertising, 1);
    Preview = MakeActionButton(QStringLiteral("Preview Game"),
                               tr("Send the game to a magazine for a preview (in the last 30 weeks of "
                                  "development); the preview arrives next week"),
                               AdvertisingGroup);
    advertising->addWidget(Preview);
    box->addWidget(AdvertisingGroup);

    // Progress: weeks of work left in each area, and in all.
    auto* progress = new QGridLayout;
    progress->setHorizontalSpacing(8);
    progress->setVerticalSpacing(3);
    const char* const areas[3] = {"Engine", "Sfx,Music", "Graphics"};
    for (int a = 0; a < 3; ++a) {
        auto* bar = new QProgressBar(Project);
        bar->setTextVisible(false);
        bar->setFixedHeight(12);
        SetHint(bar, tr("Work still to do on the %1").arg(QString::fromLatin1(areas[a])));
        progress->addWidget(MakeCaption(QString::fromLatin1(areas[a]), Project), a, 0);
        progress->addWidget(bar, a, 1);
        Bars[static_cast<size_t>(a)] = bar;
    }
    Weeks = new QLineEdit(Project);
    Weeks->setReadOnly(true);
    Weeks->setFixedWidth(48);
    Weeks->setAlignment(Qt::AlignRight);
    SetHint(Weeks, tr("Weeks of development left"));
    progress->addWidget(MakeCaption(tr("Development time (weeks):"), Project), 0, 2, Qt::AlignRight);
    progress->addWidget(Weeks, 0, 3);
    progress->setColumnStretch(1, 1);
    box->addLayout(progress);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    StartNew = MakeActionButton(QStringLiteral("Start New Project"), tr("Set up a new game"), area);
    StartProject =
        MakeActionButton(QStringLiteral("Start project"), tr("Begin developing the game as set up"), area);
    Cancel =
        MakeActionButton(QStringLiteral("Cancel Project"), tr("Give up the game; its work is lost"), area);
    Release = MakeActionButton(QStringLiteral("Release Game "),
                               tr("Choose the week your finished game goes on sale"), area);
    for (QPushButton* button : {StartNew, StartProject, Cancel, Release})
        buttons->addWidget(button);
    layout->addLayout(buttons);

    connect(StartNew, &QPushButton::clicked, this, [this] {
        Act(TStartNewProject{});
        if (Game.State.Development.Stage == TProjectStage::Initial) {
            Name->setText(QStringLiteral("New Game"));
            Name->setFocus();
            Name->selectAll();
        }
    });
    connect(StartProject, &QPushButton::clicked, this, [this] {
        Act(TStartProject{.GameName = ToCp1252(Name->text())});
        if (Game.State.Development.Stage == TProjectStage::Initial) Name->setFocus();
    });
    connect(Cancel, &QPushButton::clicked, this, [this] { Act(TCancelProject{}); });
    connect(Port, &QPushButton::clicked, this, &TDevelopmentPanel::PortDialogRequested);
    connect(Preview, &QPushButton::clicked, this, [this] { Act(TRequestPreview{}); });
    connect(LatestPreview, &QPushButton::clicked, this,
            [this] { ShowPanel(QStringLiteral("Preview Feedback")); });
    connect(Release, &QPushButton::clicked, this, [this] {
        Act(TBeginRelease{});
        // The calendar is the only way on once the release has begun.
        if (Game.State.Development.ReleaseMode) ShowPanel(QStringLiteral("Release Calendar"));
    });
    connect(Genre, &QComboBox::activated, this,
            [this](int index) { Act(TChooseProjectGenre{.Genre = index}); });
    connect(Platform, &QComboBox::activated, this, [this](int index) {
        Act(TChooseProjectPlatform{.Platform = Platform->itemData(index).toInt()});
    });
    connect(Technology, &QComboBox::activated, this,
            [this](int index) { Act(TSetTechnology{.Level = index}); });
    connect(Advertising, &QComboBox::activated, this,
            [this](int index) { Act(TSetAdvertising{.Level = index}); });
    return area;
}

void TDevelopmentPanel::Render() {
    RenderProject();
    const auto& c = Game.State.Company;
    const int32_t counts[3] = {c.AssistProgrammers, c.AssistMusicians, c.AssistArtists};
    for (size_t k = 0; k < Counters.size(); ++k)
        Counters[k]->SetValue(counts[k]);
    const int free = FreeSpace(Game);
    Space->setText(QString::number(free));
    Space->SetBlinking(SpaceBlinks(free));
    Error->setText(FromCp1252(Game.Views.InlineRefusal));
    Wage->setText(FromCp1252(MonthlyWageText(Game)));
}

void TDevelopmentPanel::RenderProject() {
    const TDevelopment& d = Game.State.Development;
    const TDevelopmentView view = DevelopmentView(Game);
    const QSignalBlocker quietGenre(Genre), quietPlatform(Platform), quietTechnology(Technology),
        quietAdvertising(Advertising);
    if (Genre->count() != static_cast<int>(Game.State.Lists.ProjectGenres.Items.size())) {
        Genre->clear();
        for (const std::string& name : Game.State.Lists.ProjectGenres.Items)
            Genre->addItem(FromCp1252(name));
    }
    Genre->setCurrentIndex(d.Genre);
    Platform->clear();
    for (const std::string& item : Game.State.Lists.ProjectPlatforms.Items) {
        // The item carries its platform index; the player reads the name.
        Platform->addItem(PlatformChoiceName(item), PlatformOfChoice(item));
        if (PlatformOfChoice(item) == d.Platform) Platform->setCurrentIndex(Platform->count() - 1);
    }
    Technology->setCurrentIndex(d.Technology);
    Advertising->setCurrentIndex(d.Advertising);
    const bool ticks[4] = {d.Beta, d.Demo, d.MultiPlay, d.Extras};
    for (int i = 0; i < 4; ++i)
        Options[static_cast<size_t>(i)]->setChecked(ticks[i]);

    Project->setEnabled(d.Stage != TProjectStage::NotStarted);
    NameGroup->setEnabled(view.NameGroupEnabled);
    OptionsGroup->setEnabled(view.OptionsEnabled);
    Technology->setEnabled(view.TechnologyEnabled);
    Technology->setVisible(view.TechnologyVisible);
    TechnologyCaption->setVisible(view.TechnologyVisible);
    Preview->setEnabled(view.PreviewEnabled);
    // The porting dialog put the earlier game's title in the box, which is closed now; a
    // running project shows its title, however it was started (a loaded game, the bot).
    if (d.PortSetUp || d.Stage == TProjectStage::InProgress || d.Stage == TProjectStage::Ready)
        Name->setText(FromCp1252(Game.State.Projects[1].Name.Str()));
    Options[static_cast<size_t>(TProjectOption::MultiPlay)]->setEnabled(view.MultiPlayEnabled);
    AdvertisingGroup->setEnabled(view.AdvertisingEnabled);
    StartNew->setEnabled(view.StartNewEnabled);
    StartProject->setEnabled(view.StartProjectEnabled);
    Cancel->setEnabled(view.CancelEnabled);
    Release->setVisible(view.ReleaseVisible);
    Release->setEnabled(view.ReleaseEnabled);
    Weeks->setEnabled(view.TimeBoxEnabled);
    Weeks->setText(d.Stage == TProjectStage::NotStarted ? QString() : QString::number(view.WeeksLeft));
    for (size_t a = 0; a < Bars.size(); ++a) {
        Bars[a]->setMaximum(std::max(d.BarMax, 1));
        Bars[a]->setValue(std::clamp(d.Bars[a], 0, std::max(d.BarMax, 1)));
    }
    Status->setText(FromCp1252(d.Status));
    Status->SetBlinkInterval(d.StatusBlinkMs);
    Busy->setVisible(d.Busy);
    // A game that has just become ready puts the release button under the player's hand.
    const bool ready = d.Stage == TProjectStage::Ready;
    if (ready && !WasReady && Release->isVisible()) Release->setFocus();
    WasReady = ready;
}
