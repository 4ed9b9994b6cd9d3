#include <array>
#include <gtest/gtest.h>

#include "state/Random.h"

namespace {

// The generator is our own code, so a seed gives these draws with any compiler or library.
TEST(RandomTest, AFixedSeedGivesTheSameDrawsEverywhere) {
    TRandom random(42);
    const int expected[] = {79, 81, 82, 56, 81, 45};
    for (int value : expected)
        EXPECT_EQ(random.Random(100), value);
    TRandom wide(42);
    EXPECT_EQ(wide.Random(1000000), 794731);
    EXPECT_EQ(wide.Random(1000000), 816926);
    EXPECT_EQ(wide.Random(1000000), 824375);
    EXPECT_EQ(wide.Next(), 2418394718u);
}

TEST(RandomTest, DrawsStayInRangeAndSpreadEvenly) {
    TRandom random(7);
    for (int bound : {0, -3, 1})
        EXPECT_EQ(random.Random(bound), 0) << bound;
    std::array<int, 6> counts{};
    const int draws = 60000;
    for (int i = 0; i < draws; ++i) {
        const int value = random.Random(6);
        ASSERT_GE(value, 0);
        ASSERT_LT(value, 6);
        ++counts[static_cast<size_t>(value)];
    }
    for (int count : counts)
        EXPECT_NEAR(count, draws / 6, 500);
    // A bound near the top of the range, where a plain modulo would favour low values.
    const int big = 3 * (1 << 29);
    int low = 0;
    for (int i = 0; i < 30000; ++i)
        low += random.Random(big) < big / 2;
    EXPECT_NEAR(low, 15000, 600);
}

TEST(RandomTest, ReseedingASeededGameMovesOnInsteadOfStartingOver) {
    TRandom a(42), b(42);
    for (int i = 0; i < 5; ++i)
        a.Random(1000);
    a.ReseedFromClock();
    b.ReseedFromClock();
    // The same seed reseeds the same way...
    EXPECT_EQ(a.Random(1000000), [&] {
        TRandom c(42);
        for (int i = 0; i < 5; ++i)
            c.Random(1000);
        c.ReseedFromClock();
        return c.Random(1000000);
    }());
    // ...and never back to the start of its sequence.
    TRandom fresh(42);
    EXPECT_NE(b.Random(1000000), fresh.Random(1000000));
    EXPECT_TRUE(a.IsFixed());
}

TEST(RandomTest, ScriptedDrawsComeFirstAndStayInRange) {
    TScriptedRandom random({5, -1, 17});
    EXPECT_EQ(random.Random(10), 5);
    EXPECT_EQ(random.Random(10), 9);
    EXPECT_EQ(random.Random(10), 7);
    const int fallback = random.Random(10);
    EXPECT_GE(fallback, 0);
    EXPECT_LT(fallback, 10);
    EXPECT_EQ(random.Calls, 4);
}

} // namespace
