#pragma once
// Every gesture of the player that changes the game is one action value, applied by Apply:
// it validates, acts and returns the outcome (done, or refused with the message the player
// sees). The window, the bot, the tests and the simulator all go through it, and the game
// logs every applied action with its week, so that a seed and the log replay a game.
#include <optional>
#include <string>
#include <tuple>
#include <variant>

#include "company/Office.h"
#include "company/Staff.h"
#include "company/Study.h"
#include "dev/Project.h"
#include "state/Candidates.h"
#include "state/Outcome.h"

class TGame;

// Each action has a name for the log and its fields, in the order the log writes them.
struct TEndOfWeekAction {
    static constexpr const char* Name = "EndOfWeek";
    auto Fields() { return std::tie(); }
};
struct TQuitGame {
    static constexpr const char* Name = "QuitGame";
    auto Fields() { return std::tie(); }
};
struct TSaveAndEndTurn {
    static constexpr const char* Name = "SaveAndEndTurn";
    auto Fields() { return std::tie(); }
};
struct THireManager {
    static constexpr const char* Name = "HireManager";
    TManagerKind Kind = TManagerKind::LeadProgrammer;
    int Row = 0;
    auto Fields() { return std::tie(Kind, Row); }
};
struct TSetAssistants {
    static constexpr const char* Name = "SetAssistants";
    TAssistantKind Kind = TAssistantKind::Programmers;
    int Count = 0;
    auto Fields() { return std::tie(Kind, Count); }
};
struct TMoveOffice {
    static constexpr const char* Name = "MoveOffice";
    int Building = 0;
    auto Fields() { return std::tie(Building); }
};
struct TSetExtraOffices {
    static constexpr const char* Name = "SetExtraOffices";
    int Count = 0;
    auto Fields() { return std::tie(Count); }
};
struct TSetEquipment {
    static constexpr const char* Name = "SetEquipment";
    TEquipment Which = TEquipment::Graphics;
    bool On = false;
    auto Fields() { return std::tie(Which, On); }
};
struct TSetFacility {
    static constexpr const char* Name = "SetFacility";
    TFacility Which = TFacility::SoundStudio;
    bool Rented = false;
    auto Fields() { return std::tie(Which, Rented); }
};
struct TBorrow {
    static constexpr const char* Name = "Borrow";
    int32_t Amount = 0;
    auto Fields() { return std::tie(Amount); }
};
struct TRepay {
    static constexpr const char* Name = "Repay";
    int32_t Amount = 0;
    auto Fields() { return std::tie(Amount); }
};
struct TFindInvestor {
    static constexpr const char* Name = "FindInvestor";
    auto Fields() { return std::tie(); }
};
struct TAcceptInvestor {
    static constexpr const char* Name = "AcceptInvestor";
    auto Fields() { return std::tie(); }
};
struct TDeclineInvestor {
    static constexpr const char* Name = "DeclineInvestor";
    auto Fields() { return std::tie(); }
};

struct TStartNewProject {
    static constexpr const char* Name = "StartNewProject";
    auto Fields() { return std::tie(); }
};
struct TStartProject {
    static constexpr const char* Name = "StartProject";
    std::string GameName;
    auto Fields() { return std::tie(GameName); }
};
struct TChooseProjectGenre {
    static constexpr const char* Name = "ChooseProjectGenre";
    int Genre = 0;
    auto Fields() { return std::tie(Genre); }
};
struct TChooseProjectPlatform {
    static constexpr const char* Name = "ChooseProjectPlatform";
    int Platform = 0;
    auto Fields() { return std::tie(Platform); }
};
struct TSetTechnology {
    static constexpr const char* Name = "SetTechnology";
    int Level = 1;
    auto Fields() { return std::tie(Level); }
};
struct TSetProjectOption {
    static constexpr const char* Name = "SetProjectOption";
    TProjectOption Option = TProjectOption::Beta;
    bool Ticked = false;
    auto Fields() { return std::tie(Option, Ticked); }
};
struct TSetAdvertising {
    static constexpr const char* Name = "SetAdvertising";
    int Level = 0;
    auto Fields() { return std::tie(Level); }
};
struct TCancelProject {
    static constexpr const char* Name = "CancelProject";
    auto Fields() { return std::tie(); }
};
struct TBeginRelease {
    static constexpr const char* Name = "BeginRelease";
    auto Fields() { return std::tie(); }
};
// The week at position Index of the chooser that the release calendar shows with its week
// offset Offset.
struct TChooseReleaseWeek {
    static constexpr const char* Name = "ChooseReleaseWeek";
    int Offset = 0;
    int Index = 0;
    auto Fields() { return std::tie(Offset, Index); }
};

struct TFindPublisher {
    static constexpr const char* Name = "FindPublisher";
    int Size = 0; // 0 small-time, 1 medium-size, 2 large-capacity
    auto Fields() { return std::tie(Size); }
};
// "Offer Deal" with the terms as the panel holds them; the fee is the field's text.
struct TOfferDeal {
    static constexpr const char* Name = "OfferDeal";
    int Share = 0;
    int Objective = 0;
    std::string Fee;
    auto Fields() { return std::tie(Share, Objective, Fee); }
};
struct TSignDeal {
    static constexpr const char* Name = "SignDeal";
    auto Fields() { return std::tie(); }
};
// The Study And Tools panel: an activity's platform from its "Choose Platform" list, and its
// staff counter moved to Count (0..100).
struct TChooseStudyPlatform {
    static constexpr const char* Name = "ChooseStudyPlatform";
    TStudyActivity Activity = TStudyActivity::Study;
    int Platform = 0;
    auto Fields() { return std::tie(Activity, Platform); }
};
struct TSetStudyStaff {
    static constexpr const char* Name = "SetStudyStaff";
    TStudyActivity Activity = TStudyActivity::Study;
    int Count = 0;
    auto Fields() { return std::tie(Activity, Count); }
};
// "Preview Game".
struct TRequestPreview {
    static constexpr const char* Name = "RequestPreview";
    auto Fields() { return std::tie(); }
};
// The porting dialog's "Choose": the released game at position ReleasedIndex of ReleasedGames
// (-1 for an empty list) for Platform (-1 when none is chosen).
struct TPortGame {
    static constexpr const char* Name = "PortGame";
    int ReleasedIndex = -1;
    int Platform = -1;
    auto Fields() { return std::tie(ReleasedIndex, Platform); }
};

// The menu's "Development" link: the panel opens on a fresh estimate of the project, since
// tools, managers and assistants may have changed it. The estimate draws from the generator
// while a project runs, so opening the panel is an action of its own.
struct TOpenDevelopment {
    static constexpr const char* Name = "OpenDevelopment";
    auto Fields() { return std::tie(); }
};

using TPlayerAction =
    std::variant<TEndOfWeekAction, TQuitGame, TSaveAndEndTurn, THireManager, TSetAssistants, TMoveOffice,
                 TSetExtraOffices, TSetEquipment, TSetFacility, TBorrow, TRepay, TFindInvestor,
                 TAcceptInvestor, TDeclineInvestor, TStartNewProject, TStartProject, TChooseProjectGenre,
                 TChooseProjectPlatform, TSetTechnology, TSetProjectOption, TSetAdvertising, TCancelProject,
                 TBeginRelease, TChooseReleaseWeek, TFindPublisher, TOfferDeal, TSignDeal,
                 TChooseStudyPlatform, TSetStudyStaff, TRequestPreview, TPortGame, TOpenDevelopment>;

// Applies one action: logs it, runs it, shows a refusal's message (a message box, or the
// panel's inline line), reports an error it raised, and brings the views up to date.
TOutcome Apply(TGame& game, const TPlayerAction& action);

// The action as one line of text, and back (nullopt for a line that names no action or
// whose fields do not fit).
std::string FormatAction(const TPlayerAction& action);
std::optional<TPlayerAction> ParseAction(const std::string& text);
