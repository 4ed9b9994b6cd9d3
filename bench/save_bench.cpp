// Saving and loading a late game (week 30 of 1993, with the full game database): the save as
// "Save game && end turn" writes it (members, archive beside the old one, sync, rename) and the
// load as "Load Saved Game" reads it (extract, parse, check, apply). Both should stay within
// 50 ms. The archive's size is printed with the figures.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "game/EndOfWeek.h"
#include "game/Game.h"
#include "game/NewGame.h"
#include "persist/LoadGame.h"
#include "persist/SaveGame.h"
#include "players/ScriptedPlayer.h"
#include "start/GameDatabase.h"
#include "start/NewGame.h"
#include "start/StartScreen.h"

namespace fs = std::filesystem;

namespace {

// One late game for all the runs, in a folder of its own.
struct TLateGame {
    TLateGame() {
        std::string pattern = (fs::temp_directory_path() / "quillon-save-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
        Folder = pattern + "/";
        Game = std::make_unique<TGame>(Player, 1993u, TFolders{QUILLON_BINARY_DIR "/", Folder});
        if (!LoadGameDatabase(*Game)) throw std::runtime_error("no game database in " QUILLON_BINARY_DIR);
        PrepareNewGame(*Game, {"Bench", "Bench Works", 2});
        BeginGame(*Game);
        auto& c = Game->State.Company;
        while (c.Year < 1993 || c.Week < 30) {
            c.Money = 5000000; // rich enough to see 1993
            EndOfWeek(*Game);
        }
        WriteSaveArchive(*Game, Game->Folders.SaveArchive());
        std::printf(
            "Late game, week %d of %d: %d released and %d announced titles; save archive %lld bytes\n",
            c.Week, c.Year, Game->State.ReleasedGames.RealCount(), Game->State.UpcomingGames.RealCount(),
            static_cast<long long>(fs::file_size(Game->Folders.SaveArchive())));
    }
    ~TLateGame() {
        std::error_code ignored;
        fs::remove_all(Folder, ignored);
    }

    TScriptedPlayer Player;
    std::string Folder;
    std::unique_ptr<TGame> Game;
};

TLateGame& Late() {
    static TLateGame late;
    return late;
}

void BM_SaveGame(benchmark::State& state) {
    TGame& game = *Late().Game;
    for (auto _ : state)
        WriteSaveArchive(game, game.Folders.SaveArchive());
    state.counters["archive_bytes"] = static_cast<double>(fs::file_size(game.Folders.SaveArchive()));
}

void BM_LoadGame(benchmark::State& state) {
    TGame& game = *Late().Game;
    for (auto _ : state) {
        const TOutcome loaded = LoadGame(game);
        if (!loaded.Done) state.SkipWithError(loaded.Message.c_str());
    }
}

// The parts of a load: reading and checking the archive, without putting it into the game.
void BM_ReadSavedGame(benchmark::State& state) {
    TGame& game = *Late().Game;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadSavedGame(game, game.Folders.SaveArchive()));
}

} // namespace

BENCHMARK(BM_SaveGame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadGame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadSavedGame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Late();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
