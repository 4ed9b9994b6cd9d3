#include "ui/dialogs/HelpWindow.h"

#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "views/StatusView.h"

namespace {
// The window is at least as wide as a short hint needs and no wider than reads comfortably;
// longer lines wrap.
constexpr int NarrowestText = 220;
constexpr int WidestText = 400;
constexpr int TextMarginX = 6;
constexpr int TextMarginY = 4;
} // namespace

THelpWindow::THelpWindow(QWidget* parent)
    : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Help Window"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* caption = new QLabel(QStringLiteral("Help Window"), this);
    caption->setObjectName(QStringLiteral("HelpCaption"));
    Text = new QLabel(this);
    Text->setObjectName(QStringLiteral("HelpText"));
    Text->setWordWrap(true);
    Text->setTextFormat(Qt::PlainText);
    Text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(caption);
    // The text's margins belong to the layout, which counts them when it works out the height.
    auto* textBox = new QVBoxLayout;
    textBox->setContentsMargins(TextMarginX, TextMarginY, TextMarginX, TextMarginY);
    textBox->addWidget(Text);
    layout->addLayout(textBox);
    SetHint(QString());
}

void THelpWindow::SetHint(const QString& text) {
    if (Text->text() == text && !text.isEmpty()) return;
    Text->setText(text);
    const QFontMetrics metrics(Text->font());
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int frame = 2 * frameWidth();
    const int width = std::clamp(widest + 2, NarrowestText, WidestText) + 2 * TextMarginX + frame;
    setFixedWidth(width);
    layout()->activate();
    // Without a width-dependent height (an empty hint) the layout's own size is right.
    const int height = heightForWidth(width);
    setFixedHeight(height > 0 ? height : layout()->sizeHint().height());
}

QString THelpWindow::Hint() const {
    return Text->text();
}

QPoint THelpWindow::PositionFor(const QPoint& mouse, const QRect& screen) const {
    const QPoint local = mouse - screen.topLeft();
    const auto [left, top] =
        HelpWindowPosition(local.x(), local.y(), width(), height(), screen.width(), screen.height());
    const int x = std::clamp(left, 0, std::max(0, screen.width() - width()));
    const int y = std::clamp(top, 0, std::max(0, screen.height() - height()));
    return screen.topLeft() + QPoint(x, y);
}
