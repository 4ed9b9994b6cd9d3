#include "start/GameDatabase.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveManager.h"
#include "archive/Crc32.h"
#include "archive/Resource.h"
#include "persist/ArchiveBridge.h"
#include "persist/ScratchFolder.h"
#include "sim/Announcements.h"
#include "start/EmbeddedLists.h"
#include "state/GameCore.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> ReadLines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw EDataFile("Cannot read " + file.string());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

std::string ListText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// The answer of GameDatabaseProblem for a file whose bytes it has seen before: the game asks
// for every member it reads. The bytes decide (a time stamp can repeat within milliseconds).
struct TCheckedDatabase {
    std::string Name;
    size_t Size = 0;
    uint32_t Crc = 0;
    std::string Problem;
};

std::string ReadDatabaseProblem(const std::string& archive);

std::string CachedDatabaseProblem(const std::string& archive) {
    static std::mutex lock;
    static std::vector<TCheckedDatabase> checked;
    std::ifstream in(archive, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const uint32_t crc = TCRC32::Of(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    {
        const std::lock_guard<std::mutex> hold(lock);
        for (const TCheckedDatabase& c : checked)
            if (c.Name == archive && c.Size == bytes.size() && c.Crc == crc) return c.Problem;
    }
    const std::string problem = ReadDatabaseProblem(archive);
    const std::lock_guard<std::mutex> hold(lock);
    std::erase_if(checked, [&archive](const TCheckedDatabase& c) { return c.Name == archive; });
    checked.push_back({archive, bytes.size(), crc, problem});
    return problem;
}

} // namespace

void ParseEndDate(const std::vector<std::string>& lines, int32_t& endYear, int32_t& endWeek) {
    for (const std::string& line : lines) {
        const std::string upper = UpperCase(line);
        int32_t* target = upper.find("YEAR") != std::string::npos   ? &endYear
                          : upper.find("WEEK") != std::string::npos ? &endWeek
                                                                    : nullptr;
        if (!target) continue;
        const std::string value = Trim(FieldAt("=", line, 1));
        int number = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (error != std::errc() || end != value.data() + value.size())
            throw EDataFile("The game database is damaged: \"" + line + "\" holds no number.");
        *target = number;
    }
    // The week histories end in 2010, and a year has 52 weeks.
    if (endYear > 2010 || endYear < StartYear || endWeek < 1 || endWeek > 52)
        throw EDataFile("The game database sets an end date outside the game: week " +
                        std::to_string(endWeek) + " of " + std::to_string(endYear) + ".");
}

std::vector<std::string> ReadArchiveMember(const TFolders& folders, const std::string& archive,
                                           const std::string& member, TArchiveUi& ui) {
    // Members go to a private folder of their own rather than beside the program, so two
    // games (or a game and its tests) never read or delete each other's files.
    const TScratchFolder folder(folders, "quillon-db-");
    const std::string& scratch = folder.Path();
    TResource resource(ui);
    resource.Silence();
    try {
        if (resource.DecompressFromArchive(archive, scratch, member) == 0)
            throw EDataFile("Database.pck has no member " + member + ".");
    } catch (const EArchiveError& error) {
        throw EDataFile(error.what());
    }
    return ReadLines(fs::path(scratch) / FindFileNoCase(scratch, member));
}

namespace {

std::string ReadDatabaseProblem(const std::string& archive) {
    // Opening a missing archive would create an empty one.
    std::error_code error;
    if (!fs::is_regular_file(archive, error)) return archive + " does not exist.";
    TQuietArchiveUi ui(TArchiveAnswer::No, false);
    try {
        TArchiveManager manager(ui);
        manager.ShowMessages = false;
        manager.OpenArchive(archive, false);
        for (const TCentralDirEntry& entry : manager.CentralDir().Entries)
            if (!manager.TestEntry(entry))
                return "Database.pck member " + entry.StoredName() + " is damaged.";
        manager.CloseArchive();
        int32_t endYear = 1994;
        int32_t endWeek = 51;
        // A database on its own is unpacked in its own folder's temporary folder.
        const std::string folder = WithBackslash(fs::path(archive).parent_path().string());
        const TFolders beside{folder, folder};
        ParseEndDate(ReadArchiveMember(beside, archive, "datadiff.txt", ui), endYear, endWeek);
        for (int g = 0; g < GenreCount; ++g)
            for (const std::string& line : ReadArchiveMember(beside, archive, Genres[g].ListFile, ui))
                TitleYear(line);
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

} // namespace

std::string GameDatabaseProblem(const std::string& archive) {
    return CachedDatabaseProblem(archive);
}

namespace {

std::string DatabaseIn(const std::string& folder) {
    if (folder.empty()) return "";
    const std::string name = FindFileNoCase(WithBackslash(folder), "Database.pck");
    std::error_code error;
    if (name.empty() || !fs::is_regular_file(WithBackslash(folder) + name, error)) return "";
    return WithBackslash(folder) + name;
}

} // namespace

bool GameDatabaseIsSound(const std::string& archive, std::string& problem) {
    problem = GameDatabaseProblem(archive);
    return problem.empty();
}

std::string FindGameDatabase(const std::string& dataFolder, const std::string& programFolder) {
    const std::string downloaded = DatabaseIn(dataFolder);
    const std::string installed = DatabaseIn(programFolder);
    if (downloaded.empty()) return installed;
    // With nothing else to fall back on, the one there is read and its damage reported.
    if (installed.empty() || downloaded == installed) return downloaded;
    std::string problem;
    return GameDatabaseIsSound(downloaded, problem) ? downloaded : installed;
}

std::string DatabasePath(const TFolders& folders) {
    return FindGameDatabase(folders.Data, folders.Program);
}

void ApplyDataDiff(TGameCore& game, const std::vector<std::string>& lines) {
    // A damaged line leaves the game's date as it was.
    int32_t year = game.EndYear;
    int32_t week = game.EndWeek;
    ParseEndDate(lines, year, week);
    game.EndYear = year;
    game.EndWeek = week;
}

void InstallationError(TGameCore& game, const std::string& detail) {
    game.Ui.ShowMessage("The game database Database.pck could not be read.\r\n" + detail +
                            "\r\nPlease reinstall Quillon.",
                        "Error", TMessageKind::Error);
}

void LoadBonusLists(TGameCore& game) {
    game.State.BonusTexts[TopGames] = ListText(TopGameLines);
    game.State.BonusTexts[BestGames] = ListText(BestGameLines);
    game.State.BonusTexts[TopGenreTitles] = ListText(TopGenreTitleLines);
    game.State.BonusTexts[TopPlatformTitles] = ListText(TopPlatformTitleLines);
    game.State.BonusTexts[TopYearTitles] = ListText(TopYearTitleLines);
}

namespace {

std::string ExistingDatabase(const TGameCore& game) {
    const std::string archive = DatabasePath(game.Folders);
    if (archive.empty()) throw EDataFile("Database.pck is missing from " + game.Folders.Program);
    return archive;
}

} // namespace

std::vector<std::string> ReadDatabaseMember(TGameCore& game, const std::string& member) {
    TGameArchiveUi ui(game.Ui);
    return ReadArchiveMember(game.Folders, ExistingDatabase(game), member, ui);
}

bool LoadGameDatabase(TGameCore& game, const std::function<void(int)>& progress) {
    TTitleLists lists;
    try {
        // One choice of database for the whole reading, made once.
        const std::string archive = ExistingDatabase(game);
        TGameArchiveUi ui(game.Ui);
        ApplyDataDiff(game, ReadArchiveMember(game.Folders, archive, "datadiff.txt", ui));
        if (progress) progress(15);
        for (int g = 0; g < GenreCount; ++g) {
            lists[g] = ReadArchiveMember(game.Folders, archive, Genres[g].ListFile, ui);
            for (const std::string& line : lists[g])
                TitleYear(line);
            if (progress) progress(15 + 5 * (g + 1));
        }
    } catch (const EDataFile& error) {
        InstallationError(game, error.what());
        return false;
    }
    game.State.TitleLists = std::move(lists);
    LoadBonusLists(game);
    return true;
}
