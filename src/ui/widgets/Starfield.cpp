#include "ui/widgets/Starfield.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {
constexpr int StarCount = 260;
constexpr double FarZ = 1000.0;
constexpr double NearZ = 20.0;
constexpr double Speed = 5.0;
// Stars are spread as wide as they are deep; the focal length sets how fast they open out.
constexpr double Spread = 1000.0;
constexpr double Focal = 300.0;
constexpr int FrameMs = 50;
} // namespace

TStarfield::TStarfield(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (int i = 0; i < StarCount; ++i)
        Stars.push_back(NewStar(true));
    connect(&Timer, &QTimer::timeout, this, &TStarfield::Step);
    Timer.start(FrameMs);
}

TStarfield::TStar TStarfield::NewStar(bool anywhere) {
    std::uniform_real_distribution<double> spread(-1.0, 1.0);
    std::uniform_real_distribution<double> depth(anywhere ? NearZ : FarZ * 0.6, FarZ);
    return {spread(Rng) * Spread, spread(Rng) * Spread, depth(Rng)};
}

void TStarfield::SetRunning(bool running) {
    Running = running;
    if (running && !Still)
        Timer.start(FrameMs);
    else
        Timer.stop();
    update();
}

void TStarfield::HoldStill() {
    Still = true;
    Timer.stop();
}

void TStarfield::SetWhiteSky(bool white) {
    WhiteSky = white;
    update();
}

void TStarfield::Step() {
    if (!isVisible()) return;
    for (auto& star : Stars) {
        star.Z -= Speed;
        const double x = star.X / star.Z * Focal;
        const double y = star.Y / star.Z * Focal;
        if (star.Z < NearZ || std::abs(x) > width() / 2.0 || std::abs(y) > height() / 2.0)
            star = NewStar(false);
    }
    update();
}

void TStarfield::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF area = rect();
    if (!Running) {
        // A still backdrop in the game's colours.
        QLinearGradient calm(area.topLeft(), area.bottomRight());
        calm.setColorAt(0.0, QColor(20, 28, 52));
        calm.setColorAt(1.0, QColor(8, 10, 20));
        painter.fillRect(area, calm);
        return;
    }
    QRadialGradient sky(area.center(), std::max(area.width(), area.height()) * 0.75);
    if (WhiteSky) {
        sky.setColorAt(0.0, QColor(255, 255, 255));
        sky.setColorAt(1.0, QColor(222, 226, 236));
    } else {
        sky.setColorAt(0.0, QColor(14, 18, 40));
        sky.setColorAt(1.0, QColor(0, 0, 6));
    }
    painter.fillRect(area, sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double cx = area.width() / 2.0;
    const double cy = area.height() / 2.0;
    for (const auto& star : Stars) {
        const double x = cx + star.X / star.Z * Focal;
        const double y = cy + star.Y / star.Z * Focal;
        if (x < 0 || y < 0 || x >= area.width() || y >= area.height()) continue;
        const double nearness = 1.0 - star.Z / FarZ; // 0 far .. 1 near
        const int level = static_cast<int>(60 + 195 * nearness);
        const QColor colour = WhiteSky ? QColor(255 - level, 255 - level, 255 - level / 2)
                                       : QColor(level, level, std::min(255, level + 30));
        const double radius = 0.6 + 1.8 * nearness * nearness;
        painter.setBrush(colour);
        painter.drawEllipse(QPointF(x, y), radius, radius);
    }
}
