#include "start/GameDatabase.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "archive/ArchiveErrors.h"
#include "archive/Resource.h"
#include "persist/ArchiveBridge.h"
#include "persist/DatabaseLocation.h"
#include "persist/ScratchFolder.h"
#include "sim/Announcements.h"
#include "start/EmbeddedLists.h"
#include "state/GameCore.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;

std::string DatabasePath(const TFolders& folders) {
    return FindGameDatabase(folders.Data, folders.Program);
}

void ApplyDataDiff(TGameCore& game, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const std::string upper = UpperCase(line);
        int32_t* target = upper.find("YEAR") != std::string::npos   ? &game.EndYear
                          : upper.find("WEEK") != std::string::npos ? &game.EndWeek
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
    if (game.EndYear > 2010 || game.EndYear < StartYear || game.EndWeek < 1 || game.EndWeek > 52)
        throw EDataFile("The game database sets an end date outside the game: week " +
                        std::to_string(game.EndWeek) + " of " + std::to_string(game.EndYear) + ".");
}

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

} // namespace

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

std::vector<std::string> ReadDatabaseMember(TGameCore& game, const std::string& member) {
    const std::string archive = DatabasePath(game.Folders);
    if (archive.empty()) throw EDataFile("Database.pck is missing from " + game.Folders.Program);
    // Members go to a private folder of their own rather than beside the program, so two
    // games (or a game and its tests) never read or delete each other's files.
    const TScratchFolder folder(game.Folders, "quillon-db-");
    const std::string& scratch = folder.Path();
    TGameArchiveUi ui(game.Ui);
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

bool LoadGameDatabase(TGameCore& game, const std::function<void(int)>& progress) {
    TTitleLists lists;
    try {
        ApplyDataDiff(game, ReadDatabaseMember(game, "datadiff.txt"));
        if (progress) progress(15);
        for (int g = 0; g < GenreCount; ++g) {
            lists[g] = ReadDatabaseMember(game, Genres[g].ListFile);
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
