// The boundary between the game's Windows-1252 text and UTF-8 (the command line, JSON files),
// and the simulator's JSON summary written through it.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "GameFixture.h"
#include "game/GameSummary.h"
#include "state/CodePage.h"
#include "state/PlatformTables.h"

namespace {

TEST(CodePageTest, EveryByteBecomesItsCharacterAndBack) {
    EXPECT_EQ(Cp1252ToUtf8("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC"); // é and € (U+20AC)
    EXPECT_EQ(Cp1252ToUtf8("\x9F\x85"), "\xC5\xB8\xE2\x80\xA6");         // Ÿ and …
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81") << "an unassigned byte keeps its value";
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const TCp1252Conversion back = Utf8ToCp1252(Cp1252ToUtf8(all));
    ASSERT_TRUE(back.Text.has_value()) << back.Problem;
    EXPECT_EQ(*back.Text, all);
}

TEST(CodePageTest, TextThatHasNoWindows1252FormIsRefusedNamingTheCharacter) {
    const struct {
        const char* Utf8;
        const char* Problem;
    } cases[] = {
        {"Tokyo \xE6\x97\xA5", "\"\xE6\x97\xA5\" (U+65E5) has no Windows-1252 form"},
        {"Smile \xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\" (U+1F600) has no Windows-1252 form"},
        {"Caf\xE9", "the text is not UTF-8"},      // a Latin-1 byte on its own
        {"\xC0\xAF", "the text is not UTF-8"},     // an overlong "/"
        {"\xED\xA0\x80", "the text is not UTF-8"}, // a surrogate
        {"\xE2\x82", "the text is not UTF-8"},     // cut short
    };
    for (const auto& c : cases) {
        const TCp1252Conversion converted = Utf8ToCp1252(c.Utf8);
        EXPECT_FALSE(converted.Text.has_value()) << c.Utf8;
        EXPECT_EQ(converted.Problem, c.Problem);
    }
    EXPECT_EQ(Utf8ToCp1252("Caf\xC3\xA9 \xE2\x82\xAC").Text, std::optional<std::string>("Caf\xE9 \x80"));
}

// The summary is JSON that a JSON reader takes as it is, with the names in UTF-8.
using GameSummaryTest = GameFixture;

TEST_F(GameSummaryTest, TheSummaryIsJsonWithItsTextsInUtf8) {
    Company.CompanyName = "Caf\xE9 \x80";
    const std::string text = GameSummaryJson(Game, 1234, 77u);
    const nlohmann::json summary = nlohmann::json::parse(text);
    EXPECT_EQ(summary["company"], "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_NE(text.find("\"company\": \"Caf\xC3\xA9 \xE2\x82\xAC\""), std::string::npos) << "written as is";
    EXPECT_EQ(summary["seed"], 77);
    EXPECT_EQ(summary["score"], 1234);
    EXPECT_EQ(summary["week"], Company.Week);
    EXPECT_EQ(summary["money"], Company.Money);
    EXPECT_EQ(summary["platforms"].size(), static_cast<size_t>(PlatformCount));
    EXPECT_EQ(summary["genres"][0]["name"], "Action");
    EXPECT_TRUE(summary["playerGames"].is_array());
}

} // namespace
