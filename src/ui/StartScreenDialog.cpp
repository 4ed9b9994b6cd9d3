#include "ui/StartScreenDialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <exception>

#include "shell/NewGame.h"
#include "state/Game.h"
#include "ui/Cp1252.h"
#include "ui/LinkButton.h"

TStartScreenDialog::TStartScreenDialog(TGame& game, QWidget* parent) : QDialog(parent), Game(game) {
    setWindowTitle(QStringLiteral("Quillon - The Bright Years"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 26, 36, 20);
    layout->setSpacing(10);

    auto* title = new QLabel(QStringLiteral("Quillon"), this);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color: #ffcf5a; font-size: 30pt; font-weight: bold;"));
    auto* subtitle = new QLabel(tr("The Bright Years  \u2022  1984 \u2013 1994"), this);
    subtitle->setAlignment(Qt::AlignCenter);
    subtitle->setStyleSheet(QStringLiteral("color: #8fd3ff; font-size: 11pt;"));
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addSpacing(12);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(12);
    PlayerName = new QLineEdit(this);
    CompanyName = new QLineEdit(this);
    // The names are stored in fixed-length fields.
    PlayerName->setMaxLength(25);
    CompanyName->setMaxLength(25);
    PlayerName->setMinimumWidth(240);
    SetHint(PlayerName, tr("Your name, for the high-score list"));
    SetHint(CompanyName, tr("The name of your new software company"));
    form->addRow(QStringLiteral("Player Name:"), PlayerName);
    form->addRow(QStringLiteral("Company Name:"), CompanyName);
    layout->addLayout(form);

    DifficultyText = new QLabel(QStringLiteral("level of difficulty : 2"), this);
    Difficulty = new QSlider(Qt::Horizontal, this);
    Difficulty->setRange(1, 3);
    Difficulty->setValue(2);
    Difficulty->setPageStep(1);
    Difficulty->setTickPosition(QSlider::TicksBelow);
    SetHint(Difficulty, tr("1 is the gentlest start; 3 gives the best score for the same result"));
    connect(Difficulty, &QSlider::valueChanged, this, [this](int value) {
        DifficultyText->setText(QStringLiteral("level of difficulty : ") + QString::number(value));
    });
    layout->addWidget(DifficultyText);
    layout->addWidget(Difficulty);
    layout->addSpacing(10);

    Start = new QPushButton(QStringLiteral("Start Game"), this);
    Start->setObjectName(QStringLiteral("EndOfWeek"));
    Start->setDefault(true);
    SetHint(Start, tr("Found your company in 1984"));
    layout->addWidget(Start);
    Quit = new TLinkButton(QStringLiteral("Quit Game"), tr("Leave the game"), this);
    layout->addWidget(Quit, 0, Qt::AlignRight);

    connect(Start, &QPushButton::clicked, this, &TStartScreenDialog::StartGame);
    connect(Quit, &QPushButton::clicked, this, &TStartScreenDialog::reject);
}

void TStartScreenDialog::StartGame() {
    TNewGameChoices choices;
    choices.PlayerName = ToCp1252(PlayerName->text().trimmed());
    choices.CompanyName = ToCp1252(CompanyName->text().trimmed());
    choices.Difficulty = Difficulty->value();
    if (choices.PlayerName.empty() || choices.CompanyName.empty()) {
        Game.Ui.ShowMessage("Player Name and Company Name cannot be empty", "Error", TMessageKind::Error);
        PlayerName->setFocus();
        return;
    }
    try {
        ApplyNewGameChoices(Game, choices);
    } catch (const std::exception& error) {
        Game.Ui.ShowMessage(error.what(), "Error", TMessageKind::Error);
        return;
    }
    accept();
}

void TStartScreenDialog::reject() {
    Game.Flags.QuitChosen = true;
    QDialog::reject();
}
