#include "online/OnlineConfig.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "state/TextFields.h"

namespace fs = std::filesystem;

const char* const OnlineConfigName = "online.cfg";

namespace {

struct TKey {
    const char* Name;
    std::string TOnlineSettings::*Field;
};

const TKey Keys[] = {
    {"UpdateServer", &TOnlineSettings::UpdateServer},
    {"HighscoreFtpHost", &TOnlineSettings::HighscoreFtpHost},
    {"HighscoreFtpUser", &TOnlineSettings::HighscoreFtpUser},
    {"HighscoreFtpPassword", &TOnlineSettings::HighscoreFtpPassword},
    {"HighscorePage", &TOnlineSettings::HighscorePage},
    {"HighscorePlainFtp", &TOnlineSettings::HighscorePlainFtp},
};

const TKey* FindKey(const std::string& name) {
    const std::string wanted = UpperCase(name);
    for (const TKey& key : Keys)
        if (UpperCase(key.Name) == wanted) return &key;
    return nullptr;
}

} // namespace

TOnlineSettings ParseOnlineSettings(const std::string& text, const std::string& fileName) {
    TOnlineSettings settings;
    settings.FileName = fileName;
    settings.FileFound = true;
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';') continue;
        const size_t equals = trimmed.find('=');
        const std::string where = fileName + " line " + std::to_string(number);
        if (equals == std::string::npos) {
            settings.Problems.push_back(where + ": no '=' between a name and a value");
            continue;
        }
        const std::string name = Trim(trimmed.substr(0, equals));
        const TKey* key = FindKey(name);
        if (!key) {
            settings.Problems.push_back(where + ": unknown setting " + name);
            continue;
        }
        settings.*(key->Field) = Trim(trimmed.substr(equals + 1));
    }
    return settings;
}

TOnlineSettings ReadOnlineSettings(const std::string& dataFolder) {
    const std::string folder = WithBackslash(dataFolder);
    std::string name = FindFileNoCase(folder, OnlineConfigName);
    if (name.empty()) name = OnlineConfigName;
    const std::string fileName = folder + name;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        TOnlineSettings settings;
        settings.FileName = fileName;
        return settings;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseOnlineSettings(text.str(), fileName);
}

bool PlainFtpAllowed(const TOnlineSettings& settings) {
    return UpperCase(settings.HighscorePlainFtp) == "YES";
}

std::string MissingSetting(const TOnlineSettings& settings, const std::string& name) {
    if (!settings.FileFound)
        return "Setting " + name + " is missing: there is no settings file " + settings.FileName;
    return "Setting " + name + " is missing in " + settings.FileName;
}

std::string OnlineSettingsTemplate() {
    return "# Quillon online services.\r\n"
           "# One setting a line: Name = value. Lines starting with # are notes.\r\n"
           "#\r\n"
           "# UpdateServer: the web address under which the folder qstudio/ holds\r\n"
           "#   database.pck, quillon.pck, their .dwl descriptions and the signed\r\n"
           "#   manifest.txt and manifest.sig (https; http only for this machine).\r\n"
           "# HighscoreFtpHost: the high-score FTP server, as host or host:port.\r\n"
           "# HighscoreFtpUser, HighscoreFtpPassword: its upload account.\r\n"
           "# HighscorePage: the web address of the high-score list.\r\n"
           "# HighscorePlainFtp: yes lets the upload use plain FTP when the server has no\r\n"
           "#   TLS; the password then crosses the network readable by anyone. Default: no.\r\n"
           "UpdateServer =\r\n"
           "HighscoreFtpHost =\r\n"
           "HighscoreFtpUser =\r\n"
           "HighscoreFtpPassword =\r\n"
           "HighscorePage =\r\n"
           "HighscorePlainFtp = no\r\n";
}

bool WriteOnlineSettingsTemplate(const std::string& dataFolder) {
    const std::string folder = WithBackslash(dataFolder);
    std::error_code error;
    if (!FindFileNoCase(folder, OnlineConfigName).empty()) return true;
    fs::create_directories(folder, error);
    std::ofstream out(folder + OnlineConfigName, std::ios::binary);
    out << OnlineSettingsTemplate();
    out.close();
    return static_cast<bool>(out);
}
