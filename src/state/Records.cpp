#include "state/Records.h"

#include <istream>
#include <ostream>
#include <type_traits>

// The layouts below are the save-file format; every offset is checked here so a changed
// field can never silently move the bytes of a saved game.
#define AT(type, field, offset) static_assert(offsetof(type, field) == (offset), #type "." #field)

static_assert(std::is_standard_layout_v<TCompany> && std::is_trivially_copyable_v<TCompany>);
static_assert(sizeof(TWeekHistory) == 5824);
static_assert(sizeof(TCompany) == 30160);
AT(TCompany, CompanyName, 0);
AT(TCompany, PlayerName, 26);
AT(TCompany, Loan, 56);
AT(TCompany, PlatformKnowledge, 60);
AT(TCompany, GenreKnowledge, 184);
AT(TCompany, InvestorAmount, 308);
AT(TCompany, InvestorShare, 312);
AT(TCompany, HasInvestor, 313);
AT(TCompany, LoanRate, 314);
AT(TCompany, HistEmployees, 316);
AT(TCompany, HistInterest, 6140);
AT(TCompany, HistCosts, 11964);
AT(TCompany, HistMoney, 17788);
AT(TCompany, HistIncome, 23612);
AT(TCompany, Money, 29436);
AT(TCompany, OfficeIndex, 29440);
AT(TCompany, ExtraOffices, 29444);
AT(TCompany, GfxEquipExtra, 29456);
AT(TCompany, ComputerEquipExtra, 29460);
AT(TCompany, ToolsEquipExtra, 29464);
AT(TCompany, WageRaise, 29532);
AT(TCompany, AntiPiracy, 29536);
AT(TCompany, AntiPiracyPlatform, 29660);
AT(TCompany, AntiPiracyStaff, 29661);
AT(TCompany, PortingMethods, 29664);
AT(TCompany, PortingPlatform, 29788);
AT(TCompany, PortingStaff, 29789);
AT(TCompany, StudyPlatform, 29790);
AT(TCompany, StudyStaff, 29791);
AT(TCompany, ToolStaff, 29792);
AT(TCompany, ToolPlatform, 29793);
AT(TCompany, ToolProgress, 29796);
AT(TCompany, SoundStudio, 29920);
AT(TCompany, GfxEquipment, 29921);
AT(TCompany, ComputerEquipment, 29922);
AT(TCompany, ToolsEquipment, 29923);
AT(TCompany, TestCenter, 29924);
AT(TCompany, LeadProgrammer, 29940);
AT(TCompany, LeadProgrammerShare, 29944);
AT(TCompany, ProjectLeader, 29948);
AT(TCompany, ProjectLeaderShare, 29952);
AT(TCompany, LeadDesigner, 29956);
AT(TCompany, LeadDesignerShare, 29960);
AT(TCompany, AssistProgrammers, 29964);
AT(TCompany, AssistMusicians, 29968);
AT(TCompany, AssistArtists, 29972);
AT(TCompany, Year, 29976);
AT(TCompany, Week, 29980);
AT(TCompany, TeamLimit, 29984);
AT(TCompany, DifficultyFactor, 30022);
AT(TCompany, Difficulty, 30023);
AT(TCompany, DifficultyBase, 30024);
AT(TCompany, BestChartPos, 30025);
AT(TCompany, Economy, 30056);
AT(TCompany, EconomyFalling, 30057);
AT(TCompany, BoomPlatform, 30058);
AT(TCompany, HotGenre, 30059);
AT(TCompany, GenreTrend, 30064);
AT(TCompany, Crises, 30108);
AT(TCompany, GenrePopularity, 30112);
AT(TCompany, SavedTunables, 30124);
AT(TCompany, SavedQualityBase, 30152);
AT(TCompany, StartStamp, 30156);

static_assert(std::is_standard_layout_v<TGameEntry> && std::is_trivially_copyable_v<TGameEntry>);
static_assert(sizeof(TGameEntry) == 384);
AT(TGameEntry, Title, 0);
AT(TGameEntry, Developer, 26);
AT(TGameEntry, Quality, 44);
AT(TGameEntry, ReleaseScore, 48);
AT(TGameEntry, Platform, 52);
AT(TGameEntry, WeekSales, 56);
AT(TGameEntry, TotalSales, 60);
AT(TGameEntry, Income, 64);
AT(TGameEntry, Genre, 68);
AT(TGameEntry, OffMarket, 69);
AT(TGameEntry, Moved, 70);
AT(TGameEntry, ReleaseWeek, 71);
AT(TGameEntry, ReleaseYear, 72);
AT(TGameEntry, WeeksOnSale, 76);
AT(TGameEntry, ChartHistory, 77);
AT(TGameEntry, LastChartPos, 378);
AT(TGameEntry, ChartWeeks, 379);
AT(TGameEntry, ByPlayer, 380);

static_assert(std::is_standard_layout_v<TProject> && std::is_trivially_copyable_v<TProject>);
static_assert(sizeof(TProject) == 160);
AT(TProject, Name, 0);
AT(TProject, Genre, 32);
AT(TProject, PlatformItem, 36);
AT(TProject, Advertising, 40);
AT(TProject, TechStepWork, 44);
AT(TProject, DemoWork, 56);
AT(TProject, ExtrasWork, 60);
AT(TProject, BetaWork, 64);
AT(TProject, MultiplayWork, 68);
AT(TProject, BaseWork, 72);
AT(TProject, EngineDone, 76);
AT(TProject, SoundDone, 80);
AT(TProject, GraphicsDone, 84);
AT(TProject, AllDone, 88);
AT(TProject, WeeksLeft, 92);
AT(TProject, QualityStep, 96);
AT(TProject, TargetQuality, 104);
AT(TProject, Quality, 112);
AT(TProject, FinalCopy, 120);
AT(TProject, IsPort, 128);
AT(TProject, InProgress, 129);
AT(TProject, Hype, 136);
AT(TProject, HypeStep, 144);
AT(TProject, ReadyAnnounced, 152);
AT(TProject, Ready, 153);

static_assert(std::is_standard_layout_v<TPlatformTable> && std::is_trivially_copyable_v<TPlatformTable>);
static_assert(sizeof(TPlatformTable) == 2320);
AT(TPlatformTable, ReleaseYear, 0);
AT(TPlatformTable, Strength, 104);
AT(TPlatformTable, UnitsSold, 208);
AT(TPlatformTable, Kind, 416);
AT(TPlatformTable, UnitsInUse, 520);
AT(TPlatformTable, Piracy, 728);
AT(TPlatformTable, Lifetime, 832);
AT(TPlatformTable, FullName, 936);
AT(TPlatformTable, SelfIndex, 2262);
AT(TPlatformTable, SellingWell, 2288);

static_assert(std::is_standard_layout_v<TPublisherDeal> && std::is_trivially_copyable_v<TPublisherDeal>);
static_assert(sizeof(TPublisherDeal) == 76);
AT(TPublisherDeal, Publisher, 0);
AT(TPublisherDeal, NameIndex, 28);
AT(TPublisherDeal, SigningFee, 32);
AT(TPublisherDeal, MinimumFee, 36);
AT(TPublisherDeal, SalesShare, 40);
AT(TPublisherDeal, WeeksLeft, 44);
AT(TPublisherDeal, DealYear, 48);
AT(TPublisherDeal, DealWeek, 52);
AT(TPublisherDeal, TargetPos, 56);
AT(TPublisherDeal, TargetWeeks, 57);
AT(TPublisherDeal, Extras, 58);
AT(TPublisherDeal, Threshold, 68);
AT(TPublisherDeal, Patience, 72);
AT(TPublisherDeal, SizeClass, 73);

#undef AT

namespace {
void Bools(unsigned char* bytes, size_t offset, size_t count = 1) {
    for (size_t i = 0; i < count; ++i)
        bytes[offset + i] = bytes[offset + i] != 0;
}

template <typename T>
void NormaliseBools(unsigned char* bytes);
template <>
void NormaliseBools<TCompany>(unsigned char* b) {
    Bools(b, offsetof(TCompany, HasInvestor));
    Bools(b, offsetof(TCompany, SoundStudio), 5);
    Bools(b, offsetof(TCompany, EconomyFalling));
}
template <>
void NormaliseBools<TProject>(unsigned char* b) {
    Bools(b, offsetof(TProject, AllDone));
    Bools(b, offsetof(TProject, IsPort), 2);
    Bools(b, offsetof(TProject, ReadyAnnounced), 2);
}
template <>
void NormaliseBools<TPlatformTable>(unsigned char* b) {
    Bools(b, offsetof(TPlatformTable, SellingWell), TPlatformArray<bool>::Count);
}
template <>
void NormaliseBools<TPublisherDeal>(unsigned char* b) {
    Bools(b, offsetof(TPublisherDeal, Extras), 10);
}
} // namespace

template <typename T>
void WriteRecord(std::ostream& out, const T& record) {
    out.write(reinterpret_cast<const char*>(&record), sizeof(T));
    if (!out) throw EGameRange("Could not write a saved record.");
}

template <typename T>
void ReadRecord(std::istream& in, T& record) {
    // Read into a scratch copy first: a short file leaves the live record untouched, and
    // boolean bytes are normalised so a damaged file cannot put an invalid bool in memory.
    unsigned char bytes[sizeof(T)];
    in.read(reinterpret_cast<char*>(bytes), sizeof(T));
    if (in.gcount() != static_cast<std::streamsize>(sizeof(T)))
        throw EGameRange("A saved record is shorter than " + std::to_string(sizeof(T)) + " bytes.");
    NormaliseBools<T>(bytes);
    std::memcpy(static_cast<void*>(&record), bytes, sizeof(T));
}

template void WriteRecord(std::ostream&, const TCompany&);
template void WriteRecord(std::ostream&, const TProject&);
template void WriteRecord(std::ostream&, const TPlatformTable&);
template void WriteRecord(std::ostream&, const TPublisherDeal&);
template void ReadRecord(std::istream&, TCompany&);
template void ReadRecord(std::istream&, TProject&);
template void ReadRecord(std::istream&, TPlatformTable&);
template void ReadRecord(std::istream&, TPublisherDeal&);
