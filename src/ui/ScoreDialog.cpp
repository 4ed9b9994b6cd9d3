#include "ui/ScoreDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/Cp1252.h"
#include "ui/LinkButton.h"

TScoreDialog::TScoreDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Quillon - The Bright Years"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 18, 22, 14);
    auto* over = new QLabel(QStringLiteral("GAME IS OVER"), this);
    over->setObjectName(QStringLiteral("GameIsOver"));
    over->setAlignment(Qt::AlignCenter);
    layout->addWidget(over);

    auto* scoreRow = new QHBoxLayout;
    scoreRow->addStretch(1);
    scoreRow->addWidget(new QLabel(QStringLiteral("Your score :"), this));
    Score = new QLabel(this);
    Score->setObjectName(QStringLiteral("ScoreValue"));
    scoreRow->addWidget(Score);
    scoreRow->addStretch(1);
    layout->addLayout(scoreRow);

    const int rows = static_cast<int>(std::tuple_size_v<decltype(TScoreSheet::Rows)>);
    Table = new QTableWidget(rows, 2, this);
    Table->horizontalHeader()->hide();
    Table->verticalHeader()->hide();
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionMode(QAbstractItemView::NoSelection);
    Table->setFocusPolicy(Qt::NoFocus);
    Table->verticalHeader()->setDefaultSectionSize(24);
    Table->setMinimumSize(360, rows * 24 + 4);
    layout->addWidget(Table, 1);

    auto* close = new TLinkButton(QStringLiteral("Close"), tr("Leave the game"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void TScoreDialog::SetSheet(const TScoreSheet& sheet) {
    Score->setText(QString::number(sheet.Score));
    for (int row = 0; row < Table->rowCount(); ++row) {
        const auto& [title, value] = sheet.Rows.at(static_cast<size_t>(row));
        Table->setItem(row, 0, new QTableWidgetItem(FromCp1252(title)));
        Table->setItem(row, 1, new QTableWidgetItem(FromCp1252(value)));
    }
}

QString TScoreDialog::ScoreText() const {
    return Score->text();
}
