#include "shell/StartScreen.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "archive/ArchiveErrors.h"
#include "archive/Resource.h"
#include "company/ManagerGrids.h"
#include "persist/DatabaseLocation.h"
#include "persist/PlayerProfile.h"
#include "shell/ArchiveBridge.h"
#include "shell/EmbeddedLists.h"
#include "shell/NewGame.h"
#include "state/Game.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;

std::string DifficultyLabel(int difficulty) {
    return "level of difficulty : " + std::to_string(difficulty);
}

std::string SaveArchivePath() {
    return AppDirectory() + "QlSave/sav.sav";
}

namespace {

std::vector<std::string> ReadLines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw EGameRange("Cannot read " + file.string());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

void InstallationError(TGame& game, const std::string& detail) {
    game.Ui.ShowMessage("The game database Database.pck could not be read.\r\n" + detail +
                            "\r\nPlease reinstall Quillon.",
                        "Error", TMessageKind::Error);
}

std::string ListText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

void Advance(TGame& game, int amount) {
    TStartScreen& screen = game.Panels.StartScreen;
    screen.Gauge = std::min(screen.Gauge + amount, 100);
    game.Ui.Progress("", screen.Gauge);
    game.Ui.ProcessEvents();
}

} // namespace

void LoadBonusLists(TGame& game) {
    game.BonusTexts[TopGames] = ListText(TopGameLines);
    game.BonusTexts[BestGames] = ListText(BestGameLines);
    game.BonusTexts[TopGenreTitles] = ListText(TopGenreTitleLines);
    game.BonusTexts[TopPlatformTitles] = ListText(TopPlatformTitleLines);
    game.BonusTexts[TopYearTitles] = ListText(TopYearTitleLines);
}

std::vector<std::string> ReadDatabaseMember(TGame& game, const std::string& member) {
    const std::string directory = AppDirectory();
    // A database fetched by the update check lies in the data folder and wins over the
    // installed one.
    const std::string archive = FindGameDatabase(directory, directory);
    if (archive.empty()) throw EGameRange("Database.pck is missing from " + directory);
    // Members go to a private folder of their own rather than beside the program, so two
    // games (or a game and its tests) never read or delete each other's files.
    std::string scratch = (fs::temp_directory_path() / "quillon-db-XXXXXX").string();
    if (!mkdtemp(scratch.data())) throw EGameRange("Cannot create a temporary folder for the game database.");
    struct TRemove {
        std::string Folder;
        ~TRemove() {
            std::error_code ignored;
            fs::remove_all(Folder, ignored);
        }
    } cleanup{scratch};
    TGameArchiveUi ui(game.Ui);
    TResource resource(ui);
    resource.Silence();
    try {
        if (resource.DecompressFromArchive(archive, scratch, member) == 0)
            throw EGameRange("Database.pck has no member " + member + ".");
    } catch (const EArchiveError& error) {
        throw EGameRange(error.what());
    }
    return ReadLines(fs::path(scratch) / FindFileNoCase(scratch, member));
}

bool LoadGameDatabase(TGame& game, bool showGauge) {
    TTitleLists lists;
    try {
        ApplyDataDiff(game, ReadDatabaseMember(game, "datadiff.txt"));
        if (showGauge) Advance(game, 15);
        for (int g = 0; g < GenreCount; ++g) {
            lists[g] = ReadDatabaseMember(game, Genres[g].ListFile);
            for (const std::string& line : lists[g])
                TitleYear(line);
            if (showGauge) Advance(game, 5);
        }
    } catch (const EGameRange& error) {
        InstallationError(game, error.what());
        return false;
    }
    game.TitleLists = std::move(lists);
    LoadBonusLists(game);
    return true;
}

void PrepareNewGame(TGame& game, const TNewGameChoices& choices) {
    FillCandidateGrid(game, TManagerKind::LeadProgrammer, LeadProgrammerLines);
    FillCandidateGrid(game, TManagerKind::ProjectLeader, ProjectLeaderLines);
    FillCandidateGrid(game, TManagerKind::LeadDesigner, LeadDesignerLines);
    ApplyNewGameChoices(game, choices);
}

void ShowStartScreen(TGame& game) {
    TStartScreen& screen = game.Panels.StartScreen;
    try {
        ApplyDataDiff(game, ReadDatabaseMember(game, "datadiff.txt"));
    } catch (const EGameRange& error) {
        InstallationError(game, error.what());
    }
    screen.DataPackLabel =
        "DataPack : Y" + std::to_string(game.EndYear) + "/W" + std::to_string(game.EndWeek);
    if (const auto profile = ReadPlayerProfile(AppDirectory())) {
        screen.PlayerName = profile->PlayerName;
        screen.CompanyName = profile->CompanyName;
        if (profile->ShowHelp) game.Flags.ShowHelp = *profile->ShowHelp;
    }
}

bool StartGame(TGame& game) {
    TStartScreen& screen = game.Panels.StartScreen;
    if (Trim(screen.PlayerName).empty() || Trim(screen.CompanyName).empty()) {
        game.Ui.ShowMessage("Player Name and Company Name cannot be empty", "Error", TMessageKind::Error);
        return false;
    }
    screen.Gauge = 0;
    screen.GaugeVisible = true;
    game.Ui.Progress("", 0);
    // The whole database is read before anything of the running game changes, so a damaged
    // installation leaves the start screen as it was.
    const bool loaded = LoadGameDatabase(game, true);
    screen.GaugeVisible = false;
    game.Ui.CloseProgress();
    if (!loaded) return false;
    WritePlayerProfile(AppDirectory(), screen.PlayerName, screen.CompanyName, game.Flags.ShowHelp);
    PrepareNewGame(game, {screen.PlayerName, screen.CompanyName, screen.Difficulty});
    screen.Gauge = 100;
    game.Flags.MusicOff = game.Flags.MusicOff || screen.NoMusic;
    return true;
}

bool LoadSavedGame(TGame& game) {
    std::error_code error;
    if (!fs::exists(SaveArchivePath(), error)) {
        game.Ui.ShowMessage("No saved game exists", "No save game", TMessageKind::Information);
        return false;
    }
    game.Flags.LoadRequested = true;
    game.Flags.JustLoaded = true;
    return StartGame(game);
}
