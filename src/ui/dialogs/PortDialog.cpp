#include "ui/dialogs/PortDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "state/GameCore.h"
#include "state/PlatformTables.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/MarketStyle.h"

TPortDialog::TPortDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Port Game"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 14);
    layout->setSpacing(10);
    auto* title = new QLabel(QStringLiteral("Develop existing game for an other platform"), this);
    title->setObjectName(QStringLiteral("DialogQuestion"));
    layout->addWidget(title);

    Grid = new QTableWidget(0, 4, this);
    QStringList headers;
    for (const char* column : PortColumns)
        headers.append(QString::fromLatin1(column));
    Grid->setHorizontalHeaderLabels(headers);
    Grid->verticalHeader()->hide();
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setAlternatingRowColors(true);
    Grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 4; ++column)
        Grid->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    Grid->setMinimumSize(480, 220);
    SetHint(Grid, tr("Your released games: choose the one to make again for another platform"));
    layout->addWidget(Grid, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Platform:"), this));
    Platform = new QComboBox(this);
    Platform->setMinimumWidth(140);
    SetHint(Platform, tr("The platform the game is to be made for; not the one it was made for"));
    bottom->addWidget(Platform);
    bottom->addStretch(1);
    Choose = new QPushButton(QStringLiteral("Choose"), this);
    Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    for (QPushButton* button : {Choose, Cancel}) {
        button->setProperty("action", true);
        button->setMinimumWidth(80);
        bottom->addWidget(button);
    }
    layout->addLayout(bottom);

    connect(Platform, &QComboBox::activated, this, &TPortDialog::PlatformChosen);
    connect(Choose, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TPortDialog::Prepare(const TGameCore& game) {
    Rows = PortRows(game);
    Grid->setRowCount(static_cast<int>(Rows.size()));
    for (int r = 0; r < static_cast<int>(Rows.size()); ++r) {
        const TPortRow& row = Rows[static_cast<size_t>(r)];
        const std::string cells[4] = {row.Game, row.Platform, row.ReleaseDate, row.Income};
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(FromCp1252(cells[column]));
            if (column == 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Grid->setItem(r, column, item);
        }
    }
    if (!Rows.empty()) Grid->selectRow(0);
    Platform->clear();
    for (const std::string& item : game.State.Lists.ProjectPlatforms.Items)
        Platform->addItem(PlatformChoiceName(item), PlatformOfChoice(item));
    Platform->setCurrentIndex(-1);
    Choose->setEnabled(false);
}

void TPortDialog::PlatformChosen(int index) {
    if (Rows.empty()) return;
    const int row = Grid->currentRow();
    // A game cannot be ported to the platform it was made for. Choosing another game afterwards
    // is not checked again here; the game itself refuses a title that exists on the platform.
    if (row >= 0 && Platform->itemData(index).toInt() == Rows[static_cast<size_t>(row)].PlatformIndex) {
        Platform->setCurrentIndex(-1);
        Choose->setEnabled(false);
        return;
    }
    Choose->setEnabled(true);
}

int TPortDialog::ChosenEntry() const {
    const int row = Grid->currentRow();
    return row >= 0 && row < static_cast<int>(Rows.size()) ? Rows[static_cast<size_t>(row)].Entry : -1;
}

int TPortDialog::ChosenPlatform() const {
    return Platform->currentIndex() >= 0 ? Platform->currentData().toInt() : -1;
}
