#pragma once
// The core of one running game: everything its rules read and write, and the services they
// use (the random generator and the player interface). Rules in the weekly simulation,
// development and company management take a TGameCore&; the game itself (TGame, one layer
// up) adds the screens' view models, the player actions and their log.
//
// What a saved game restores: the company record, project slot 1, the platform table, the
// publisher deal, the upcoming and released game lists, the genre title lists, the manager
// candidates and the tunables (inside the company record). Everything else here is rebuilt:
// by the world initialisation that runs before a load (platform snapshots, the candidates of
// an older save that has none, choice lists, side labels), by the load itself (employees, the
// team's plan) or by the next week.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "state/Candidates.h"
#include "state/ChoiceList.h"
#include "state/Feed.h"
#include "state/Folders.h"
#include "state/GameList.h"
#include "state/PlayerInterface.h"
#include "state/Random.h"
#include "state/Records.h"

constexpr int StartYear = 1984;
constexpr int NoBoomPlatform = 254;
constexpr int NoChartPos = 151;
constexpr int OfficePrices[4] = {500000, 3000000, 4500000, 8000000};
constexpr int OfficeSpaces[4] = {15, 25, 40, 50};
constexpr int SoundStudioRent = 30000;
constexpr int TestCenterRent = 25000;
constexpr int GfxEquipBasePrice = 13000;
constexpr int ComputerEquipBasePrice = 6000;
constexpr int ToolsEquipBasePrice = 6000;

// Project sizes and limits that carry over from one game to the next within a run of the
// program; a saved game carries them inside the company record.
struct TTunables {
    int32_t NewProjectWork = 200;
    int32_t TechStepWork = 100;
    int32_t MultiplayWork = 170;
    int32_t DemoWork = 100;
    int32_t ExtrasWork = 100;
    int32_t BetaWork = 100;
    int32_t CreditLine = 3000000;
    int32_t QualityBase = 57;
};

struct TRunFlags {
    bool QuitChosen = false;
    bool SaveRequested = false;
    bool LoadRequested = false;
    bool JustLoaded = false;
    bool GameOver = false;
    bool StartPending = true;
    bool ManagerGridsLocked = false;
    bool PreviewRequested = false;
    bool ShowHelp = true;
    bool MusicOff = false;
    // The year's predicted boom platform and hot genre have come true.
    bool BoomConfirmed = false;
    bool GenreBoomConfirmed = false;
    // A player's game reached the publisher's target chart position.
    bool ObjectiveReached = false;
    // The porting dialog is open and no game has been chosen in it yet.
    bool PortCancelled = true;
    // The game is over and its loan settled: the score sheet is final.
    bool ScoreSettled = false;
    // The world is being built for a saved game that replaces it at once: its first week
    // shows no news window.
    bool WorldBeforeLoad = false;
};

// The bank's search for an investor: whether the player may look again, and the offer on
// the table.
struct TInvestorSearch {
    bool FindEnabled = true;
    bool OfferOpen = false;
    int OfferAmount = 0;
    int OfferShare = 0;
};

enum class TProjectStage {
    NotStarted, // only "Start New Project" can be used
    Initial,    // "Start New Project" pressed: name, genre, platform and the rest are chosen
    InProgress, // "Start project" pressed: the weeks count down
    Ready,      // all work done: "Release Game " waits
};

// The Development panel's project: what the player has chosen and what the rules have shown.
// The technology level, the option ticks and the advertising level are read by the rules every
// week; they are not saved, because saving is refused while a project runs.
struct TDevelopment {
    TProjectStage Stage = TProjectStage::NotStarted;
    int Genre = 0;      // genre index
    int Platform = -1;  // platform index; -1 before the first project
    int Technology = 1; // 0 "Old-fashioned", 1 "Up-to-date" (the default), 2 "Push the limits"
    bool Beta = false, Demo = false, MultiPlay = false, Extras = false;
    int Advertising = 0; // 0..10, each step 3000 a week
    // The panel's status caption and how fast it blinks (0: steady).
    std::string Status = "Not started..";
    int StatusBlinkMs = 500;
    // The side panel's project link and caption.
    std::string SideLink = "Project";
    std::string SideCaption = "NOt Started..";
    bool SideBlinks = false;
    bool Busy = false; // the busy animation of the panel
    // The three progress bars: "Engine", "Sfx,Music", "Graphics", and their maximum.
    std::array<int, 3> Bars{};
    int BarMax = 0;
    // The release button is there only while the studio has a publisher deal.
    bool ReleaseShown = true;
    // "Release Game " has opened the release calendar; only "Choose" leads out of it.
    bool ReleaseMode = false;
    // The problem dialog: severity of the last problem and the text it showed last.
    int ProblemSeverity = 0;
    std::string ProblemText = "Event";
    // The porting dialog has fixed name, genre and platform: that group stays disabled and the
    // technology list hidden until the next "Start New Project".
    bool PortSetUp = false;
    // Ports the player has released (announced for sale); counted for the game's summary.
    int PortsReleased = 0;
};

// The four standing activities of the Study And Tools panel, in the order they work each week
// after study: anti-piracy, tools, platform independence.
enum class TStudyActivity { Study, Tools, AntiPiracy, Porting };
constexpr int StudyActivityCount = 4;

// What the Study And Tools panel shows. The displays are written when the panel opens and, for
// one activity, when its platform changes; in between they keep what they showed.
struct TStudy {
    // "Currently Choosen Platform :" of each activity, in the order of TStudyActivity.
    std::array<std::string, StudyActivityCount> PlatformName;
    std::string Ability;      // study: "Ability:"
    std::string ToolProgress; // tools: "Progress:"
    std::string ToolCurrent;  // tools: "Current :"
    std::string AntiPiracyEfficiency;
    std::string PortingEfficiency;
    // The side panel's "Studying" caption: the platform of the study display.
    std::string SideCaption;
};

// The "Preview Feedback" panel keeps the last magazine preview until the next one replaces it.
struct TPreviewReport {
    std::vector<TFeedRun> Text;
    // The four bars as shown: at most 100; a value below 0 shows an empty bar.
    int Sound = 0;
    int Graphics = 0;
    int Gameplay = 0;
    int Overall = 0;
    // Previews written in this game.
    int Written = 0;
};

enum class TPatienceColor { Lime, Green, Yellow, Red };

// The terms the negotiation panel's fields show: the publisher's asking terms when an offer is
// made, then what the player proposed with the last bid, refused or not.
struct TDealTerms {
    int Share = 0;
    int Objective = 0;
    std::string Fee;
};

// The search for a publisher: which "Find" links may be used this week, the negotiation under
// way and how it goes.
struct TPublisherSearch {
    std::array<bool, 3> FindEnabled{true, true, true};
    bool Negotiating = false; // the negotiation panel is open
    uint8_t NegotiatedSize = 0;
    bool SignEnabled = false;
    std::string Status;
    TPatienceColor StatusColor = TPatienceColor::Lime;
    TDealTerms Terms;
    int DealsSigned = 0;
};

// The platform and genre lists the player chooses from; rebuilt at a new game and each year.
struct TChoiceLists {
    TChoiceList ProjectPlatforms;
    TChoiceList StudyPlatforms;
    TChoiceList ToolPlatforms;
    TChoiceList AntiPiracyPlatforms;
    TChoiceList PortingPlatforms;
    TChoiceList CalendarPlatforms;
    TChoiceList ProjectGenres;
    TChoiceList CalendarGenres;
};

enum class TLightColor { Red, Yellow, Green, Lime };

// The two lights of a genre on the main window: demand (large) and trend (small).
struct TGenreLight {
    TLightColor Large = TLightColor::Yellow;
    TLightColor Small = TLightColor::Yellow;
};

// What the side panel shows; written at the end of every week.
struct TSideLabels {
    std::string Economy;
    std::string Headline;
    std::string Publisher;
    // "Current Best overall platforms": "1." to "5.", each followed by a platform's full name.
    std::array<std::string, 5> BestPlatforms;
    std::array<TGenreLight, 7> GenreLights{};
};

struct TChartRow {
    std::string Text;
    bool ByPlayer = false; // written in the header style
    int Entry = -1;        // the game of the row in ReleasedGames; -1 for an empty place
};

// A sales chart as the player reads it: title, column header and one row per place.
struct TSalesChart {
    std::string Title;
    std::string Header;
    std::vector<TChartRow> Rows;
};

// Lines of each genre's title list: title, year, developer and platforms, tab-separated.
using TTitleLists = std::array<std::vector<std::string>, 7>;
enum TBonusList { TopGames, BestGames, TopGenreTitles, TopPlatformTitles, TopYearTitles, BonusListCount };

struct TGameState {
    TCompany Company = BlankRecord<TCompany>();
    TBoundedArray<TProject, 1, 2> Projects{};
    TPlatformTable Platforms = BlankRecord<TPlatformTable>();
    TPlatformTable PlatformsLastWeek = BlankRecord<TPlatformTable>();
    TPlatformTable PlatformsTwoWeeksAgo = BlankRecord<TPlatformTable>();
    TPublisherDeal PublisherDeal = BlankRecord<TPublisherDeal>();
    TPublisherDeal PublisherOffer = BlankRecord<TPublisherDeal>();
    TGameList UpcomingGames;
    TGameList ReleasedGames;
    int32_t Employees = 0;
    TManagerCandidates Candidates;
    TInvestorSearch Investor;
    TDevelopment Development;
    TPublisherSearch Publishers;
    TStudy Study;
    TPreviewReport Preview;
    TChoiceLists Lists;
    // The genre title lists of the game database not yet announced, and the texts of the
    // bonus lists that mark the famous titles.
    TTitleLists TitleLists;
    std::array<std::string, BonusListCount> BonusTexts;

    TGameState();
};

class TGameCore {
public:
    // Without a seed the generator starts from the clock; with one, the game replays exactly.
    TGameCore(TPlayerInterface& ui, std::optional<uint32_t> seed, TFolders folders);
    TGameCore(const TGameCore&) = delete;
    TGameCore& operator=(const TGameCore&) = delete;
    virtual ~TGameCore() = default;

    int Random(int n) { return Rng->Random(n); }
    // Tests inject a scripted generator to choose particular draws.
    void SetRandom(std::unique_ptr<TRandom> random) { Rng = std::move(random); }
    TRandom& Generator() { return *Rng; }

    TPlayerInterface& Ui;
    TFolders Folders;
    TGameState State;
    TTunables Tunables;
    TRunFlags Flags;
    // The last playable date, from the game database; and the second economy review week.
    int32_t EndYear = 1994;
    int32_t EndWeek = 51;
    uint8_t EconomyReviewWeek = 27;
    TNewsFeed Feed;
    TNewsTexts News;
    TSideLabels Side;
    // The weekly chart End Of Week published last.
    TSalesChart WeeklyChart;
    TScoreSheet ScoreSheet;
    // Weeks played since the game was last saved (or started, or loaded): what quitting now
    // would lose.
    int32_t WeeksSinceSave = 0;
    std::string VersionText = "Version " QUILLON_VERSION;

private:
    std::unique_ptr<TRandom> Rng;
};
