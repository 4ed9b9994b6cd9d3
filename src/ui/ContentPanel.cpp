#include "ui/ContentPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "ui/LinkButton.h"

TContentPanel::TContentPanel(const QString& title, QWidget* parent) : QFrame(parent) {
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

    connect(CloseX, &QPushButton::clicked, this, &TContentPanel::HidePanel);
    connect(CloseButton, &QPushButton::clicked, this, &TContentPanel::HidePanel);
    hide();
}

QString TContentPanel::Title() const {
    return TitleLabel->text();
}

void TContentPanel::HidePanel() {
    hide();
    emit Closed();
}

void TContentArea::Track(TContentPanel* panel) {
    if (panel->parentWidget() != this) panel->setParent(this);
    panel->removeEventFilter(this);
    panel->installEventFilter(this);
}

void TContentArea::Present(TContentPanel* panel) {
    Track(panel);
    PutOnTop(panel);
}

void TContentArea::Close(TContentPanel* panel) {
    const bool wasTop = Top() == panel;
    Pile.removeAll(QPointer<TContentPanel>(panel));
    Arranging = true;
    panel->hide();
    Arranging = false;
    if (wasTop) Uncover();
}

TContentPanel* TContentArea::Top() const {
    for (auto it = Pile.crbegin(); it != Pile.crend(); ++it)
        if (*it) return *it;
    return nullptr;
}

QSize TContentArea::minimumSizeHint() const {
    QSize size(0, 0);
    for (auto* panel : findChildren<TContentPanel*>(QString(), Qt::FindDirectChildrenOnly))
        size = size.expandedTo(panel->minimumSizeHint()).expandedTo(panel->minimumSize());
    return size;
}

void TContentArea::PutOnTop(TContentPanel* panel) {
    Pile.removeAll(QPointer<TContentPanel>(panel));
    Pile.removeAll(QPointer<TContentPanel>());
    Arranging = true;
    for (const auto& covered : Pile)
        if (covered) covered->hide();
    Pile.append(panel);
    panel->setGeometry(rect());
    panel->show();
    panel->raise();
    Arranging = false;
    // The window keeps room for what this panel shows now, before anyone clicks in it.
    updateGeometry();
    if (QLayout* top = window()->layout()) top->activate();
}

void TContentArea::Uncover() {
    TContentPanel* panel = Top();
    if (!panel) return;
    PutOnTop(panel);
    // It missed what happened while it was covered.
    panel->GameChanged();
}

bool TContentArea::eventFilter(QObject* watched, QEvent* event) {
    if (!Arranging && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)) {
        if (auto* panel = qobject_cast<TContentPanel*>(watched); panel && panel->parentWidget() == this) {
            if (event->type() == QEvent::ShowToParent) {
                PutOnTop(panel);
            } else {
                const bool wasTop = Top() == panel;
                Pile.removeAll(QPointer<TContentPanel>(panel));
                if (wasTop) Uncover();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TContentArea::resizeEvent(QResizeEvent* event) {
    for (auto* panel : findChildren<TContentPanel*>(QString(), Qt::FindDirectChildrenOnly))
        panel->setGeometry(QRect(QPoint(0, 0), event->size()));
    QWidget::resizeEvent(event);
}
