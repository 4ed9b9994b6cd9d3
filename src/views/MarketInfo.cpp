#include "views/MarketInfo.h"

#include "state/GameCore.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"
#include "views/NumberText.h"

namespace {
int64_t Nearest(double value) {
    return static_cast<int64_t>(RoundHalfEven(value));
}
} // namespace

std::string InUseWord(double sold, double inUse) {
    // Each rule that holds overrides the ones before it.
    std::string word;
    if (inUse < 20000) word = "A Little";
    if (Nearest(sold / 3) <= inUse) word = "More than 33%";
    if (Nearest(sold / 2) <= inUse) word = "More than 50%";
    if (Nearest(sold / 100 * 75) <= inUse) word = "More Than 75%";
    if (Nearest(sold / 100 * 90) <= inUse) word = "More Than 90%";
    if (sold == inUse) word = "All";
    return word;
}

std::string DemandWord(int popularity) {
    // 15 sits between "below 15" and "16 or more"; it reads as the bad demand it is closer to.
    std::string word;
    if (popularity <= 15) word = "Bad";
    if (popularity >= 16) word = "Below normal";
    if (popularity > 25) word = "Normal";
    if (popularity > 35) word = "Above Normal";
    if (popularity > 45) word = "Very Good";
    if (popularity > 55) word = "Booming !!";
    return word;
}

TMarketStyle MarketStyle(int endYear, int year) {
    if (endYear > year + 1) return TMarketStyle::Normal;
    if (endYear == year + 1) return TMarketStyle::Warning;
    return TMarketStyle::Ended;
}

void ShowMarketInfo(const TGameCore& game, TMarketView& view) {
    const TCompany& c = game.State.Company;
    const TPlatformTable& now = game.State.Platforms;
    const TPlatformTable& before = game.State.PlatformsTwoWeeksAgo;

    view.Platforms.clear();
    view.Platforms.push_back({PadRight("Platform", 18) + PadRight("Sold units", 13) +
                              PadRight("Est. Units in use", 18) + PadRight("Piracy", 7) +
                              PadRight("Sold this week", 14)});
    view.Platforms.push_back({});
    for (int i = 0; i < PlatformCount; ++i) {
        const double sold = now.UnitsSold[i];
        if (!(sold > 0)) continue;
        const std::string row = PadRight(Platforms[i].FullName, 18) + PadRight(CountText(Nearest(sold)), 13) +
                                PadRight(InUseWord(sold, now.UnitsInUse[i]), 18) +
                                PadRight(std::to_string(now.Piracy[i]) + "%", 8) +
                                CountText(Nearest(sold - before.UnitsSold[i]));
        view.Platforms.push_back({row, MarketStyle(now.ReleaseYear[i] + now.Lifetime[i], c.Year)});
    }

    view.Genres.clear();
    view.Genres.push_back(PadRight("Genre", 12) + PadRight("Demand", 10));
    view.Genres.emplace_back();
    for (int g = 0; g <= 10; ++g) {
        const char* name = g < GenreCount ? Genres[g].Name : "";
        if (*name == '\0') continue;
        view.Genres.push_back(PadRight(name, 12) + DemandWord(c.GenrePopularity[g]));
    }
}
