#include "ui/widgets/PaintBoxGrid.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/widgets/Cp1252.h"

namespace {
QColor ToQColor(TRgb c) {
    return {c.R, c.G, c.B};
}
} // namespace

TPaintBoxGrid::TPaintBoxGrid(QWidget* parent) : QWidget(parent) {
    resize(400, 300);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The labels are placed by an estimate of six units per character at eight points; a
    // condensed face keeps the real digits within it.
    QFont labels(QStringLiteral("DejaVu Sans"));
    labels.setStretch(QFont::SemiCondensed);
    labels.setPointSize(8);
    setFont(labels);
}

int TPaintBoxGrid::LabelFontSize() const {
    const QFont& f = font();
    if (f.pointSize() > 0) return f.pointSize();
    // A font given in pixels: its size in points at the usual 96 dots per inch.
    return qRound(f.pixelSize() * 0.75);
}

void TPaintBoxGrid::paintEvent(QPaintEvent*) {
    if (Painting) return;
    Painting = true;
    if (BeforeGrid) BeforeGrid();
    QPainter p(this);
    p.fillRect(rect(), Background);
    Last = ::DrawGrid(Props, width(), height(), LabelFontSize(), Events);

    p.setPen(QPen(ToQColor(Props.GridColor), 1, Qt::SolidLine));
    for (const TGridLine& line : Last.GridLines)
        p.drawLine(line.X1, line.Y1, line.X2, line.Y2);
    for (const TGridLine& line : Last.Ticks)
        p.drawLine(line.X1, line.Y1, line.X2, line.Y2);

    p.setPen(TextColour);
    const int ascent = p.fontMetrics().ascent();
    for (const auto* labels : {&Last.XLabels, &Last.YLabels})
        for (const TGridLabel& label : *labels)
            p.drawText(QPoint(label.Left, label.Top + ascent), FromCp1252(label.Text));

    if (OnPaint) {
        p.save();
        OnPaint(p);
        p.restore();
    }
    Painting = false;
}

void TPaintBoxGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool inside = at.x() >= Props.MarginLeft && at.x() <= width() - Props.MarginRight &&
                        at.y() >= Props.MarginTop && at.y() <= height() - Props.MarginBottom;
    if (inside && Last.XAxis)
        emit Pointed(Last.Mapping.XValue(at.x()), Last.Mapping.YValue(at.y()));
    else
        emit PointerLeft();
    QWidget::mouseMoveEvent(event);
}

void TPaintBoxGrid::leaveEvent(QEvent* event) {
    emit PointerLeft();
    QWidget::leaveEvent(event);
}

void DrawMarker(QPainter& painter, int x, int y) {
    painter.drawRect(QRect(QPoint(x - 2, y - 2), QPoint(x + 2, y + 2)));
}
