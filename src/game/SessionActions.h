#pragma once
// Gestures of the start screen and of the start-up around a game: starting, loading, leaving,
// the profile and the score record. They run before the game's log begins (or after it ends),
// so they are not logged; errors they raise are shown as the player actions' are.
#include <cstdint>
#include <string>
#include <variant>

#include "state/Outcome.h"

class TGame;

// The start screen is about to show: its names come from the player profile.
struct TOpenStartScreen {};
// "No ingame music": ticked, the game starts without music.
struct TChooseNoMusic {};
// "Start Game" and "Load Saved Game" with what the player typed.
struct TStartScreenChoices {
    std::string PlayerName;
    std::string CompanyName;
    int Difficulty = 2;
};
struct TStartGameChosen {
    TStartScreenChoices Choices;
};
struct TLoadGameChosen {
    TStartScreenChoices Choices;
};
// The start screen was closed without starting: the program ends.
struct TLeaveStartScreen {};
// After the welcome: the world is built and plays its first week.
struct TBeginWorld {};
// After "Load Saved Game": the save is checked, then played; refused (with the start screen
// due again) when it cannot be used.
struct TPlayLoadedGame {};
// The score sheet closed: the names and the help choice go into the player profile.
struct TCloseScoreSheet {
    std::string PlayerName;
    std::string CompanyName;
};
// "Upload Score": the record of the finished game, once per loaded save, written into the
// folder the upload reads; its file name goes into the start screen's view.
struct TRecordScore {
    int Score = 0;
    int32_t Stamp = 0;
    std::string Folder;
};

using TSessionAction =
    std::variant<TOpenStartScreen, TChooseNoMusic, TStartGameChosen, TLoadGameChosen, TLeaveStartScreen,
                 TBeginWorld, TPlayLoadedGame, TCloseScoreSheet, TRecordScore>;

TOutcome ApplySession(TGame& game, const TSessionAction& action);
