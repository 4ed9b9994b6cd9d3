#include "ui/panels/ManagersPanel.h"

#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "company/Managers.h"
#include "game/Game.h"
#include "ui/panels/PanelKit.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "views/NumberText.h"

namespace {
const struct {
    const char* Button;
    const char* Hint;
} Kinds[3] = {
    {"Lead Programmers",
     "Lead programmers: a better one makes better engines and can ask for a bigger share"},
    {"Project Leaders", "Project leaders: a better one lets you run bigger development teams"},
    {"Lead Designers", "Lead designers: music, graphics and game design"},
};

QTableWidget* MakeGrid(QWidget* parent) {
    auto* grid = new QTableWidget(0, 4, parent);
    grid->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Rating"),
                                     QStringLiteral("% of Sales"), QStringLiteral("Monthly Wage")});
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(22);
    QHeaderView* header = grid->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 4; ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    header->setHighlightSections(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setAlternatingRowColors(true);
    grid->setShowGrid(false);
    grid->setObjectName(QStringLiteral("ManagerGrid"));
    SetHint(grid, QObject::tr("The highlighted row is the manager you employ. Click another candidate to "
                              "offer him the job."));
    return grid;
}

void SetCell(QTableWidget* grid, int row, int column, const QString& text) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->setItem(row, column, item);
    }
    if (item->text() != text) item->setText(text);
}
} // namespace

TManagersPanel::TManagersPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Managers"), game, host, parent) {
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(16, 12, 16, 0);
    layout->setSpacing(8);

    Label = MakeHeading(QStringLiteral("Hire Lead Programmer :"), Body());
    layout->addWidget(Label);

    Stack = new QStackedWidget(Body());
    for (size_t k = 0; k < Grids.size(); ++k) {
        Grids[k] = MakeGrid(Stack);
        Stack->addWidget(Grids[k]);
        const auto kind = static_cast<TManagerKind>(k);
        connect(Grids[k], &QTableWidget::cellClicked, this, [this, kind](int row, int) {
            // Row 0 of a grid is its header: the candidate in table row r is grid row r + 1.
            Act(THireManager{.Kind = kind, .Row = row + 1});
        });
    }
    layout->addWidget(Stack, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    ButtonGroup = new QButtonGroup(this);
    for (size_t k = 0; k < Buttons.size(); ++k) {
        auto* button = MakeActionButton(QString::fromLatin1(Kinds[k].Button), tr(Kinds[k].Hint), Body());
        button->setCheckable(true);
        button->installEventFilter(this);
        ButtonGroup->addButton(button, static_cast<int>(k));
        Buttons[k] = button;
        buttons->addWidget(button, 1);
    }
    layout->addLayout(buttons);
    auto* note = MakeCaption(tr("Hiring a new manager costs a signing fee; the manager you replace leaves "
                                "at once. Wages are paid every month."),
                             Body());
    note->setWordWrap(true);
    layout->addWidget(note);

    connect(ButtonGroup, &QButtonGroup::idClicked, this, [this](int id) {
        emit SoundRequested(0);
        // Which grid is in front is the screen's business, not the game's.
        Act(TShowManagerGrid{static_cast<TManagerKind>(id)});
    });
}

bool TManagersPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        for (QPushButton* button : Buttons)
            if (watched == button) emit SoundRequested(2);
    return TContentPanel::eventFilter(watched, event);
}

QTableWidget* TManagersPanel::ShownGrid() const {
    return qobject_cast<QTableWidget*>(Stack->currentWidget());
}

void TManagersPanel::Refresh() {
    emit Opened();
    Render();
}

void TManagersPanel::Render() {
    const auto& panel = Game.Views.Managers;
    Label->setText(FromCp1252(panel.Label));
    const int shown = static_cast<int>(panel.Shown);
    Stack->setCurrentIndex(shown);
    Buttons[static_cast<size_t>(shown)]->setChecked(true);
    for (int k = 0; k < 3; ++k)
        RenderGrid(static_cast<TManagerKind>(k));
}

void TManagersPanel::RenderGrid(TManagerKind kind) {
    QTableWidget* grid = Grid(kind);
    const auto& list = Game.State.Candidates.Of(kind);
    const int rows = static_cast<int>(list.size());
    if (grid->rowCount() != rows) grid->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const TManagerCandidate& candidate = list[static_cast<size_t>(row)];
        SetCell(grid, row, 0, FromCp1252(candidate.Name));
        SetCell(grid, row, 1, QString::number(candidate.Rating));
        SetCell(grid, row, 2, QString::number(candidate.Share));
        SetCell(grid, row, 3, QString::fromStdString(MoneyText(candidate.Wage)));
    }
    // The hired manager's row is the selected one, also after an offer was turned down.
    const int hired = HiredRow(Game, kind) - 1;
    const QSignalBlocker quiet(grid);
    if (hired >= 0 && hired < rows) {
        grid->selectRow(hired);
        grid->setCurrentCell(hired, 0);
    } else {
        grid->clearSelection();
    }
}
