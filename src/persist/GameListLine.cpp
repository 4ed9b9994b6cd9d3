#include "persist/GameListLine.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "state/Errors.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

namespace {

constexpr int32_t AnyI32Low = std::numeric_limits<int32_t>::min();
constexpr int32_t AnyI32High = std::numeric_limits<int32_t>::max();
// Release years of competitor titles go back to the oldest platform's year; the chart records
// end with the week histories.
constexpr int32_t FirstReleaseYear = 1980;
constexpr int32_t LastReleaseYear = 2010;
constexpr int32_t LastChartPlace = 150;

// The line has no escaping: a ";" inside a name would shift every later field, and a line
// break would split the entry, so names lose those characters on the way out.
std::string TextField(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (c == ';') c = ',';
        if (c == '\r' || c == '\n') c = ' ';
    }
    return out;
}

std::string Bool(bool value) {
    return value ? "-1" : "0";
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(';', start);
        fields.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return fields;
        start = end + 1;
    }
}

// Reads the fields of one line in order and says which one was wrong.
class TFieldReader {
public:
    explicit TFieldReader(const std::vector<std::string>& fields) : Fields(fields) {}

    std::string Text() { return Fields[Index++]; }

    int32_t Int(const char* name, int32_t lo, int32_t hi, const char* what = nullptr) {
        const std::string& text = Fields[Index];
        const char* first = text.data();
        const char* last = text.data() + text.size();
        if (first != last && *first == '+') ++first;
        int32_t value = 0;
        const auto [end, error] = std::from_chars(first, last, value);
        if (text.empty() || error != std::errc() || end != last) Fail(name, "is not a number");
        if (value < lo || value > hi)
            Fail(name, what ? std::string("is not ") + what
                            : "is outside " + std::to_string(lo) + ".." + std::to_string(hi));
        ++Index;
        return value;
    }

    bool Bool(const char* name) {
        bool ok = true;
        const bool value = ParseSavedBool(Fields[Index], ok);
        if (!ok) Fail(name, "is not a boolean");
        ++Index;
        return value;
    }

private:
    [[noreturn]] void Fail(const char* name, const std::string& why) const {
        throw EDataFile("field " + std::to_string(Index) + " (" + name + ") \"" + Fields[Index] + "\" " +
                        why + ".");
    }

    const std::vector<std::string>& Fields;
    size_t Index = 0;
};

} // namespace

bool ParseSavedBool(const std::string& text, bool& ok) {
    ok = true;
    const std::string upper = UpperCase(text);
    if (upper == "TRUE") return true;
    if (upper == "FALSE") return false;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    long long value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (text.empty() || error != std::errc() || end != last) {
        ok = false;
        return false;
    }
    return value != 0;
}

namespace {

void AppendNumber(std::string& line, long long value) {
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    line.append(digits, end);
    line += ';';
}

// Appends the entry's fields, each followed by ";" (the caller drops the last one).
void AppendLine(std::string& line, const TGameEntry& e, TGameListKind kind) {
    line += TextField(e.Title.Str());
    line += ';';
    line += TextField(e.Developer.Str());
    line += ';';
    for (long long value : {static_cast<long long>(e.Quality), static_cast<long long>(e.ReleaseScore),
                            static_cast<long long>(e.Platform), static_cast<long long>(e.WeekSales),
                            static_cast<long long>(e.TotalSales), static_cast<long long>(e.Income),
                            static_cast<long long>(e.Genre)})
        AppendNumber(line, value);
    if (kind == TGameListKind::Released) line += Bool(e.ByPlayer) + ";";
    line += Bool(e.OffMarket) + ";";
    line += Bool(e.Moved) + ";";
    for (long long value : {static_cast<long long>(e.ReleaseWeek), static_cast<long long>(e.ReleaseYear),
                            static_cast<long long>(e.WeeksOnSale), static_cast<long long>(e.LastChartPos),
                            static_cast<long long>(e.ChartWeeks)})
        AppendNumber(line, value);
}

} // namespace

std::string GameListLine(const TGameEntry& e, TGameListKind kind) {
    std::string line;
    AppendLine(line, e, kind);
    line.pop_back();
    return line;
}

std::string GameListText(const TGameList& list, TGameListKind kind) {
    std::string text;
    text.reserve(static_cast<size_t>(list.RealCount()) * 80);
    for (const TGameEntry& entry : list) {
        AppendLine(text, entry, kind);
        text.back() = '\r';
        text += '\n';
    }
    return text;
}

TGameEntry ParseGameListLine(const std::string& line, TGameListKind kind) {
    const std::vector<std::string> fields = SplitFields(line);
    const size_t expected = kind == TGameListKind::Released ? 17 : 16;
    if (fields.size() != expected)
        throw EDataFile("the line has " + std::to_string(fields.size()) + " fields instead of " +
                        std::to_string(expected) + ".");
    TFieldReader read(fields);
    TGameEntry e = BlankRecord<TGameEntry>();
    e.Title = read.Text();
    e.Developer = read.Text();
    e.Quality = read.Int("Quality", AnyI32Low, AnyI32High);
    e.ReleaseScore = read.Int("ReleaseScore", AnyI32Low, AnyI32High);
    e.Platform = static_cast<uint8_t>(read.Int("Platform", 0, PlatformCount - 1, "a platform index"));
    e.WeekSales = read.Int("WeekSales", 0, AnyI32High);
    e.TotalSales = read.Int("TotalSales", 0, AnyI32High);
    e.Income = read.Int("Income", 0, AnyI32High);
    e.Genre = static_cast<uint8_t>(read.Int("Genre", 0, GenreCount - 1, "a genre index"));
    if (kind == TGameListKind::Released) e.ByPlayer = read.Bool("ByPlayer");
    e.OffMarket = read.Bool("OffMarket");
    e.Moved = read.Bool("Moved");
    e.ReleaseWeek = static_cast<uint8_t>(read.Int("ReleaseWeek", 1, 52));
    e.ReleaseYear = read.Int("ReleaseYear", FirstReleaseYear, LastReleaseYear);
    e.WeeksOnSale = static_cast<uint8_t>(read.Int("WeeksOnSale", 0, 255));
    e.LastChartPos = static_cast<uint8_t>(read.Int("LastChartPos", 0, LastChartPlace));
    e.ChartWeeks = static_cast<uint8_t>(read.Int("ChartWeeks", 0, 255));
    return e;
}

TGameList ParseGameListText(const std::string& text, TGameListKind kind) {
    TGameList list;
    int number = 0;
    for (const std::string& line : SplitSavedLines(text)) {
        ++number;
        try {
            list.Append(ParseGameListLine(line, kind));
        } catch (const EDataFile& error) {
            throw EDataFile("line " + std::to_string(number) + ": " + error.what());
        }
    }
    return list;
}

std::vector<std::string> SplitSavedLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = next;
    }
    return lines;
}
