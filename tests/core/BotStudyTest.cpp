// The bot over eleven years: it studies and builds tools, asks for previews and ports its best
// game, and its studio knows more at the end than at the start.
#include <gtest/gtest.h>

#include <numeric>

#include "GameFixture.h"
#include "game/EndOfWeek.h"
#include "players/Bot.h"
#include "start/GameDatabase.h"
#include "start/StartScreen.h"

namespace {

int Sum(const TPlatformInts& levels) {
    return std::accumulate(levels.begin(), levels.end(), 0);
}

TEST(BotStudyTest, ElevenYearsOfStudyPreviewsAndPorts) {
    // The game "quillon-sim --seed 9 --bot" plays, competitors from the game database included.
    TScriptedPlayer player;
    TGame game(player, 9u, BuildFolders());
    ASSERT_TRUE(LoadGameDatabase(game));
    PrepareNewGame(game, {"Sim Player", "Sim Studios", 2});
    BeginGame(game);
    const auto& c = game.State.Company;
    const int knowledgeAtStart = Sum(c.PlatformKnowledge);
    int mostStaff = 0;
    while (player.ScoreSheets.empty()) {
        BotTakesTurn(game);
        mostStaff = std::max(mostStaff, c.StudyStaff + c.ToolStaff + c.AntiPiracyStaff + c.PortingStaff);
        EndOfWeek(game);
    }
    EXPECT_EQ(c.Year, 1994); // eleven years
    EXPECT_GE(mostStaff, 4);
    EXPECT_GE(game.State.Preview.Written, 1);
    EXPECT_GE(game.State.Development.PortsReleased, 1);
    EXPECT_GT(Sum(c.PlatformKnowledge), knowledgeAtStart + 100);
    EXPECT_GT(Sum(c.ToolProgress), 1000);
    EXPECT_GT(Sum(c.PortingMethods), 0);
    EXPECT_GT(Sum(c.AntiPiracy), 0);

    // A port is the same title on sale for a second platform; it started above the first
    // game's figure.
    int ports = 0;
    const TGameList& released = game.State.ReleasedGames;
    for (int i = 0; i < released.RealCount(); ++i) {
        const TGameEntry& port = released[i];
        if (!port.ByPlayer) continue;
        for (int j = 0; j < i; ++j) {
            const TGameEntry& first = released[j];
            if (!first.ByPlayer || first.Title.Str() != port.Title.Str()) continue;
            ++ports;
            EXPECT_GT(port.ReleaseScore, first.ReleaseScore) << port.Title.Str();
            break;
        }
    }
    EXPECT_GE(ports, 1);
}

} // namespace
