#pragma once
// Two lights per genre: the large one shows how well the genre sells now, the small one
// where its sales are heading. All lights are dark until the world has been simulated.
#include <QColor>
#include <QWidget>
#include <array>

#include "game/Game.h"

class TGenreLights : public QWidget {
    Q_OBJECT
public:
    static constexpr int GenreCount = 7;
    explicit TGenreLights(QWidget* parent = nullptr);

    void SetLights(int genre, const QColor& popularity, const QColor& trend);
    // Every genre's pair as the game has coloured them.
    void ShowLights(const std::array<TGenreLight, GenreCount>& lights);
    // The basic colours of the lights: red, yellow, green and light green.
    static QColor Colour(TLightColor light);
    QColor PopularityLight(int genre) const { return Large.at(static_cast<size_t>(genre)); }
    QColor TrendLight(int genre) const { return Small.at(static_cast<size_t>(genre)); }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QColor, GenreCount> Large;
    std::array<QColor, GenreCount> Small;
};
