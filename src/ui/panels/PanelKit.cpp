#include "ui/panels/PanelKit.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/widgets/LinkButton.h"

QLabel* MakeHeading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("heading", true);
    return label;
}

QLabel* MakeCaption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("caption", true);
    return label;
}

QLabel* MakeValue(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setProperty("value", true);
    return label;
}

namespace {
class TPageScroll : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize minimumSizeHint() const override {
        const QSize own = QScrollArea::minimumSizeHint();
        if (!widget()) return own;
        const int width =
            widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
        return {std::max(own.width(), width), own.height()};
    }
};
} // namespace

QWidget* MakeScrollingPage(QWidget* body) {
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new TPageScroll(body);
    scroll->setObjectName(QStringLiteral("PageScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* page = new QWidget(scroll);
    page->setObjectName(QStringLiteral("PageScrollContent"));
    scroll->setWidget(page);
    outer->addWidget(scroll);
    return page;
}

QFrame* MakeCard(QWidget* parent) {
    auto* card = new QFrame(parent);
    card->setObjectName(QStringLiteral("Card"));
    card->setAttribute(Qt::WA_StyledBackground);
    return card;
}

QPushButton* MakeActionButton(const QString& text, const QString& hint, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setProperty("action", true);
    button->setCursor(Qt::PointingHandCursor);
    SetHint(button, hint);
    return button;
}
