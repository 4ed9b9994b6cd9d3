#pragma once
// Every gesture of the player that changes the game is one action value, applied by Apply:
// it validates, acts and returns the outcome (done, or refused with the message the player
// sees). The window, the bot, the tests and the simulator all go through it, and the game
// logs every applied action with its week, so that a seed and the log replay a game.
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <variant>

#include "company/Office.h"
#include "company/Publisher.h"
#include "company/Staff.h"
#include "company/Study.h"
#include "dev/Project.h"
#include "state/Candidates.h"
#include "state/Outcome.h"
#include "state/PlatformTables.h"

class TGame;

// What a field read from a log may hold: a number from Lo to Hi (an enum by its value, a
// boolean 0 or 1), or for a text its length. A log comes from outside the game (a replay sent
// with a bug report), so nothing is cast or used before it has been held against this.
struct TFieldRange {
    const char* Name;
    long long Lo;
    long long Hi;
};
template <typename E>
constexpr long long LastOf(E last) {
    return static_cast<long long>(last);
}
// A row of a list whose length the game decides (the rule checks the row against it).
inline constexpr long long AnyRow = 99999;
inline constexpr std::pair<long long, long long> AnyAmount{std::numeric_limits<int32_t>::min(),
                                                           std::numeric_limits<int32_t>::max()};

// Each action has a name for the log and its fields, in the order the log writes them, with
// the range of each.
struct TEndOfWeekAction {
    static constexpr const char* Name = "EndOfWeek";
    auto Fields() { return std::tie(); }
    static constexpr std::array<TFieldRange, 0> Ranges{};
};
struct TQuitGame {
    static constexpr const char* Name = "QuitGame";
    auto Fields() { return std::tie(); }
    static constexpr std::array<TFieldRange, 0> Ranges{};
};
struct TSaveAndEndTurn {
    static constexpr const char* Name = "SaveAndEndTurn";
    auto Fields() { return std::tie(); }
    static constexpr std::array<TFieldRange, 0> Ranges{};
};
struct THireManager {
    static constexpr const char* Name = "HireManager";
    TManagerKind Kind = TManagerKind::LeadProgrammer;
    int Row = 0;
    auto Fields() { return std::tie(Kind, Row); }
    static constexpr std::array<TFieldRange, 2> Ranges{
        {{"Kind", 0, LastOf(TManagerKind::LeadDesigner)}, {"Row", 0, AnyRow}}};
};
struct TSetAssistants {
    static constexpr const char* Name = "SetAssistants";
    TAssistantKind Kind = TAssistantKind::Programmers;
    int Count = 0;
    auto Fields() { return std::tie(Kind, Count); }
    static constexpr std::array<TFieldRange, 2> Ranges{
        {{"Kind", 0, LastOf(TAssistantKind::Artists)}, {"Count", 0, 100}}};
};
struct TMoveOffice {
    static constexpr const char* Name = "MoveOffice";
    int Building = 0;
    auto Fields() { return std::tie(Building); }
    static constexpr std::array<TFieldRange, 1> Ranges{{{"Building", 0, 3}}};
};
struct TSetExtraOffices {
    static constexpr const char* Name = "SetExtraOffices";
    int Count = 0;
    auto Fields() { return std::tie(Count); }
    static constexpr std::array<TFieldRange, 1> Ranges{{{"Count", 0, 10}}};
};
struct TSetEquipment {
    static constexpr const char* Name = "SetEquipment";
    TEquipment Which = TEquipment::Graphics;
    bool On = false;
    auto Fields() { return std::tie(Which, On); }
    static constexpr std::array<TFieldRange, 2> Ranges{
        {{"Which", 0, LastOf(TEquipment::Tools)}, {"On", 0, 1}}};
};
struct TSetFacility {
    static constexpr const char* Name = "SetFacility";
    TFacility Which = TFacility::SoundStudio;
    bool Rented = false;
    auto Fields() { return std::tie(Which, Rented); }
    static constexpr std::array<TFieldRange, 2> Ranges{
        {{"Which", 0, LastOf(TFacility::TestCenter)}, {"Rented", 0, 1}}};
};
struct TBorrow {
    static constexpr const char* Name = "Borrow";
    int32_t Amount = 0;
    auto Fields() { return std::tie(Amount); }
    static constexpr std::array<TFieldRange, 1> Ranges{{{"Amount", AnyAmount.first, AnyAmount.second}}};
};
struct TRepay {
    static constexpr const char* Name = "Repay";
    int32_t Amount = 0;
    auto Fields() { return std::tie(Amount); }
    static constexpr std::array<TFieldRange, 1> Ranges{{{"Amount", AnyAmount.first, AnyAmount.second}}};
};
struct TFindInvestor {
    static constexpr const char* Name = "FindInvestor";
    auto Fields() { return std::tie(); }
    static constexpr std::array<TFieldRange, 0> Ranges{};
};
struct TAcceptInvestor {
    static constexpr const char* Name = "AcceptInvestor";
    auto Fields() { return std::tie(); }
    static constexpr std::array<TFieldRange, 0> Ranges{};
};
struct TDeclineInvestor {
    static constexpr const char* Name = "DeclineInvestor";
    auto Fields() { return std::tie(); }
    static constexpr std::array<TFieldRange, 0> Ranges{};
};

struct TStartNewProject {
    static constexpr const char* Name = "StartNewProject";
    auto Fields() { return std::tie(); }
    static constexpr std::array<TFieldRange, 0> Ranges{};
};
struct TStartProject {
    static constexpr const char* Name = "StartProject";
    std::string GameName;
    auto Fields() { return std::tie(GameName); }
    static constexpr std::array<TFieldRange, 1> Ranges{{{"GameName", 0, ProjectNameLength}}};
};
struct TChooseProjectGenre {
    static constexpr const char* Name = "ChooseProjectGenre";
    int Genre = 0;
    auto Fields() { return std::tie(Genre); }
    static constexpr std::array<TFieldRange, 1> Ranges{{{"Genre", 0, GenreCount - 1}}};
};
struct TChooseProjectPlatform {
    static constexpr const char* Name = "ChooseProjectPlatform";
    int Platform = 0;
    auto Fields() { return std::tie(Platform); }
    static constexpr std::array<TFieldRange, 1> Ranges{{{"Platform", 0, PlatformCount - 1}}};
};
struct TSetTechnology {
    static constexpr const char* Name = "SetTechnology";
    int Level = 1;
    auto Fields() { return std::tie(Level); }
    static constexpr std::array<TFieldRange, 1> Ranges{{{"Level", 0, 2}}};
};
struct TSetProjectOption {
    static constexpr const char* Name = "SetProjectOption";
    TProjectOption Option = TProjectOption::Beta;
    bool Ticked = false;
    auto Fields() { return std::tie(Option, Ticked); }
    static constexpr std::array<TFieldRange, 2> Ranges{
        {{"Option", 0, LastOf(TProjectOption::Extras)}, {"Ticked", 0, 1}}};
};
struct TSetAdvertising {
    static constexpr const char* Name = "SetAdvertising";
    int Level = 0;
    auto Fields() { return std::tie(Level); }
    static constexpr std::array<TFieldRange, 1> Ranges{{{"Level", 0, 10}}};
};
struct TCancelProject {
    static constexpr const char* Name = "CancelProject";
    auto Fields() { return std::tie(); }
    static constexpr std::array<TFieldRange, 0> Ranges{};
};
struct TBeginRelease {
    static constexpr const char* Name = "BeginRelease";
    auto Fields() { return std::tie(); }
    static constexpr std::array<TFieldRange, 0> Ranges{};
};
// The week at position Index of the chooser that the release calendar shows with its week
// offset Offset.
struct TChooseReleaseWeek {
    static constexpr const char* Name = "ChooseReleaseWeek";
    int Offset = 0;
    int Index = 0;
    auto Fields() { return std::tie(Offset, Index); }
    static constexpr std::array<TFieldRange, 2> Ranges{{{"Offset", 0, 47}, {"Index", 0, 5}}};
};
// The release calendar's genre and platform lists: kept with the game's other choice lists,
// which the rules rebuild each year and at a new project and the release preselects.
struct TChooseCalendarGenre {
    static constexpr const char* Name = "ChooseCalendarGenre";
    int Index = 0;
    auto Fields() { return std::tie(Index); }
    static constexpr std::array<TFieldRange, 1> Ranges{{{"Index", 0, GenreCount - 1}}};
};
struct TChooseCalendarPlatform {
    static constexpr const char* Name = "ChooseCalendarPlatform";
    int Index = 0;
    auto Fields() { return std::tie(Index); }
    static constexpr std::array<TFieldRange, 1> Ranges{{{"Index", 0, PlatformCount - 1}}};
};

struct TFindPublisher {
    static constexpr const char* Name = "FindPublisher";
    int Size = 0; // 0 small-time, 1 medium-size, 2 large-capacity
    auto Fields() { return std::tie(Size); }
    static constexpr std::array<TFieldRange, 1> Ranges{{{"Size", 0, 2}}};
};
// "Offer Deal" with the terms as the panel holds them; the fee is the field's text.
struct TOfferDeal {
    static constexpr const char* Name = "OfferDeal";
    int Share = 0;
    int Objective = 0;
    std::string Fee;
    auto Fields() { return std::tie(Share, Objective, Fee); }
    static constexpr std::array<TFieldRange, 3> Ranges{
        {{"Share", 1, 33}, {"Objective", 1, 100}, {"Fee", 0, OfferFeeLength}}};
};
struct TSignDeal {
    static constexpr const char* Name = "SignDeal";
    auto Fields() { return std::tie(); }
    static constexpr std::array<TFieldRange, 0> Ranges{};
};
// The Study And Tools panel: an activity's platform from its "Choose Platform" list, and its
// staff counter moved to Count (0..100).
struct TChooseStudyPlatform {
    static constexpr const char* Name = "ChooseStudyPlatform";
    TStudyActivity Activity = TStudyActivity::Study;
    int Platform = 0;
    auto Fields() { return std::tie(Activity, Platform); }
    static constexpr std::array<TFieldRange, 2> Ranges{
        {{"Activity", 0, LastOf(TStudyActivity::Porting)}, {"Platform", 0, PlatformCount - 1}}};
};
struct TSetStudyStaff {
    static constexpr const char* Name = "SetStudyStaff";
    TStudyActivity Activity = TStudyActivity::Study;
    int Count = 0;
    auto Fields() { return std::tie(Activity, Count); }
    static constexpr std::array<TFieldRange, 2> Ranges{
        {{"Activity", 0, LastOf(TStudyActivity::Porting)}, {"Count", 0, 100}}};
};
// "Preview Game".
struct TRequestPreview {
    static constexpr const char* Name = "RequestPreview";
    auto Fields() { return std::tie(); }
    static constexpr std::array<TFieldRange, 0> Ranges{};
};
// The porting dialog's "Choose": the released game at position ReleasedIndex of ReleasedGames
// (-1 for an empty list) for Platform (-1 when none is chosen).
struct TPortGame {
    static constexpr const char* Name = "PortGame";
    int ReleasedIndex = -1;
    int Platform = -1;
    auto Fields() { return std::tie(ReleasedIndex, Platform); }
    static constexpr std::array<TFieldRange, 2> Ranges{
        {{"ReleasedIndex", -1, AnyRow}, {"Platform", -1, PlatformCount - 1}}};
};

// The menu's "Development" link: the panel opens on a fresh estimate of the project, since
// tools, managers and assistants may have changed it. The estimate draws from the generator
// while a project runs, so opening the panel is an action of its own.
struct TOpenDevelopment {
    static constexpr const char* Name = "OpenDevelopment";
    auto Fields() { return std::tie(); }
    static constexpr std::array<TFieldRange, 0> Ranges{};
};

using TPlayerAction =
    std::variant<TEndOfWeekAction, TQuitGame, TSaveAndEndTurn, THireManager, TSetAssistants, TMoveOffice,
                 TSetExtraOffices, TSetEquipment, TSetFacility, TBorrow, TRepay, TFindInvestor,
                 TAcceptInvestor, TDeclineInvestor, TStartNewProject, TStartProject, TChooseProjectGenre,
                 TChooseProjectPlatform, TSetTechnology, TSetProjectOption, TSetAdvertising, TCancelProject,
                 TBeginRelease, TChooseReleaseWeek, TChooseCalendarGenre, TChooseCalendarPlatform,
                 TFindPublisher, TOfferDeal, TSignDeal, TChooseStudyPlatform, TSetStudyStaff, TRequestPreview,
                 TPortGame, TOpenDevelopment>;

// Applies one action: logs it, runs it, shows a refusal's message (a message box, or the
// panel's inline line), reports an error it raised, and brings the views up to date.
TOutcome Apply(TGame& game, const TPlayerAction& action);

// The action as one line of text, and back (nullopt for a line that names no action or
// whose fields do not fit).
std::string FormatAction(const TPlayerAction& action);
std::optional<TPlayerAction> ParseAction(const std::string& text);

// A line read back, or why it is no action: the name unknown, a field missing or too many, or
// the field that does not fit, by name, with its value and its range.
struct TReadAction {
    std::optional<TPlayerAction> Action;
    std::string Problem;
};
TReadAction ReadAction(const std::string& text);
