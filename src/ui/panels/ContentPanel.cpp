#include "ui/panels/ContentPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/LinkButton.h"

TContentPanel::TContentPanel(const QString& title, const TGame& game, TPanelHost& host, QWidget* parent)
    : QFrame(parent), Game(game), Host(host) {
    setObjectName(QStringLiteral("ContentPanel"));
    setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("PanelTitleBar"));
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(8, 3, 6, 3);
    TitleLabel = new QLabel(title, bar);
    TitleLabel->setObjectName(QStringLiteral("PanelTitle"));
    CloseX = new QPushButton(QStringLiteral("X"), bar);
    CloseX->setObjectName(QStringLiteral("PanelX"));
    CloseX->setCursor(Qt::PointingHandCursor);
    SetHint(CloseX, tr("Close this panel"));
    barLayout->addWidget(TitleLabel, 1);
    barLayout->addWidget(CloseX);
    layout->addWidget(bar);

    BodyWidget = new QWidget(this);
    layout->addWidget(BodyWidget, 1);

    auto* footer = new QHBoxLayout;
    footer->setContentsMargins(8, 4, 8, 8);
    footer->addStretch(1);
    CloseButton = new TLinkButton(QStringLiteral("Close"), tr("Close this panel"), this);
    footer->addWidget(CloseButton);
    layout->addLayout(footer);

    connect(CloseX, &QPushButton::clicked, this, &TContentPanel::Close);
    connect(CloseButton, &QPushButton::clicked, this, &TContentPanel::Close);
    hide();
}

QString TContentPanel::Title() const {
    return TitleLabel->text();
}

void TContentPanel::Close() {
    hide();
    emit Closed();
}
