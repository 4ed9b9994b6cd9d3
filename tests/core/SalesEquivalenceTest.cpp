// Our weekly sales step uses a rival index and a sorted chart; the naive reference walks every
// pair. On a seeded game with the full database they must give the same titles and places.
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "NaiveSales.h"

TEST(SalesEquivalenceTest, FastStepMatchesTheNaiveReference) {
    TRichWorld world(11u, 1989);
    TGame& game = world.Game;
    const TGameList start = game.State.ReleasedGames;
    ASSERT_GT(start.RealCount(), 100);
    for (unsigned round = 0; round < 5; ++round) {
        game.State.ReleasedGames = start;
        game.SetRandom(std::make_unique<TRandom>(round));
        SellGames(game);
        BuildSalesChart(game);
        const TGameList ours = game.State.ReleasedGames;

        game.State.ReleasedGames = start;
        game.SetRandom(std::make_unique<TRandom>(round));
        naive::NaiveSellGames(game);
        const std::vector<int> positions = naive::NaiveChartPositions(game.State.ReleasedGames);

        EXPECT_TRUE(naive::SameEntries(ours, game.State.ReleasedGames)) << "round " << round;
        int charted = 0;
        for (int i = 0; i < ours.RealCount(); ++i) {
            const int expected =
                positions[static_cast<size_t>(i)] <= 150 ? positions[static_cast<size_t>(i)] : 0;
            EXPECT_EQ(ours[i].LastChartPos, expected) << ours[i].Title.Str() << " in round " << round;
            charted += expected > 0;
        }
        EXPECT_GT(charted, 30); // enough titles on sale that the chart order is really tested
    }
}
