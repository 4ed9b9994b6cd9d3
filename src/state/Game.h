#pragma once
// One running game: the state records and lists, tunables, run-time flags, the random
// generator, the panel models the rules read and write, the news feed, and the player
// interface. Rules take a TGame& and never reach for a global, so two games can live side
// by side in one process.
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "company/BankPanel.h"
#include "company/ManagerGrids.h"
#include "company/OfficePanel.h"
#include "company/Staff.h"
#include "dev/DevelopmentPanel.h"
#include "shell/GameDatabase.h"
#include "shell/StartScreen.h"
#include "sim/NewsFeed.h"
#include "sim/Sales.h"
#include "state/ChoiceList.h"
#include "state/GameList.h"
#include "state/PlayerInterface.h"
#include "state/Random.h"
#include "state/Records.h"
#include "views/Calendar.h"

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

enum class TLightColor { Red, Yellow, Green, Lime };

// The two lights of a genre on the main window: demand (large) and trend (small).
struct TGenreLight {
    TLightColor Large = TLightColor::Yellow;
    TLightColor Small = TLightColor::Yellow;
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
};

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
    TWeekHistory GraphBuffer{};
    TBoundedArray<int32_t, 1, 500> ReleasedRowMap{};
    int32_t Employees = 0;
    // Hire-dialog scratch values.
    uint8_t HireRating = 0;
    uint8_t HireShare = 0;
    int32_t HireWage = 0;
    int32_t HireFee = 0;
    bool RentDialogMode = false;
};

// The choice lists and labels the rules fill for the panels to show.
struct TPanels {
    TStartScreen StartScreen;
    TManagerGrids Managers;
    TManagersPanel ManagersPanel;
    TOfficePanel Office;
    TBankPanel Bank;
    TAssistantsBox Assistants;
    TDevelopmentPanel Development;
    TChoiceList ChartPlatformFilter;
    TChoiceList CalendarPlatformFilter;
    TChoiceList CalendarPlatforms;
    TChoiceList ProjectPlatforms;
    TChoiceList StudyPlatforms;
    TChoiceList ToolPlatforms;
    TChoiceList AntiPiracyPlatforms;
    TChoiceList PortingPlatforms;
    TChoiceList ProjectGenres;
    TChoiceList CalendarGenres;
    std::string EconomyLabel;
    std::string HeadlineLabel;
    std::string PublisherLabel;
    // "Current Best overall platforms": "1." to "5.", each followed by a platform's full name.
    std::array<std::string, 5> BestPlatforms;
    std::array<TGenreLight, 7> GenreLights{};
    TSalesChart Chart;
    TCalendarView Calendar;
    TFutureReleasesView FutureReleases;
};

class TGame {
public:
    // Without a seed the generator starts from the clock; with one, the game replays exactly.
    explicit TGame(TPlayerInterface& ui, std::optional<uint32_t> seed = std::nullopt);

    int Random(int n) { return Rng->Random(n); }
    // Tests inject a scripted generator to choose particular draws.
    void SetRandom(std::unique_ptr<TRandom> random) { Rng = std::move(random); }
    TRandom& Generator() { return *Rng; }

    TPlayerInterface& Ui;
    TGameState State;
    TTunables Tunables;
    TRunFlags Flags;
    // The last playable date, from the game database; and the second economy review week.
    int32_t EndYear = 1994;
    int32_t EndWeek = 51;
    uint8_t EconomyReviewWeek = 27;
    TPanels Panels;
    TNewsFeed Feed;
    TNewsTexts News;
    TScoreSheet ScoreSheet;
    // The game database in memory, and the texts of the bonus lists that mark famous titles.
    TTitleLists TitleLists;
    std::array<std::string, BonusListCount> BonusTexts;
    std::string VersionText = "Version " QUILLON_VERSION;

private:
    std::unique_ptr<TRandom> Rng;
};
