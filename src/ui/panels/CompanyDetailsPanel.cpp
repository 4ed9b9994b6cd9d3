#include "ui/panels/CompanyDetailsPanel.h"

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
#include "ui/panels/InfoKit.h"
#include "ui/panels/KnowledgeSection.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/MarketStyle.h"
#include "ui/widgets/PaintBoxGrid.h"

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

TCompanyDetailsPanel::TCompanyDetailsPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Company Details"), game, host, parent) {
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
    SetupInfoGrid(Games);
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
    graph->Resized = [this] { Act(TResizeChartGraph{}); };
    SetHint(Plot, tr("The game's place in the weekly sales chart, week by week since its release (151: "
                     "not in the chart); point at it to read a week"));
    cardLayout->addWidget(Plot, 1);
    Pointer = MakeReadout(card, QString::fromLatin1(ChartIdle));
    cardLayout->addWidget(Pointer);
    pageLayout->addWidget(card, 3);
    Tabs->addTab(page, tr("Released Games"));

    KnowledgeLists = new TKnowledgeSection(Tabs);
    AddSection(KnowledgeLists, tr("Knowledge"));

    connect(Games, &QTableWidget::cellClicked, this,
            [this](int row, int) { Act(TChooseCompanyGame{row + 1}); });
    connect(Plot, &TPaintBoxGrid::Pointed, this, [this](double x, double) { ShowPointer(x); });
    connect(Plot, &TPaintBoxGrid::PointerLeft, this,
            [this] { Pointer->setText(QString::fromLatin1(ChartIdle)); });
}

void TCompanyDetailsPanel::AddSection(QWidget* section, const QString& title) {
    Tabs->addTab(section, title);
}

void TCompanyDetailsPanel::Render() {
    KnowledgeLists->Show(ShowCompanyKnowledge(Game));
    const TCompanyView& view = Game.Views.Company;
    const int rows = static_cast<int>(view.Rows.size());
    ListStack->setCurrentWidget(rows > 0 ? static_cast<QWidget*>(Games) : NoGames);
    Games->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const TGamesListRow& row = view.Rows[static_cast<size_t>(r)];
        Games->setItem(r, 0, InfoCell(row.Game, Qt::AlignLeft));
        Games->setItem(r, 1, InfoCell(row.Platform, Qt::AlignLeft));
        Games->setItem(r, 2, InfoCell(row.ReleaseDate, Qt::AlignRight));
        Games->setItem(r, 3, InfoCell(row.Income, Qt::AlignRight));
        Games->setItem(r, 4, InfoCell(row.Sales, Qt::AlignRight));
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

void TCompanyDetailsPanel::PrepareGraph() {
    // The caption and the ranges are worked out for this drawing, from the chosen row and fit.
    TCompanyView view = Game.Views.Company;
    Drawn = DrawChartHistory(Game, view, view.ChartFit);
    Caption->setText(FromCp1252(view.ChartCaption));
    Caption->setStyleSheet(StyleOf(view.CaptionRed ? QColor(255, 0, 0) : InfoInk));
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
