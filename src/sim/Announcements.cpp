#include "sim/Announcements.h"

#include <charconv>

#include "state/GameCore.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

int TitleYear(const std::string& line) {
    const std::string field = Trim(FieldAt("\t", line, 1));
    int year = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), year);
    if (field.empty() || error != std::errc() || end != field.data() + field.size())
        throw EDataFile("The game database is damaged: a title line has no year.\r\n" + line);
    return year;
}

namespace {

bool SameTitle(const TGameEntry& entry, const std::string& upperTitle, int platform) {
    return UpperCase(Trim(entry.Title.Str())) == upperTitle && entry.Platform == platform;
}

bool InBonusList(const TGameCore& game, TBonusList list, const std::string& title) {
    return FindText(title, game.State.BonusTexts[list], false, true, 1) > 0;
}

} // namespace

bool AnnounceTitle(TGameCore& game, const std::string& line, int genre, bool seeding) {
    const auto& c = game.State.Company;
    TGameList& upcoming = game.State.UpcomingGames;
    std::string platforms = Trim(FieldAt("\t", line, 3));
    // Home-computer hits of the day were usually converted to the other two machines.
    if (platforms.find("Commodore") != std::string::npos) {
        if (1 + game.Random(10) > 2) platforms += ",Spectrum";
        if (1 + game.Random(10) > 4) platforms += ",Amstrad";
    }
    const std::string title = Trim(FieldAt("\t", line, 0));
    const std::string upperTitle = UpperCase(title);
    bool used = false;
    const int count = CountFields(platforms, ",");
    for (int k = 1; k <= count; ++k) {
        const TPlatformMatch match = ResolvePlatformName(FieldNumber(platforms, k, ","));
        used = true;
        const int real = upcoming.RealCount();
        if (real >= 2 && SameTitle(upcoming[real - 1], upperTitle, match.Platform)) used = false;
        if (real >= 3 && SameTitle(upcoming[real - 2], upperTitle, match.Platform)) used = false;
        if (match.Platform == -1 || !used) continue;

        TGameEntry& entry = upcoming.Blank();
        entry = BlankRecord<TGameEntry>();
        entry.Platform = static_cast<uint8_t>(match.Platform);
        entry.Genre = static_cast<uint8_t>(genre);
        entry.Title = title;
        entry.Developer = Trim(FieldAt("\t", line, 2));
        entry.ReleaseWeek = static_cast<uint8_t>(c.Week + game.Random(52 - c.Week));
        entry.ReleaseYear = c.Year < match.Year || seeding ? match.Year : c.Year;
        int quality = 75 + game.Random(25);
        if (InBonusList(game, TopGames, title)) quality += 30 + game.Random(20);
        for (TBonusList list : {BestGames, TopGenreTitles, TopPlatformTitles, TopYearTitles})
            if (InBonusList(game, list, title)) quality += 15 + game.Random(15);
        entry.Quality = quality;
        upcoming.Commit();
    }
    return used;
}

void SeedTitles(TGameCore& game) {
    game.State.UpcomingGames.Clear();
    const int year = game.State.Company.Year;
    for (int k = 40; k >= 0; --k)
        for (int genre = 0; genre < GenreCount; ++genre) {
            auto& list = game.State.TitleLists[genre];
            if (k >= static_cast<int>(list.size())) continue;
            if (TitleYear(list[k]) < year && AnnounceTitle(game, list[k], genre, true))
                list.erase(list.begin() + k);
        }
}

void WeeklyTitles(TGameCore& game) {
    const int year = game.State.Company.Year;
    for (int pass = 0; pass < 10; ++pass)
        for (int genre = 0; genre < GenreCount; ++genre) {
            auto& list = game.State.TitleLists[genre];
            if (list.size() <= 1) continue;
            const int k = game.Random(static_cast<int>(list.size()) - 1);
            if (year >= TitleYear(list[k]) && AnnounceTitle(game, list[k], genre, false))
                list.erase(list.begin() + k);
        }
}
