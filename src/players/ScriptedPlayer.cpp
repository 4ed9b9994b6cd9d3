#include "players/ScriptedPlayer.h"

#include <algorithm>

namespace {
// Message texts carry "\r\n" line breaks; print them as one line each.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}
} // namespace

void TScriptedPlayer::ShowMessage(const std::string& text, const std::string& caption, TMessageKind) {
    Messages.push_back({text, caption});
    if (Echo) std::fprintf(Echo, "[%s] %s\n", caption.c_str(), OneLine(text).c_str());
}

TAnswer TScriptedPlayer::Ask(const std::string& text, const std::string& caption, TButtons) {
    Questions.push_back({text, caption});
    TAnswer answer = DefaultAnswer;
    if (!Answers.empty()) {
        answer = Answers.front();
        Answers.pop_front();
    }
    if (Echo)
        std::fprintf(Echo, "[%s?] %s -> %s\n", caption.c_str(), OneLine(text).c_str(),
                     answer == TAnswer::Yes      ? "Yes"
                     : answer == TAnswer::Cancel ? "Cancel"
                                                 : "No");
    return answer;
}

void TScriptedPlayer::ShowNewsWindow(const TNewsTexts& texts) {
    NewsWindows.push_back(texts);
}

void TScriptedPlayer::ShowWorking(const std::string& text) {
    WorkingText = text;
    WorkingOpen = true;
}

void TScriptedPlayer::Progress(const std::string& text, int) {
    WorkingText = text;
}

void TScriptedPlayer::ShowDeparture(const std::string& text) {
    Departures.push_back(text);
    if (Echo) std::fprintf(Echo, "[Departure] %s\n", text.c_str());
}

void TScriptedPlayer::ShowProblem(const std::string& text) {
    Problems.push_back(text);
    if (Echo) std::fprintf(Echo, "[Company] %s\n", OneLine(text).c_str());
}

void TScriptedPlayer::ShowScoreSheet(const TScoreSheet& sheet) {
    ScoreSheets.push_back(sheet);
}

bool TScriptedPlayer::ConfirmHire(const THireOffer& offer) {
    HireOffers.push_back(offer);
    TAnswer answer = DefaultAnswer;
    if (!Answers.empty()) {
        answer = Answers.front();
        Answers.pop_front();
    }
    return answer == TAnswer::Yes && offer.HireEnabled;
}

bool TScriptedPlayer::SawMessage(const std::string& text) const {
    return std::any_of(Messages.begin(), Messages.end(), [&](const auto& m) { return m.Text == text; });
}
