#pragma once
// The log of a game's player actions: each applied action as one text line with the week it
// was applied in and the answers the player gave to the questions it asked. A seed and the
// log replay a game exactly.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "state/PlayerInterface.h"

struct TLoggedAction {
    int32_t Year = 0;
    int32_t Week = 0;
    std::string Action;               // as FormatAction writes it
    std::vector<std::string> Answers; // in the order they were given
};

using TActionLog = std::vector<TLoggedAction>;

// Stands between the rules and the player: forwards everything, writes down every answer
// the player gives, and during a replay gives the logged answers instead of asking.
class TAnswerRecorder : public TPlayerInterface {
public:
    explicit TAnswerRecorder(TPlayerInterface& inner) : InnerUi(inner) {}

    TPlayerInterface& Inner() { return InnerUi; }
    // Where the answers of the running action go (nullptr: nowhere).
    void RecordInto(std::vector<std::string>* answers) { Sink = answers; }
    void Replay(const std::vector<std::string>& answers) { Replayed.assign(answers.begin(), answers.end()); }

    void ShowMessage(const std::string& text, const std::string& caption, TMessageKind kind) override {
        InnerUi.ShowMessage(text, caption, kind);
    }
    TAnswer Ask(const std::string& text, const std::string& caption, TButtons buttons) override;
    void ShowNewsWindow(const TNewsTexts& texts) override { InnerUi.ShowNewsWindow(texts); }
    void ShowWorking(const std::string& text) override { InnerUi.ShowWorking(text); }
    void CloseWorking() override { InnerUi.CloseWorking(); }
    void Progress(const std::string& text, int percent) override { InnerUi.Progress(text, percent); }
    void CloseProgress() override { InnerUi.CloseProgress(); }
    void ProcessEvents() override { InnerUi.ProcessEvents(); }
    void Pause(int milliseconds) override { InnerUi.Pause(milliseconds); }
    void SetBusy(bool busy) override { InnerUi.SetBusy(busy); }
    void SetAnimation(bool running) override { InnerUi.SetAnimation(running); }
    void ShowDeparture(const std::string& text) override { InnerUi.ShowDeparture(text); }
    void ShowScoreSheet(const TScoreSheet& sheet) override { InnerUi.ShowScoreSheet(sheet); }
    void ShowAnimatedMessage(const std::string& text) override { InnerUi.ShowAnimatedMessage(text); }
    bool ConfirmHire(const THireOffer& offer) override;
    void ShowProblem(const std::string& text) override { InnerUi.ShowProblem(text); }
    void CloseWeekPanels() override { InnerUi.CloseWeekPanels(); }
    void ScrollFeedToTop() override { InnerUi.ScrollFeedToTop(); }
    void StatusChanged() override { InnerUi.StatusChanged(); }

private:
    // The next logged answer, or empty when the log has none left.
    std::string NextReplayed();
    void Record(const std::string& answer);

    TPlayerInterface& InnerUi;
    std::vector<std::string>* Sink = nullptr;
    std::deque<std::string> Replayed;
};

// Holds the recorder so that it exists before the game core that is handed a reference.
struct TAnswerRecorderBase {
    explicit TAnswerRecorderBase(TPlayerInterface& inner) : Recorder(inner) {}
    TAnswerRecorder Recorder;
};

// The replay file: a header with the seed, the difficulty and the names, then one action a
// line. A replay is shared (sent with a bug report), so every header line and every field of
// every action is checked against its range; CR line ends and a byte-order mark are read.
// Throws EDataFile naming the line and what does not fit.
struct TReplay {
    uint32_t Seed = 0;
    int Difficulty = 2;
    std::string Player;
    std::string Company;
    TActionLog Actions;
};
std::string FormatReplay(const TReplay& replay);
TReplay ParseReplay(const std::string& text);

// Action lines without the header ("1984 7 MoveOffice 1 | Yes"), checked as a replay's are.
TActionLog ParseActionLines(const std::string& text);
