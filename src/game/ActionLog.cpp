#include "game/ActionLog.h"

#include <sstream>

#include "state/Errors.h"

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

TReplay ParseReplay(const std::string& text) {
    TReplay replay;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    const auto fail = [&](const std::string& why) {
        throw EDataFile("The replay file is damaged at line " + std::to_string(number) + ": " + why);
    };
    const auto header = [&](const std::string& key) {
        ++number;
        if (!std::getline(in, line) || line.rfind(key + " ", 0) != 0) fail("\"" + key + "\" expected");
        return line.substr(key.size() + 1);
    };
    ++number;
    if (!std::getline(in, line) || line != "quillon-replay 1") fail("not a replay file");
    try {
        replay.Seed = static_cast<uint32_t>(std::stoul(header("seed")));
        replay.Difficulty = std::stoi(header("difficulty"));
    } catch (const std::logic_error&) {
        fail("a number was expected");
    }
    replay.Player = Unescape(header("player"));
    replay.Company = Unescape(header("company"));
    while (std::getline(in, line)) {
        ++number;
        if (line.empty()) continue;
        TLoggedAction entry;
        std::istringstream fields(line);
        if (!(fields >> entry.Year >> entry.Week)) fail("the year and week of an action are missing");
        std::string rest;
        std::getline(fields, rest);
        rest.erase(0, rest.find_first_not_of(' ') == std::string::npos ? rest.size()
                                                                       : rest.find_first_not_of(' '));
        const size_t bar = rest.find(" |");
        entry.Action = rest.substr(0, bar);
        if (entry.Action.empty()) fail("an action is missing");
        if (bar != std::string::npos) {
            std::istringstream answers(rest.substr(bar + 2));
            for (std::string answer; answers >> answer;)
                entry.Answers.push_back(answer);
        }
        replay.Actions.push_back(entry);
    }
    return replay;
}
