#include "ui/widgets/Counter.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "ui/widgets/LinkButton.h"

TCounter::TCounter(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), Minimum(minimum), Maximum(maximum), Shown(minimum) {
    setObjectName(QStringLiteral("Counter"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    Number = new QLineEdit(this);
    Number->setObjectName(QStringLiteral("CounterField"));
    // Digits only, no more of them than the largest value has.
    Number->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,%1}").arg(QString::number(maximum).size())), Number));
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
    connect(Number, &QLineEdit::editingFinished, this, &TCounter::CommitTyped);
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

void TCounter::CommitTyped() {
    bool number = false;
    const int typed = Number->text().toInt(&number);
    if (number && isEnabled()) {
        const int wanted = std::clamp(typed, Minimum, Maximum);
        if (wanted != Shown) emit StepRequested(wanted - Shown);
    }
    // What the owner settled on, or the old value when nothing changed.
    Number->setText(QString::number(Shown));
}

bool TCounter::eventFilter(QObject* watched, QEvent* event) {
    // The arrow keys and the wheel (with the keyboard focus) step the counter as the arrows do.
    if (watched == Number && isEnabled()) {
        if (event->type() == QEvent::ShortcutOverride) {
            // Escape reaches the field (not the window's "close the panel") while a typed
            // number is pending.
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && Number->text() != QString::number(Shown)) event->accept();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                Request(key == Qt::Key_Up ? +1 : -1);
                return true;
            }
            if (key == Qt::Key_Escape && Number->text() != QString::number(Shown)) {
                // Escape drops a number being typed (and only that: the panel stays open).
                Number->setText(QString::number(Shown));
                return true;
            }
        } else if (event->type() == QEvent::Wheel) {
            // Only a counter the player has chosen follows the wheel: one scrolled over on the
            // way elsewhere (buying offices at 200,000$ a notch) stays as it is.
            if (!Number->hasFocus()) return QWidget::eventFilter(watched, event);
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            if (delta != 0) Request(delta > 0 ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
