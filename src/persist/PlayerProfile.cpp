#include "persist/PlayerProfile.h"

#include <fstream>
#include <vector>

#include "state/TextFields.h"

namespace {
bool ParseShow(const std::string& text) {
    const std::string value = UpperCase(Trim(text));
    if (value == "TRUE") return true;
    if (value == "FALSE" || value.empty()) return false;
    try {
        return std::stol(value) != 0;
    } catch (const std::exception&) {
        return false;
    }
}
} // namespace

std::optional<TPlayerProfile> ReadPlayerProfile(const std::string& directory) {
    const std::string name = FindFileNoCase(directory, "player.ini");
    if (name.empty()) return std::nullopt;
    std::ifstream in(WithBackslash(directory) + name, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    TPlayerProfile profile;
    if (lines.size() > 0) profile.PlayerName = lines[0];
    if (lines.size() > 1) profile.CompanyName = lines[1];
    if (lines.size() > 2) profile.ShowHelp = ParseShow(lines[2]);
    return profile;
}

bool WritePlayerProfile(const std::string& directory, const std::string& playerName,
                        const std::string& companyName, bool showHelp) {
    std::string name = FindFileNoCase(directory, "player.ini");
    if (name.empty()) name = "player.ini";
    std::ofstream out(WithBackslash(directory) + name, std::ios::binary | std::ios::trunc);
    out << Trim(playerName) << "\r\n" << Trim(companyName) << "\r\n" << (showHelp ? "-1" : "0") << "\r\n";
    return static_cast<bool>(out);
}
