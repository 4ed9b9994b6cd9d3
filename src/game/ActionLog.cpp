#include "game/ActionLog.h"

#include <charconv>
#include <sstream>
#include <utility>

#include "game/Actions.h"
#include "start/StartScreen.h"
#include "state/Errors.h"
#include "state/Records.h"

namespace {
const char* AnswerText(TAnswer answer) {
    switch (answer) {
    case TAnswer::Ok:
        return "Ok";
    case TAnswer::Yes:
        return "Yes";
    case TAnswer::No:
        return "No";
    default:
        return "Cancel";
    }
}

TAnswer ParseAnswer(const std::string& text) {
    if (text == "Ok") return TAnswer::Ok;
    if (text == "Yes") return TAnswer::Yes;
    if (text == "No") return TAnswer::No;
    return TAnswer::Cancel;
}

// Names may hold any character but a line break; escape the two that the file format uses.
std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}
} // namespace

std::string TAnswerRecorder::NextReplayed() {
    if (Replayed.empty()) return "";
    std::string answer = Replayed.front();
    Replayed.pop_front();
    return answer;
}

void TAnswerRecorder::Record(const std::string& answer) {
    if (Sink) Sink->push_back(answer);
}

// During a replay the player still sees the question; the logged answer is the one taken.
TAnswer TAnswerRecorder::Ask(const std::string& text, const std::string& caption, TButtons buttons) {
    const std::string replayed = NextReplayed();
    TAnswer answer = InnerUi.Ask(text, caption, buttons);
    if (!replayed.empty()) answer = ParseAnswer(replayed);
    Record(AnswerText(answer));
    return answer;
}

bool TAnswerRecorder::ConfirmHire(const THireOffer& offer) {
    const std::string replayed = NextReplayed();
    bool hire = InnerUi.ConfirmHire(offer);
    if (!replayed.empty()) hire = replayed == "Hire";
    Record(hire ? "Hire" : "NoHire");
    return hire;
}

std::string FormatReplay(const TReplay& replay) {
    std::ostringstream out;
    out << "quillon-replay 1\n";
    out << "seed " << replay.Seed << "\n";
    out << "difficulty " << replay.Difficulty << "\n";
    out << "player " << Escape(replay.Player) << "\n";
    out << "company " << Escape(replay.Company) << "\n";
    for (const TLoggedAction& entry : replay.Actions) {
        out << entry.Year << " " << entry.Week << " " << entry.Action;
        if (!entry.Answers.empty()) {
            out << " |";
            for (const std::string& answer : entry.Answers)
                out << " " << answer;
        }
        out << "\n";
    }
    return out.str();
}

namespace {
// Reads one line, without the CR of a file written on another system.
bool NextLine(std::istringstream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

// A whole number in lo..hi, and nothing else on the line.
bool ReadNumber(const std::string& text, long long lo, long long hi, long long& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= lo && value <= hi;
}

bool KnownAnswer(const std::string& answer) {
    for (const char* known : {"Ok", "Yes", "No", "Cancel", "Hire", "NoHire"})
        if (answer == known) return true;
    return false;
}

// No action asks more questions than this; a longer list is not the game's.
constexpr size_t MostAnswers = 16;

[[noreturn]] void FailAt(int number, const std::string& why) {
    throw EDataFile("The replay file is damaged at line " + std::to_string(number) + ": " + why + ".");
}

// The action lines that follow, each checked: its week, its action and fields, its answers.
TActionLog ReadActionLines(std::istringstream& in, int& number) {
    TActionLog actions;
    std::string line;
    long long value = 0;
    const auto fail = [&](const std::string& why) { FailAt(number, why); };
    while (NextLine(in, line)) {
        ++number;
        if (line.empty()) continue;
        TLoggedAction entry;
        std::istringstream fields(line);
        std::string year, week;
        fields >> year >> week;
        if (!ReadNumber(year, TWeekHistory::Low, TWeekHistory::High, value))
            fail("the year of an action is not in " + std::to_string(TWeekHistory::Low) + ".." +
                 std::to_string(TWeekHistory::High));
        entry.Year = static_cast<int32_t>(value);
        if (!ReadNumber(week, 1, 52, value)) fail("the week of an action is not in 1..52");
        entry.Week = static_cast<int32_t>(value);
        std::string rest;
        std::getline(fields, rest);
        rest.erase(0, rest.find_first_not_of(' ') == std::string::npos ? rest.size()
                                                                       : rest.find_first_not_of(' '));
        const size_t bar = rest.find(" |");
        entry.Action = rest.substr(0, bar);
        if (const TReadAction read = ReadAction(entry.Action); !read.Action) fail(read.Problem);
        if (bar != std::string::npos) {
            std::istringstream answers(rest.substr(bar + 2));
            for (std::string answer; answers >> answer;) {
                if (!KnownAnswer(answer)) fail("\"" + answer.substr(0, 40) + "\" is no answer");
                if (entry.Answers.size() == MostAnswers)
                    fail("more than " + std::to_string(MostAnswers) + " answers to one action");
                entry.Answers.push_back(answer);
            }
        }
        actions.push_back(entry);
    }
    return actions;
}
} // namespace

TActionLog ParseActionLines(const std::string& text) {
    std::istringstream in(text);
    int number = 0;
    return ReadActionLines(in, number);
}

TReplay ParseReplay(const std::string& text) {
    TReplay replay;
    // A byte-order mark left by an editor is not part of the first line.
    const bool bom = text.rfind("\xEF\xBB\xBF", 0) == 0;
    std::istringstream in(bom ? text.substr(3) : text);
    std::string line;
    int number = 0;
    const auto fail = [&](const std::string& why) { FailAt(number, why); };
    const auto header = [&](const std::string& key) {
        ++number;
        if (!NextLine(in, line) || line.rfind(key + " ", 0) != 0) fail("\"" + key + "\" expected");
        return line.substr(key.size() + 1);
    };
    ++number;
    if (!NextLine(in, line) || line != "quillon-replay 1") fail("not a replay file");
    long long value = 0;
    if (!ReadNumber(header("seed"), 0, 4294967295LL, value))
        fail("the seed is not a whole number in 0..4294967295");
    replay.Seed = static_cast<uint32_t>(value);
    if (!ReadNumber(header("difficulty"), 1, 3, value)) fail("the difficulty is not 1, 2 or 3");
    replay.Difficulty = static_cast<int>(value);
    for (auto [key, name] : {std::pair{"player", &replay.Player}, std::pair{"company", &replay.Company}}) {
        *name = Unescape(header(key));
        if (name->size() > StartNameLength)
            fail(std::string("the ") + key + " name has " + std::to_string(name->size()) +
                 " characters, more than the start screen's " + std::to_string(StartNameLength));
    }
    replay.Actions = ReadActionLines(in, number);
    return replay;
}
