#pragma once
#include <gtest/gtest.h>

#include "shell/NewGame.h"
#include "shell/ScriptedPlayer.h"
#include "state/Game.h"

// A seeded new game played to its first week, with a recording player.
class GameFixture : public ::testing::Test {
protected:
    TScriptedPlayer Player;
    TGame Game{Player, 7u};
    TCompany& Company = Game.State.Company;

    void SetUp() override { StartNewGame(Game, {"Ada", "Pixel Forge", 2}); }

    void SetRandomValues(std::deque<int> values) {
        Game.SetRandom(std::make_unique<TScriptedRandom>(std::move(values)));
    }
};
