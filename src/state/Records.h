#pragma once
// The saved records of a running game. Their byte layouts are a file format: every field
// sits at a fixed offset, gaps included, and the records are written and read as raw
// little-endian bytes.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>

#include "state/Numbers.h"
#include "state/ShortString.h"

static_assert(std::endian::native == std::endian::little, "records are stored little-endian");

using TYearWeeks = TBoundedArray<int32_t, 1, 52>;
// One value per week of the years 1983..2010, year-major.
using TWeekHistory = TBoundedArray<TYearWeeks, 1983, 2010>;
using TPlatformInts = TBoundedArray<int32_t, 0, 30>;

struct TCompany {
    TShortString<25> CompanyName;
    TShortString<25> PlayerName;
    uint8_t Unused52[4];
    int32_t Loan;
    TPlatformInts PlatformKnowledge;
    TPlatformInts GenreKnowledge;
    int32_t InvestorAmount;
    uint8_t InvestorShare;
    bool HasInvestor;
    uint8_t LoanRate;
    uint8_t Unused315;
    TWeekHistory HistEmployees;
    TWeekHistory HistInterest;
    TWeekHistory HistCosts;
    TWeekHistory HistMoney;
    TWeekHistory HistIncome;
    int32_t Money;
    int32_t OfficeIndex;
    int32_t ExtraOffices;
    uint8_t Unused29448[8];
    int32_t GfxEquipExtra;
    int32_t ComputerEquipExtra;
    int32_t ToolsEquipExtra;
    uint8_t Unused29468[64];
    int32_t WageRaise;
    TPlatformInts AntiPiracy;
    uint8_t AntiPiracyPlatform;
    uint8_t AntiPiracyStaff;
    uint8_t Unused29662[2];
    TPlatformInts PortingMethods;
    uint8_t PortingPlatform;
    uint8_t PortingStaff;
    uint8_t StudyPlatform;
    uint8_t StudyStaff;
    uint8_t ToolStaff;
    uint8_t ToolPlatform;
    uint8_t Unused29794[2];
    TPlatformInts ToolProgress;
    bool SoundStudio;
    bool GfxEquipment;
    bool ComputerEquipment;
    bool ToolsEquipment;
    bool TestCenter;
    uint8_t Unused29925[15];
    int32_t LeadProgrammer;
    int32_t LeadProgrammerShare;
    int32_t ProjectLeader;
    int32_t ProjectLeaderShare;
    int32_t LeadDesigner;
    int32_t LeadDesignerShare;
    int32_t AssistProgrammers;
    int32_t AssistMusicians;
    int32_t AssistArtists;
    int32_t Year;
    int32_t Week;
    uint8_t TeamLimit;
    uint8_t Unused29985[37];
    uint8_t DifficultyFactor;
    uint8_t Difficulty;
    uint8_t DifficultyBase;
    TBoundedArray<uint8_t, 1980, 2010> BestChartPos;
    uint8_t Economy;
    bool EconomyFalling;
    uint8_t BoomPlatform;
    uint8_t HotGenre;
    uint8_t Unused30060[4];
    TBoundedArray<int32_t, 0, 10> GenreTrend;
    int32_t Crises;
    TBoundedArray<uint8_t, 0, 10> GenrePopularity;
    uint8_t Unused30123;
    TBoundedArray<int32_t, 0, 6> SavedTunables;
    int32_t SavedQualityBase;
    int32_t StartStamp;
};

struct TGameEntry {
    TShortString<25> Title;
    TShortString<15> Developer;
    uint8_t Unused42[2];
    int32_t Quality;
    int32_t ReleaseScore;
    uint8_t Platform;
    uint8_t Unused53[3];
    int32_t WeekSales;
    int32_t TotalSales;
    int32_t Income;
    uint8_t Genre;
    bool OffMarket;
    bool Moved;
    uint8_t ReleaseWeek;
    int32_t ReleaseYear;
    uint8_t WeeksOnSale;
    TBoundedArray<uint8_t, 0, 300> ChartHistory;
    uint8_t LastChartPos;
    uint8_t ChartWeeks;
    bool ByPlayer;
    uint8_t Unused381[3];
};

struct TProject {
    TShortString<30> Name;
    uint8_t Unused31;
    int32_t Genre;
    int32_t PlatformItem;
    int32_t Advertising;
    int32_t TechStepWork;
    uint8_t Unused48[8];
    int32_t DemoWork;
    int32_t ExtrasWork;
    int32_t BetaWork;
    int32_t MultiplayWork;
    int32_t BaseWork;
    int32_t EngineDone;
    int32_t SoundDone;
    int32_t GraphicsDone;
    bool AllDone;
    uint8_t Unused89[3];
    int32_t WeeksLeft;
    double QualityStep;
    double TargetQuality;
    double Quality;
    double FinalCopy;
    bool IsPort;
    bool InProgress;
    uint8_t Unused130[6];
    double Hype;
    double HypeStep;
    bool ReadyAnnounced;
    bool Ready;
    uint8_t Unused154[6];
};

template <typename T>
using TPlatformArray = TBoundedArray<T, 0, 25>;

struct TPlatformTable {
    TPlatformArray<int32_t> ReleaseYear;
    TPlatformArray<int32_t> Strength;
    TPlatformArray<double> UnitsSold;
    TPlatformArray<int32_t> Kind;
    TPlatformArray<double> UnitsInUse;
    TPlatformArray<int32_t> Piracy;
    TPlatformArray<int32_t> Lifetime;
    TPlatformArray<TShortString<50>> FullName;
    TPlatformArray<uint8_t> SelfIndex;
    TPlatformArray<bool> SellingWell;
    uint8_t Unused2314[6];
};

struct TPublisherDeal {
    TShortString<25> Publisher;
    uint8_t Unused26[2];
    int32_t NameIndex;
    int32_t SigningFee;
    int32_t MinimumFee;
    uint8_t SalesShare;
    uint8_t Unused41[3];
    int32_t WeeksLeft;
    int32_t DealYear;
    int32_t DealWeek;
    uint8_t TargetPos;
    uint8_t TargetWeeks;
    TBoundedArray<bool, 1, 10> Extras;
    int32_t Threshold;
    uint8_t Patience;
    uint8_t SizeClass;
    uint8_t Unused74[2];
};

// Raw record input and output: exactly sizeof(T) bytes, no header. A short read throws
// EGameRange so a truncated file never leaves a half-filled record looking valid.
template <typename T>
void WriteRecord(std::ostream& out, const T& record);
template <typename T>
void ReadRecord(std::istream& in, T& record);

// A zero-filled record, as a fresh game has it (gap bytes included).
template <typename T>
T BlankRecord() {
    T record;
    std::memset(static_cast<void*>(&record), 0, sizeof(T));
    return record;
}
