#include "ui/panels/CalendarPanel.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

#include "game/Game.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/MarketStyle.h"
#include "views/Calendar.h"

namespace {
QLabel* Caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("caption", true);
    return label;
}

QTableWidget* MakeWeekGrid(QWidget* parent) {
    auto* grid = new QTableWidget(0, 2, parent);
    grid->setObjectName(QStringLiteral("WeekGrid"));
    QFont font = grid->font();
    font.setPointSize(8);
    grid->setFont(font);
    grid->setHorizontalHeaderLabels({QStringLiteral("Game"), QStringLiteral("Rating")});
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setShowGrid(false);
    grid->setAlternatingRowColors(true);
    grid->setWordWrap(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setMinimumHeight(48);
    return grid;
}
} // namespace

TCalendarPanel::TCalendarPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Release Calendar"), game, host, parent) {
    Body()->setStyleSheet(QString::fromLatin1(MarketStyleSheet()));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 0);
    layout->setSpacing(8);

    auto* filters = new QGridLayout;
    filters->setHorizontalSpacing(8);
    filters->setVerticalSpacing(6);
    Genre = MakeMarketCombo(tr("The kind of games the calendar lists"), Body());
    Genre->setObjectName(QStringLiteral("CalendarGenre"));
    Platform = MakeMarketCombo(tr("The platform whose games the calendar lists"), Body());
    Platform->setObjectName(QStringLiteral("CalendarPlatform"));
    Platform->setMinimumContentsLength(11);
    Rating = MakeMarketCombo(tr("Leave out the announced games that are expected to rate lower"), Body());
    Rating->setObjectName(QStringLiteral("CalendarRating"));
    filters->addWidget(Caption(QStringLiteral("Game Type:"), Body()), 0, 0);
    filters->addWidget(Genre, 0, 1, Qt::AlignLeft);
    filters->addWidget(Caption(QStringLiteral("Platform:"), Body()), 0, 2);
    filters->addWidget(Platform, 0, 3, Qt::AlignLeft);
    filters->addWidget(Caption(QStringLiteral("Only Show games with rating of :"), Body()), 1, 0, 1, 3);
    filters->addWidget(Rating, 1, 3, 1, 2, Qt::AlignLeft);
    filters->setColumnStretch(4, 1);
    layout->addLayout(filters);

    // The week chooser of a finished game waiting for its release date.
    Chooser = MakeMarketCard(Body());
    Chooser->setObjectName(QStringLiteral("ReleaseChooser"));
    auto* chooserLayout = new QHBoxLayout(Chooser);
    chooserLayout->setContentsMargins(10, 6, 10, 6);
    chooserLayout->setSpacing(6);
    auto* chooserCaption = new QLabel(QStringLiteral("Release week :"), Chooser);
    chooserCaption->setObjectName(QStringLiteral("ChooserCaption"));
    ChooserWeeks = MakeMarketCombo(tr("The week your game goes on sale"), Chooser);
    ChooserYear = new QLabel(Chooser);
    ChooserYear->setProperty("value", true);
    SetHint(ChooserYear, tr("The year of the weeks offered"));
    Choose = MakeMarketButton(QStringLiteral("Choose"),
                              tr("Release your game in the chosen week. Look at the weeks around it first: "
                                 "strong games released close to yours take your buyers."),
                              Chooser);
    chooserLayout->addWidget(chooserCaption);
    chooserLayout->addWidget(ChooserWeeks);
    chooserLayout->addWidget(ChooserYear);
    chooserLayout->addStretch(1);
    chooserLayout->addWidget(Choose);
    Chooser->hide();
    layout->addWidget(Chooser);

    Weeks = new QGridLayout;
    Weeks->setSpacing(6);
    for (int k = 0; k < ColumnCount; ++k) {
        QFrame* card = Cards[k] = MakeMarketCard(Body());
        auto* cardLayout = new QVBoxLayout(card);
        cardLayout->setContentsMargins(4, 4, 4, 4);
        cardLayout->setSpacing(4);
        Titles[k] = new QLabel(card);
        Titles[k]->setObjectName(QStringLiteral("WeekTitle"));
        SetHint(Titles[k], tr("The games announced for this week"));
        Grids[k] = MakeWeekGrid(card);
        SetHint(Grids[k], tr("Games announced for this week with the rating the experts expect"));
        cardLayout->addWidget(Titles[k]);
        cardLayout->addWidget(Grids[k], 1);
    }
    PlaceWeeks(2);
    layout->addLayout(Weeks, 1);

    auto* moves = new QHBoxLayout;
    Previous =
        new TLinkButton(QStringLiteral("< View Previous weeks"), tr("Show the six weeks before"), Body());
    Next = new TLinkButton(QStringLiteral("View Next weeks >"), tr("Show the six weeks after"), Body());
    moves->addWidget(Previous);
    moves->addStretch(1);
    moves->addWidget(Next);
    layout->addLayout(moves);

    auto* releasedHeading = new QHBoxLayout;
    releasedHeading->setSpacing(6);
    auto* releasedCaption = new QLabel(QStringLiteral("Major Games already released"), Body());
    releasedCaption->setProperty("heading", true);
    ReleasedHint = new QPushButton(QStringLiteral("?"), Body());
    ReleasedHint->setObjectName(QStringLiteral("SideToggle"));
    ReleasedHint->setCursor(Qt::PointingHandCursor);
    ReleasedHint->setFocusPolicy(Qt::NoFocus);
    SetHint(ReleasedHint, FromCoreText(ReleasedListHint));
    releasedHeading->addWidget(releasedCaption);
    releasedHeading->addWidget(ReleasedHint, 0, Qt::AlignBottom);
    releasedHeading->addStretch(1);
    layout->addLayout(releasedHeading);
    Released = new QPlainTextEdit(Body());
    Released->setObjectName(QStringLiteral("ReleasedText"));
    Released->setProperty("paper", true);
    Released->setReadOnly(true);
    Released->setLineWrapMode(QPlainTextEdit::NoWrap);
    Released->setFont(MarketFixedFont());
    Released->setFixedHeight(QFontMetrics(MarketFixedFont()).lineSpacing() * 3 + 14);
    SetHint(Released, tr("Games of this kind and platform that went on sale in the last ten weeks, with "
                         "their rating"));
    layout->addWidget(Released);

    connect(Genre, &QComboBox::activated, this, [this](int index) { Act(TChooseCalendarGenre{index}); });
    connect(Platform, &QComboBox::activated, this,
            [this](int index) { Act(TChooseCalendarPlatform{index}); });
    connect(Rating, &QComboBox::activated, this, [this](int index) { Act(TChooseCalendarRating{index}); });
    connect(ChooserWeeks, &QComboBox::activated, this,
            [this](int index) { Act(TChooseCalendarWeek{index}); });
    connect(Choose, &QPushButton::clicked, this, &TCalendarPanel::ChooseWeek);
    connect(Next, &QPushButton::clicked, this, [this] { Act(TTurnCalendarPage{true}); });
    connect(Previous, &QPushButton::clicked, this, [this] { Act(TTurnCalendarPage{false}); });
    connect(ReleasedHint, &QPushButton::clicked, this, [this] { Act(TExplainReleasedList{}); });
}

void TCalendarPanel::PlaceWeeks(int columns) {
    if (columns == WeekColumns) return;
    WeekColumns = columns;
    for (QFrame* card : Cards)
        Weeks->removeWidget(card);
    for (int k = 0; k < ColumnCount; ++k)
        Weeks->addWidget(Cards[k], k / columns, k % columns);
}

void TCalendarPanel::resizeEvent(QResizeEvent* event) {
    // Three weeks abreast once a game's name fits beside its rating; two before that.
    PlaceWeeks(width() >= 780 ? 3 : 2);
    TContentPanel::resizeEvent(event);
}

void TCalendarPanel::Render() {
    const TChoiceLists& panels = Game.State.Lists;
    const TCalendarView& view = Game.Views.Calendar;
    ShowChoices(Genre, ChoiceTexts(panels.CalendarGenres), panels.CalendarGenres.Selected);
    QStringList platforms;
    for (const std::string& item : panels.CalendarPlatforms.Items)
        platforms.append(PlatformChoiceName(item));
    ShowChoices(Platform, platforms, panels.CalendarPlatforms.Selected);
    ShowChoices(Rating, ChoiceTexts(view.RatingFilter), view.RatingFilter.Selected);

    const bool releasing = Game.State.Development.ReleaseMode;
    Chooser->setVisible(releasing);
    QStringList weeks;
    for (const std::string& item : view.ChooserItems)
        weeks.append(FromCp1252(item));
    ShowChoices(ChooserWeeks, weeks, view.ChooserSelected);
    ChooserYear->setText(FromCp1252(view.ChooserYearLabel));
    // Once the release has begun, "Choose" is the only way out.
    XButton()->setVisible(!releasing);
    CloseLink()->setVisible(!releasing);

    for (int k = 0; k < ColumnCount; ++k) {
        const TCalendarColumn& column = view.Columns[k];
        Titles[k]->setText(FromCp1252(column.Title));
        QTableWidget* grid = Grids[k];
        grid->setRowCount(static_cast<int>(column.Rows.size()));
        for (int row = 0; row < grid->rowCount(); ++row) {
            const auto& [title, rating] = column.Rows[row];
            auto* game = new QTableWidgetItem(FromCp1252(title).trimmed());
            // A name too long for the column is elided; the full one is a hover away.
            game->setToolTip(game->text());
            auto* score = new QTableWidgetItem(FromCp1252(rating));
            score->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(row, 0, game);
            grid->setItem(row, 1, score);
        }
    }
    Previous->setEnabled(view.Offset > 0);
    Next->setEnabled(view.Offset < 47);

    QStringList released;
    for (const std::string& line : view.Released)
        released.append(FromCp1252(line));
    Released->setPlainText(released.join(QLatin1Char('\n')));
}

void TCalendarPanel::ChooseWeek() {
    const TCalendarView& view = Game.Views.Calendar;
    Act(TChooseReleaseWeek{.Offset = view.Offset, .Index = view.ChooserSelected});
    if (!Game.State.Development.ReleaseMode) hide();
}
