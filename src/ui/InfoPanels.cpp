#include "ui/InfoPanels.h"

#include "ui/KnowledgeSection.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "ui/Cp1252.h"
#include "ui/LinkButton.h"
#include "ui/MainWindow.h"
#include "ui/MarketPanels.h"
#include "ui/PaintBoxGrid.h"
#include "views/Finance.h"
#include "views/MarketInfo.h"

namespace {
const char* InfoStyleSheet = R"(
QFrame#GraphCard { background: #f6f1e3; border: 1px solid #b8a978; border-radius: 6px; }
QFrame#GraphCard QLabel { color: #2b2414; }
QLabel#GraphTitle { font-weight: bold; font-size: 10pt; }
QLabel#GraphReadout { color: #5a4f36; }
QLabel#InfoHeading { color: #ffcf5a; font-weight: bold; font-size: 10pt; }
QLabel#InfoLegend { color: #9fb0d8; }
QTableWidget#InfoGrid {
    background: #0b1020; alternate-background-color: #131b33; color: #e8ecf6;
    border: 1px solid #34456e; border-radius: 4px; gridline-color: #24304f;
    selection-background-color: #e0a21c; selection-color: #140e00;
}
QTableWidget#InfoGrid::item { padding: 0px 6px; }
QTableWidget#InfoGrid QHeaderView::section {
    background: #1f2c50; color: #9fb0d8; border: none; padding: 3px 6px; font-weight: bold;
}
QTabWidget::pane { border: none; }
QTabBar::tab {
    background: #1f2c50; color: #9fb0d8; padding: 4px 14px; border-top-left-radius: 4px;
    border-top-right-radius: 4px; margin-right: 2px;
}
QTabBar::tab:selected { background: #2b4a8c; color: #ffffff; }
)";

const QColor Paper(0xf6, 0xf1, 0xe3);
const QColor Ink(0x2b, 0x24, 0x14);

QColor ToQColor(TRgb c) {
    return {c.R, c.G, c.B};
}

QString StyleOf(const QColor& colour) {
    return QStringLiteral("color: %1;").arg(colour.name());
}

void SetupGrid(QTableWidget* grid) {
    grid->setObjectName(QStringLiteral("InfoGrid"));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->setShowGrid(false);
    grid->setAlternatingRowColors(true);
}

QTableWidgetItem* Cell(const std::string& text, Qt::Alignment alignment, bool bold = false) {
    auto* item = new QTableWidgetItem(FromCp1252(text));
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    if (bold) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    return item;
}

QFrame* MakeGraphCard(QWidget* parent) {
    auto* card = new QFrame(parent);
    card->setObjectName(QStringLiteral("GraphCard"));
    card->setAttribute(Qt::WA_StyledBackground);
    return card;
}

// The line under a graph that reads the point under the mouse; it keeps its height whether
// it says something or not, so the graph does not move.
QLabel* MakeReadout(QWidget* parent, const QString& idle) {
    auto* label = new QLabel(idle, parent);
    label->setObjectName(QStringLiteral("GraphReadout"));
    label->setFixedHeight(label->sizeHint().height());
    return label;
}
} // namespace

void InstallInfoPanels(TMainWindow& window) {
    TGame& game = window.Game();
    window.InstallPanel(QStringLiteral("Financial Info"), new TFinancePanel(game));
    window.InstallPanel(QStringLiteral("Market Info"), new TMarketInfoPanel(game));
    window.InstallPanel(QStringLiteral("Company Details"), new TCompanyDetailsPanel(game));
}

// ---- Financial Info ----------------------------------------------------------------------

namespace {
const char* FinanceIdle = "Point at the graph to read a week's figure.";
}

TFinancePanel::TFinancePanel(TGame& game, QWidget* parent)
    : TContentPanel(QStringLiteral("Financial Info"), parent), Game(game) {
    Body()->setStyleSheet(QString::fromLatin1(MarketStyleSheet()) + QString::fromLatin1(InfoStyleSheet));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 0);
    layout->setSpacing(6);

    auto* heading = new QLabel(QStringLiteral("Year to date income and expences"), Body());
    heading->setObjectName(QStringLiteral("InfoHeading"));
    layout->addWidget(heading);

    Sums = new QTableWidget(7, 3, Body());
    SetupGrid(Sums);
    Sums->horizontalHeader()->hide();
    Sums->setSelectionMode(QAbstractItemView::NoSelection);
    Sums->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    Sums->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    Sums->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    Sums->setColumnWidth(1, 150);
    Sums->setColumnWidth(2, 150);
    Sums->verticalHeader()->setDefaultSectionSize(22);
    Sums->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Sums->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Sums->setFixedHeight(7 * 22 + 2 * Sums->frameWidth());
    SetHint(Sums, tr("This year's loan interest, all expenses and all income, and your bank balance at "
                     "the start of the year and now"));
    layout->addWidget(Sums);
    layout->addSpacing(4);

    auto* card = MakeGraphCard(Body());
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(10, 6, 10, 6);
    cardLayout->setSpacing(4);
    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    Title = new QLabel(QStringLiteral("Graph"), card);
    Title->setObjectName(QStringLiteral("GraphTitle"));
    cardLayout->addWidget(Title);
    const QString hints[5] = {
        tr("Your income week by week this year"),
        tr("The interest you paid on your bank loan week by week this year"),
        tr("Your costs week by week this year: wages, rents, interest and advertising"),
        tr("The number of your employees week by week this year"),
        tr("Your money at the end of each week this year"),
    };
    for (int k = 0; k < 5; ++k) {
        Buttons[k] = MakeMarketButton(QString::fromLatin1(FinanceGraphs[k].Button), hints[k], card);
        top->addWidget(Buttons[k]);
        connect(Buttons[k], &QPushButton::clicked, this, [this, k] { ChooseGraph(k); });
    }
    top->addStretch(1);
    cardLayout->addLayout(top);

    Plot = new TPaintBoxGrid(card);
    Plot->setMinimumSize(319, 216);
    Plot->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    Plot->OnPaint = [this](QPainter& painter) { PaintSeries(painter); };
    SetHint(Plot, tr("Choose a graph with the buttons above; point at it to read a week"));
    cardLayout->addWidget(Plot, 1);
    Pointer = MakeReadout(card, QString::fromLatin1(FinanceIdle));
    cardLayout->addWidget(Pointer);
    layout->addWidget(card, 1);

    connect(Plot, &TPaintBoxGrid::Pointed, this, [this](double x, double) { ShowPointer(x); });
    connect(Plot, &TPaintBoxGrid::PointerLeft, this,
            [this] { Pointer->setText(QString::fromLatin1(FinanceIdle)); });
}

void TFinancePanel::Refresh() {
    OpenFinanceView(Game, Game.Views.Finance);
    Render();
}

void TFinancePanel::Render() {
    const TFinanceView& view = Game.Views.Finance;
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 3; ++c) {
            const std::string& text = view.Table[r][c];
            // The headings of the two blocks stand over their figures.
            const bool heading = r == 0 || r == 5;
            const Qt::Alignment align = c == 0 ? Qt::AlignLeft : Qt::AlignRight;
            QTableWidgetItem* item = Cell(text, align, heading);
            if (heading || c == 0) item->setForeground(QColor(0x9f, 0xb0, 0xd8));
            Sums->setItem(r, c, item);
        }
    Title->setText(FromCp1252(view.GraphTitle));
    const QColor colour = view.Graph >= 0 ? ToQColor(FinanceGraphs[view.Graph].Colour) : Ink;
    Title->setStyleSheet(StyleOf(colour));
    // Labels of eight digits and more would start left of the control: the plot makes room.
    TGridProperties grid = view.Grid;
    const double largest = std::floor(std::max(std::fabs(grid.YMin), std::fabs(grid.YMax)));
    const int widest = GridLabelWidth(GridLabelText(largest), Plot->LabelFontSize());
    grid.MarginLeft = std::max<int>(grid.MarginLeft, widest + 7 + 1);
    Plot->SetProperties(grid);
    Plot->DrawGrid();
}

void TFinancePanel::ChooseGraph(int graph) {
    ShowFinanceGraph(Game, Game.Views.Finance, graph);
    Render();
}

void TFinancePanel::PaintSeries(QPainter& painter) {
    const TFinanceView& view = Game.Views.Finance;
    const std::vector<TSeriesSegment> series = FinanceSeries(view.GraphBuffer, Game.State.Company.Year);
    const QColor colour = view.Graph >= 0 ? ToQColor(FinanceGraphs[view.Graph].Colour) : Ink;
    painter.setPen(QPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    for (const TSeriesSegment& s : series) {
        const int x1 = Plot->XToPixel(s.X1), y1 = Plot->YToPixel(s.Y1);
        painter.drawLine(x1, y1, Plot->XToPixel(s.X2), Plot->YToPixel(s.Y2));
        DrawMarker(painter, x1, y1);
    }
}

void TFinancePanel::ShowPointer(double x) {
    const std::string text = FinancePointText(Game.Views.Finance, Game.State.Company.Year, x);
    Pointer->setText(text.empty() ? QString::fromLatin1(FinanceIdle) : FromCp1252(text));
}

// ---- Market Info -------------------------------------------------------------------------

TMarketInfoPanel::TMarketInfoPanel(TGame& game, QWidget* parent)
    : TContentPanel(QStringLiteral("Market Info"), parent), Game(game) {
    Body()->setStyleSheet(QString::fromLatin1(MarketStyleSheet()) + QString::fromLatin1(InfoStyleSheet));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 0);
    layout->setSpacing(6);

    auto makeBox = [this](const QString& hint) {
        auto* box = new QTextEdit(Body());
        box->setProperty("paper", true);
        box->setReadOnly(true);
        box->setLineWrapMode(QTextEdit::NoWrap);
        box->setFont(MarketFixedFont());
        box->setUndoRedoEnabled(false);
        box->document()->setDocumentMargin(6);
        SetHint(box, hint);
        return box;
    };
    auto* platforms = new QLabel(QStringLiteral("Platform Sold world wide"), Body());
    platforms->setObjectName(QStringLiteral("InfoHeading"));
    layout->addWidget(platforms);
    PlatformText = makeBox(tr("Machines sold of every platform on the market, how many are still in use, "
                              "the piracy and this week's sales. Olive: the platform's market ends next "
                              "year. Red: its market is over."));
    layout->addWidget(PlatformText, 3);
    auto* legend =
        new QLabel(tr("Olive rows: the market ends next year.   Red rows: the market is over."), Body());
    legend->setObjectName(QStringLiteral("InfoLegend"));
    layout->addWidget(legend);

    auto* genres = new QLabel(QStringLiteral("Public Genre Demand"), Body());
    genres->setObjectName(QStringLiteral("InfoHeading"));
    layout->addWidget(genres);
    GenreText = makeBox(tr("What the public wants to play: the demand for every genre"));
    // Nine lines: the heading, a gap and seven genres.
    GenreText->setFixedHeight(QFontMetrics(MarketFixedFont()).lineSpacing() * 9 + 20);
    layout->addWidget(GenreText);
}

void TMarketInfoPanel::Refresh() {
    ShowMarketInfo(Game, Game.Views.Market);
    Render();
}

void TMarketInfoPanel::Render() {
    const TMarketView& view = Game.Views.Market;
    auto format = [](const QColor& colour, bool bold) {
        QTextCharFormat f;
        f.setFont(MarketFixedFont());
        f.setForeground(colour);
        f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        return f;
    };
    const QTextCharFormat heading = format(Ink, true);
    const QTextCharFormat styles[3] = {format(Qt::black, false), format(QColor(128, 128, 0), false),
                                       format(QColor(255, 0, 0), false)};

    PlatformText->clear();
    QTextCursor cursor(PlatformText->document());
    for (size_t i = 0; i < view.Platforms.size(); ++i) {
        if (i > 0) cursor.insertBlock();
        const TMarketLine& line = view.Platforms[i];
        cursor.insertText(FromCp1252(line.Text), i == 0 ? heading : styles[static_cast<int>(line.Style)]);
    }
    GenreText->clear();
    QTextCursor genreCursor(GenreText->document());
    for (size_t i = 0; i < view.Genres.size(); ++i) {
        if (i > 0) genreCursor.insertBlock();
        genreCursor.insertText(FromCp1252(view.Genres[i]), i == 0 ? heading : styles[0]);
    }
    for (QTextEdit* box : {PlatformText, GenreText})
        box->moveCursor(QTextCursor::Start);
}

// ---- Company Details ---------------------------------------------------------------------

namespace {
const char* ChartIdle = "Click a game in the list to see its chart positions week by week.";

// Resizing the graph draws it from scratch, as a repaint of the whole area does.
class TChartGraph : public TPaintBoxGrid {
public:
    using TPaintBoxGrid::TPaintBoxGrid;
    std::function<void()> Resized;

protected:
    void resizeEvent(QResizeEvent* event) override {
        if (Resized && event->oldSize().isValid() && event->oldSize() != event->size()) Resized();
        TPaintBoxGrid::resizeEvent(event);
    }
};
} // namespace

TCompanyDetailsPanel::TCompanyDetailsPanel(TGame& game, QWidget* parent)
    : TContentPanel(QStringLiteral("Company Details"), parent), Game(game) {
    Body()->setStyleSheet(QString::fromLatin1(MarketStyleSheet()) + QString::fromLatin1(InfoStyleSheet));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 0);
    layout->setSpacing(6);
    Tabs = new QTabWidget(Body());
    // One section shows no tab bar; the knowledge lists will bring it.
    Tabs->setTabBarAutoHide(true);
    Tabs->setDocumentMode(true);
    layout->addWidget(Tabs, 1);

    auto* page = new QWidget(Tabs);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(6);
    auto* heading = new QLabel(tr("Your released games"), page);
    heading->setObjectName(QStringLiteral("InfoHeading"));
    pageLayout->addWidget(heading);

    Games = new QTableWidget(0, 5);
    SetupGrid(Games);
    Games->setSelectionBehavior(QAbstractItemView::SelectRows);
    Games->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList headings;
    for (const char* h : TCompanyView::Headings)
        headings.append(QString::fromLatin1(h));
    Games->setHorizontalHeaderLabels(headings);
    Games->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < 5; ++c)
        Games->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    Games->horizontalHeader()->setHighlightSections(false);
    Games->verticalHeader()->setDefaultSectionSize(22);
    Games->setMinimumHeight(120);
    SetHint(Games, tr("Every game your studio has released: platform, release week, income and units "
                      "sold. Click one to see its chart positions."));
    // Until the studio has released a game the list's place says so.
    ListStack = new QStackedWidget(page);
    ListStack->addWidget(Games);
    NoGames = new QLabel(tr("Your studio has not released a game yet.\n"
                            "Each game you release is listed here; click it to see its chart positions."),
                         ListStack);
    NoGames->setObjectName(QStringLiteral("InfoLegend"));
    NoGames->setAlignment(Qt::AlignCenter);
    NoGames->setWordWrap(true);
    ListStack->addWidget(NoGames);
    pageLayout->addWidget(ListStack, 2);

    auto* card = MakeGraphCard(page);
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(10, 6, 10, 6);
    cardLayout->setSpacing(4);
    Caption = new QLabel(card);
    Caption->setObjectName(QStringLiteral("GraphTitle"));
    cardLayout->addWidget(Caption);
    auto* graph = new TChartGraph(card);
    Plot = graph;
    Plot->setMinimumSize(300, 200);
    Plot->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    Plot->BeforeGrid = [this] { PrepareGraph(); };
    Plot->OnPaint = [this](QPainter& painter) { PaintHistory(painter); };
    graph->Resized = [this] { Game.Views.Company.ChartFit = false; };
    SetHint(Plot, tr("The game's place in the weekly sales chart, week by week since its release (151: "
                     "not in the chart); point at it to read a week"));
    cardLayout->addWidget(Plot, 1);
    Pointer = MakeReadout(card, QString::fromLatin1(ChartIdle));
    cardLayout->addWidget(Pointer);
    pageLayout->addWidget(card, 3);
    Tabs->addTab(page, tr("Released Games"));

    KnowledgeLists = new TKnowledgeSection(Tabs);
    AddSection(KnowledgeLists, tr("Knowledge"));

    connect(Games, &QTableWidget::cellClicked, this, [this](int row, int) { ChooseRow(row + 1); });
    connect(Plot, &TPaintBoxGrid::Pointed, this, [this](double x, double) { ShowPointer(x); });
    connect(Plot, &TPaintBoxGrid::PointerLeft, this,
            [this] { Pointer->setText(QString::fromLatin1(ChartIdle)); });
}

void TCompanyDetailsPanel::AddSection(QWidget* section, const QString& title) {
    Tabs->addTab(section, title);
}

void TCompanyDetailsPanel::Refresh() {
    KnowledgeLists->Show(ShowCompanyKnowledge(Game));
    ShowGamesList(Game, Game.Views.Company);
    Game.Views.Company.ChartFit = false;
    Render();
}

void TCompanyDetailsPanel::GameChanged() {
    KnowledgeLists->Show(ShowCompanyKnowledge(Game));
    ShowGamesList(Game, Game.Views.Company);
    Render();
}

void TCompanyDetailsPanel::Render() {
    const TCompanyView& view = Game.Views.Company;
    const int rows = static_cast<int>(view.Rows.size());
    ListStack->setCurrentWidget(rows > 0 ? static_cast<QWidget*>(Games) : NoGames);
    Games->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const TGamesListRow& row = view.Rows[static_cast<size_t>(r)];
        Games->setItem(r, 0, Cell(row.Game, Qt::AlignLeft));
        Games->setItem(r, 1, Cell(row.Platform, Qt::AlignLeft));
        Games->setItem(r, 2, Cell(row.ReleaseDate, Qt::AlignRight));
        Games->setItem(r, 3, Cell(row.Income, Qt::AlignRight));
        Games->setItem(r, 4, Cell(row.Sales, Qt::AlignRight));
    }
    {
        const QSignalBlocker blocker(Games);
        if (view.SelectedRow >= 1 && view.SelectedRow <= rows)
            Games->selectRow(view.SelectedRow - 1);
        else
            Games->clearSelection();
    }
    // The caption and the ranges as the graph will draw them.
    PrepareGraph();
    Plot->DrawGrid();
}

void TCompanyDetailsPanel::ChooseRow(int row) {
    if (!ChooseGameRow(Game.Views.Company, row)) return;
    Render();
}

void TCompanyDetailsPanel::PrepareGraph() {
    TCompanyView& view = Game.Views.Company;
    Drawn = DrawChartHistory(Game, view, view.ChartFit);
    Caption->setText(FromCp1252(view.ChartCaption));
    Caption->setStyleSheet(StyleOf(view.CaptionRed ? QColor(255, 0, 0) : Ink));
    Plot->SetProperties(view.ChartGrid);
}

void TCompanyDetailsPanel::PaintHistory(QPainter& painter) {
    if (!Drawn) return;
    // The curve stays inside the plot; its markers may stand a little over the edges.
    const TGridProperties& p = Plot->Properties();
    painter.setClipRect(
        QRect(QPoint(p.MarginLeft - 2, p.MarginTop - 2),
              QPoint(Plot->width() - p.MarginRight + 2, Plot->height() - p.MarginBottom + 2)));
    painter.setPen(QPen(QColor(255, 0, 0), 1));
    painter.setBrush(Qt::NoBrush);
    for (const TSeriesSegment& s : Drawn->Segments) {
        const int x1 = Plot->XToPixel(s.X1), y1 = Plot->YToPixel(s.Y1);
        painter.drawLine(x1, y1, Plot->XToPixel(s.X2), Plot->YToPixel(s.Y2));
        DrawMarker(painter, x1, y1);
    }
}

void TCompanyDetailsPanel::ShowPointer(double x) {
    const std::string text = ChartPointText(Game, Game.Views.Company, x);
    Pointer->setText(text.empty() ? QString::fromLatin1(ChartIdle) : FromCp1252(text));
}
