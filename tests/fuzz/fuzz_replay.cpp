// A replay log as a player might send it: read by the game's reader and, when it is read,
// applied to a new game from a fixed seed for at most a few weeks. A log must end in a refusal
// with a message, or in a game that played its actions; never in a crash, a sanitizer report or
// a hang.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "game/ActionLog.h"
#include "game/Actions.h"
#include "game/Game.h"
#include "game/NewGame.h"
#include "players/ScriptedPlayer.h"
#include "start/Folders.h"
#include "start/NewGame.h"
#include "start/StartScreen.h"
#include "state/Errors.h"

namespace fs = std::filesystem;

namespace {

// Long enough for a project, a release and a save; short enough for thousands of runs a minute.
constexpr int MostWeeks = 12;
constexpr size_t MostActions = 400;

// The saves of the logs go to a folder of this process (no database: the world turns without
// competitor titles).
const TFolders& Folders() {
    static const TFolders folders = [] {
        std::error_code ignored;
        const fs::path base =
            fs::temp_directory_path(ignored) / ("quillon-fuzz-replay-" + std::to_string(getpid()));
        fs::create_directories(base, ignored);
        return FoldersAt(base.string());
    }();
    return folders;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TReplay replay;
    try {
        replay = ParseReplay(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const EDataFile&) {
        return 0;
    }
    TScriptedPlayer player;
    TGame game(player, 1u, Folders());
    PrepareNewGame(game, {replay.Player, replay.Company, replay.Difficulty});
    BeginGame(game);
    int weeks = 0;
    size_t applied = 0;
    for (const TLoggedAction& logged : replay.Actions) {
        if (weeks >= MostWeeks || applied++ >= MostActions || !player.ScoreSheets.empty()) break;
        const auto action = ParseAction(logged.Action);
        if (!action) __builtin_trap(); // the reader let through a line it cannot read back
        game.ReplayAnswers(logged.Answers);
        Apply(game, *action);
        weeks += std::holds_alternative<TEndOfWeekAction>(*action) ||
                 std::holds_alternative<TSaveAndEndTurn>(*action);
    }
    return 0;
}
