#include "sim/PlatformMarket.h"

#include <cmath>

#include "sim/NewsFeed.h"
#include "state/GameCore.h"
#include "state/PlatformTables.h"

namespace {

bool EarlyOrLateInYear(int week) {
    return week < 5 || week > 47;
}

void ComingPlatform(TGameCore& game, int i) {
    const auto& c = game.State.Company;
    const TPlatformTable& t = game.State.Platforms;
    if (t.ReleaseYear[i] - c.Year != 1 || !EarlyOrLateInYear(c.Week)) return;
    const std::string name = t.FullName[i].Str();
    ReportNews(game, "A new Platform called " + name + " is under development", TFeedStyle::FONTHEADER2);
    game.News.BusinessNews = "A new Platform, " + name + " is under development." + "\r\n" +
                             "Analyst of the business say that prices on hardware will drop even more";
}

void Piracy(TGameCore& game, int i) {
    const auto& c = game.State.Company;
    TPlatformTable& t = game.State.Platforms;
    int32_t& piracy = t.Piracy[i];
    const std::string name = t.FullName[i].Str();

    if (c.Week % 6 == 0 && t.UnitsSold[i] > 1100000) {
        const int r = game.Random(11);
        if (r >= 9) piracy -= 1;
        if (piracy < 50 && r <= 3) piracy += 1;
        if (piracy > 50 && game.Random(10) <= 8) piracy -= 5;
    }
    if (t.UnitsSold[i] > 1300000 && c.Week % 8 == 0 && piracy >= 25) {
        const int r = game.Random(20);
        if (r == 7 || r == 14) {
            piracy -= 10 + game.Random(10);
            const std::string text = "Software Piracy ring on " + name + " was caught by police!";
            ReportNews(game, text, TFeedStyle::FontHeader1);
            game.News.BusinessNews = text;
        }
    }
    if (t.UnitsSold[i] > 1500000 && c.Week % 16 == 0 && piracy <= 50 && game.Random(30) == 15) {
        piracy = CheckedAdd(piracy, 15 + game.Random(15));
        const std::string text = "Piracy is out of control on " + name + " systems";
        ReportNews(game, text, TFeedStyle::FontHeader1);
        game.News.BusinessNews = text + "\r\n" + "Some developers has stopped making games for this system";
    }
}

void SellingWellRoll(TGameCore& game, int i) {
    const auto& c = game.State.Company;
    TPlatformTable& t = game.State.Platforms;
    if (c.Week % 5 != 0) return;
    const int r = game.Random(10);
    if (r <= 6) t.SellingWell[i] = false;
    if (r >= 8) t.SellingWell[i] = true;
    if (t.ReleaseYear[i] + t.Lifetime[i] - 1 <= c.Year) t.SellingWell[i] = false;
    if (t.UnitsSold[i] > 700000 && r >= 4) t.Piracy[i] = CheckedAdd(t.Piracy[i], 1);
    if (t.SellingWell[i] && i != c.BoomPlatform)
        ReportNews(game, "Sales of " + t.FullName[i].Str() + " are doing pretty well!",
                   TFeedStyle::FontHeader1);
}

void PiracyWorries(TGameCore& game, int i) {
    const TPlatformTable& t = game.State.Platforms;
    const int piracy = t.Piracy[i];
    const std::string name = t.FullName[i].Str();
    if (piracy >= 33 && piracy <= 35)
        ReportNews(game, "Software Privacy on " + name + " has become a concern to game developers!",
                   TFeedStyle::FontHeader1);
    if (piracy >= 45 && piracy <= 50)
        ReportNews(game, "Software Privacy on " + name + " is a major concern to game developers!",
                   TFeedStyle::FontHeader1);
    if (piracy > 50)
        ReportNews(game,
                   "Software Privacy on " + name +
                       " have made a lot of the big developers wonders if they should stop developing games "
                       "for this "
                       "platform!",
                   TFeedStyle::FontHeader1);
}

} // namespace

int MachinesSold(TGameCore& game, int i) {
    const auto& c = game.State.Company;
    const TPlatformTable& t = game.State.Platforms;
    const int strength = t.Strength[i];
    const int base = (strength * 500) / 12;
    const int s8 = (strength * 500) / 8;
    const double sold = t.UnitsSold[i];
    // A figure exactly on a band limit counts with the band above it.
    int u;
    if (sold < 800000)
        u = game.Random(s8) + base;
    else if (sold < 1000000)
        u = game.Random(s8) + base / 3;
    else if (sold < 1300000)
        u = game.Random(s8) + base / 6;
    else if (sold < 1800000)
        u = game.Random((strength * 300) / 16);
    else
        u = game.Random((strength * 150) / 16);

    if (i == c.BoomPlatform) {
        if (game.Flags.BoomConfirmed)
            u += game.Random((strength * 500) / 2) + base;
        else if (game.Random(2) == 0)
            u += game.Random((strength * 500) / 10) + base;
    } else if (t.SellingWell[i]) {
        u += game.Random(s8) + base / 2;
    }
    return u;
}

namespace {

void OnSale(TGameCore& game, int i) {
    const auto& c = game.State.Company;
    TPlatformTable& t = game.State.Platforms;
    Piracy(game, i);
    SellingWellRoll(game, i);
    if (t.Piracy[i] < 0) t.Piracy[i] = 0;
    PiracyWorries(game, i);

    if (t.UnitsSold[i] < 300000) {
        t.UnitsSold[i] = 300000 + game.Random(100000);
        t.UnitsInUse[i] = t.UnitsSold[i];
    }
    const int u = MachinesSold(game, i);
    if (c.Year - t.ReleaseYear[i] < t.Lifetime[i]) {
        t.UnitsSold[i] += u;
        t.UnitsInUse[i] += u;
    }
    // Old machines go out of use faster every year; a base that ran dry is a small
    // collectors' market again.
    if (t.UnitsInUse[i] > 10000 && t.ReleaseYear[i] + 1 < c.Year) {
        const int age = c.Year - (t.ReleaseYear[i] + 1);
        t.UnitsInUse[i] -= age * 300.0;
        if (t.UnitsSold[i] > 2200000) t.UnitsInUse[i] -= age * 500.0;
    } else if (t.UnitsInUse[i] < 0) {
        t.UnitsInUse[i] = 5000 + game.Random(10000);
    }
    if (t.ReleaseYear[i] + t.Lifetime[i] == c.Year + 1 && EarlyOrLateInYear(c.Week))
        ReportNews(game, "Production of " + t.FullName[i].Str() + " Will stop within the year",
                   TFeedStyle::FontHeader1);
}

} // namespace

void AdvancePlatforms(TGameCore& game) {
    const auto& c = game.State.Company;
    for (int i = 0; i < PlatformCount; ++i) {
        if (game.State.Platforms.ReleaseYear[i] > c.Year)
            ComingPlatform(game, i);
        else
            OnSale(game, i);
        ReportMilestones(game, i);
    }
}

void ReportMilestones(TGameCore& game, int i) {
    const double sold = game.State.Platforms.UnitsSold[i];
    if (sold == game.State.PlatformsLastWeek.UnitsSold[i]) return;
    for (int milestone : {500000, 1000000, 2000000, 5000000, 10000000})
        if (milestone <= sold && sold <= milestone + 100000)
            ReportNews(game,
                       game.State.Platforms.FullName[i].Str() + " sales world wide reached " +
                           std::to_string(milestone) + " Units",
                       TFeedStyle::FontNormal);
}

void ShiftPlatformSnapshots(TGameCore& game) {
    game.State.PlatformsTwoWeeksAgo = game.State.PlatformsLastWeek;
    game.State.PlatformsLastWeek = game.State.Platforms;
}

void ShowBestPlatforms(TGameCore& game) {
    const TPlatformTable& t = game.State.Platforms;
    const int year = game.State.Company.Year;
    std::array<int64_t, TPlatformArray<int>::Count> figure;
    for (int i = 0; i < TPlatformArray<int>::Count; ++i) {
        figure[i] = -1;
        if (t.UnitsSold[i] > 0 && year >= t.ReleaseYear[i]) {
            const auto inUse = static_cast<int64_t>(std::nearbyint(t.UnitsInUse[i]));
            figure[i] = inUse - (inUse / 100) * t.Piracy[i];
        }
    }
    auto& labels = game.Side.BestPlatforms;
    for (int k = 0; k < 5; ++k)
        labels[k] = std::to_string(k + 1) + ".";
    for (int i = 0; i < static_cast<int>(figure.size()); ++i) {
        if (figure[i] == -1) continue;
        int position = 1;
        for (int j = 0; j < static_cast<int>(figure.size()); ++j)
            if (j != i && (figure[j] > figure[i] || (figure[j] == figure[i] && j < i))) ++position;
        if (position > 5) continue;
        // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on the chained +.
        std::string& label = labels[position - 1];
        label = std::to_string(position);
        label += '.';
        label += t.FullName[i].Str();
    }
}
