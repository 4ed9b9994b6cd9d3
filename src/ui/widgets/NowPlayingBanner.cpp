#include "ui/widgets/NowPlayingBanner.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/widgets/LinkButton.h"

namespace {
constexpr int Gap = 48;
constexpr int StepPixels = 2;
constexpr int Margin = 8;
} // namespace

TNowPlayingBanner::TNowPlayingBanner(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("NowPlaying"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedWidth(280);
    SetHint(this, tr("The song playing now. \"Player\" in the Music menu chooses another."));
}

void TNowPlayingBanner::SetText(const QString& text) {
    if (text == Line) return;
    Line = text;
    Shift = 0;
    update();
}

int TNowPlayingBanner::TextWidth() const {
    return QFontMetrics(font()).horizontalAdvance(Line);
}

void TNowPlayingBanner::Step() {
    const int width = TextWidth();
    if (width <= this->width() - 2 * Margin) {
        Shift = 0;
        return;
    }
    Shift = (Shift + StepPixels) % (width + Gap);
    update();
}

QSize TNowPlayingBanner::sizeHint() const {
    return {280, QFontMetrics(font()).height() + 4};
}

void TNowPlayingBanner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect room = rect().adjusted(Margin, 0, -Margin, 0);
    painter.setClipRect(room);
    painter.setPen(QColor(0xff, 0xcf, 0x5a));
    const int width = TextWidth();
    const int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine;
    // A text that fits stands still; a longer one runs round, its head following its tail.
    QRect at(room.left() - Shift, room.top(), width, room.height());
    painter.drawText(at, flags, Line);
    if (width > room.width()) painter.drawText(at.translated(width + Gap, 0), flags, Line);
}
