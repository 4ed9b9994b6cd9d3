#include "state/PlatformTables.h"

#include "state/GameCore.h"
#include "state/TextFields.h"

const TPlatformData Platforms[PlatformCount] = {
    {"Amiga", "Amiga", 1985, 1, 100},
    {"C64", "Commodore 64", 1982, 1, 95},
    {"Apple II", "Apple II", 1981, 1, 50},
    {"Dos", "DOS", 1984, 3, 100},
    {"Windows", "Windows", 1990, 3, 200},
    {"Atari", "Atari", 1980, 1, 80},
    {"Spectrum", "Spectrum", 1981, 1, 65},
    {"Amstrad", "Amstrad", 1982, 1, 55},
    {"Dreamcast", "Dreamcast", 1998, 2, 65},
    {"Game Boy", "Game Boy", 1989, 2, 75},
    {"GameCube", "GameCube", 2001, 2, 65},
    {"Genesis", "Genesis", 1988, 2, 70},
    {"NES", "NES", 1983, 2, 80},
    {"Nintendo", "Nintendo 64", 1996, 2, 75},
    {"PlayStation", "PlayStation", 1994, 2, 150},
    {"Playstation2", "PlayStation 2", 2000, 2, 180},
    {"Saturn", "Saturn", 1994, 2, 50},
    {"SNES", "SNES", 1990, 2, 65},
    {"Xbox", "Xbox", 2001, 2, 100},
};

const TGenreData Genres[GenreCount] = {
    {"Action", "Action", "actiongames.txt", 40, 20, 40},
    {"Adventure", "Adventu.", "Adventuregames.txt", 10, 30, 60},
    {"Strategy", "Strategy", "Strategygames.txt", 40, 20, 40},
    {"Racing", "Racing", "Racinggames.txt", 50, 10, 40},
    {"Sport", "Sport", "Sportgames.txt", 30, 20, 40},
    {"RPG", "RPG", "RPGgames.txt", 45, 15, 40},
    {"Sim", "SIM", "Simulationgames.txt", 60, 5, 35},
};

// Sport's row adds up to 90; that is how the game has always split it.
const int DevelopmentRatios[10][3] = {{40, 20, 40}, {10, 30, 60}, {40, 20, 40}, {50, 10, 40}, {30, 20, 40},
                                      {45, 15, 40}, {60, 5, 35},  {40, 20, 40}, {40, 20, 40}, {40, 20, 40}};

const char* const GenreRatioHint = "Genres have different ratios in development :\r\n \r\nRatios % : "
                                   "Engines, Music & sound, Graphics\r\n \r\n"
                                   "Action: 40%, 20%, 40%,\r\nAdventure: 10%, 30%, 60%  \r\nStrategy: 40%, "
                                   "20%, 40% \r\nRacing: 50%, 10%, 40% \r\n"
                                   "Sport: 30%, 20%, 40% \r\nRPG: 45%, 15%, 40% \r\nSim: 60%, 5%, 35%";

std::string PlatformChoiceEntry(int platform) {
    if (platform < 0 || platform >= PlatformCount) ThrowIndexError(platform, 0, PlatformCount - 1);
    return std::string(Platforms[platform].ShortName) + std::string(37, ' ') + ";" + std::to_string(platform);
}

int PlatformOfChoice(const std::string& entry) {
    const size_t semicolon = entry.rfind(';');
    if (semicolon == std::string::npos) return -1;
    try {
        return std::stoi(Trim(entry.substr(semicolon + 1)));
    } catch (const std::exception&) {
        return -1;
    }
}

std::vector<int> OfferedPlatforms(int limitYear) {
    std::vector<int> offered;
    for (int i = 0; i < PlatformCount; ++i)
        if (Platforms[i].ReleaseYear <= limitYear) offered.push_back(i);
    return offered;
}

namespace {
void FillPlatformList(TChoiceList& list, int limitYear) {
    list.Clear();
    for (int i : OfferedPlatforms(limitYear))
        list.Add(PlatformChoiceEntry(i));
}

void FillGenreList(TChoiceList& list) {
    list.Clear();
    for (const auto& genre : Genres)
        list.Add(genre.Name);
}
} // namespace

void FillPlatformTable(TGameCore& game) {
    TPlatformTable& t = game.State.Platforms;
    const int year = game.State.Company.Year;
    for (int i = 0; i < PlatformCount; ++i) {
        const TPlatformData& data = Platforms[i];
        t.ReleaseYear[i] = 1980;
        t.Strength[i] = 1;
        t.Kind[i] = 0;
        t.UnitsSold[i] = 0;
        t.UnitsInUse[i] = 1.0;
        t.Lifetime[i] = 4;
        t.SelfIndex[i] = static_cast<uint8_t>(i);
        t.SellingWell[i] = false;
        t.Piracy[i] = 0;

        int strength = data.BaseStrength;
        if (data.BaseStrength <= 80) {
            strength += game.Random(40);
            strength -= game.Random(20);
        } else {
            strength += game.Random(15);
            strength -= game.Random(15);
        }
        t.Strength[i] = strength;
        t.Kind[i] = data.Kind;
        t.ReleaseYear[i] = data.ReleaseYear;
        t.Lifetime[i] = std::max(strength / 7 - (3 + game.Random(4)), 3);
        t.FullName[i] = data.FullName;
        if (data.ReleaseYear <= year) {
            // The starting installed base follows the platform's nominal strength, not the
            // varied one.
            const double base = data.BaseStrength * 2000.0;
            t.UnitsSold[i] = base + data.BaseStrength * (2 + game.Random(3)) * 2000.0;
            t.UnitsInUse[i] = data.ReleaseYear < year ? t.UnitsSold[i] - (year - data.ReleaseYear) * 10000.0
                                                      : t.UnitsSold[i];
        }
    }
}

void FillChoiceLists(TGameCore& game) {
    const int year = game.State.Company.Year;
    TChoiceLists& p = game.State.Lists;
    FillPlatformList(p.CalendarPlatforms, year);
    FillPlatformList(p.ProjectPlatforms, year);
    FillPlatformList(p.StudyPlatforms, year + 1);
    p.ToolPlatforms = p.StudyPlatforms;
    p.AntiPiracyPlatforms = p.StudyPlatforms;
    p.PortingPlatforms = p.StudyPlatforms;
    FillGenreList(p.ProjectGenres);
    FillGenreList(p.CalendarGenres);
}

void RebuildYearChoiceLists(TGameCore& game) {
    TChoiceLists& p = game.State.Lists;
    FillPlatformList(p.StudyPlatforms, game.State.Company.Year + 1);
    p.ToolPlatforms = p.StudyPlatforms;
    p.AntiPiracyPlatforms = p.StudyPlatforms;
    p.PortingPlatforms = p.StudyPlatforms;
    p.CalendarPlatforms = p.StudyPlatforms;
}

TPlatformMatch ResolvePlatformName(const std::string& name) {
    const std::string wanted = UpperCase(Trim(name));
    // A full name first: "SNES" contains "NES" and "PlayStation 2" contains "PlayStation".
    for (int i = 0; i < PlatformCount; ++i)
        if (wanted == UpperCase(Trim(Platforms[i].FullName))) return {i, Platforms[i].ReleaseYear};
    for (int i = 0; i < PlatformCount; ++i)
        if (ContainsText(wanted, UpperCase(Trim(Platforms[i].FullName))))
            return {i, Platforms[i].ReleaseYear};
    return {};
}
