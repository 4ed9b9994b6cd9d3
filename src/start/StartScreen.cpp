#include "start/StartScreen.h"

#include <filesystem>

#include "company/Candidates.h"
#include "persist/PlayerProfile.h"
#include "start/EmbeddedLists.h"
#include "start/GameDatabase.h"
#include "start/NewGame.h"
#include "state/GameCore.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;

std::string DifficultyLabel(int difficulty) {
    return "level of difficulty : " + std::to_string(difficulty);
}

void PrepareNewGame(TGameCore& game, const TNewGameChoices& choices) {
    FillCandidateGrid(game, TManagerKind::LeadProgrammer, LeadProgrammerLines);
    FillCandidateGrid(game, TManagerKind::ProjectLeader, ProjectLeaderLines);
    FillCandidateGrid(game, TManagerKind::LeadDesigner, LeadDesignerLines);
    ApplyNewGameChoices(game, choices);
}

void ShowStartScreen(TGameCore& game, TStartScreen& screen) {
    try {
        ApplyDataDiff(game, ReadDatabaseMember(game, "datadiff.txt"));
    } catch (const EDataFile& error) {
        InstallationError(game, error.what());
    }
    screen.DataPackLabel =
        "DataPack : Y" + std::to_string(game.EndYear) + "/W" + std::to_string(game.EndWeek);
    if (const auto profile = ReadPlayerProfile(game.Folders.Data)) {
        screen.PlayerName = profile->PlayerName;
        screen.CompanyName = profile->CompanyName;
        if (profile->ShowHelp) game.Flags.ShowHelp = *profile->ShowHelp;
    }
}

std::string NameProblem(const std::string& name, const std::string& what) {
    for (unsigned char c : name) {
        if (c == ';') return what + " cannot contain \";\".";
        if (c < 32 || c == 127) return what + " cannot contain control characters.";
    }
    return "";
}

bool StartGame(TGameCore& game, TStartScreen& screen) {
    if (Trim(screen.PlayerName).empty() || Trim(screen.CompanyName).empty()) {
        game.Ui.ShowMessage("Player Name and Company Name cannot be empty", "Error", TMessageKind::Error);
        return false;
    }
    for (const auto& [name, what] :
         {std::pair{screen.PlayerName, "Player Name"}, std::pair{screen.CompanyName, "Company Name"}}) {
        const std::string problem = NameProblem(name, what);
        if (!problem.empty()) {
            game.Ui.ShowMessage(problem, "Error", TMessageKind::Error);
            return false;
        }
    }
    screen.Gauge = 0;
    screen.GaugeVisible = true;
    game.Ui.Progress("", 0);
    // The whole database is read before anything of the running game changes, so a damaged
    // installation leaves the start screen as it was.
    const bool loaded = LoadGameDatabase(game, [&](int done) {
        screen.Gauge = done;
        game.Ui.Progress("", done);
        game.Ui.ProcessEvents();
    });
    screen.GaugeVisible = false;
    game.Ui.CloseProgress();
    if (!loaded) return false;
    WritePlayerProfile(game.Folders.Data, screen.PlayerName, screen.CompanyName, game.Flags.ShowHelp);
    PrepareNewGame(game, {screen.PlayerName, screen.CompanyName, screen.Difficulty});
    screen.Gauge = 100;
    game.Flags.MusicOff = game.Flags.MusicOff || screen.NoMusic;
    return true;
}

bool LoadSavedGame(TGameCore& game, TStartScreen& screen) {
    std::error_code error;
    if (!fs::exists(game.Folders.SaveArchive(), error)) {
        game.Ui.ShowMessage("No saved game exists", "No save game", TMessageKind::Information);
        return false;
    }
    // JustLoaded is set by the load itself, after the world's first week.
    game.Flags.LoadRequested = true;
    return StartGame(game, screen);
}
