#include "persist/LoadGame.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

#include "archive/ArchiveErrors.h"
#include "archive/Resource.h"
#include "company/Space.h"
#include "persist/ArchiveBridge.h"
#include "persist/CandidateListText.h"
#include "persist/GameListLine.h"
#include "sim/Announcements.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;

namespace {

constexpr int LastPlatform = PlatformCount - 1;
constexpr double MostMachines = 1e10;
constexpr int LastGenre = GenreCount - 1;

// A member's bytes, or nothing when the save has no such member.
std::optional<std::string> MemberBytes(const std::string& folder, const char* member) {
    const std::string name = FindFileNoCase(folder, member);
    if (name.empty()) return std::nullopt;
    std::ifstream in(folder + name, std::ios::binary);
    if (!in) throw EDataFile(std::string("Cannot read ") + member + ".");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Required(const TSaveMembers& members, const char* member) {
    std::optional<std::string> bytes = members(member);
    if (!bytes) throw EDataFile(std::string(member) + " is missing from the saved game.");
    return std::move(*bytes);
}

template <typename T>
T RecordOf(const TSaveMembers& members, const char* member, const char* what) {
    const std::string bytes = Required(members, member);
    if (bytes.size() != sizeof(T))
        throw EDataFile(std::string(member) + " holds " + std::to_string(bytes.size()) + " bytes; " + what +
                        " has " + std::to_string(sizeof(T)) + ".");
    std::istringstream in(bytes);
    T record = BlankRecord<T>();
    ReadRecord(in, record);
    return record;
}

TGameList ListOf(const TSaveMembers& members, const char* member, TGameListKind kind) {
    const std::string bytes = Required(members, member);
    try {
        return ParseGameListText(bytes, kind);
    } catch (const EDataFile& error) {
        const std::string text = error.what();
        if (text.rfind(member, 0) == 0) throw; // already names the member
        throw EDataFile(std::string(member) + ", " + text);
    }
}

std::vector<std::string> TitleListOf(const TSaveMembers& members, const char* member) {
    std::vector<std::string> lines;
    for (std::string& line : SplitSavedLines(Required(members, member))) {
        if (line.empty()) continue; // as the game database is read
        try {
            TitleYear(line);
        } catch (const EDataFile&) {
            throw EDataFile(std::string(member) + ": a title line has no year: \"" + line + "\".");
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// Extracts the members a game is made of (no others) into the folder. Every one must be there
// before any is decoded; the first trouble the archive reports ends the load.
void ExtractMembers(TGameCore& game, const std::string& archive, const std::string& folder) {
    // The two long game lists come last, so that a damaged record or title list is found
    // before the most work has been done.
    std::vector<const char*> members = {CompanyMember, DealMember, ProjectMember, PlatformsMember};
    members.insert(members.end(), std::begin(GenreListMembers), std::end(GenreListMembers));
    members.push_back(UpcomingMember);
    members.push_back(ReleasedMember);
    TCollectingArchiveUi ui(game.Ui);
    TResource resource(ui);
    resource.Silence();
    TArchiveManager& manager = resource.Manager;
    try {
        // Asked to create a missing archive, the interface says no: a load never makes one.
        manager.OpenArchive(archive, true);
        manager.SetExtractFolder(folder);
        std::vector<TCentralDirEntry> wanted;
        for (const char* member : members) {
            const TCentralDirEntry* entry = manager.CentralDir().Find(member);
            if (!entry) throw EDataFile(std::string(member) + " is missing from the saved game.");
            wanted.push_back(*entry);
        }
        // Saves made before the candidate lists were kept do without them.
        if (const TCentralDirEntry* entry = manager.CentralDir().Find(CandidatesMember))
            wanted.push_back(*entry);
        for (const TCentralDirEntry& entry : wanted) {
            manager.ExtractEntries({entry});
            // Silenced, the archive only speaks of trouble: a damaged block, a CRC that does
            // not match, a name it cannot write.
            if (!ui.Messages.empty()) throw EDataFile(ui.Messages.front());
        }
    } catch (const EArchiveError& failure) {
        throw EDataFile(failure.what());
    }
}

// Checks the fields of one record and names the first one that cannot be right.
class TFieldCheck {
public:
    explicit TFieldCheck(const char* member) : Member(member) {}

    void Range(const std::string& field, long long value, long long lo, long long hi,
               const char* what = nullptr) const {
        if (value >= lo && value <= hi) return;
        Fail(field, std::to_string(value),
             what ? std::string("not ") + what : "outside " + std::to_string(lo) + ".." + std::to_string(hi));
    }
    void Count(const std::string& field, long long value) const {
        if (value < 0) Fail(field, std::to_string(value), "negative");
    }
    template <int N>
    void Text(const std::string& field, const TShortString<N>& text) const {
        if (text.Length > N)
            Fail(field, "a text of " + std::to_string(text.Length) + " characters",
                 "longer than its " + std::to_string(N));
    }
    void Finite(const std::string& field, double value) const {
        if (!std::isfinite(value)) Fail(field, std::isnan(value) ? "nan" : "inf", "not a finite number");
    }
    void Between(const std::string& field, double value, double lo, double hi) const {
        Finite(field, value);
        if (value < lo || value > hi) {
            std::ostringstream text;
            text << value;
            std::ostringstream range;
            range << "outside " << lo << ".." << hi;
            Fail(field, text.str(), range.str());
        }
    }
    template <typename A>
    void Each(const std::string& field, const A& array, long long lo, long long hi, long from = A::Low,
              long to = A::High) const {
        for (long i = from; i <= to; ++i)
            Range(field + "[" + std::to_string(i) + "]", array[i], lo, hi);
    }

private:
    [[noreturn]] void Fail(const std::string& field, const std::string& value, const std::string& why) const {
        throw EDataFile(std::string(Member) + ": " + field + " is " + value + ", " + why + ".");
    }

    const char* Member;
};

void CheckCompany(const TCompany& c, const TManagerCandidates& candidates) {
    const TFieldCheck check(CompanyMember);
    check.Text("CompanyName", c.CompanyName);
    check.Text("PlayerName", c.PlayerName);
    check.Count("Loan", c.Loan);
    check.Each("PlatformKnowledge", c.PlatformKnowledge, 0, 100);
    check.Each("GenreKnowledge", c.GenreKnowledge, 0, 100);
    check.Count("InvestorAmount", c.InvestorAmount);
    check.Range("InvestorShare", c.InvestorShare, 0, 100);
    check.Range("OfficeIndex", c.OfficeIndex, 0, 3, "a building 0..3");
    check.Range("ExtraOffices", c.ExtraOffices, 0, 10);
    check.Count("GfxEquipExtra", c.GfxEquipExtra);
    check.Count("ComputerEquipExtra", c.ComputerEquipExtra);
    check.Count("ToolsEquipExtra", c.ToolsEquipExtra);
    check.Count("WageRaise", c.WageRaise);
    check.Each("AntiPiracy", c.AntiPiracy, 0, 1000);
    check.Each("PortingMethods", c.PortingMethods, 0, 1000);
    check.Each("ToolProgress", c.ToolProgress, 0, 1000);
    check.Range("AntiPiracyPlatform", c.AntiPiracyPlatform, 0, LastPlatform, "a platform index");
    check.Range("PortingPlatform", c.PortingPlatform, 0, LastPlatform, "a platform index");
    check.Range("StudyPlatform", c.StudyPlatform, 0, LastPlatform, "a platform index");
    check.Range("ToolPlatform", c.ToolPlatform, 0, LastPlatform, "a platform index");
    const std::pair<const char*, int32_t> managers[3] = {{"LeadProgrammer", c.LeadProgrammer},
                                                         {"ProjectLeader", c.ProjectLeader},
                                                         {"LeadDesigner", c.LeadDesigner}};
    for (int k = 0; k < 3; ++k) {
        const auto [field, row] = managers[k];
        const long rows = static_cast<long>(candidates.Lists[static_cast<size_t>(k)].size());
        if (row != -1) check.Range(field, row, 1, rows, "a row of its candidate list");
    }
    check.Range("LeadProgrammerShare", c.LeadProgrammerShare, 0, 100);
    check.Range("ProjectLeaderShare", c.ProjectLeaderShare, 0, 100);
    check.Range("LeadDesignerShare", c.LeadDesignerShare, 0, 100);
    check.Range("Year", c.Year, TWeekHistory::Low, TWeekHistory::High);
    check.Range("Week", c.Week, 1, 52);
    check.Range("Difficulty", c.Difficulty, 1, 3);
    check.Range("DifficultyFactor", c.DifficultyFactor, 0, 100);
    check.Range("DifficultyBase", c.DifficultyBase, 0, 100);
    check.Each("BestChartPos", c.BestChartPos, 1, NoChartPos);
    check.Range("Economy", c.Economy, 50, 100);
    if (c.BoomPlatform != NoBoomPlatform)
        check.Range("BoomPlatform", c.BoomPlatform, 0, LastPlatform, "a platform index");
    check.Range("HotGenre", c.HotGenre, 0, LastGenre, "a genre index");
    check.Each("GenreTrend", c.GenreTrend, -1, 1);
    check.Count("Crises", c.Crises);
    const char* tunables[7] = {"NewProjectWork", "TechStepWork", "MultiplayWork", "DemoWork",
                               "ExtrasWork",     "BetaWork",     "CreditLine"};
    for (int i = 0; i < 7; ++i)
        check.Count(std::string("SavedTunables[") + std::to_string(i) + "] (" + tunables[i] + ")",
                    c.SavedTunables[i]);
}

void CheckProject(const TProject& p) {
    const TFieldCheck check(ProjectMember);
    check.Text("Name", p.Name);
    check.Range("Genre", p.Genre, -1, LastGenre, "a genre index");
    check.Range("PlatformItem", p.PlatformItem, -1, LastPlatform - 1, "a platform index minus 1");
    check.Range("Advertising", p.Advertising, 0, 10);
    const std::pair<const char*, double> numbers[] = {{"QualityStep", p.QualityStep},
                                                      {"TargetQuality", p.TargetQuality},
                                                      {"Quality", p.Quality},
                                                      {"FinalCopy", p.FinalCopy},
                                                      {"Hype", p.Hype},
                                                      {"HypeStep", p.HypeStep}};
    for (const auto& [field, value] : numbers)
        check.Finite(field, value);
}

void CheckPlatforms(const TPlatformTable& t) {
    const TFieldCheck check(PlatformsMember);
    for (long i = TPlatformArray<int>::Low; i <= TPlatformArray<int>::High; ++i) {
        // Appended piece by piece: GCC 12 at -O3 warns falsely about "[" + std::to_string(i).
        std::string at = "[";
        at += std::to_string(i);
        at += ']';
        check.Text("FullName" + at, t.FullName[i]);
        // Machines by the billion are far beyond any market of the game, and would overflow
        // the week's sales figures.
        check.Between("UnitsSold" + at, t.UnitsSold[i], -MostMachines, MostMachines);
        check.Between("UnitsInUse" + at, t.UnitsInUse[i], -MostMachines, MostMachines);
    }
    check.Each("ReleaseYear", t.ReleaseYear, 1980, TWeekHistory::High, 0, LastPlatform);
    check.Each("Kind", t.Kind, 1, 3, 0, LastPlatform);
    // Wide of what a game reaches (strengths about 220, piracy under 100 %, lifetimes under 30
    // years), narrow enough that the weekly market's products and sums stay inside 32 bits.
    check.Each("Strength", t.Strength, 0, 1000, 0, LastPlatform);
    check.Each("Piracy", t.Piracy, 0, 1000, 0, LastPlatform);
    check.Each("Lifetime", t.Lifetime, 0, 100, 0, LastPlatform);
}

void CheckDeal(const TPublisherDeal& d) {
    const TFieldCheck check(DealMember);
    check.Text("Publisher", d.Publisher);
    check.Range("SalesShare", d.SalesShare, 0, 100);
    check.Count("WeeksLeft", d.WeeksLeft);
    check.Range("SizeClass", d.SizeClass, 0, 2);
}

// The platforms on offer come from the loaded table, as the year they reach the market.
void FillPlatformChoice(TChoiceList& list, const TPlatformTable& table, int limitYear) {
    list.Clear();
    for (int i = 0; i < PlatformCount; ++i)
        if (table.ReleaseYear[i] <= limitYear) list.Add(PlatformChoiceEntry(i));
}

void RebuildChoiceLists(TGameCore& game) {
    const TPlatformTable& table = game.State.Platforms;
    const int year = game.State.Company.Year;
    TChoiceLists& p = game.State.Lists;
    FillPlatformChoice(p.ProjectPlatforms, table, year);
    p.CalendarPlatforms = p.ProjectPlatforms;
    FillPlatformChoice(p.StudyPlatforms, table, year + 1);
    p.ToolPlatforms = p.StudyPlatforms;
    p.AntiPiracyPlatforms = p.StudyPlatforms;
    p.PortingPlatforms = p.StudyPlatforms;
    p.ProjectGenres.Clear();
    for (const TGenreData& genre : Genres)
        if (*genre.Name) p.ProjectGenres.Add(genre.Name);
    p.CalendarGenres = p.ProjectGenres;
}

// What the window shows of a loaded game that is not simply read from the records.
void ShowLoadedState(TGameCore& game) {
    TCompany& c = game.State.Company;
    // The assistants are not part of the company any more: the team is hired again.
    c.AssistProgrammers = 0;
    c.AssistMusicians = 0;
    c.AssistArtists = 0;
    game.Flags.ObjectiveReached = c.BestChartPos[c.Year] <= game.State.PublisherDeal.TargetPos;
    game.Ui.StatusChanged();
}

} // namespace

void CheckSavedGame(const TSavedGame& saved, const TGameCore& game) {
    // The hired managers are rows of the saved lists, or of the world's when the save has none.
    CheckCompany(saved.Company, saved.Candidates ? *saved.Candidates : game.State.Candidates);
    CheckDeal(saved.Deal);
    CheckProject(saved.Project);
    CheckPlatforms(saved.Platforms);
}

TSavedGame ReadSavedGame(TGameCore& game, const std::string& archive) {
    TProgressWindow progress(game.Ui, "Loading game...");
    std::error_code error;
    if (!fs::is_regular_file(TArchiveManager::ResolveArchiveName(archive), error))
        throw EDataFile("No saved game exists");
    TScratchFolder scratch(game.Folders, "quillon-load-");
    const std::string& folder = scratch.Path();
    ExtractMembers(game, archive, folder);
    progress.Add(5);

    const TSaveMembers members = [&](const char* member) { return MemberBytes(folder, member); };
    TSavedGame saved = ReadSavedMembers(members, game, [&](int step) { progress.Add(step); });
    progress.Set(100);
    return saved;
}

TSavedGame ReadSavedMembers(const TSaveMembers& members, const TGameCore& game,
                            const std::function<void(int)>& progress) {
    const auto step = [&](int percent) {
        if (progress) progress(percent);
    };
    TSavedGame saved;
    saved.Released = ListOf(members, ReleasedMember, TGameListKind::Released);
    step(10);
    saved.Upcoming = ListOf(members, UpcomingMember, TGameListKind::Upcoming);
    step(10);
    saved.Company = RecordOf<TCompany>(members, CompanyMember, "a company record");
    step(10);
    saved.Deal = RecordOf<TPublisherDeal>(members, DealMember, "a publisher deal");
    saved.Project = RecordOf<TProject>(members, ProjectMember, "a project");
    step(10);
    saved.Platforms = RecordOf<TPlatformTable>(members, PlatformsMember, "a platform table");
    step(10);
    for (size_t g = 0; g < saved.TitleLists.size(); ++g) {
        saved.TitleLists[g] = TitleListOf(members, GenreListMembers[g]);
        if (g == 1 || g == 3 || g == 5) step(10);
    }
    // The candidate lists came later: a save without them keeps the world's.
    if (const std::optional<std::string> candidates = members(CandidatesMember))
        saved.Candidates = ParseCandidateListText(*candidates, CandidatesMember);
    CheckSavedGame(saved, game);
    return saved;
}

void ApplySavedGame(TGameCore& game, TSavedGame saved) {
    TGameState& s = game.State;
    s.Company = saved.Company;
    s.PublisherDeal = saved.Deal;
    s.Projects[1] = saved.Project;
    s.Platforms = saved.Platforms;
    // The snapshots are not saved. Left as the fresh world made them, the week's machine sales
    // would be measured against another world's table (negative ones included) and a milestone
    // reported again; the loaded table stands in for both.
    s.PlatformsLastWeek = s.Platforms;
    s.PlatformsTwoWeeksAgo = s.Platforms;
    s.ReleasedGames = std::move(saved.Released);
    s.UpcomingGames = std::move(saved.Upcoming);
    s.TitleLists = std::move(saved.TitleLists);
    if (saved.Candidates) s.Candidates = std::move(*saved.Candidates);
    game.Tunables = TunablesOf(s.Company);
    ShowLoadedState(game);
    RebuildChoiceLists(game);
    StaffChanged(game);
    game.Flags.JustLoaded = true;
}

TOutcome LoadRefused(const std::string& reason) {
    return TOutcome::Refused("The saved game could not be loaded.\r\n" + reason, "Load Saved Game",
                             TMessageKind::Error);
}

TOutcome LoadGame(TGameCore& game) {
    TSavedGame saved;
    try {
        saved = ReadSavedGame(game, game.Folders.SaveArchive());
    } catch (const std::exception& error) {
        return LoadRefused(error.what());
    }
    ApplySavedGame(game, std::move(saved));
    return TOutcome::Ok();
}
