#include "ui/panels/InfoKit.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include "ui/widgets/Cp1252.h"

const char* const InfoStyleSheet = R"(
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

const QColor InfoInk(0x2b, 0x24, 0x14);

QColor ToQColor(TRgb c) {
    return {c.R, c.G, c.B};
}

QString StyleOf(const QColor& colour) {
    return QStringLiteral("color: %1;").arg(colour.name());
}

void SetupInfoGrid(QTableWidget* grid) {
    grid->setObjectName(QStringLiteral("InfoGrid"));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->setShowGrid(false);
    grid->setAlternatingRowColors(true);
}

QTableWidgetItem* InfoCell(const std::string& text, Qt::Alignment alignment, bool bold) {
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
