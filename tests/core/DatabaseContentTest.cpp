// Checks the text of the game database and the lists built into the program, as the game will
// read them: every line must parse, name platforms that exist in its year, and seed a new game.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "start/EmbeddedLists.h"
#include "start/GameDatabase.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

namespace {

const std::filesystem::path DatabaseDir = std::filesystem::path(QUILLON_SOURCE_DIR) / "data" / "database";

constexpr int StartYear = 1984;
constexpr int SeedLines = 41; // a new game looks at lines 0..40 of each list
constexpr size_t MaxTitle = 25;
constexpr size_t MaxDeveloper = 15;

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

bool IsInteger(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// Reads a database member and checks the bytes on the way: plain ASCII, every line ended by CRLF.
std::vector<std::string> ReadLines(const std::string& fileName) {
    std::ifstream in(DatabaseDir / fileName, std::ios::binary);
    EXPECT_TRUE(in) << "missing " << fileName;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << fileName << ": last line has no CRLF";
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const bool plain = std::all_of(line.begin(), line.end(),
                                       [](unsigned char c) { return c == '\t' || (c >= 0x20 && c < 0x7F); });
        EXPECT_TRUE(plain) << fileName << " line " << i << ": stray control or non-ASCII byte";
    }
    return lines;
}

int ResolvePlatform(const std::string& name) {
    return ResolvePlatformName(name).Platform;
}

struct TTitleLine {
    std::string Title;
    int Year = 0;
    std::string Developer;
    std::vector<std::string> PlatformNames;
};

// Parses one genre list line, reporting every way it could mislead the game.
bool ParseTitleLine(const std::string& where, const std::string& line, TTitleLine& out) {
    const auto fields = Split(line, '\t');
    if (fields.size() != 4) {
        ADD_FAILURE() << where << ": " << fields.size() << " tab-separated fields, expected 4: " << line;
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        // The game reads the same fields through its own helper.
        EXPECT_EQ(FieldAt("\t", line, i), fields[static_cast<size_t>(i)]) << where;
        EXPECT_EQ(fields[static_cast<size_t>(i)].find(';'), std::string::npos) << where << ": ';' in a field";
        EXPECT_FALSE(Trim(fields[static_cast<size_t>(i)]).empty()) << where << ": empty field " << i;
    }
    out.Title = fields[0];
    out.Developer = fields[2];
    EXPECT_EQ(Trim(out.Title), out.Title) << where << ": title has outer spaces";
    EXPECT_LE(out.Title.size(), MaxTitle) << where << ": title longer than the game keeps: " << out.Title;
    EXPECT_LE(out.Developer.size(), MaxDeveloper) << where << ": developer longer than the game keeps";
    if (!IsInteger(Trim(fields[1]))) {
        ADD_FAILURE() << where << ": year is not an integer: '" << fields[1] << "'";
        return false;
    }
    out.Year = std::stoi(fields[1]);
    const int count = CountFields(fields[3], ",");
    for (int k = 1; k <= count; ++k)
        out.PlatformNames.push_back(Trim(FieldNumber(fields[3], k, ",")));
    return true;
}

TEST(DatabaseContent, EndDateIsWeek51Of1994) {
    const auto lines = ReadLines("datadiff.txt");
    int year = 0, week = 0;
    for (const auto& line : lines) {
        const std::string upper = Upper(line);
        if (upper.find("YEAR") != std::string::npos)
            year = std::stoi(FieldAt("=", line, 1));
        else if (upper.find("WEEK") != std::string::npos)
            week = std::stoi(FieldAt("=", line, 1));
    }
    EXPECT_EQ(year, 1994);
    EXPECT_EQ(week, 51);
}

// SNES and PlayStation 2 titles are named in the years they were on sale, about as many as for
// the machines they competed with.
TEST(DatabaseContent, EveryMachineOnSaleHasItsTitles) {
    std::map<int, std::map<int, int>> perYear; // platform -> year -> titles
    for (int genre = 0; genre < GenreCount; ++genre)
        for (const auto& line : ReadLines(Genres[genre].ListFile)) {
            TTitleLine t;
            if (!ParseTitleLine(Genres[genre].ListFile, line, t)) continue;
            for (const auto& name : t.PlatformNames)
                ++perYear[ResolvePlatform(name)][t.Year];
        }
    const auto titles = [&](int platform, int from, int to) {
        int n = 0;
        for (int year = from; year <= to; ++year)
            n += perYear[platform][year];
        return n;
    };
    constexpr int Genesis = 11, PlayStation = 14, PlayStation2 = 15, Snes = 17;
    EXPECT_EQ(titles(Snes, 1978, 1989), 0);
    EXPECT_GE(titles(Snes, 1991, 1994) * 4, titles(Genesis, 1991, 1994) * 3);
    EXPECT_EQ(titles(PlayStation2, 1978, 1999), 0);
    EXPECT_GE(titles(PlayStation2, 2001, 2001) * 2, titles(PlayStation, 2001, 2001));
}

TEST(DatabaseContent, GenreListsParseAndSeedANewGame) {
    for (int genre = 0; genre < GenreCount; ++genre) {
        const std::string fileName = Genres[genre].ListFile;
        SCOPED_TRACE(fileName);
        const auto lines = ReadLines(fileName);
        ASSERT_GE(lines.size(), static_cast<size_t>(SeedLines)) << "too short to seed a new game";

        std::set<std::string> titles;
        int seedable = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string where = fileName + " line " + std::to_string(i);
            TTitleLine t;
            if (!ParseTitleLine(where, lines[i], t)) continue;
            EXPECT_TRUE(titles.insert(Upper(t.Title)).second) << where << ": duplicate title " << t.Title;
            EXPECT_GE(t.Year, 1978) << where;
            EXPECT_LE(t.Year, 2001) << where;
            if (i < static_cast<size_t>(SeedLines) && t.Year < StartYear) ++seedable;

            ASSERT_FALSE(t.PlatformNames.empty()) << where;
            EXPECT_LE(t.PlatformNames.size(), 4u) << where;
            std::set<int> seen;
            bool commodore = false, spectrumOrAmstrad = false;
            for (const auto& name : t.PlatformNames) {
                const int p = ResolvePlatform(name);
                ASSERT_GE(p, 0) << where << ": '" << name << "' names no platform";
                // The name must be the platform it resolves to, or it lands on an earlier row.
                EXPECT_EQ(Upper(name), Upper(Platforms[p].FullName))
                    << where << ": '" << name << "' resolves to " << Platforms[p].FullName;
                EXPECT_LE(Platforms[p].ReleaseYear, t.Year) << where << ": " << name << " not out yet";
                EXPECT_TRUE(seen.insert(p).second) << where << ": " << name << " named twice";
                commodore = commodore || name.find("Commodore") != std::string::npos;
                spectrumOrAmstrad = spectrumOrAmstrad || p == 6 || p == 7;
            }
            // The game ports Commodore titles to the Spectrum and Amstrad itself; naming them too
            // would announce a port twice and leave the line in the list for another go.
            EXPECT_FALSE(commodore && spectrumOrAmstrad) << where << ": Commodore title also names its ports";
        }
        EXPECT_GT(seedable, 0) << "no title dated before " << StartYear << " in the first " << SeedLines
                               << " lines: a new game starts without competitors";
    }
}

void CheckManagerLines(const char* list, const std::vector<std::string>& lines, size_t expected) {
    SCOPED_TRACE(list);
    EXPECT_EQ(lines.size(), expected);
    std::set<std::string> names;
    int random = 0;
    for (const auto& line : lines) {
        const auto fields = Split(line, '\t');
        ASSERT_EQ(fields.size(), 2u) << line;
        EXPECT_FALSE(Trim(fields[0]).empty()) << line;
        EXPECT_TRUE(names.insert(fields[0]).second) << "twice: " << fields[0];
        ASSERT_TRUE(IsInteger(fields[1])) << line;
        const int rating = std::stoi(fields[1]);
        EXPECT_LE(rating, 100) << line;
        if (rating == 0) ++random;
    }
    EXPECT_GT(random, 0) << "no candidate left to a random rating";
    EXPECT_LT(random, static_cast<int>(lines.size()));
}

TEST(DatabaseContent, ManagerCandidateLines) {
    CheckManagerLines("lead programmers", LeadProgrammerLines, 32);
    CheckManagerLines("project leaders", ProjectLeaderLines, 20);
    CheckManagerLines("lead designers", LeadDesignerLines, 14);
}

// A bonus only helps a competitor title whose text occurs in the list, so every entry must be a
// title the database really announces.
TEST(DatabaseContent, BonusListsNameDatabaseTitles) {
    std::set<std::string> databaseTitles;
    for (int genre = 0; genre < GenreCount; ++genre)
        for (const auto& line : ReadLines(Genres[genre].ListFile))
            databaseTitles.insert(Upper(FieldAt("\t", line, 0)));
    ASSERT_FALSE(databaseTitles.empty());

    const struct {
        const char* Name;
        const std::vector<std::string>& Lines;
    } lists[] = {{"top games", TopGameLines},
                 {"top genre titles", TopGenreTitleLines},
                 {"top platform titles", TopPlatformTitleLines},
                 {"top titles of their year", TopYearTitleLines},
                 {"best games", BestGameLines}};
    for (const auto& list : lists) {
        SCOPED_TRACE(list.Name);
        EXPECT_FALSE(list.Lines.empty());
        std::set<std::string> seen;
        for (const auto& line : list.Lines) {
            ASSERT_FALSE(line.empty());
            EXPECT_EQ(line.back(), '\t') << "'" << line << "' does not end in a tab";
            const std::string title = line.substr(0, line.size() - 1);
            EXPECT_EQ(title.find('\t'), std::string::npos) << line;
            EXPECT_TRUE(databaseTitles.count(Upper(title))) << "not in the database: " << title;
            EXPECT_TRUE(seen.insert(Upper(title)).second) << "twice: " << title;
        }
    }
}

} // namespace
