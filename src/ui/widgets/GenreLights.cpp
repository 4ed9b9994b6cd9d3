#include "ui/widgets/GenreLights.h"

#include <QPainter>
#include <QRadialGradient>

#include "state/PlatformTables.h"

namespace {
static_assert(TGenreLights::GenreCount == GenreCount);
constexpr int RowHeight = 17;
const QColor Off(58, 64, 84);

void DrawLed(QPainter& painter, QPointF centre, double radius, const QColor& colour) {
    QRadialGradient glow(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    glow.setColorAt(0.0, colour.lighter(170));
    glow.setColorAt(1.0, colour.darker(140));
    painter.setBrush(glow);
    painter.setPen(QPen(QColor(0, 0, 0, 160), 1));
    painter.drawEllipse(centre, radius, radius);
}
} // namespace

TGenreLights::TGenreLights(QWidget* parent) : QWidget(parent) {
    Large.fill(Off);
    Small.fill(Off);
    setMinimumHeight(RowHeight * GenreCount);
}

void TGenreLights::SetLights(int genre, const QColor& popularity, const QColor& trend) {
    Large.at(static_cast<size_t>(genre)) = popularity;
    Small.at(static_cast<size_t>(genre)) = trend;
    update();
}

void TGenreLights::ShowLights(const std::array<TGenreLight, GenreCount>& lights) {
    for (int g = 0; g < GenreCount; ++g) {
        const TGenreLight& light = lights.at(static_cast<size_t>(g));
        Large.at(static_cast<size_t>(g)) = Colour(light.Large);
        Small.at(static_cast<size_t>(g)) = Colour(light.Small);
    }
    update();
}

QColor TGenreLights::Colour(TLightColor light) {
    switch (light) {
    case TLightColor::Red:
        return QColor(255, 0, 0);
    case TLightColor::Yellow:
        return QColor(255, 255, 0);
    case TLightColor::Green:
        return QColor(0, 128, 0);
    case TLightColor::Lime:
        break;
    }
    return QColor(0, 255, 0);
}

QSize TGenreLights::sizeHint() const {
    return {120, RowHeight * GenreCount};
}

void TGenreLights::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int textWidth = 74;
    for (int g = 0; g < GenreCount; ++g) {
        const int top = g * RowHeight;
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(4, top, textWidth, RowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromLatin1(Genres[g].LightCaption));
        const double middle = top + RowHeight / 2.0;
        DrawLed(painter, QPointF(textWidth + 12, middle), 6, Large.at(static_cast<size_t>(g)));
        DrawLed(painter, QPointF(textWidth + 28, middle), 4, Small.at(static_cast<size_t>(g)));
    }
}
