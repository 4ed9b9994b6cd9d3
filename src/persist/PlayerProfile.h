#pragma once
// "player.ini": the names the player typed last time and the help-window choice.
#include <optional>
#include <string>

struct TPlayerProfile {
    std::string PlayerName;
    std::string CompanyName;
    std::optional<bool> ShowHelp; // absent when the file has only two lines
};

std::optional<TPlayerProfile> ReadPlayerProfile(const std::string& directory);
// Writes the trimmed names and the choice as "-1" or "0", CRLF line ends. False on failure.
bool WritePlayerProfile(const std::string& directory, const std::string& playerName,
                        const std::string& companyName, bool showHelp);
