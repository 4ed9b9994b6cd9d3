#include "ui/panels/FinancePanel.h"

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
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/MarketStyle.h"
#include "ui/widgets/PaintBoxGrid.h"
#include "views/Finance.h"

namespace {
const char* FinanceIdle = "Point at the graph to read a week's figure.";
}

TFinancePanel::TFinancePanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Financial Info"), game, host, parent) {
    Body()->setStyleSheet(QString::fromLatin1(MarketStyleSheet()) + QString::fromLatin1(InfoStyleSheet));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 0);
    layout->setSpacing(6);

    auto* heading = new QLabel(QStringLiteral("Year to date income and expences"), Body());
    heading->setObjectName(QStringLiteral("InfoHeading"));
    layout->addWidget(heading);

    Sums = new QTableWidget(7, 3, Body());
    SetupInfoGrid(Sums);
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
        connect(Buttons[k], &QPushButton::clicked, this, [this, k] { Act(TChooseFinanceGraph{k}); });
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

void TFinancePanel::Render() {
    const TFinanceView& view = Game.Views.Finance;
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 3; ++c) {
            const std::string& text = view.Table[r][c];
            // The headings of the two blocks stand over their figures.
            const bool heading = r == 0 || r == 5;
            const Qt::Alignment align = c == 0 ? Qt::AlignLeft : Qt::AlignRight;
            QTableWidgetItem* item = InfoCell(text, align, heading);
            if (heading || c == 0) item->setForeground(QColor(0x9f, 0xb0, 0xd8));
            Sums->setItem(r, c, item);
        }
    Title->setText(FromCp1252(view.GraphTitle));
    const QColor colour = view.Graph >= 0 ? ToQColor(FinanceGraphs[view.Graph].Colour) : InfoInk;
    Title->setStyleSheet(StyleOf(colour));
    // Labels of eight digits and more would start left of the control: the plot makes room.
    TGridProperties grid = view.Grid;
    const double largest = std::floor(std::max(std::fabs(grid.YMin), std::fabs(grid.YMax)));
    const int widest = GridLabelWidth(GridLabelText(largest), Plot->LabelFontSize());
    grid.MarginLeft = std::max<int>(grid.MarginLeft, widest + 7 + 1);
    Plot->SetProperties(grid);
    Plot->DrawGrid();
}

void TFinancePanel::PaintSeries(QPainter& painter) {
    const TFinanceView& view = Game.Views.Finance;
    const std::vector<TSeriesSegment> series = FinanceSeries(view.GraphBuffer, Game.State.Company.Year);
    const QColor colour = view.Graph >= 0 ? ToQColor(FinanceGraphs[view.Graph].Colour) : InfoInk;
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
