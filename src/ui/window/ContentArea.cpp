#include "ui/window/ContentArea.h"

#include <QLayout>
#include <QResizeEvent>

#include "ui/panels/ContentPanel.h"

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
    emit Uncovered(panel);
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
