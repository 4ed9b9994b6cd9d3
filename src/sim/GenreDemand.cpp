#include "sim/GenreDemand.h"

#include <algorithm>

#include "sim/NewsFeed.h"
#include "state/GameCore.h"
#include "state/PlatformTables.h"

namespace {

void RollTrends(TGameCore& game) {
    auto& c = game.State.Company;
    // Action is the steady backbone of the market: its trend is never rolled.
    for (int g = 1; g <= 10; ++g) {
        const int r = game.Random(11);
        int32_t& trend = c.GenreTrend[g];
        if (r <= 3)
            trend -= 1;
        else if (r <= 7)
            trend = 0;
        else if (r <= 9)
            trend += 1;
        trend = std::clamp(trend, -1, 1);
        if (g == c.HotGenre && trend < 0) trend = 0;
    }
}

void SetPopularity(TCompany& c, int g, int value) {
    c.GenrePopularity[g] = CheckedU8(value);
}

// The hot genre grows and draws buyers away from the others.
void HotGenrePull(TGameCore& game, int g) {
    auto& c = game.State.Company;
    if (!game.Flags.GenreBoomConfirmed) {
        SetPopularity(c, g, c.GenrePopularity[g] + 1);
        for (int j = 1; j <= 6; ++j) {
            if (j == g) continue;
            if (1 + game.Random(8) > 4 && c.GenreTrend[j] < 0) SetPopularity(c, j, c.GenrePopularity[j] - 3);
        }
    } else if (c.GenreTrend[g] < 1) {
        if (c.GenrePopularity[g] < 58) SetPopularity(c, g, 58);
        for (int j = 1; j <= 6; ++j) {
            if (j == g) continue;
            if (1 + game.Random(8) > 2) SetPopularity(c, j, c.GenrePopularity[j] - 4);
        }
    }
}

} // namespace

int GenreMove(int r, int trend, int popularity) {
    trend = std::clamp(trend, -1, 1);
    switch (r) {
    case 2:
        return trend == 1 || popularity <= 25 ? 0 : trend == -1 ? -5 : -3;
    case 3:
        return trend == -1 ? 5 : 3;
    case 4:
        return trend == -1 ? 1 : -1;
    case 5:
        return trend == -1 ? -1 : 1;
    case 6:
    case 7:
    case 8:
        return trend;
    default:
        return 0;
    }
}

void AdvanceGenres(TGameCore& game) {
    auto& c = game.State.Company;
    if (c.Week == 4 || c.Week % 16 == 0) RollTrends(game);
    for (int g = 0; g < GenreCount; ++g) {
        const std::string name = Genres[g].Name;
        if (g == c.HotGenre) HotGenrePull(game, g);
        const int r = 1 + game.Random(8);
        int popularity = c.GenrePopularity[g] + GenreMove(r, c.GenreTrend[g], c.GenrePopularity[g]);
        popularity = std::clamp(popularity, 10, 60);
        if (popularity < 20 && 1 + game.Random(7) == 2) {
            popularity += 15;
            ReportNews(game, "Sales of " + name + " games is doing better", TFeedStyle::FontHeader1);
        }
        if (popularity >= 50) {
            if (1 + game.Random(7) == 2) {
                ReportNews(game, "Sales of " + name + " games is declining a bit", TFeedStyle::FontHeader1);
                popularity -= 10;
            }
            if (1 + game.Random(50) == 10 && g != c.HotGenre) {
                ReportNews(game, "Sales of " + name + " games is declining rapidly", TFeedStyle::FontHeader1);
                popularity -= 20;
            }
        }
        if (popularity > 55)
            ReportNews(game, "Sales of " + name + " games is Booming", TFeedStyle::FONTHEADER2);
        if (popularity < 20)
            ReportNews(game, "Sales of " + name + " games is declining", TFeedStyle::FontHeader1);
        SetPopularity(c, g, popularity);
    }
}

void RefreshGenreLights(TGameCore& game) {
    const auto& c = game.State.Company;
    for (int g = 0; g < GenreCount; ++g) {
        const int popularity = c.GenrePopularity[g];
        const int trend = c.GenreTrend[g];
        TGenreLight& light = game.Side.GenreLights[g];
        light.Large = popularity < 25   ? TLightColor::Red
                      : popularity < 35 ? TLightColor::Yellow
                      : popularity < 45 ? TLightColor::Green
                                        : TLightColor::Lime;
        light.Small = trend < 0 ? TLightColor::Red : trend == 0 ? TLightColor::Yellow : TLightColor::Lime;
    }
}
