#pragma once
// Everything modal or cosmetic a rule triggers goes through this interface: the Qt window
// in the game, a scripted fake in tests and in the headless simulator.
#include <array>
#include <string>
#include <utility>

#include "state/Candidates.h"

enum class TMessageKind { Plain, Information, Warning, Error };
enum class TButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class TAnswer { Ok, Yes, No, Cancel };

// The four sections of the "NEWS" window.
struct TNewsTexts {
    std::string WorldHeadline;
    std::string WorldNews;
    std::string BusinessNews;
    std::string GenreNews;
    std::string HardwareNews;
};

// The final score grid: column 0 the row titles, column 1 the values; rows 7 and 8 stay empty.
struct TScoreSheet {
    std::array<std::pair<std::string, std::string>, 11> Rows;
    int Score = 0;
};

// What the "Hire" dialog shows for one candidate.
struct THireOffer {
    TManagerKind Kind = TManagerKind::LeadProgrammer;
    std::string Name;
    int Rating = 0;
    int Share = 0;
    int Wage = 0;
    int Fee = 0;
    int FeeFactor = 15;
    std::string Comment; // shown in double quotes
    bool HireEnabled = true;
};

class TPlayerInterface {
public:
    virtual ~TPlayerInterface() = default;
    virtual void ShowMessage(const std::string& text, const std::string& caption, TMessageKind kind) = 0;
    virtual TAnswer Ask(const std::string& text, const std::string& caption, TButtons buttons) = 0;
    virtual void ShowNewsWindow(const TNewsTexts& texts) = 0;
    // The small "Working..." window with one line of text; not modal.
    virtual void ShowWorking(const std::string& text) = 0;
    virtual void CloseWorking() = 0;
    // The progress window (saving, loading): one text line and a gauge 0..100.
    virtual void Progress(const std::string& text, int percent) = 0;
    virtual void CloseProgress() = 0;
    virtual void ProcessEvents() = 0;
    // Pauses only pace the display; a fake returns at once.
    virtual void Pause(int milliseconds) = 0;
    virtual void SetBusy(bool busy) = 0;
    // The main window's 60 ms animation timer (news scrolling, blinking labels).
    virtual void SetAnimation(bool running) = 0;
    // A manager leaves: the "OK" window with the walking-away animation.
    virtual void ShowDeparture(const std::string& text) = 0;
    // The animated message window with another text (good news of the company).
    virtual void ShowAnimatedMessage(const std::string& text) {
        ShowMessage(text, "", TMessageKind::Information);
    }
    // The start screen's score panel, shown modally at the end of a game.
    virtual void ShowScoreSheet(const TScoreSheet& sheet) = 0;
    // The "Hire" dialog: true for "Yes, Hire new Leader" (only possible while enabled).
    virtual bool ConfirmHire(const THireOffer&) { return false; }
    // The "Company" window that tells of a problem in the project's development.
    virtual void ShowProblem(const std::string& text) { ShowMessage(text, "Company", TMessageKind::Warning); }
    // End Of Week closes the music-player and options panels before it runs.
    virtual void CloseWeekPanels() {}
    // The news feed goes back to its first line when a week has been written.
    virtual void ScrollFeedToTop() {}
    // Something the status area shows has changed during a long step; the window may
    // repaint it now. After an action the window refreshes anyway.
    virtual void StatusChanged() {}
};
