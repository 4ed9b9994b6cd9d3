#include "shell/StartScreen.h"

#include <filesystem>
#include <fstream>

#include "archive/ArchiveErrors.h"
#include "archive/Resource.h"
#include "company/ManagerGrids.h"
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
    const std::string archive = FindFileNoCase(directory, "Database.pck");
    if (archive.empty()) throw EGameRange("Database.pck is missing from " + directory);
    TGameArchiveUi ui(game.Ui);
    TResource resource(ui);
    resource.Silence();
    try {
        if (resource.DecompressFromArchive(directory + archive, directory, member) == 0)
            throw EGameRange("Database.pck has no member " + member + ".");
    } catch (const EArchiveError& error) {
        throw EGameRange(error.what());
    }
    const fs::path file = fs::path(directory) / FindFileNoCase(directory, member);
    std::vector<std::string> lines = ReadLines(file);
    std::error_code ignored;
    fs::remove(file, ignored);
    return lines;
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
    TTitleLists lists;
    try {
        ReadDatabaseMember(game, "datadiff.txt");
        Advance(game, 15);
        for (int g = 0; g < GenreCount; ++g) {
            lists[g] = ReadDatabaseMember(game, Genres[g].ListFile);
            for (const std::string& line : lists[g])
                TitleYear(line);
            Advance(game, 5);
        }
    } catch (const EGameRange& error) {
        screen.GaugeVisible = false;
        game.Ui.CloseProgress();
        InstallationError(game, error.what());
        return false;
    }
    game.TitleLists = std::move(lists);
    LoadBonusLists(game);
    WritePlayerProfile(AppDirectory(), screen.PlayerName, screen.CompanyName, game.Flags.ShowHelp);
    FillCandidateGrid(game, TManagerKind::LeadProgrammer, LeadProgrammerLines);
    Advance(game, 5);
    FillCandidateGrid(game, TManagerKind::ProjectLeader, ProjectLeaderLines);
    Advance(game, 5);
    FillCandidateGrid(game, TManagerKind::LeadDesigner, LeadDesignerLines);
    Advance(game, 5);
    ApplyNewGameChoices(game, {screen.PlayerName, screen.CompanyName, screen.Difficulty});
    screen.Gauge = 100;
    screen.GaugeVisible = false;
    game.Ui.CloseProgress();
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
