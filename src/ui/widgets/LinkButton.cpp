#include "ui/widgets/LinkButton.h"

TLinkButton::TLinkButton(const QString& text, const QString& hint, QWidget* parent)
    : QPushButton(text, parent) {
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setProperty("link", true);
    SetHint(this, hint);
}

void SetHint(QWidget* widget, const QString& hint) {
    widget->setStatusTip(hint);
}
