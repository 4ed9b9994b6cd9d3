#include "ui/widgets/BuildingPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {
// Rows and columns of lit and dark windows; the pattern is fixed so the picture never flickers.
void Windows(QPainter& p, const QRectF& area, int columns, int rows, const QColor& lit, const QColor& dark) {
    const double cellW = area.width() / columns;
    const double cellH = area.height() / rows;
    p.setPen(Qt::NoPen);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const bool on = ((r * 7 + c * 3) % 5) != 0;
            p.setBrush(on ? lit : dark);
            p.drawRect(QRectF(area.left() + c * cellW + cellW * 0.2, area.top() + r * cellH + cellH * 0.2,
                              cellW * 0.6, cellH * 0.6));
        }
}

void Block(QPainter& p, const QRectF& body, const QColor& front, const QColor& side, double depth) {
    // The front face and a narrow side face give the block some depth.
    p.setPen(QPen(front.darker(160), 1));
    QPainterPath sideFace;
    sideFace.moveTo(body.topRight());
    sideFace.lineTo(body.topRight() + QPointF(depth, -depth * 0.6));
    sideFace.lineTo(body.bottomRight() + QPointF(depth, -depth * 0.6));
    sideFace.lineTo(body.bottomRight());
    sideFace.closeSubpath();
    p.setBrush(side);
    p.drawPath(sideFace);
    QPainterPath roof;
    roof.moveTo(body.topLeft());
    roof.lineTo(body.topLeft() + QPointF(depth, -depth * 0.6));
    roof.lineTo(body.topRight() + QPointF(depth, -depth * 0.6));
    roof.lineTo(body.topRight());
    roof.closeSubpath();
    p.setBrush(side.lighter(125));
    p.drawPath(roof);
    p.setBrush(front);
    p.drawRect(body);
}

void Door(QPainter& p, double centreX, double ground, double width, double height) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 40, 26));
    p.drawRect(QRectF(centreX - width / 2, ground - height, width, height));
    p.setBrush(QColor(230, 200, 120));
    p.drawEllipse(QPointF(centreX + width / 4, ground - height / 2), 1.2, 1.2);
}

void Tree(QPainter& p, double x, double ground, double size) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(92, 62, 36));
    p.drawRect(QRectF(x - size * 0.08, ground - size * 0.5, size * 0.16, size * 0.5));
    p.setBrush(QColor(46, 122, 64));
    p.drawEllipse(QPointF(x, ground - size * 0.7), size * 0.35, size * 0.38);
}

void Sign(QPainter& p, const QRectF& area, const QString& text, const QFont& base) {
    p.setPen(QPen(QColor(120, 90, 20), 1));
    p.setBrush(QColor(255, 207, 90));
    p.drawRoundedRect(area, 2, 2);
    QFont font = base;
    font.setBold(true);
    font.setPixelSize(std::max(6, static_cast<int>(area.height() * 0.7)));
    p.setFont(font);
    p.setPen(QColor(40, 28, 0));
    p.drawText(area, Qt::AlignCenter, text);
}

const QRectF Canvas(0, 0, 230, 150);
const QColor Lit(255, 226, 140);
const QColor Dark(40, 56, 92);
} // namespace

TBuildingPicture::TBuildingPicture(QWidget* parent) : QWidget(parent) {
    setMinimumSize(sizeHint());
}

void TBuildingPicture::SetBuilding(int index) {
    Index = std::clamp(index, 0, 3);
    update();
}

void TBuildingPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The scenes are drawn on a 230 x 150 canvas and scaled to the widget.
    p.scale(width() / Canvas.width(), height() / Canvas.height());
    const QRectF area = Canvas.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath frame;
    frame.addRoundedRect(area, 6, 6);
    p.setClipPath(frame);

    // Evening sky and the street.
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(24, 38, 84));
    sky.setColorAt(0.75, QColor(92, 96, 150));
    sky.setColorAt(1.0, QColor(228, 150, 110));
    p.fillRect(area, sky);
    const double ground = area.bottom() - 18;
    p.fillRect(QRectF(area.left(), ground, area.width(), area.bottom() - ground), QColor(52, 60, 58));
    p.fillRect(QRectF(area.left(), ground, area.width(), 3), QColor(150, 150, 140));
    p.setPen(QPen(QColor(210, 200, 150), 1, Qt::DashLine));
    p.drawLine(QPointF(area.left(), ground + 11), QPointF(area.right(), ground + 11));

    const double mid = area.center().x();
    const QFont base = font();
    switch (Index) {
    case 0: {
        // Small: a two-storey brick office with a pitched roof.
        const QRectF body(mid - 46, ground - 52, 80, 52);
        p.setPen(QPen(QColor(90, 40, 30), 1));
        p.setBrush(QColor(170, 84, 60));
        p.drawRect(body);
        QPainterPath roof;
        roof.moveTo(body.left() - 8, body.top());
        roof.lineTo(mid - 6, body.top() - 26);
        roof.lineTo(body.right() + 8, body.top());
        roof.closeSubpath();
        p.setBrush(QColor(70, 52, 48));
        p.drawPath(roof);
        Windows(p, QRectF(body.left() + 4, body.top() + 4, body.width() - 8, 22), 4, 1, Lit, Dark);
        Windows(p, QRectF(body.left() + 4, body.top() + 28, 24, 22), 1, 1, Lit, Dark);
        Windows(p, QRectF(body.right() - 28, body.top() + 28, 24, 22), 1, 1, Lit, Dark);
        Door(p, mid - 6, ground, 12, 20);
        Sign(p, QRectF(mid - 22, body.top() + 25, 32, 7), QStringLiteral("STUDIO"), base);
        Tree(p, mid + 64, ground, 34);
        Tree(p, mid - 70, ground, 26);
        break;
    }
    case 1: {
        // Medium: a four-storey office block.
        const QRectF body(mid - 50, ground - 92, 92, 92);
        Block(p, body, QColor(150, 160, 176), QColor(104, 112, 128), 12);
        Windows(p, QRectF(body.left() + 4, body.top() + 6, body.width() - 8, 66), 5, 4, Lit, Dark);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 80, 96));
        p.drawRect(QRectF(mid - 22, ground - 16, 36, 16));
        Door(p, mid - 4, ground, 16, 14);
        Sign(p, QRectF(body.left() + 16, body.top() - 2 - 8, 60, 9), QStringLiteral("SOFTWARE"), base);
        Tree(p, mid + 70, ground, 30);
        Tree(p, mid - 74, ground, 30);
        break;
    }
    case 2: {
        // Large: a glass tower with a lower wing.
        const QRectF wing(mid - 78, ground - 44, 60, 44);
        Block(p, wing, QColor(120, 136, 160), QColor(88, 100, 122), 8);
        Windows(p, QRectF(wing.left() + 3, wing.top() + 4, wing.width() - 6, 36), 4, 3, Lit, Dark);
        const QRectF tower(mid - 14, ground - 104, 60, 104);
        QLinearGradient glass(tower.topLeft(), tower.topRight());
        glass.setColorAt(0, QColor(90, 150, 200));
        glass.setColorAt(1, QColor(40, 80, 130));
        Block(p, tower, QColor(70, 120, 170), QColor(36, 66, 104), 14);
        p.setBrush(glass);
        p.setPen(Qt::NoPen);
        p.drawRect(tower.adjusted(2, 2, -2, -2));
        Windows(p, QRectF(tower.left() + 3, tower.top() + 6, tower.width() - 6, 84), 4, 8,
                QColor(255, 236, 170, 220), QColor(30, 60, 100));
        p.setPen(QPen(QColor(200, 210, 230), 1.5));
        p.drawLine(QPointF(tower.center().x(), tower.top()), QPointF(tower.center().x(), tower.top() - 14));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 90, 80));
        p.drawEllipse(QPointF(tower.center().x(), tower.top() - 15), 2, 2);
        Door(p, tower.center().x(), ground, 18, 12);
        Tree(p, mid + 72, ground, 28);
        break;
    }
    default: {
        // Big: twin towers joined by a bridge, with the company's flag on top.
        const QRectF left(mid - 84, ground - 90, 52, 90);
        const QRectF right(mid + 4, ground - 104, 56, 104);
        Block(p, left, QColor(176, 180, 196), QColor(120, 124, 142), 12);
        Block(p, right, QColor(176, 180, 196), QColor(120, 124, 142), 12);
        Windows(p, QRectF(left.left() + 3, left.top() + 6, left.width() - 6, 76), 4, 7, Lit, Dark);
        Windows(p, QRectF(right.left() + 3, right.top() + 14, right.width() - 6, 84), 4, 7, Lit, Dark);
        const QRectF bridge(left.right(), ground - 70, right.left() - left.right(), 16);
        p.setPen(QPen(QColor(90, 96, 120), 1));
        p.setBrush(QColor(120, 170, 220));
        p.drawRect(bridge);
        p.setBrush(QColor(80, 86, 104));
        p.drawRect(QRectF(left.right(), ground - 24, right.left() - left.right(), 24));
        Door(p, (left.right() + right.left()) / 2, ground, 16, 16);
        const QPointF pole(right.center().x(), right.top());
        p.setPen(QPen(QColor(220, 220, 230), 1.5));
        p.drawLine(pole, pole - QPointF(0, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 207, 90));
        QPainterPath flag;
        flag.moveTo(pole - QPointF(0, 20));
        flag.lineTo(pole - QPointF(-16, 15));
        flag.lineTo(pole - QPointF(0, 10));
        flag.closeSubpath();
        p.drawPath(flag);
        Sign(p, QRectF(right.left() + 14, right.top() + 2, right.width() - 28, 8), QStringLiteral("HQ"),
             base);
        Tree(p, mid - 100, ground, 24);
        Tree(p, mid + 84, ground, 26);
        break;
    }
    }

    p.setClipping(false);
    p.setPen(QPen(QColor(140, 175, 255, 110), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(area, 6, 6);
}
