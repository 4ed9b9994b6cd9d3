#pragma once
// A player interface without a window: records every message, answers questions from a
// queue (then with a default answer), never pauses. Used by the tests and by the headless
// simulator, which echoes what it records.
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "state/PlayerInterface.h"

struct TRecordedMessage {
    std::string Text;
    std::string Caption;
};

class TScriptedPlayer : public TPlayerInterface {
public:
    // echo: where to print messages as they arrive (nullptr: silent).
    explicit TScriptedPlayer(std::FILE* echo = nullptr) : Echo(echo) {}

    void ShowMessage(const std::string& text, const std::string& caption, TMessageKind kind) override;
    TAnswer Ask(const std::string& text, const std::string& caption, TButtons buttons) override;
    void ShowNewsWindow(const TNewsTexts& texts) override;
    void ShowWorking(const std::string& text) override;
    void CloseWorking() override { WorkingOpen = false; }
    void Progress(const std::string& text, int percent) override;
    void CloseProgress() override {}
    void ProcessEvents() override {}
    void Pause(int) override {}
    void SetBusy(bool busy) override { Busy = busy; }
    void SetAnimation(bool running) override { Animating = running; }
    void ShowDeparture(const std::string& text) override;
    void ShowScoreSheet(const TScoreSheet& sheet) override;
    void ShowProblem(const std::string& text) override;
    // Hires when the next queued answer is Yes (the default answer otherwise).
    bool ConfirmHire(const THireOffer& offer) override;

    // True when some recorded message has exactly this text.
    bool SawMessage(const std::string& text) const;

    std::vector<TRecordedMessage> Messages;
    std::vector<TRecordedMessage> Questions;
    std::deque<TAnswer> Answers;
    TAnswer DefaultAnswer = TAnswer::No;
    std::vector<TNewsTexts> NewsWindows;
    std::vector<std::string> Departures;
    std::vector<std::string> Problems;
    std::vector<TScoreSheet> ScoreSheets;
    std::vector<THireOffer> HireOffers;
    std::string WorkingText;
    bool WorkingOpen = false;
    bool Busy = false;
    bool Animating = true;

private:
    std::FILE* Echo;
};
