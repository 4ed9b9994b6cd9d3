#pragma once
#include <gtest/gtest.h>

#include <stdexcept>

#include "game/Actions.h"
#include "game/EndOfWeek.h"
#include "game/Game.h"
#include "game/NewGame.h"
#include "players/ScriptedPlayer.h"
#include "start/GameDatabase.h"
#include "start/NewGame.h"
#include "start/StartScreen.h"

// The program folder of the tests: the build folder, where Database.pck is packed.
inline TFolders BuildFolders() {
    return {QUILLON_BINARY_DIR "/", QUILLON_BINARY_DIR "/"};
}

// A seeded game with the full game database and competitors, its studio kept rich enough to
// last, played to the first week of a year: the world of the long-run tests.
class TRichWorld {
public:
    TScriptedPlayer Player;
    TGame Game;
    TRichWorld(unsigned seed, int year) : Game(Player, seed, BuildFolders()) {
        if (!LoadGameDatabase(Game)) throw std::runtime_error("no game database in the build folder");
        PrepareNewGame(Game, {"Sim Player", "Sim Studios", 2});
        BeginGame(Game);
        while (Game.State.Company.Year < year) {
            Game.State.Company.Money = 5000000;
            EndOfWeek(Game);
        }
    }
};

// A seeded new game played to its first week, with a recording player.
class GameFixture : public ::testing::Test {
protected:
    TScriptedPlayer Player;
    TGame Game{Player, 7u, BuildFolders()};
    TCompany& Company = Game.State.Company;

    void SetUp() override { StartNewGame(Game, {"Ada", "Pixel Forge", 2}); }

    void SetRandomValues(std::deque<int> values) {
        Game.SetRandom(std::make_unique<TScriptedRandom>(std::move(values)));
    }
};

// The player's gestures on the panels, each one action of the game. True when it was done.
inline bool Hire(TGame& game, TManagerKind kind, int row) {
    return Apply(game, THireManager{.Kind = kind, .Row = row}).Done;
}
inline bool StepAssistants(TGame& game, TAssistantKind kind, int step) {
    return Apply(game, TSetAssistants{.Kind = kind, .Count = AssistantCount(game, kind) + step}).Done;
}
inline bool StepExtraOffices(TGame& game, int step) {
    return Apply(game, TSetExtraOffices{.Count = game.State.Company.ExtraOffices + step}).Done;
}
inline void ChooseBuilding(TGame& game, int building) {
    Apply(game, TMoveOffice{.Building = building});
}
