#include "ui/dialogs/DepartureDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {
constexpr int FrameMs = 60;
// Frames of one walk from the desk to the door, then a few with the door swinging shut.
constexpr int WalkFrames = 70;
constexpr int CycleFrames = 90;
} // namespace

TWalkAwayScene::TWalkAwayScene(QWidget* parent) : QWidget(parent) {
    setMinimumSize(sizeHint());
    connect(&Timer, &QTimer::timeout, this, [this] {
        Step = (Step + 1) % CycleFrames;
        update();
    });
}

void TWalkAwayScene::showEvent(QShowEvent* event) {
    Step = 0;
    Timer.start(FrameMs);
    QWidget::showEvent(event);
}

void TWalkAwayScene::hideEvent(QHideEvent* event) {
    Timer.stop();
    QWidget::hideEvent(event);
}

void TWalkAwayScene::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width();
    const double h = height();
    const double floor = h - 18;

    // Office wall and floor.
    p.fillRect(rect(), QColor(28, 38, 66));
    p.fillRect(QRectF(0, floor, w, h - floor), QColor(58, 44, 34));
    p.setPen(QPen(QColor(90, 70, 52), 1));
    for (double x = 0; x < w; x += 24)
        p.drawLine(QPointF(x, floor), QPointF(x - 10, h));

    // The desk left behind, with its little monitor.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 86, 54));
    p.drawRect(QRectF(16, floor - 30, 62, 8));
    p.drawRect(QRectF(20, floor - 22, 6, 22));
    p.drawRect(QRectF(68, floor - 22, 6, 22));
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(QRectF(36, floor - 52, 28, 20));
    p.setBrush(QColor(40, 120, 200));
    p.drawRect(QRectF(39, floor - 49, 22, 14));

    // The door, swinging open while he walks and shut behind him.
    const double doorX = w - 62;
    const double doorH = 74;
    p.setBrush(QColor(12, 14, 22));
    p.drawRect(QRectF(doorX, floor - doorH, 34, doorH));
    double open = 0;
    if (Step > WalkFrames - 30 && Step <= WalkFrames) open = (Step - (WalkFrames - 30)) / 30.0;
    if (Step > WalkFrames) open = std::max(0.0, 1.0 - (Step - WalkFrames) / 10.0);
    p.setBrush(QColor(150, 96, 52));
    p.drawRect(QRectF(doorX, floor - doorH, 34 * (1.0 - 0.8 * open), doorH));
    p.setPen(QPen(QColor(80, 50, 30), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(doorX - 2, floor - doorH - 2, 38, doorH + 2));
    p.setFont(QFont(font().family(), 7, QFont::Bold));
    p.setPen(QColor(120, 220, 120));
    p.drawText(QRectF(doorX - 4, floor - doorH - 16, 42, 12), Qt::AlignCenter, QStringLiteral("EXIT"));

    if (Step > WalkFrames) return;

    // The manager: a stick figure with a briefcase, walking towards the door and fading as
    // he passes through it.
    const double t = Step / static_cast<double>(WalkFrames);
    const double x = 96 + (doorX + 16 - 96) * t;
    const double swing = std::sin(Step * 0.55) * 9;
    const double bob = std::abs(std::sin(Step * 0.55)) * 2;
    const double hip = floor - 24 - bob;
    const double shoulder = hip - 22;
    int alpha = 255;
    if (x > doorX + 4) alpha = std::max(0, static_cast<int>(255 * (1.0 - (x - doorX - 4) / 12.0)));
    const QColor body(235, 235, 240, alpha);
    p.setPen(QPen(body, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x, hip), QPointF(x + swing, floor));
    p.drawLine(QPointF(x, hip), QPointF(x - swing, floor));
    p.drawLine(QPointF(x, hip), QPointF(x + 1, shoulder));
    p.drawLine(QPointF(x + 1, shoulder + 3), QPointF(x - swing * 0.8, shoulder + 18));
    p.drawLine(QPointF(x + 1, shoulder + 3), QPointF(x + swing * 0.8 + 2, shoulder + 17));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(QPointF(x + 2, shoulder - 8), 6.5, 6.5);
    // Hat, and the briefcase in the hand that swings forward.
    p.setBrush(QColor(30, 30, 36, alpha));
    p.drawRect(QRectF(x - 5, shoulder - 17, 14, 4));
    p.drawRect(QRectF(x - 2, shoulder - 22, 8, 6));
    p.setBrush(QColor(110, 70, 30, alpha));
    p.drawRoundedRect(QRectF(x + swing * 0.8 - 4, shoulder + 17, 14, 10), 2, 2);
}

TDepartureDialog::TDepartureDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Departure"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    auto* scene = new TWalkAwayScene(this);
    Message = new QLabel(this);
    Message->setWordWrap(true);
    Message->setTextFormat(Qt::PlainText);
    Message->setMinimumWidth(320);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(scene);
    layout->addSpacing(8);
    layout->addWidget(Message);
    layout->addWidget(buttons);
}

void TDepartureDialog::SetText(const QString& text) {
    Message->setText(text);
}

QString TDepartureDialog::Text() const {
    return Message->text();
}
