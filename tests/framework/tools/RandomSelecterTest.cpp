// Weighted choices drawn from the shared generator: where the draw's range
// splits between entries, how a repeat of the previous choice is drawn
// again, and weights that are all zero or very large.
#include "framework/tools/RandomSelecter.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "engine/core/Random.h"

namespace GameTools {
namespace {

using ZorvaneEngine::RandomSeed;

uint32_t NextSeed(uint32_t seed)
{
    return seed * 1103515245u + 12345u;
}

uint32_t SeedAfter(uint32_t seed, int draws)
{
    for (int i = 0; i < draws; ++i)
        seed = NextSeed(seed);
    return seed;
}

// The seed is shared by the whole program: each test restores it.
class RandomSelecterTest : public ::testing::Test {
protected:
    void SetUp() override { saved = RandomSeed.load(); }
    void TearDown() override { RandomSeed = saved; }
    uint32_t saved = 0;
};

TEST_F(RandomSelecterTest, TheDrawSplitsAtTheRunningSumOfWeights)
{
    // Weights 20 and 16: draws 0 to 20 choose the first entry, 21 to 36 the
    // second.
    const std::map<uint32_t, int32_t> expected = {{0, 100}, {20, 100}, {21, 200}, {36, 200}};
    for (const auto& [draw, value] : expected) {
        SCOPED_TRACE(draw);
        uint32_t seed = 0;
        while (((NextSeed(seed) >> 16) & 0x7FFF) % 37 != draw)
            ++seed;
        RandomSeed = seed;
        RandomSelecter selecter;
        selecter.AddEntry(100, 20);
        selecter.AddEntry(200, 16);
        EXPECT_EQ(selecter.Select(), value);
        EXPECT_EQ(RandomSeed.load(), NextSeed(seed));
    }
}

TEST_F(RandomSelecterTest, ARepeatOfThePreviousChoiceIsDrawnAgain)
{
    RandomSeed = 1;
    RandomSelecter selecter;
    selecter.AddEntry(100, 20);
    selecter.AddEntry(200, 16);
    // The draws from seed 1 are 3, 23, 12, then 14, 8 and 3 (the first
    // entry again) and 33.
    EXPECT_EQ(selecter.Select(), 100);
    EXPECT_EQ(selecter.Select(), 200);
    EXPECT_EQ(selecter.Select(), 100);
    EXPECT_EQ(selecter.Select(), 200);
    EXPECT_EQ(RandomSeed.load(), SeedAfter(1, 7));
    EXPECT_EQ(RandomSeed.load(), 3655513600u);
}

TEST_F(RandomSelecterTest, ALoneEntryStandsAfterAThousandDraws)
{
    RandomSeed = 42;
    RandomSelecter selecter;
    selecter.AddEntry(5, 1);
    EXPECT_EQ(selecter.Select(), 5);
    EXPECT_EQ(RandomSeed.load(), SeedAfter(42, 1));
    EXPECT_EQ(selecter.Select(), 5);
    EXPECT_EQ(RandomSeed.load(), SeedAfter(42, 1001));

    RandomSelecter empty;
    EXPECT_EQ(empty.Select(), 0);
    EXPECT_EQ(RandomSeed.load(), SeedAfter(42, 1001));
}

TEST_F(RandomSelecterTest, ZeroWeightsChooseUniformlyWithoutRepeats)
{
    RandomSeed = 7;
    RandomSelecter selecter;
    for (int32_t value : {1, 2, 3})
        selecter.AddEntry(value, 0);
    std::map<int32_t, int> counts;
    int32_t previous = 0;
    for (int i = 0; i < 300; ++i) {
        const int32_t value = selecter.Select();
        ASSERT_NE(value, previous) << "draw " << i;
        previous = value;
        ++counts[value];
    }
    ASSERT_EQ(counts.size(), 3u);
    for (const auto& [value, count] : counts)
        EXPECT_GT(count, 60) << value;
}

TEST_F(RandomSelecterTest, WeightedEntriesWinOverZeroWeightsAndLargeSumsDoNotWrap)
{
    struct Case {
        const char* name;
        std::vector<RandomSelecterEntry> entries;
        int32_t expected;  // every time
    };
    const Case cases[] = {
        // The draw of 0 goes to the first entry that has a weight.
        {"zero weight first", {{1, 0}, {2, 5}}, 2},
        // Weights summing to 2^32 - 1: the draw range is 2^32, not 0 (a
        // division by zero in 32 bits).
        {"sum at 32 bits", {{7, 0xFFFFFFFEu}, {8, 1}}, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RandomSeed = 3;
        RandomSelecter selecter;
        for (const RandomSelecterEntry& entry : c.entries)
            selecter.AddEntry(entry.value, entry.weight);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(selecter.Select(), c.expected);
    }
}

} // namespace
} // namespace GameTools
