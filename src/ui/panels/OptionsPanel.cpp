#include "ui/panels/OptionsPanel.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/widgets/LinkButton.h"

TOptionsPanel::TOptionsPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Options"), game, host, parent) {
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(24, 18, 24, 0);
    layout->setSpacing(6);
    auto add = [&](const QString& text, const QString& hint, void (TOptionsPanel::*signal)()) {
        auto* link = new TLinkButton(text, hint, Body());
        connect(link, &QPushButton::clicked, this, signal);
        layout->addWidget(link, 0, Qt::AlignLeft);
    };
    auto heading = [&](const QString& text) {
        auto* label = new QLabel(text, Body());
        label->setProperty("heading", true);
        layout->addWidget(label);
    };
    heading(tr("Game"));
    add(QStringLiteral("Save game && end turn"),
        tr("Save your company and end the week. Not possible while a game is being developed."),
        &TOptionsPanel::SaveAndEndTurnRequested);
    add(QStringLiteral("Quit Game"), tr("End this game now and see your final score"),
        &TOptionsPanel::QuitGameRequested);
    heading(tr("Music and background"));
    add(QStringLiteral("Music And Sound"), tr("Open the music player"), &TOptionsPanel::MusicRequested);
    add(QStringLiteral("Starfield On/Off"), tr("Switch the moving starfield behind the panels on or off"),
        &TOptionsPanel::StarfieldToggleRequested);
    add(QStringLiteral("Starfield Black/White"), tr("Show the starfield on a black or on a white sky"),
        &TOptionsPanel::StarfieldSkyRequested);
    layout->addStretch(1);
}
