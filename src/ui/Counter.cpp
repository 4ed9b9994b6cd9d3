#include "ui/Counter.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "ui/LinkButton.h"

TCounter::TCounter(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), Minimum(minimum), Maximum(maximum), Shown(minimum) {
    setObjectName(QStringLiteral("Counter"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    Number = new QLineEdit(this);
    Number->setObjectName(QStringLiteral("CounterField"));
    Number->setReadOnly(true);
    Number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Number->setFixedWidth(46);
    Number->installEventFilter(this);
    layout->addWidget(Number);

    auto* arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(1);
    Up = new QToolButton(this);
    Down = new QToolButton(this);
    Up->setArrowType(Qt::UpArrow);
    Down->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {Up, Down}) {
        arrow->setObjectName(QStringLiteral("CounterArrow"));
        arrow->setAutoRepeat(true);
        arrow->setAutoRepeatDelay(400);
        arrow->setAutoRepeatInterval(120);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setFixedSize(18, 11);
        arrows->addWidget(arrow);
    }
    layout->addLayout(arrows);
    layout->addStretch(1);
    connect(Up, &QToolButton::clicked, this, [this] { Request(+1); });
    connect(Down, &QToolButton::clicked, this, [this] { Request(-1); });
    SetValue(minimum);
}

void TCounter::SetValue(int value) {
    Shown = std::clamp(value, Minimum, Maximum);
    Number->setText(QString::number(Shown));
}

void TCounter::SetHint(const QString& hint) {
    for (QWidget* part :
         {static_cast<QWidget*>(Number), static_cast<QWidget*>(Up), static_cast<QWidget*>(Down)})
        ::SetHint(part, hint);
}

void TCounter::Request(int step) {
    if ((step > 0 && Shown >= Maximum) || (step < 0 && Shown <= Minimum)) return;
    emit StepRequested(step);
}

bool TCounter::eventFilter(QObject* watched, QEvent* event) {
    // The arrow keys and the wheel step the counter as the arrows do.
    if (watched == Number && isEnabled()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                Request(key == Qt::Key_Up ? +1 : -1);
                return true;
            }
        } else if (event->type() == QEvent::Wheel) {
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            if (delta != 0) Request(delta > 0 ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
