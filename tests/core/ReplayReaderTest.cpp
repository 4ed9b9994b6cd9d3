// A replay log is a file players send each other, so its reader is the game's border: every
// line that does not fit is refused with the line, the action and the field named, and nothing
// out of range reaches a rule.
#include <gtest/gtest.h>

#include <string>

#include "game/ActionLog.h"
#include "game/Actions.h"
#include "state/Errors.h"

namespace {

const std::string Header = "quillon-replay 1\nseed 7\ndifficulty 2\nplayer Ada\ncompany Pixel Forge\n";

// The message a replay gets, or "read" when it was read.
std::string Verdict(const std::string& text) {
    try {
        ParseReplay(text);
        return "read";
    } catch (const EDataFile& error) {
        return error.what();
    }
}

std::string AtLine(int line, const std::string& why) {
    return "The replay file is damaged at line " + std::to_string(line) + ": " + why + ".";
}

TEST(ReplayReaderTest, ActionLinesThatDoNotFitAreRefusedWithLineActionAndField) {
    struct TCase {
        const char* Line;
        const char* Why;
    };
    const TCase cases[] = {
        // The two logs that crashed the game: an enum read without a range check.
        {"1984 1 HireManager 1000 2", "HireManager: Kind is 1000, outside 0..2"},
        {"1984 1 ChooseStudyPlatform 100 3", "ChooseStudyPlatform: Activity is 100, outside 0..3"},
        {"1984 1 ChooseStudyPlatform 4 3", "ChooseStudyPlatform: Activity is 4, outside 0..3"},
        // Every other enum field, one past its last value and below its first.
        {"1984 1 HireManager 3 1", "HireManager: Kind is 3, outside 0..2"},
        {"1984 1 HireManager -1 1", "HireManager: Kind is -1, outside 0..2"},
        {"1984 1 SetAssistants 3 1", "SetAssistants: Kind is 3, outside 0..2"},
        {"1984 1 SetEquipment 3 1", "SetEquipment: Which is 3, outside 0..2"},
        {"1984 1 SetFacility 2 1", "SetFacility: Which is 2, outside 0..1"},
        {"1984 1 SetProjectOption 4 0", "SetProjectOption: Option is 4, outside 0..3"},
        {"1984 1 SetStudyStaff 4 10", "SetStudyStaff: Activity is 4, outside 0..3"},
        // Booleans, indices and counts.
        {"1984 1 SetFacility 0 2", "SetFacility: Rented is 2, outside 0..1"},
        {"1984 1 SetEquipment 0 -1", "SetEquipment: On is -1, outside 0..1"},
        {"1984 1 ChooseProjectGenre 7", "ChooseProjectGenre: Genre is 7, outside 0..6"},
        {"1984 1 ChooseProjectPlatform 19", "ChooseProjectPlatform: Platform is 19, outside 0..18"},
        {"1984 1 ChooseStudyPlatform 0 -1", "ChooseStudyPlatform: Platform is -1, outside 0..18"},
        {"1984 1 PortGame 0 19", "PortGame: Platform is 19, outside -1..18"},
        {"1984 1 PortGame -2 3", "PortGame: ReleasedIndex is -2, outside -1..99999"},
        {"1984 1 SetStudyStaff 0 101", "SetStudyStaff: Count is 101, outside 0..100"},
        {"1984 1 SetAssistants 0 -1", "SetAssistants: Count is -1, outside 0..100"},
        {"1984 1 MoveOffice 4", "MoveOffice: Building is 4, outside 0..3"},
        {"1984 1 SetExtraOffices 11", "SetExtraOffices: Count is 11, outside 0..10"},
        {"1984 1 SetTechnology 3", "SetTechnology: Level is 3, outside 0..2"},
        {"1984 1 SetAdvertising 11", "SetAdvertising: Level is 11, outside 0..10"},
        {"1984 1 ChooseReleaseWeek 48 0", "ChooseReleaseWeek: Offset is 48, outside 0..47"},
        {"1984 1 ChooseReleaseWeek 0 6", "ChooseReleaseWeek: Index is 6, outside 0..5"},
        {"1984 1 FindPublisher 3", "FindPublisher: Size is 3, outside 0..2"},
        {"1984 1 OfferDeal 34 10 \"1000\"", "OfferDeal: Share is 34, outside 1..33"},
        {"1984 1 OfferDeal 10 0 \"1000\"", "OfferDeal: Objective is 0, outside 1..100"},
        {"1984 1 Borrow 2147483648", "Borrow: Amount is 2147483648, outside -2147483648..2147483647"},
        {"1984 1 Repay 99999999999999999999", "Repay: Amount is not a whole number: 99999999999999999999"},
        {"1984 1 Borrow 5x", "Borrow: Amount is not a whole number: 5x"},
        // Texts: quoted, and no longer than their boxes.
        {"1984 1 StartProject \"Twenty-one characters\"",
         "StartProject: GameName has 21 characters, not 0..20"},
        {"1984 1 StartProject Quest", "StartProject: GameName is not a quoted text"},
        {"1984 1 OfferDeal 10 10 \"123456789012345678901\"", "OfferDeal: Fee has 21 characters, not 0..20"},
        {"1984 1 StartProject \"Open", "a quoted text is not closed"},
        // A known action whose fields are too few or too many, and an unknown one.
        {"1984 1 HireManager 1", "HireManager takes 2 fields (Kind Row), not 1"},
        {"1984 1 EndOfWeek 1", "EndOfWeek takes 0 fields, not 1"},
        {"1984 1 Dance 1", "unknown action \"Dance\""},
        {"1984 1", "an action is missing"},
        // The week of the line and its answers.
        {"1984 53 EndOfWeek", "the week of an action is not in 1..52"},
        {"2011 1 EndOfWeek", "the year of an action is not in 1983..2010"},
        {"x 1 EndOfWeek", "the year of an action is not in 1983..2010"},
        {"1984 1 SetFacility 0 1 | Maybe", "\"Maybe\" is no answer"},
        {"1984 1 EndOfWeek | No No No No No No No No No No No No No No No No No",
         "more than 16 answers to one action"},
    };
    for (const TCase& c : cases) {
        // Line 7 holds the damage, after the five header lines and one good action.
        EXPECT_EQ(Verdict(Header + "1984 1 EndOfWeek\n" + c.Line + "\n1984 2 EndOfWeek\n"), AtLine(7, c.Why))
            << c.Line;
    }
    // The lowest and highest value of every range are read.
    for (const char* line :
         {"1984 1 HireManager 2 99999", "1984 1 ChooseStudyPlatform 3 18", "1984 1 SetProjectOption 3 1",
          "1984 1 PortGame -1 -1", "1984 1 StartProject \"Twenty characters!!\"",
          "1983 52 Borrow -2147483648", "2010 1 OfferDeal 33 100 \"12345678901234567890\""})
        EXPECT_EQ(Verdict(Header + line + "\n"), "read") << line;
}

TEST(ReplayReaderTest, HeaderValuesAreCheckedAsTheCommandLineChecksThem) {
    const std::string longName(2 * 1024 * 1024, 'x');
    struct TCase {
        std::string Text;
        std::string Verdict;
    };
    const TCase cases[] = {
        {"quillon-replay 1\nseed 4294967301\ndifficulty 2\nplayer a\ncompany b\n",
         AtLine(2, "the seed is not a whole number in 0..4294967295")},
        {"quillon-replay 1\nseed -1\ndifficulty 2\nplayer a\ncompany b\n",
         AtLine(2, "the seed is not a whole number in 0..4294967295")},
        {"quillon-replay 1\nseed 5 \ndifficulty 2\nplayer a\ncompany b\n",
         AtLine(2, "the seed is not a whole number in 0..4294967295")},
        {"quillon-replay 1\nseed 4294967295\ndifficulty 99\nplayer a\ncompany b\n",
         AtLine(3, "the difficulty is not 1, 2 or 3")},
        {"quillon-replay 1\nseed 1\ndifficulty 0\nplayer a\ncompany b\n",
         AtLine(3, "the difficulty is not 1, 2 or 3")},
        {"quillon-replay 1\nseed 1\ndifficulty 3\nplayer " + longName + "\ncompany b\n",
         AtLine(4, "the player name has 2097152 characters, more than the start screen's 25")},
        {"quillon-replay 1\nseed 1\ndifficulty 3\nplayer a\ncompany 12345678901234567890123456\n",
         AtLine(5, "the company name has 26 characters, more than the start screen's 25")},
        {"quillon-replay 1\nseed 1\ndifficulty 3\ncompany b\n", AtLine(4, "\"player\" expected")},
        {"quillon-replay 2\n", AtLine(1, "not a replay file")},
        {"", AtLine(1, "not a replay file")},
        // Read: the extremes, a name as long as the box, and an empty line between actions.
        {"quillon-replay 1\nseed 0\ndifficulty 1\nplayer 1234567890123456789012345\ncompany b\n\n1984 2 "
         "EndOfWeek\n",
         "read"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Verdict(c.Text), c.Verdict) << c.Text.substr(0, 80);
}

TEST(ReplayReaderTest, WindowsLineEndsAndAByteOrderMarkAreRead) {
    const std::string windows =
        "\xEF\xBB\xBFquillon-replay 1\r\nseed 4294967295\r\ndifficulty 3\r\nplayer Ada\r\n"
        "company Pixel Forge\r\n1984 2 SetFacility 0 1 | Yes\r\n1984 2 EndOfWeek\r\n";
    const TReplay replay = ParseReplay(windows);
    EXPECT_EQ(replay.Seed, 4294967295u);
    EXPECT_EQ(replay.Difficulty, 3);
    EXPECT_EQ(replay.Company, "Pixel Forge");
    ASSERT_EQ(replay.Actions.size(), 2u);
    EXPECT_EQ(replay.Actions[0].Action, "SetFacility 0 1");
    EXPECT_EQ(replay.Actions[0].Answers, std::vector<std::string>{"Yes"});
    EXPECT_EQ(replay.Actions[1].Action, "EndOfWeek");
    // The same lines without the header, as the simulator's extra actions are written.
    const TActionLog lines = ParseActionLines("1985 12 MoveOffice 1 | Yes\r\n\r\n1985 13 EndOfWeek\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Year, 1985);
    EXPECT_EQ(lines[0].Action, "MoveOffice 1");
    EXPECT_THROW(ParseActionLines("1985 12 MoveOffice 9\n"), EDataFile);
}

} // namespace
