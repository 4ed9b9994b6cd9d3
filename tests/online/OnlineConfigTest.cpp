// The settings file of the online services.
#include <gtest/gtest.h>

#include "OnlineTestSupport.h"
#include "online/OnlineConfig.h"

using namespace online_test;

namespace {

TEST(OnlineConfigTest, ReadsEverySettingWhateverTheLetterCaseAndSpacing) {
    const TOnlineSettings s = ParseOnlineSettings("# notes are skipped\r\n"
                                                  "  UpdateServer =  http://updates.example.org/q  \r\n"
                                                  "highscoreftphost=ftp.example.org:2121\n"
                                                  "HighscoreFtpUser = quillon\n"
                                                  "HighscoreFtpPassword = a=b c\n"
                                                  "; also a note\n"
                                                  "\n"
                                                  "HIGHSCOREPAGE = https://example.org/highs.html\n",
                                                  "/games/online.cfg");
    EXPECT_EQ(s.UpdateServer, "http://updates.example.org/q");
    EXPECT_EQ(s.HighscoreFtpHost, "ftp.example.org:2121");
    EXPECT_EQ(s.HighscoreFtpUser, "quillon");
    EXPECT_EQ(s.HighscoreFtpPassword, "a=b c");
    EXPECT_EQ(s.HighscorePage, "https://example.org/highs.html");
    EXPECT_TRUE(s.Problems.empty());
}

TEST(OnlineConfigTest, LinesNotUnderstoodAreReportedWithoutTheirValues) {
    const TOnlineSettings s =
        ParseOnlineSettings("UpdateServer\nPasword = hunter2\nUpdateServer = x\n", "/g/online.cfg");
    ASSERT_EQ(s.Problems.size(), 2u);
    EXPECT_EQ(s.Problems[0], "/g/online.cfg line 1: no '=' between a name and a value");
    EXPECT_EQ(s.Problems[1], "/g/online.cfg line 2: unknown setting Pasword");
    EXPECT_EQ(s.UpdateServer, "x");
}

TEST(OnlineConfigTest, TheTemplateIsWrittenOnceAndNamesEverySettingEmpty) {
    TTempFolder folder;
    ASSERT_TRUE(WriteOnlineSettingsTemplate(folder.Path.string()));
    TOnlineSettings s = ReadOnlineSettings(folder.Path.string());
    EXPECT_TRUE(s.FileFound);
    EXPECT_TRUE(s.Problems.empty());
    EXPECT_EQ(s.UpdateServer, "");
    EXPECT_EQ(MissingSetting(s, "UpdateServer"),
              "Setting UpdateServer is missing in " + (folder.Path / "online.cfg").string());
    for (const char* key : {"UpdateServer =", "HighscoreFtpHost =", "HighscoreFtpUser =",
                            "HighscoreFtpPassword =", "HighscorePage =", "HighscorePlainFtp = no"})
        EXPECT_NE(ReadFile(folder.Path / "online.cfg").find(key), std::string::npos) << key;
    // TLS stays required unless the player says otherwise.
    EXPECT_FALSE(PlainFtpAllowed(s));

    // A file the player filled in is never overwritten.
    WriteFile(folder.Path / "online.cfg", "UpdateServer = http://mine\n");
    ASSERT_TRUE(WriteOnlineSettingsTemplate(folder.Path.string()));
    EXPECT_EQ(ReadOnlineSettings(folder.Path.string()).UpdateServer, "http://mine");
}

TEST(OnlineConfigTest, AMissingFileIsNamedInTheReason) {
    TTempFolder folder;
    const TOnlineSettings s = ReadOnlineSettings(folder.Path.string());
    EXPECT_FALSE(s.FileFound);
    EXPECT_EQ(MissingSetting(s, "HighscoreFtpHost"),
              "Setting HighscoreFtpHost is missing: there is no settings file " +
                  (folder.Path / "online.cfg").string());
}

TEST(OnlineConfigTest, PlainFtpOnlyWhenTheSettingSaysYes) {
    const std::pair<const char*, bool> cases[] = {
        {"HighscorePlainFtp = yes", true},         {"highscoreplainftp=YES", true},
        {"HighscorePlainFtp = no", false},         {"HighscorePlainFtp =", false},
        {"HighscorePlainFtp = yes please", false}, {"# HighscorePlainFtp = yes", false}};
    for (const auto& [line, allowed] : cases)
        EXPECT_EQ(PlainFtpAllowed(ParseOnlineSettings(line, "online.cfg")), allowed) << line;
}

} // namespace
