#include "persist/CandidateListText.h"

#include <charconv>

#include "persist/GameListLine.h"
#include "state/Errors.h"
#include "state/TextFields.h"

namespace {

constexpr size_t FieldCount = 5;
constexpr int MaxNameLength = 60;

// A tab or a line break inside a name would split its line; none of the built-in names has one.
std::string NameField(const std::string& name) {
    std::string out = name;
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find('\t', start);
        fields.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return fields;
        start = end + 1;
    }
}

} // namespace

std::string CandidateListText(const TManagerCandidates& candidates) {
    std::string text;
    for (size_t kind = 0; kind < candidates.Lists.size(); ++kind)
        for (const TManagerCandidate& m : candidates.Lists[kind])
            text += std::to_string(kind) + '\t' + NameField(m.Name) + '\t' + std::to_string(m.Rating) + '\t' +
                    std::to_string(m.Share) + '\t' + std::to_string(m.Wage) + "\r\n";
    return text;
}

TManagerCandidates ParseCandidateListText(const std::string& text, const char* member) {
    TManagerCandidates candidates;
    int lineNumber = 0;
    for (const std::string& line : SplitSavedLines(text)) {
        ++lineNumber;
        if (line.empty()) continue;
        const std::string at = std::string(member) + ", line " + std::to_string(lineNumber) + ": ";
        const std::vector<std::string> fields = SplitTabs(line);
        if (fields.size() != FieldCount)
            throw EDataFile(at + std::to_string(fields.size()) + " fields, a candidate has " +
                            std::to_string(FieldCount) + ".");
        auto number = [&](size_t index, const char* name, int lo, int hi) {
            const std::string& field = fields[index];
            int value = 0;
            const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
            if (field.empty() || error != std::errc() || end != field.data() + field.size())
                throw EDataFile(at + "field " + std::to_string(index) + " (" + name + ") \"" + field +
                                "\" is not a number.");
            if (value < lo || value > hi)
                throw EDataFile(at + "field " + std::to_string(index) + " (" + name + ") \"" + field +
                                "\" is outside " + std::to_string(lo) + ".." + std::to_string(hi) + ".");
            return value;
        };
        const int kind = number(0, "List", 0, 2);
        TManagerCandidate m;
        m.Name = fields[1];
        if (m.Name.size() > MaxNameLength)
            throw EDataFile(at + "field 1 (Name) is longer than " + std::to_string(MaxNameLength) +
                            " characters.");
        for (unsigned char c : m.Name)
            if (c < 32 || c == 127) throw EDataFile(at + "field 1 (Name) holds a control character.");
        m.Rating = number(2, "Rating", 0, 100);
        m.Share = number(3, "Share", 0, 100);
        m.Wage = number(4, "Wage", 0, 1000000);
        candidates.Lists[static_cast<size_t>(kind)].push_back(std::move(m));
    }
    return candidates;
}
