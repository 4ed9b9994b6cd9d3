#pragma once
// Where the online services go: the update server, the high-score FTP account and the
// high-score page. They live in a small text file in the data folder that the player (or
// whoever installs the game) edits; the game knows no addresses of its own.
//
//   # a note
//   UpdateServer = https://updates.example.org/quillon
//   HighscoreFtpHost = ftp.example.org:21
//   HighscoreFtpUser = quillon
//   HighscoreFtpPassword = secret
//   HighscorePage = https://www.example.org/quillon/highscores.html
//   HighscorePlainFtp = no
//
// Names are matched without regard to letter case; spaces around names and values are
// ignored; a value runs to the end of its line (a '#' there is part of it) and may be empty.
#include <string>
#include <vector>

extern const char* const OnlineConfigName; // "online.cfg"

struct TOnlineSettings {
    std::string UpdateServer;
    std::string HighscoreFtpHost;
    std::string HighscoreFtpUser;
    std::string HighscoreFtpPassword;
    std::string HighscorePage;
    // "yes" lets the upload log in over plain FTP, password in clear, when the server offers
    // no TLS; anything else (and no value) keeps TLS required.
    std::string HighscorePlainFtp;

    std::string FileName; // the full name of the file, whether it exists or not
    bool FileFound = false;
    // Lines that were not understood, as texts for a log (never with a value in them).
    std::vector<std::string> Problems;
};

TOnlineSettings ReadOnlineSettings(const std::string& dataFolder);
// Parses the text of a settings file (for tests and for ReadOnlineSettings).
TOnlineSettings ParseOnlineSettings(const std::string& text, const std::string& fileName);
// Why a setting that is needed has no value: names the setting and the file.
// Whether HighscorePlainFtp says yes.
bool PlainFtpAllowed(const TOnlineSettings& settings);
std::string MissingSetting(const TOnlineSettings& settings, const std::string& name);
// Writes the documented file with every value empty, unless a file is there already.
// True when the file exists afterwards.
bool WriteOnlineSettingsTemplate(const std::string& dataFolder);
// The text of that file.
std::string OnlineSettingsTemplate();
