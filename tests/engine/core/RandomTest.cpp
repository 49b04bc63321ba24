#include "engine/core/Random.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace ZorvaneEngine {
namespace {

// The seed is shared by the whole program: each test restores it.
class RandomTest : public ::testing::Test {
protected:
    void SetUp() override { saved = RandomSeed.load(); }
    void TearDown() override { RandomSeed = saved; }
    uint32_t saved = 0;
};

TEST_F(RandomTest, SequencesFromKnownSeeds)
{
    struct Case {
        uint32_t seed;
        std::function<uint32_t()> draw;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {0, [] { return RandomInt(32768); }, {0, 21468, 9988, 22117, 3498}},
        {1, [] { return RandomInt(32768); }, {16838, 5758, 10113, 17515, 31051}},
        {1, [] { return RandomInt(10); }, {8, 8, 3, 5, 1}},
        {1, [] { return RandomIntRange(5, 9); }, {8, 8, 8, 5, 6}},
        {1, [] { return RandomIntRange(5, 5); }, {5, 5, 5, 5, 5}},
        {1, [] { return RandomValue(); }, {16838, 5758, 10113, 17515, 31051}},
    };
    for (const Case& c : cases) {
        RandomSeed = c.seed;
        std::vector<uint32_t> drawn;
        for (size_t i = 0; i < c.expected.size(); ++i) drawn.push_back(c.draw());
        EXPECT_EQ(drawn, c.expected) << "seed " << c.seed;
    }

    RandomSeed = 0;
    RandomInt(32768);
    EXPECT_EQ(RandomSeed.load(), 12345u);
}

TEST_F(RandomTest, FloatDrawsShareTheSequence)
{
    RandomSeed = 1;
    EXPECT_EQ(RandomFloat(), 0.51385498046875f);  // 16838 / 32768
    RandomSeed = 1;
    EXPECT_FLOAT_EQ(RandomFloatRange(2.0f, 4.0f), 2.0f + 2.0f * 0.51385498046875f);
    RandomSeed = 1;
    EXPECT_FLOAT_EQ(RandomSpread(10.0f, 4.0f), 10.0f + (2.0f * 0.51385498046875f - 1.0f) * 4.0f);
    // Each of them advanced the seed exactly once.
    EXPECT_EQ(RandomValue(), 5758u);
}

TEST_F(RandomTest, DegenerateRangesDoNotCrash)
{
    RandomSeed = 1;
    EXPECT_EQ(RandomInt(0), 0u);
    EXPECT_EQ(RandomIntRange(0, 0xFFFFFFFFu), 5758u);
}

} // namespace
} // namespace ZorvaneEngine
