// Saving and loading a game: the archive's members byte for byte, the round trip of a late
// game, the lines of the game lists, loads refused before they change anything (damaged
// members, values out of range, every single-bit flip of an archive), saves cut short that
// leave the previous save loadable, and the score upload's marker across saves.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>

#include "GameFixture.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveManager.h"
#include "archive/Resource.h"
#include "company/Managers.h"
#include "game/EndOfWeek.h"
#include "persist/GameListLine.h"
#include "persist/LoadGame.h"
#include "persist/SaveGame.h"
#include "persist/ScoreRecord.h"
#include "persist/ScratchFolder.h"
#include "players/Bot.h"
#include "start/GameDatabase.h"
#include "start/StartScreen.h"
#include "state/PlatformTables.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> MemberOrder = {
    "1_Released.sav", "1_sales.sav", "1_Comp.sav", "1_Pub.sav", "1_prj.sav", "1_cmp.sav", "acg.sav",
    "Adg.sav",        "Stg.sav",     "Rg.sav",     "Spg.sav",   "RPG.sav",   "Sig.sav",   "1_Mgr.sav"};

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> FolderListing(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

template <typename T>
bool SameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Every field of the saved line, and a chart history that reads zero after a load.
void ExpectLoadedEntry(const TGameEntry& loaded, const TGameEntry& saved, bool withByPlayer) {
    EXPECT_EQ(loaded.Title.Str(), saved.Title.Str());
    EXPECT_EQ(loaded.Developer.Str(), saved.Developer.Str());
    EXPECT_EQ(loaded.Quality, saved.Quality);
    EXPECT_EQ(loaded.ReleaseScore, saved.ReleaseScore);
    EXPECT_EQ(loaded.Platform, saved.Platform);
    EXPECT_EQ(loaded.WeekSales, saved.WeekSales);
    EXPECT_EQ(loaded.TotalSales, saved.TotalSales);
    EXPECT_EQ(loaded.Income, saved.Income);
    EXPECT_EQ(loaded.Genre, saved.Genre);
    EXPECT_EQ(loaded.ByPlayer, withByPlayer && saved.ByPlayer);
    EXPECT_EQ(loaded.OffMarket, saved.OffMarket);
    EXPECT_EQ(loaded.Moved, saved.Moved);
    EXPECT_EQ(loaded.ReleaseWeek, saved.ReleaseWeek);
    EXPECT_EQ(loaded.ReleaseYear, saved.ReleaseYear);
    EXPECT_EQ(loaded.WeeksOnSale, saved.WeeksOnSale);
    EXPECT_EQ(loaded.LastChartPos, saved.LastChartPos);
    EXPECT_EQ(loaded.ChartWeeks, saved.ChartWeeks);
    for (uint8_t position : loaded.ChartHistory)
        ASSERT_EQ(position, 0);
}

void ExpectLoadedList(const TGameList& loaded, const TGameList& saved, bool withByPlayer) {
    ASSERT_EQ(loaded.Length(), saved.Length());
    for (int i = 0; i < saved.RealCount(); ++i) {
        SCOPED_TRACE(i);
        ExpectLoadedEntry(loaded[i], saved[i], withByPlayer);
        if (::testing::Test::HasFailure()) return;
    }
    EXPECT_TRUE(SameBytes(loaded[loaded.Length() - 1], BlankRecord<TGameEntry>())) << "the blank slot";
}

// The whole state a load may change, to see that a refused load changed nothing.
struct TStateImage {
    explicit TStateImage(const TGameCore& game)
        : Saved(SavedGameOf(game)), Tunables(game.Tunables), Flags(game.Flags), Lists(game.State.Lists),
          Employees(game.State.Employees) {
        // SavedGameOf stores the tunables into its copy; the live record is what matters here.
        Saved.Company = game.State.Company;
    }
    void ExpectSame(const TGameCore& game) const {
        const TGameState& s = game.State;
        EXPECT_TRUE(SameBytes(s.Company, Saved.Company));
        EXPECT_TRUE(SameBytes(s.PublisherDeal, Saved.Deal));
        EXPECT_TRUE(SameBytes(s.Projects[1], Saved.Project));
        EXPECT_TRUE(SameBytes(s.Platforms, Saved.Platforms));
        for (const auto& [a, b] :
             {std::pair{&s.ReleasedGames, &Saved.Released}, std::pair{&s.UpcomingGames, &Saved.Upcoming}}) {
            ASSERT_EQ(a->Length(), b->Length());
            for (int i = 0; i < a->Length(); ++i)
                ASSERT_TRUE(SameBytes((*a)[i], (*b)[i])) << "entry " << i;
        }
        EXPECT_EQ(s.TitleLists, Saved.TitleLists);
        EXPECT_TRUE(SameBytes(game.Tunables, Tunables));
        EXPECT_TRUE(SameBytes(game.Flags, Flags));
        EXPECT_EQ(s.Lists.ProjectPlatforms.Items, Lists.ProjectPlatforms.Items);
        EXPECT_EQ(s.Lists.StudyPlatforms.Items, Lists.StudyPlatforms.Items);
        EXPECT_EQ(s.Employees, Employees);
    }

    TSavedGame Saved;
    TTunables Tunables;
    TRunFlags Flags;
    TChoiceLists Lists;
    int32_t Employees;
};

// A game started as the start screen starts one (with the database and the candidate grids),
// in a data folder of its own; and a private temporary folder, to see that nothing is left
// behind there.
class SaveGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* oldTemp = std::getenv("TMPDIR");
        OldTemp = oldTemp ? std::optional<std::string>(oldTemp) : std::nullopt;
        Root = MakeFolder((fs::temp_directory_path() / "quillon-savetest-XXXXXX").string());
        Data = Root / "data";
        // The game's own temporary folder (TFolders::TempFolder); the system's points there too,
        // so that nothing of a save or a load can hide from the checks in either.
        Temp = Data / "tmp";
        fs::create_directories(Temp);
        fs::create_directories(Data);
        setenv("TMPDIR", Temp.c_str(), 1);
    }
    void TearDown() override {
        if (OldTemp)
            setenv("TMPDIR", OldTemp->c_str(), 1);
        else
            unsetenv("TMPDIR");
        std::error_code ignored;
        fs::remove_all(Root, ignored);
    }

    static fs::path MakeFolder(std::string pattern) {
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a folder for the test");
        return pattern;
    }

    TFolders Folders() const { return {QUILLON_BINARY_DIR "/", Data.string() + "/"}; }

    std::unique_ptr<TGame> NewGame(TScriptedPlayer& player, uint32_t seed,
                                   const std::string& company = "Pixel Forge") {
        auto game = std::make_unique<TGame>(player, seed, Folders());
        EXPECT_TRUE(LoadGameDatabase(*game));
        PrepareNewGame(*game, {"Ada", company, 2});
        BeginGame(*game);
        return game;
    }

    // Plays on with a full purse until the given date.
    static void PlayUntil(TGame& game, int year, int week) {
        auto& c = game.State.Company;
        while (c.Year < year || (c.Year == year && c.Week < week)) {
            c.Money = 5000000;
            EndOfWeek(game);
        }
    }

    fs::path Archive() const { return Data / "QlSave" / "sav.sav"; }

    std::vector<std::string> MemberNames(const fs::path& archive) {
        TQuietArchiveUi ui(TArchiveAnswer::No, false);
        TArchiveManager manager(ui);
        manager.OpenArchive(archive.string(), false);
        std::vector<std::string> names;
        for (const TCentralDirEntry& entry : manager.CentralDir().Entries)
            names.push_back(entry.StoredName());
        return names;
    }

    // The members of an archive by name, in the archive's order.
    std::vector<std::pair<std::string, std::string>> Members(const fs::path& archive) {
        const fs::path out = MakeFolder((Root / "members-XXXXXX").string());
        TQuietArchiveUi ui(TArchiveAnswer::No, false);
        TResource resource(ui);
        resource.Silence();
        resource.DecompressFromArchive(archive.string(), out.string());
        std::vector<std::pair<std::string, std::string>> members;
        for (const std::string& name : MemberNames(archive))
            members.push_back({name, ReadBytes(out / name)});
        fs::remove_all(out);
        return members;
    }
    std::string Member(const fs::path& archive, const std::string& name) {
        for (const auto& [member, bytes] : Members(archive))
            if (member == name) return bytes;
        ADD_FAILURE() << name << " is not in the archive";
        return "";
    }

    // An archive of exactly these members, in this order.
    void WriteMembers(const fs::path& archive,
                      const std::vector<std::pair<std::string, std::string>>& members) {
        const fs::path in = MakeFolder((Root / "in-XXXXXX").string());
        TQuietArchiveUi ui(TArchiveAnswer::No, false);
        TArchiveManager manager(ui);
        TArchiveBuilder builder(manager, archive.string());
        for (const auto& [name, bytes] : members) {
            WriteBytes(in / name, bytes);
            builder.Add(name, in.string());
        }
        builder.Commit();
        fs::remove_all(in);
    }

    std::optional<std::string> OldTemp;
    fs::path Root, Temp, Data;
};

// --- The lines of the game lists ------------------------------------------------------------

TGameEntry SampleEntry() {
    TGameEntry e = BlankRecord<TGameEntry>();
    e.Title = "Tomb Sweeper";
    e.Developer = "Byte Works";
    e.Quality = 121;
    e.ReleaseScore = -3;
    e.Platform = 18;
    e.WeekSales = 1500;
    e.TotalSales = 2000000;
    e.Income = 0;
    e.Genre = 6;
    e.ByPlayer = true;
    e.OffMarket = false;
    e.Moved = true;
    e.ReleaseWeek = 52;
    e.ReleaseYear = 1990;
    e.WeeksOnSale = 255;
    e.LastChartPos = 150;
    e.ChartWeeks = 7;
    e.ChartHistory[1] = 3;
    return e;
}

TEST_F(SaveGameTest, GameListLinesHaveTheirFieldsInOrder) {
    const TGameEntry e = SampleEntry();
    EXPECT_EQ(GameListLine(e, TGameListKind::Released),
              "Tomb Sweeper;Byte Works;121;-3;18;1500;2000000;0;6;-1;0;-1;52;1990;255;150;7");
    EXPECT_EQ(GameListLine(e, TGameListKind::Upcoming),
              "Tomb Sweeper;Byte Works;121;-3;18;1500;2000000;0;6;0;-1;52;1990;255;150;7");
    for (TGameListKind kind : {TGameListKind::Released, TGameListKind::Upcoming}) {
        const TGameEntry back = ParseGameListLine(GameListLine(e, kind), kind);
        ExpectLoadedEntry(back, e, kind == TGameListKind::Released);
    }
    // A ";" or a line break in a name would break the line apart; names lose them.
    TGameEntry odd = e;
    odd.Title = "Bits;Bytes\r\n";
    EXPECT_EQ(
        ParseGameListLine(GameListLine(odd, TGameListKind::Released), TGameListKind::Released).Title.Str(),
        "Bits,Bytes  ");

    // Longer texts are cut to their fields; booleans are read the standard way.
    const TGameEntry cut = ParseGameListLine(std::string(30, 'T') + ";" + std::string(20, 'D') +
                                                 ";1;2;3;4;5;6;0;True;false;7;1;1984;0;0;0",
                                             TGameListKind::Released);
    EXPECT_EQ(cut.Title.Str(), std::string(25, 'T'));
    EXPECT_EQ(cut.Developer.Str(), std::string(15, 'D'));
    EXPECT_TRUE(cut.ByPlayer);
    EXPECT_FALSE(cut.OffMarket);
    EXPECT_TRUE(cut.Moved) << "any non-zero number is true";
}

TEST_F(SaveGameTest, GameListLinesThatCannotBeRightAreRefusedNamingTheField) {
    const std::string good = GameListLine(SampleEntry(), TGameListKind::Released);
    auto with = [&](int field, const std::string& value) {
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t end; (end = good.find(';', start)) != std::string::npos; start = end + 1)
            fields.push_back(good.substr(start, end - start));
        fields.push_back(good.substr(start));
        fields[static_cast<size_t>(field)] = value;
        std::string line;
        for (const std::string& f : fields)
            line += (line.empty() ? "" : ";") + f;
        return line;
    };
    const struct {
        std::string Line;
        std::string Message;
    } cases[] = {
        {with(2, "12x"), "field 2 (Quality) \"12x\" is not a number."},
        {with(2, ""), "field 2 (Quality) \"\" is not a number."},
        {with(3, "99999999999"), "field 3 (ReleaseScore) \"99999999999\" is not a number."},
        {with(4, "19"), "field 4 (Platform) \"19\" is not a platform index."},
        {with(4, "-1"), "field 4 (Platform) \"-1\" is not a platform index."},
        {with(6, "-5"), "field 6 (TotalSales) \"-5\" is outside 0..2147483647."},
        {with(8, "7"), "field 8 (Genre) \"7\" is not a genre index."},
        {with(9, "yes"), "field 9 (ByPlayer) \"yes\" is not a boolean."},
        {with(12, "53"), "field 12 (ReleaseWeek) \"53\" is outside 1..52."},
        {with(12, "0"), "field 12 (ReleaseWeek) \"0\" is outside 1..52."},
        {with(13, "2011"), "field 13 (ReleaseYear) \"2011\" is outside 1980..2010."},
        {with(14, "256"), "field 14 (WeeksOnSale) \"256\" is outside 0..255."},
        {with(15, "151"), "field 15 (LastChartPos) \"151\" is outside 0..150."},
        {good + ";1", "the line has 18 fields instead of 17."},
        {"", "the line has 1 fields instead of 17."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        try {
            ParseGameListLine(c.Line, TGameListKind::Released);
            ADD_FAILURE() << "accepted";
        } catch (const EDataFile& error) {
            EXPECT_EQ(std::string(error.what()), c.Message);
        }
    }
    // A list names the line as well; an empty text is an empty list.
    try {
        ParseGameListText(good + "\r\n" + with(8, "9") + "\r\n", TGameListKind::Released);
        ADD_FAILURE() << "accepted";
    } catch (const EDataFile& error) {
        EXPECT_EQ(std::string(error.what()), "line 2: field 8 (Genre) \"9\" is not a genre index.");
    }
    EXPECT_EQ(ParseGameListText("", TGameListKind::Upcoming).Length(), 1);
    EXPECT_EQ(ParseGameListText(good + "\n" + good, TGameListKind::Released).RealCount(), 2);
}

// --- The round trip -----------------------------------------------------------------------

TEST_F(SaveGameTest, ALateGameSavedAndLoadedComesBackWhole) {
    TScriptedPlayer playerA;
    auto a = NewGame(playerA, 11u);
    PlayUntil(*a, 1991, 20);
    auto& c = a->State.Company;
    // The player's own title, charted for a few weeks, and a team of assistants.
    TGameEntry own = a->State.ReleasedGames[3];
    own.Title = "Quillon Quest";
    own.Developer = "Pixel Forge";
    own.ByPlayer = true;
    own.ChartHistory[1] = 9;
    own.ChartHistory[2] = 4;
    a->State.ReleasedGames.Append(own);
    c.AssistProgrammers = 3;
    c.AssistArtists = 1;
    a->Tunables.DemoWork = 321;
    a->Tunables.QualityBase = 31;
    ASSERT_GT(a->State.ReleasedGames.RealCount(), 500);
    ASSERT_GT(a->State.UpcomingGames.RealCount(), 500);

    const TSavedGame expected = SavedGameOf(*a);
    const TTunables tunables = a->Tunables;
    Apply(*a, TSaveAndEndTurn{});
    EXPECT_FALSE(a->Flags.SaveRequested);
    EXPECT_EQ(c.Week, 21) << "the save ended the turn";
    EXPECT_EQ(c.SavedTunables[3], 321) << "the tunables went into the company record";
    EXPECT_EQ(MemberNames(Archive()), MemberOrder);
    EXPECT_EQ(FolderListing(Data / "QlSave"), std::vector<std::string>{"sav.sav"});
    EXPECT_TRUE(FolderListing(Temp).empty()) << "member files were left behind";

    // The records are the bytes of the moment the turn was ended.
    std::map<std::string, std::string> members;
    for (const auto& [name, bytes] : Members(Archive()))
        members[name] = bytes;
    auto raw = [](const auto& record) {
        return std::string(reinterpret_cast<const char*>(&record), sizeof record);
    };
    EXPECT_EQ(members["1_Comp.sav"], raw(expected.Company));
    EXPECT_EQ(members["1_Pub.sav"], raw(expected.Deal));
    EXPECT_EQ(members["1_prj.sav"], raw(expected.Project));
    EXPECT_EQ(members["1_cmp.sav"], raw(expected.Platforms));
    EXPECT_EQ(members["1_Released.sav"], GameListText(expected.Released, TGameListKind::Released));
    EXPECT_EQ(members["1_sales.sav"], GameListText(expected.Upcoming, TGameListKind::Upcoming));

    // Another game, another seed: the load replaces what the save holds.
    TScriptedPlayer playerB;
    auto b = NewGame(playerB, 99u, "Somebody Else");
    const TTitleLists titles = expected.TitleLists;
    const TOutcome loaded = LoadGame(*b);
    ASSERT_TRUE(loaded.Done) << loaded.Message;
    const auto& s = b->State;
    TCompany company = expected.Company;
    company.AssistProgrammers = company.AssistMusicians = company.AssistArtists = 0;
    EXPECT_TRUE(SameBytes(s.Company, company));
    EXPECT_TRUE(SameBytes(s.PublisherDeal, expected.Deal));
    EXPECT_TRUE(SameBytes(s.Projects[1], expected.Project));
    EXPECT_TRUE(SameBytes(s.Platforms, expected.Platforms));
    ExpectLoadedList(s.ReleasedGames, expected.Released, true);
    ExpectLoadedList(s.UpcomingGames, expected.Upcoming, false);
    EXPECT_EQ(s.TitleLists, titles);
    EXPECT_TRUE(SameBytes(b->Tunables, tunables));
    EXPECT_EQ(s.Company.CompanyName.Str(), "Pixel Forge");
    EXPECT_TRUE(b->Flags.JustLoaded);
    // The choices follow the loaded year; the head count the loaded company.
    EXPECT_EQ(s.Lists.ProjectPlatforms.Items.size(), OfferedPlatforms(1991).size());
    EXPECT_EQ(s.Lists.CalendarPlatforms.Items, s.Lists.ProjectPlatforms.Items);
    EXPECT_EQ(s.Lists.StudyPlatforms.Items.size(), OfferedPlatforms(1992).size());
    EXPECT_EQ(s.Lists.PortingPlatforms.Items, s.Lists.StudyPlatforms.Items);
    EXPECT_EQ(s.Lists.ProjectGenres.Items.size(), 7u);
    EXPECT_EQ(s.Employees, 3 + s.Company.StudyStaff + s.Company.ToolStaff + s.Company.AntiPiracyStaff +
                               s.Company.PortingStaff);

    // The week that was saved is played again.
    EndOfWeek(*b);
    EXPECT_EQ(s.Company.Year, 1991);
    EXPECT_EQ(s.Company.Week, 21);
    // Loading does not change the save.
    const std::string archive = ReadBytes(Archive());
    TScriptedPlayer playerC;
    auto again = NewGame(playerC, 5u);
    ASSERT_TRUE(LoadGame(*again).Done);
    EXPECT_EQ(again->State.Company.Week, 20);
    EXPECT_EQ(ReadBytes(Archive()), archive);
}

// The hired managers are rows of the candidate lists: the lists travel with the save, so a
// load (and a save of the loaded game) keeps the people, their ratings and their wages. A save
// made before the lists were kept loads with the lists drawn for the world.
TEST_F(SaveGameTest, TheHiredManagersComeBackWithTheirRatingsAndWages) {
    struct THired {
        std::string Name;
        int Rating, Share, Wage;
    };
    auto hired = [](const TGame& game) {
        const auto& c = game.State.Company;
        std::vector<THired> managers;
        const std::pair<TManagerKind, int32_t> rows[3] = {{TManagerKind::LeadProgrammer, c.LeadProgrammer},
                                                          {TManagerKind::ProjectLeader, c.ProjectLeader},
                                                          {TManagerKind::LeadDesigner, c.LeadDesigner}};
        for (const auto& [kind, row] : rows) {
            const TManagerCandidate* m = game.State.Candidates.AtRow(kind, row);
            managers.push_back(m ? THired{m->Name, m->Rating, m->Share, m->Wage} : THired{"", -1, -1, -1});
        }
        return managers;
    };
    auto expectSame = [](const std::vector<THired>& got, const std::vector<THired>& want) {
        ASSERT_EQ(got.size(), want.size());
        for (size_t k = 0; k < want.size(); ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(got[k].Name, want[k].Name);
            EXPECT_EQ(got[k].Rating, want[k].Rating);
            EXPECT_EQ(got[k].Share, want[k].Share);
            EXPECT_EQ(got[k].Wage, want[k].Wage);
        }
    };

    TScriptedPlayer playerA;
    auto a = NewGame(playerA, 11u);
    a->State.Company.Money = 5000000;
    for (const auto& [kind, row] :
         {std::pair{TManagerKind::LeadProgrammer, 4}, std::pair{TManagerKind::LeadDesigner, 6}}) {
        playerA.Answers.push_back(TAnswer::Yes);
        ASSERT_TRUE(Hire(*a, kind, row));
    }
    const std::vector<THired> before = hired(*a);
    ASSERT_NE(before[0].Rating, -1);
    WriteSaveArchive(*a, Archive().string());
    EXPECT_EQ(Member(Archive(), "1_Mgr.sav"), [&] {
        std::string text;
        for (size_t k = 0; k < 3; ++k)
            for (const TManagerCandidate& m : a->State.Candidates.Lists[k])
                text += std::to_string(k) + "\t" + m.Name + "\t" + std::to_string(m.Rating) + "\t" +
                        std::to_string(m.Share) + "\t" + std::to_string(m.Wage) + "\r\n";
        return text;
    }());

    // Other seeds draw other lists; the load brings the saved ones, and so does a second save.
    TScriptedPlayer playerB, playerC;
    auto b = NewGame(playerB, 99u);
    ASSERT_TRUE(LoadGame(*b).Done);
    expectSame(hired(*b), before);
    EXPECT_EQ(ManagerStatusLine(*b, TManagerKind::LeadDesigner),
              before[2].Name + " (" + std::to_string(before[2].Wage) + "$)");
    WriteSaveArchive(*b, Archive().string());
    auto c = NewGame(playerC, 5u);
    ASSERT_TRUE(LoadGame(*c).Done);
    expectSame(hired(*c), before);
    for (size_t k = 0; k < 3; ++k)
        EXPECT_EQ(c->State.Candidates.Lists[k].size(), a->State.Candidates.Lists[k].size());

    // An older save, without the member: it loads, the hired rows point into the world's lists.
    std::vector<std::pair<std::string, std::string>> older;
    for (const auto& member : Members(Archive()))
        if (member.first != "1_Mgr.sav") older.push_back(member);
    WriteMembers(Archive(), older);
    TScriptedPlayer playerD;
    auto d = NewGame(playerD, 99u);
    const TManagerCandidates drawn = d->State.Candidates;
    const TOutcome loaded = LoadGame(*d);
    ASSERT_TRUE(loaded.Done) << loaded.Message;
    EXPECT_EQ(d->State.Company.LeadDesigner, 6);
    for (size_t k = 0; k < 3; ++k) {
        ASSERT_EQ(d->State.Candidates.Lists[k].size(), drawn.Lists[k].size());
        for (size_t i = 0; i < drawn.Lists[k].size(); ++i)
            EXPECT_EQ(d->State.Candidates.Lists[k][i].Wage, drawn.Lists[k][i].Wage);
    }
}

TEST_F(SaveGameTest, LoadSavedGameRunsTheWorldThenTheLoadThenTheSavedWeek) {
    // Saved when week 1 of 1985 is ended: an economy evaluation point.
    TScriptedPlayer playerA;
    auto a = NewGame(playerA, 3u);
    PlayUntil(*a, 1985, 1);
    const TPlatformTable saved = a->State.Platforms;
    Apply(*a, TSaveAndEndTurn{});
    ASSERT_TRUE(fs::exists(Archive()));

    TScriptedPlayer player;
    TGame game(player, 8u, Folders());
    TStartScreen& screen = game.Views.StartScreen;
    screen.PlayerName = "Grace";
    screen.CompanyName = "Typed Name";
    ASSERT_TRUE(LoadSavedGame(game, screen));
    EXPECT_TRUE(game.Flags.LoadRequested);
    EXPECT_FALSE(game.Flags.JustLoaded) << "set by the load, not before the world's first week";
    ASSERT_TRUE(LoadSavedGameAndPlay(game));

    // The fresh world's first week evaluated the economy but showed no news window (the save
    // replaces that world at once); the loaded game's first evaluation point (its saved week 1)
    // was skipped.
    EXPECT_TRUE(player.NewsWindows.empty());
    EXPECT_FALSE(game.Flags.WorldBeforeLoad);
    EXPECT_FALSE(game.Flags.JustLoaded);
    EXPECT_EQ(game.State.Company.Year, 1985);
    EXPECT_EQ(game.State.Company.Week, 2);
    EXPECT_EQ(game.State.Company.CompanyName.Str(), "Pixel Forge");
    EXPECT_EQ(screen.CompanyName, "Pixel Forge");
    EXPECT_TRUE(game.Log.empty());
    EXPECT_TRUE(game.Flags.LoadRequested) << "the score upload needs to know";
    // The saved week's machine sales are measured against the loaded table, not the fresh
    // world's (which showed negative sales).
    for (int i = 0; i < PlatformCount; ++i)
        EXPECT_EQ(game.State.PlatformsTwoWeeksAgo.UnitsSold[i], saved.UnitsSold[i]) << "platform " << i;
}

// What quitting would lose: the weeks played since the game was saved, started or loaded.
TEST_F(SaveGameTest, TheWeeksSinceTheLastSaveAreCounted) {
    TScriptedPlayer playerA;
    auto a = NewGame(playerA, 13u);
    EXPECT_EQ(a->WeeksSinceSave, 0) << "the world's first week is not the player's";
    for (int week = 1; week <= 3; ++week) {
        Apply(*a, TEndOfWeekAction{});
        EXPECT_EQ(a->WeeksSinceSave, week);
    }
    ASSERT_TRUE(Apply(*a, TSaveAndEndTurn{}).Done);
    EXPECT_EQ(a->WeeksSinceSave, 0) << "loading the save plays its week again";
    Apply(*a, TEndOfWeekAction{});
    Apply(*a, TEndOfWeekAction{});
    EXPECT_EQ(a->WeeksSinceSave, 2);
    a->State.Projects[1].InProgress = true;
    EXPECT_FALSE(Apply(*a, TSaveAndEndTurn{}).Done);
    EXPECT_EQ(a->WeeksSinceSave, 2) << "a refused save saves nothing";

    TScriptedPlayer player;
    TGame game(player, 14u, Folders());
    game.Views.StartScreen.PlayerName = "Grace";
    game.Views.StartScreen.CompanyName = "Hopper Soft";
    ASSERT_TRUE(LoadSavedGame(game, game.Views.StartScreen));
    ASSERT_TRUE(LoadSavedGameAndPlay(game));
    EXPECT_EQ(game.WeeksSinceSave, 0);
    Apply(game, TEndOfWeekAction{});
    EXPECT_EQ(game.WeeksSinceSave, 1);
}

// File names match without regard to case: a save folder and archive spelt "qlsave/SAV.SAV"
// are the save on the start screen, for the score upload's marker and for the next save.
TEST_F(SaveGameTest, TheSaveIsFoundWhateverTheLetterCaseOfItsNames) {
    TScriptedPlayer playerA;
    auto a = NewGame(playerA, 15u);
    a->State.Company.StartStamp = 0x2F00ABCD;
    PlayUntil(*a, 1984, 9);
    WriteSaveArchive(*a, Archive().string());
    fs::rename(Data / "QlSave" / "sav.sav", Data / "QlSave" / "SAV.SAV");
    fs::rename(Data / "QlSave", Data / "qlsave");
    EXPECT_EQ(Folders().SaveArchive(), (Data / "qlsave" / "SAV.SAV").string());

    TScriptedPlayer player;
    TGame game(player, 16u, Folders());
    game.Views.StartScreen.PlayerName = "Grace";
    game.Views.StartScreen.CompanyName = "Hopper Soft";
    ASSERT_TRUE(LoadSavedGame(game, game.Views.StartScreen));
    EXPECT_FALSE(player.SawMessage("No saved game exists"));
    ASSERT_TRUE(LoadSavedGameAndPlay(game));
    EXPECT_EQ(game.State.Company.Week, 10);

    TQuietArchiveUi ui(TArchiveAnswer::No, false);
    EXPECT_TRUE(MarkScoreUpload(Data.string() + "/", game.State.Company, true, ui).Allowed);
    const TUploadPermission second = MarkScoreUpload(Data.string() + "/", game.State.Company, true, ui);
    EXPECT_FALSE(second.Allowed) << "the marker went into qlsave/SAV.SAV";

    // The next save replaces that archive, under its own spelling, and keeps the marker.
    WriteSaveArchive(game, game.Folders.SaveArchive());
    EXPECT_FALSE(fs::exists(Data / "QlSave")) << "no second save folder";
    EXPECT_EQ(FolderListing(Data / "qlsave"), std::vector<std::string>{"SAV.SAV"});
    std::vector<std::string> withMarker = MemberOrder;
    withMarker.push_back("1_UPT.sav");
    EXPECT_EQ(MemberNames(Data / "qlsave" / "SAV.SAV"), withMarker);
}

TEST_F(SaveGameTest, TheObjectiveIsTestedAfterALoad) {
    TScriptedPlayer playerA;
    auto a = NewGame(playerA, 4u);
    auto& c = a->State.Company;
    for (const auto& [best, target, reached] : {std::tuple{12, 10, false}, std::tuple{10, 10, true},
                                                std::tuple{3, 10, true}, std::tuple{151, 0, false}}) {
        SCOPED_TRACE(best);
        c.BestChartPos[c.Year] = static_cast<uint8_t>(best);
        a->State.PublisherDeal.TargetPos = static_cast<uint8_t>(target);
        WriteSaveArchive(*a, Archive().string());
        TScriptedPlayer player;
        auto b = NewGame(player, 6u);
        b->Flags.ObjectiveReached = !reached;
        ASSERT_TRUE(LoadGame(*b).Done);
        EXPECT_EQ(b->Flags.ObjectiveReached, reached);
    }
}

// The progress window's gauge moves by the fixed steps of saving and of loading.
class TProgressRecorder : public TScriptedPlayer {
public:
    void Progress(const std::string& text, int percent) override {
        Steps.push_back({text, percent});
        Open = true;
    }
    void CloseProgress() override { Open = false; }
    std::vector<std::pair<std::string, int>> Steps;
    bool Open = false;
};

TEST_F(SaveGameTest, TheProgressWindowMovesInItsSteps) {
    TProgressRecorder player;
    auto game = NewGame(player, 12u);
    auto gauge = [&] {
        std::vector<int> percents;
        for (const auto& [text, percent] : player.Steps)
            percents.push_back(percent);
        return percents;
    };
    player.Steps.clear();
    WriteSaveArchive(*game, Archive().string());
    EXPECT_EQ(gauge(), (std::vector<int>{0,  5,  20, 30, 35, 40, 45, 50, 54, 55, 59, 60,
                                         64, 65, 69, 70, 74, 75, 79, 80, 84, 85, 100}));
    EXPECT_EQ(player.Steps.front().first, "Saving Game");
    EXPECT_FALSE(player.Open);

    player.Steps.clear();
    ASSERT_TRUE(LoadGame(*game).Done);
    EXPECT_EQ(gauge(), (std::vector<int>{0, 5, 15, 25, 35, 45, 55, 65, 75, 85, 100}));
    EXPECT_EQ(player.Steps.front().first, "Loading game...");
    EXPECT_FALSE(player.Open);

    // A refused load closes the window too.
    WriteBytes(Archive(), "QARC");
    EXPECT_FALSE(LoadGame(*game).Done);
    EXPECT_FALSE(player.Open);
}

// --- The edge cases of the saved lists ---------------------------------------------------

TEST_F(SaveGameTest, EdgeCasesOfTheSavedLists) {
    const struct {
        const char* Name;
        std::function<void(TGame&)> Change;
        std::function<void(const std::function<std::string(const char*)>& member, TGame&)> Check;
    } cases[] = {
        {"no released titles", [](TGame& g) { g.State.ReleasedGames.Clear(); },
         [](const auto& member, TGame& g) {
             EXPECT_EQ(member("1_Released.sav"), "");
             EXPECT_EQ(g.State.ReleasedGames.Length(), 1);
         }},
        {"the player's first game is the only title on the market",
         [](TGame& g) {
             TGameEntry own = SampleEntry();
             own.Developer = g.State.Company.CompanyName.Str();
             g.State.ReleasedGames.Clear();
             g.State.ReleasedGames.Append(own);
         },
         [](const auto& member, TGame& g) {
             const std::string text = member("1_Released.sav");
             EXPECT_EQ(text,
                       "Tomb Sweeper;Pixel Forge;121;-3;18;1500;2000000;0;6;-1;0;-1;52;1990;255;150;7\r\n");
             ASSERT_EQ(g.State.ReleasedGames.RealCount(), 1);
             EXPECT_TRUE(g.State.ReleasedGames[0].ByPlayer);
             EXPECT_EQ(g.State.ReleasedGames[0].ChartHistory[1], 0);
         }},
        {"no upcoming titles", [](TGame& g) { g.State.UpcomingGames.Clear(); },
         [](const auto& member, TGame& g) {
             EXPECT_EQ(member("1_sales.sav"), "");
             EXPECT_EQ(g.State.UpcomingGames.Length(), 1);
         }},
        {"names beyond ASCII",
         [](TGame& g) {
             g.State.Company.CompanyName = "Caf\xE9 \xDC"
                                           "ber \x80";
             g.State.UpcomingGames[0].Title = "R\xE4tsel der W\xFCste";
             g.State.UpcomingGames[0].Developer = "\xC6sir Soft";
             g.State.TitleLists[2][0] = "Fj\xF6rd\t1983\tN\xF8rd\tAmiga";
         },
         [](const auto& member, TGame& g) {
             // Windows-1252 bytes in the files, one byte a character.
             const std::string sales = member("1_sales.sav");
             EXPECT_EQ(sales.rfind("R\xE4tsel der W\xFCste;\xC6sir Soft;", 0), 0u);
             EXPECT_EQ(member("Stg.sav").rfind("Fj\xF6rd\t1983\tN\xF8rd\tAmiga\r\n", 0), 0u);
             EXPECT_EQ(g.State.Company.CompanyName.Str(), "Caf\xE9 \xDC"
                                                          "ber \x80");
             EXPECT_EQ(g.State.UpcomingGames[0].Title.Str(), "R\xE4tsel der W\xFCste");
             EXPECT_EQ(g.State.UpcomingGames[0].Developer.Str(), "\xC6sir Soft");
             EXPECT_EQ(g.State.TitleLists[2][0], "Fj\xF6rd\t1983\tN\xF8rd\tAmiga");
         }},
        {"an empty genre list", [](TGame& g) { g.State.TitleLists[6].clear(); },
         [](const auto& member, TGame& g) {
             EXPECT_EQ(member("Sig.sav"), "");
             EXPECT_TRUE(g.State.TitleLists[6].empty());
             EXPECT_FALSE(g.State.TitleLists[5].empty());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TScriptedPlayer playerA;
        auto a = NewGame(playerA, 21u);
        c.Change(*a);
        WriteSaveArchive(*a, Archive().string());
        TScriptedPlayer playerB;
        auto b = NewGame(playerB, 22u);
        const TOutcome loaded = LoadGame(*b);
        ASSERT_TRUE(loaded.Done) << loaded.Message;
        c.Check([this](const char* name) { return Member(Archive(), name); }, *b);
    }
}

// --- Loads that are refused ---------------------------------------------------------------

class RefusedLoadTest : public SaveGameTest {
protected:
    void SetUp() override {
        SaveGameTest::SetUp();
        Saver = NewGame(SaverPlayer, 31u);
        PlayUntil(*Saver, 1986, 10);
        WriteSaveArchive(*Saver, Archive().string());
        Good = Members(Archive());
        Loader = NewGame(LoaderPlayer, 32u);
    }

    // The save with one member changed (or left out when `change` gives nullopt).
    void Damage(const std::string& member,
                const std::function<std::optional<std::string>(const std::string&)>& change) {
        std::vector<std::pair<std::string, std::string>> members;
        for (const auto& [name, bytes] : Good) {
            if (name != member) {
                members.push_back({name, bytes});
            } else if (const auto changed = change(bytes)) {
                members.push_back({name, *changed});
            }
        }
        WriteMembers(Archive(), members);
    }

    // A company record with one field changed.
    template <typename T>
    std::function<std::optional<std::string>(const std::string&)> CompanyField(size_t offset, T value) {
        return [offset, value](const std::string& bytes) -> std::optional<std::string> {
            std::string changed = bytes;
            std::memcpy(changed.data() + offset, &value, sizeof(T));
            return changed;
        };
    }

    // The load is refused with a message naming the trouble, and the game is as it was.
    void ExpectRefused(const std::string& part) {
        const TStateImage before(*Loader);
        const TOutcome outcome = LoadGame(*Loader);
        EXPECT_FALSE(outcome.Done);
        EXPECT_EQ(outcome.Caption, "Load Saved Game");
        EXPECT_EQ(outcome.Message.rfind("The saved game could not be loaded.\r\n", 0), 0u) << outcome.Message;
        EXPECT_NE(outcome.Message.find(part), std::string::npos) << outcome.Message;
        before.ExpectSame(*Loader);
        EXPECT_TRUE(FolderListing(Temp).empty()) << "extracted members were left behind";
    }

    TScriptedPlayer SaverPlayer, LoaderPlayer;
    std::unique_ptr<TGame> Saver, Loader;
    std::vector<std::pair<std::string, std::string>> Good;
};

TEST_F(RefusedLoadTest, MissingOrShortMembersAndBadLines) {
    auto line = [](int field, const std::string& value) {
        return [field, value](const std::string& text) -> std::optional<std::string> {
            // The first line with one field replaced.
            std::string first = text.substr(0, text.find("\r\n"));
            size_t start = 0;
            for (int i = 0; i < field; ++i)
                start = first.find(';', start) + 1;
            const size_t end = first.find(';', start);
            first.replace(start, end - start, value);
            return first + text.substr(text.find("\r\n"));
        };
    };
    const struct {
        std::string Member;
        std::function<std::optional<std::string>(const std::string&)> Change;
        std::string Message;
    } cases[] = {
        {"1_prj.sav", [](const std::string&) { return std::nullopt; },
         "1_prj.sav is missing from the saved game."},
        {"RPG.sav", [](const std::string&) { return std::nullopt; }, "RPG.sav is missing"},
        {"1_Comp.sav", [](const std::string& b) { return b.substr(0, 30159); },
         "1_Comp.sav holds 30159 bytes; a company record has 30160."},
        {"1_cmp.sav", [](const std::string& b) { return b + "x"; }, "1_cmp.sav holds 2321 bytes"},
        {"1_Pub.sav", [](const std::string&) { return std::string(); }, "1_Pub.sav holds 0 bytes"},
        {"1_Released.sav", line(2, "many"),
         "1_Released.sav, line 1: field 2 (Quality) \"many\" is not a number."},
        {"1_Released.sav", line(4, "25"), "field 4 (Platform) \"25\" is not a platform index."},
        {"1_sales.sav", line(8, "11"), "1_sales.sav, line 1: field 8 (Genre) \"11\" is not a genre index."},
        {"1_sales.sav", line(11, "60"), "field 11 (ReleaseWeek) \"60\" is outside 1..52."},
        {"1_sales.sav", line(6, "-20"), "field 6 (TotalSales) \"-20\""},
        {"acg.sav", [](const std::string& b) { return "Title without a year\r\n" + b; },
         "acg.sav: a title line has no year: \"Title without a year\"."},
        {"1_Comp.sav", CompanyField<int32_t>(offsetof(TCompany, Week), 53),
         "1_Comp.sav: Week is 53, outside 1..52."},
        {"1_Comp.sav", CompanyField<int32_t>(offsetof(TCompany, Year), 2011),
         "Year is 2011, outside 1983..2010."},
        {"1_Comp.sav", CompanyField<int32_t>(offsetof(TCompany, Crises), -1), "Crises is -1, negative."},
        {"1_Comp.sav", CompanyField<int32_t>(offsetof(TCompany, OfficeIndex), 4),
         "OfficeIndex is 4, not a building"},
        {"1_Comp.sav", CompanyField<uint8_t>(offsetof(TCompany, StudyPlatform), 19),
         "StudyPlatform is 19, not a platform index."},
        {"1_Comp.sav", CompanyField<uint8_t>(offsetof(TCompany, BoomPlatform), 40),
         "BoomPlatform is 40, not a platform index."},
        {"1_Comp.sav", CompanyField<uint8_t>(offsetof(TCompany, AntiPiracyPlatform), 19),
         "AntiPiracyPlatform is 19, not a platform index."},
        {"1_Comp.sav", CompanyField<uint8_t>(offsetof(TCompany, HotGenre), 7),
         "HotGenre is 7, not a genre index."},
        {"1_Comp.sav", CompanyField<int32_t>(offsetof(TCompany, LeadProgrammer), 33),
         "LeadProgrammer is 33, not a row of its candidate list."},
        {"1_Comp.sav", CompanyField<uint8_t>(offsetof(TCompany, CompanyName), 200),
         "CompanyName is a text of 200 characters"},
        {"1_Mgr.sav", [](const std::string& b) { return "3\tNobody\t50\t5\t1000\r\n" + b; },
         "1_Mgr.sav, line 1: field 0 (List) \"3\" is outside 0..2."},
        {"1_Mgr.sav", [](const std::string& b) { return "0\tNobody\tgood\t5\t1000\r\n" + b; },
         "1_Mgr.sav, line 1: field 2 (Rating) \"good\" is not a number."},
        {"1_Mgr.sav", [](const std::string& b) { return "1\tNobody\t50\r\n" + b; },
         "1_Mgr.sav, line 1: 3 fields, a candidate has 5."},
        // The hired project leader's row must be in the saved list, not the world's.
        {"1_Mgr.sav", [](const std::string&) { return std::string("1\tNobody\t50\t5\t1000\r\n"); },
         "1_Comp.sav: LeadProgrammer is 1, not a row of its candidate list."},
        {"1_prj.sav",
         [](const std::string& b) -> std::optional<std::string> {
             std::string changed = b;
             const double nan = std::nan("");
             std::memcpy(changed.data() + offsetof(TProject, Quality), &nan, sizeof nan);
             return changed;
         },
         "1_prj.sav: Quality is nan, not a finite number."},
        {"1_cmp.sav",
         [](const std::string& b) -> std::optional<std::string> {
             std::string changed = b;
             const int32_t kind = 7;
             std::memcpy(changed.data() + offsetof(TPlatformTable, Kind) + 4 * 3, &kind, 4);
             return changed;
         },
         "1_cmp.sav: Kind[3] is 7, outside 1..3."},
        // Found by fuzz_load: a strength this large overflowed the week's machines sold.
        {"1_cmp.sav",
         [](const std::string& b) -> std::optional<std::string> {
             std::string changed = b;
             const int32_t strength = 4390912;
             std::memcpy(changed.data() + offsetof(TPlatformTable, Strength) + 4 * 5, &strength, 4);
             return changed;
         },
         "1_cmp.sav: Strength[5] is 4390912, outside 0..1000."},
        // Found by fuzz_load: this many machines overflowed the buyers of a game's sales.
        {"1_cmp.sav",
         [](const std::string& b) -> std::optional<std::string> {
             std::string changed = b;
             const double machines = 4.1644e28;
             std::memcpy(changed.data() + offsetof(TPlatformTable, UnitsInUse) + 8 * 2, &machines, 8);
             return changed;
         },
         "1_cmp.sav: UnitsInUse[2] is 4.1644e+28, outside -1e+10..1e+10."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        Damage(c.Member, c.Change);
        ExpectRefused(c.Message);
    }
}

TEST_F(RefusedLoadTest, DamagedArchivesAndNoSave) {
    const std::string good = ReadBytes(Archive());
    // A byte of a member's coded data: its CRC does not match any more.
    std::string flipped = good;
    flipped[good.size() / 2] = static_cast<char>(flipped[good.size() / 2] ^ 0x10);
    WriteBytes(Archive(), flipped);
    ExpectRefused("");
    WriteBytes(Archive(), "QARC and nothing that follows makes sense");
    ExpectRefused("Archive could be corrupted");
    WriteBytes(Archive(), "not an archive at all");
    ExpectRefused("Wrong Signature. Archive could be corrupted.");
    fs::remove(Archive());
    ExpectRefused("No saved game exists");

    // Through "Load Saved Game": the player is told, nothing of the world is built, and the
    // start screen may start a new game.
    WriteBytes(Archive(), flipped);
    TScriptedPlayer player;
    TGame game(player, 8u, Folders());
    game.Views.StartScreen.PlayerName = "Grace";
    game.Views.StartScreen.CompanyName = "Hopper Soft";
    ASSERT_TRUE(LoadSavedGame(game, game.Views.StartScreen));
    EXPECT_FALSE(LoadSavedGameAndPlay(game));
    ASSERT_FALSE(player.Messages.empty());
    EXPECT_EQ(player.Messages.back().Caption, "Load Saved Game");
    EXPECT_FALSE(game.Flags.LoadRequested);
    EXPECT_EQ(game.State.Company.Year, 1984);
    EXPECT_EQ(game.State.Company.Week, 1) << "no week was played";
    EXPECT_TRUE(player.NewsWindows.empty());
}

TEST_F(RefusedLoadTest, MemberNamesMatchInAnyLetterCaseAndOtherMembersAreIgnored) {
    std::vector<std::pair<std::string, std::string>> members;
    for (const auto& [name, bytes] : Good) {
        std::string upper = name;
        for (char& ch : upper)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        members.push_back({upper, bytes});
    }
    members.insert(members.begin(), {"readme.txt", "not part of the game"});
    WriteMembers(Archive(), members);
    const TOutcome outcome = LoadGame(*Loader);
    ASSERT_TRUE(outcome.Done) << outcome.Message;
    EXPECT_TRUE(SameBytes(Loader->State.Platforms, Saver->State.Platforms));
    EXPECT_EQ(Loader->State.Company.Week, Saver->State.Company.Week);
    EXPECT_TRUE(FolderListing(Temp).empty());
}

// Every single-bit flip of a saved archive either loads the same game or is refused with a
// message, and a refused load leaves the running game as it was. All bits of the container's
// own structure (signature, block headers, directory, end record) are flipped; of the coded
// data, every 997th bit (a late-game archive has some 570000 of them).
TEST_F(SaveGameTest, EveryBitFlipLoadsTheSameGameOrIsRefused) {
    constexpr size_t DataStride = 997;
    TScriptedPlayer playerA;
    auto a = NewGame(playerA, 41u);
    PlayUntil(*a, 1993, 30);
    WriteSaveArchive(*a, Archive().string());
    const std::string good = ReadBytes(Archive());

    TScriptedPlayer player;
    auto game = NewGame(player, 42u);
    ASSERT_TRUE(LoadGame(*game).Done);
    const TStateImage loaded(*game);

    // Which bytes belong to the structure: the signature, every block header, the directory.
    std::vector<bool> structure(good.size(), false);
    for (size_t i = 0; i < 4; ++i)
        structure[i] = true;
    {
        TQuietArchiveUi ui(TArchiveAnswer::No, false);
        TArchiveManager manager(ui);
        manager.OpenArchive(Archive().string(), false);
        for (size_t i = static_cast<size_t>(manager.CentralDir().DirOffset); i < good.size(); ++i)
            structure[i] = true;
        for (const TCentralDirEntry& entry : manager.CentralDir().Entries) {
            ASSERT_EQ(entry.Header.BlockCount, 1);
            for (size_t i = 0; i < 20; ++i)
                structure[static_cast<size_t>(entry.Header.DataOffset) + i] = true;
        }
    }

    int loads = 0, refusals = 0, structureBits = 0, dataBits = 0;
    const auto start = std::chrono::steady_clock::now();
    for (size_t bit = 0; bit < good.size() * 8; ++bit) {
        const size_t at = bit / 8;
        if (structure[at])
            ++structureBits;
        else if (bit % DataStride == 0)
            ++dataBits;
        else
            continue;
        std::string damaged = good;
        damaged[at] = static_cast<char>(damaged[at] ^ (1 << (bit % 8)));
        WriteBytes(Archive(), damaged);
        const TOutcome outcome = LoadGame(*game);
        if (outcome.Done) {
            ++loads;
        } else {
            ++refusals;
            ASSERT_GT(outcome.Message.size(), std::string("The saved game could not be loaded.\r\n").size())
                << "bit " << bit;
        }
        // Either way the game is the saved one, whole.
        loaded.ExpectSame(*game);
        ASSERT_FALSE(HasFailure()) << "bit " << bit << " of byte " << at;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "archive %zu bytes; %d structure bits and %d data bits flipped: %d loaded, %d refused (%.1f s)\n",
        good.size(), structureBits, dataBits, loads, refusals, seconds);
    EXPECT_GT(refusals, 0);
    EXPECT_TRUE(FolderListing(Temp).empty());
}

// --- Saves cut short ------------------------------------------------------------------------

TEST_F(SaveGameTest, ASaveCutShortLeavesThePreviousSaveLoadable) {
    TScriptedPlayer playerA;
    auto a = NewGame(playerA, 51u);
    PlayUntil(*a, 1985, 30);
    WriteSaveArchive(*a, Archive().string());
    const std::string previous = ReadBytes(Archive());
    PlayUntil(*a, 1986, 5);

    std::vector<std::string> points = MemberOrder;
    points.push_back(Archive().string());
    for (const std::string& point : points) {
        SCOPED_TRACE(point);
        bool reached = false;
        EXPECT_THROW(WriteSaveArchive(*a, Archive().string(),
                                      [&](const std::string& name) {
                                          if (name == point) {
                                              reached = true;
                                              throw EDataFile("No space left on device");
                                          }
                                      }),
                     EDataFile);
        EXPECT_TRUE(reached);
        EXPECT_EQ(ReadBytes(Archive()), previous);
        EXPECT_EQ(FolderListing(Data / "QlSave"), std::vector<std::string>{"sav.sav"});
        EXPECT_TRUE(FolderListing(Temp).empty());
    }
    TScriptedPlayer player;
    auto b = NewGame(player, 52u);
    ASSERT_TRUE(LoadGame(*b).Done);
    EXPECT_EQ(b->State.Company.Year, 1985);
    EXPECT_EQ(b->State.Company.Week, 30);

    // The disk fills up while the new archive is written: a child process whose files may not
    // grow past the size of the previous save.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = static_cast<rlim_t>(previous.size() / 2);
        const struct rlimit rl { limit, limit };
        ::setrlimit(RLIMIT_FSIZE, &rl);
        int code = 2;
        try {
            WriteSaveArchive(*a, Archive().string());
        } catch (const EDataFile& error) {
            code = std::string(error.what()).rfind("The game could not be saved.\r\n", 0) == 0 ? 0 : 4;
        } catch (...) {
            code = 3;
        }
        ::_exit(code);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: the failed write went unnoticed";
    EXPECT_EQ(ReadBytes(Archive()), previous);
    EXPECT_EQ(FolderListing(Data / "QlSave"), std::vector<std::string>{"sav.sav"});
    EXPECT_TRUE(FolderListing(Temp).empty());
}

// A player that is killed at its Nth call from inside the work of a save, a load or the
// database's unpacking (the progress gauge and the archive's repaint calls), or only counts.
class TKilledPlayer : public TScriptedPlayer {
public:
    long KillAt = 0; // 0: never
    long Calls = 0;
    void Progress(const std::string& text, int percent) override {
        Count();
        TScriptedPlayer::Progress(text, percent);
    }
    void ProcessEvents() override { Count(); }

private:
    void Count() {
        ++Calls;
        if (Calls == KillAt) ::raise(SIGKILL);
    }
};

TEST_F(SaveGameTest, SavesAndLoadsKilledPartWayLeaveNothingAfterTheNextStart) {
    TScriptedPlayer playerA;
    auto a = NewGame(playerA, 61u);
    PlayUntil(*a, 1985, 10);
    WriteSaveArchive(*a, Archive().string());
    const std::string previous = ReadBytes(Archive());

    // The work that may be cut short: a save, a load, the database's unpacking.
    enum TWork { Save, Load, Database };
    const auto work = [&](TGame& game, TWork which) {
        if (which == Save) WriteSaveArchive(game, Archive().string());
        if (which == Load) ReadSavedGame(game, Archive().string());
        if (which == Database) LoadGameDatabase(game);
    };
    const auto prepared = [&](TKilledPlayer& player) {
        auto game = std::make_unique<TGame>(player, 62u, Folders());
        LoadGameDatabase(*game);
        PrepareNewGame(*game, {"Ada", "Pixel Forge", 2});
        BeginGame(*game);
        player.Calls = 0;
        return game;
    };
    // How many calls each kind of work makes, so that the kills fall anywhere inside it.
    long calls[3] = {};
    for (TWork which : {Save, Load, Database}) {
        TKilledPlayer counting;
        auto game = prepared(counting);
        work(*game, which);
        calls[which] = counting.Calls;
        ASSERT_GT(calls[which], 2) << which;
    }
    WriteBytes(Archive(), previous);

    TRandom random(63u);
    int killed = 0;
    for (int i = 0; i < 20; ++i) {
        const TWork which = static_cast<TWork>(i % 3);
        const long at = 1 + random.Random(static_cast<int>(calls[which]));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            TKilledPlayer player;
            auto game = prepared(player);
            player.KillAt = at;
            try {
                work(*game, which);
            } catch (...) {
            }
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        killed += WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }
    EXPECT_EQ(killed, 20);
    // Killed games leave their working folders and, cut short in the archive's rename, the new
    // archive beside the save; a running game's own things and other files are not theirs.
    EXPECT_FALSE(FolderListing(Temp).empty());
    const TScratchFolder running(Folders(), "quillon-save-");
    WriteBytes(Data / "QlSave" / ("~sav.sav." + std::to_string(::getpid()) + ".0.tmp"), "mine");
    fs::create_directories(Temp / "quillon-load-1-AbCdEf"); // process 1 runs, whatever it is
    WriteBytes(Temp / "notes.txt", "not the game's");
    WriteBytes(Data / "QlSave" / "~sav.sav.x.0.tmp", "not a process number");

    EXPECT_GT(RemoveStaleTemporaries(Folders()), 0);
    std::vector<std::string> left = {fs::path(running.Path()).parent_path().filename().string(), "notes.txt",
                                     "quillon-load-1-AbCdEf"};
    std::sort(left.begin(), left.end());
    EXPECT_EQ(FolderListing(Temp), left);
    EXPECT_EQ(FolderListing(Data / "QlSave"),
              (std::vector<std::string>{"sav.sav", "~sav.sav." + std::to_string(::getpid()) + ".0.tmp",
                                        "~sav.sav.x.0.tmp"}));
    // The save the kills fell on is the previous one or a whole new one, and it loads.
    TScriptedPlayer player;
    auto b = NewGame(player, 64u);
    ASSERT_TRUE(LoadGame(*b).Done);
    EXPECT_TRUE(b->State.Company.Year == 1985 || b->State.Company.Year == 1984);
}

// Games side by side share the temporary folder: one ending its working folder removes the
// emptied temporary folder while another is about to make its own in it.
TEST_F(SaveGameTest, GamesSideBySideEachGetTheirWorkingFolders) {
    std::vector<pid_t> children;
    for (int i = 0; i < 3; ++i) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int failures = 0;
            for (int round = 0; round < 400; ++round) {
                try {
                    const TScratchFolder folder(Folders(), "quillon-db-");
                    failures += !fs::is_directory(folder.Path());
                } catch (const std::exception&) {
                    ++failures;
                }
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "a game could not make its working folder";
    }
    EXPECT_FALSE(fs::exists(Temp)) << "the last game out leaves no temporary folder";
}

TEST_F(SaveGameTest, AFailedSaveAndEndTurnSaysSoAndEndsNoWeek) {
    TScriptedPlayer playerA;
    auto a = NewGame(playerA, 61u);
    WriteSaveArchive(*a, Archive().string());
    const std::string previous = ReadBytes(Archive());
    EndOfWeek(*a);
    const int week = a->State.Company.Week;

    // No temporary folder to write the members in: a file has its name.
    fs::remove_all(Temp);
    WriteBytes(Temp, "in the way");
    Apply(*a, TSaveAndEndTurn{});
    ASSERT_FALSE(playerA.Messages.empty());
    EXPECT_EQ(playerA.Messages.back().Caption, "Error");
    EXPECT_EQ(playerA.Messages.back().Text.rfind(
                  "The week could not be completed.\r\nThe game could not be saved.\r\n", 0),
              0u)
        << playerA.Messages.back().Text;
    EXPECT_EQ(a->State.Company.Week, week);
    EXPECT_FALSE(a->Flags.SaveRequested) << "the next week does not try again unasked";
    EXPECT_EQ(ReadBytes(Archive()), previous);
}

// --- The score upload's marker ------------------------------------------------------------

TEST_F(SaveGameTest, TheUploadMarkerStaysWithItsGameAcrossSaves) {
    TScriptedPlayer playerA;
    auto a = NewGame(playerA, 71u);
    a->State.Company.StartStamp = 0x2F001234;
    WriteSaveArchive(*a, Archive().string());
    TQuietArchiveUi ui(TArchiveAnswer::No, false);

    // A loaded game uploads its score once: the marker goes into the archive.
    EXPECT_TRUE(MarkScoreUpload(Data.string() + "/", a->State.Company, true, ui).Allowed);
    std::vector<std::string> withMarker = MemberOrder;
    withMarker.push_back("1_UPT.sav");
    EXPECT_EQ(MemberNames(Archive()), withMarker);

    // The same game saved again keeps it, and the archive still loads.
    EndOfWeek(*a);
    WriteSaveArchive(*a, Archive().string());
    EXPECT_EQ(MemberNames(Archive()), withMarker);
    EXPECT_EQ(Member(Archive(), "1_UPT.sav"), std::to_string(0x2F001234) + "\r\n");
    const TUploadPermission second = MarkScoreUpload(Data.string() + "/", a->State.Company, true, ui);
    EXPECT_FALSE(second.Allowed);
    EXPECT_EQ(second.Text, "Game has already been upload to the highscore once");
    TScriptedPlayer player;
    auto b = NewGame(player, 72u);
    ASSERT_TRUE(LoadGame(*b).Done);
    EXPECT_EQ(b->State.Company.StartStamp, 0x2F001234);
    EXPECT_EQ(FolderListing(Data / "QlSave"), std::vector<std::string>{"sav.sav"});

    // Another game saved over it starts without one.
    TScriptedPlayer playerC;
    auto c = NewGame(playerC, 73u);
    c->State.Company.StartStamp = 0x2F005678;
    WriteSaveArchive(*c, Archive().string());
    EXPECT_EQ(MemberNames(Archive()), MemberOrder);
    EXPECT_TRUE(MarkScoreUpload(Data.string() + "/", c->State.Company, true, ui).Allowed);
    EXPECT_TRUE(FolderListing(Temp).empty());
}

// --- Real games load -------------------------------------------------------------------

// Whatever a game's weeks do to the state, its save passes the load's checks and its lines
// read back to the same entries.
TEST_F(SaveGameTest, EveryWeekOfAWholeGamePassesTheLoadChecks) {
    for (int difficulty = 1; difficulty <= 3; ++difficulty) {
        TScriptedPlayer player;
        TGame game(player, static_cast<uint32_t>(80 + difficulty), Folders());
        ASSERT_TRUE(LoadGameDatabase(game));
        PrepareNewGame(game, {"Ada", "Pixel Forge", difficulty});
        BeginGame(game);
        for (int week = 0; player.ScoreSheets.empty() && week < 1000; ++week) {
            BotTakesTurn(game);
            Apply(game, TEndOfWeekAction{});
            if (week % 13 != 0) continue;
            const TSavedGame saved = SavedGameOf(game);
            ASSERT_NO_THROW(CheckSavedGame(saved, game))
                << game.State.Company.Year << " W" << game.State.Company.Week;
            for (const auto& [list, kind] : {std::pair{&saved.Released, TGameListKind::Released},
                                             std::pair{&saved.Upcoming, TGameListKind::Upcoming}}) {
                const TGameList back = ParseGameListText(GameListText(*list, kind), kind);
                ExpectLoadedList(back, *list, kind == TGameListKind::Released);
                ASSERT_FALSE(HasFailure());
            }
        }
        EXPECT_FALSE(player.ScoreSheets.empty()) << "the game was played to its end";
    }
}

} // namespace
