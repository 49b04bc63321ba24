#include "engine/gui/SliderTrack.h"

#include <gtest/gtest.h>

#include <vector>

namespace ZorvaneEngine {
namespace {

TEST(SliderTrackTest, DraggedThumbLandsOnTheNearestStep)
{
    // Slider at x 100, track from 0 to 200, thumb 20 wide, 11 steps: the
    // thumb's centre is over the track start plus 10.
    const struct {
        float cursor;
        bool reversed;
        uint32_t step;
    } cases[] = {
        {110.0f, false, 0},  {119.9f, false, 0}, {120.0f, false, 1},  // 0.5 rounds up
        {210.0f, false, 5},  {310.0f, false, 10}, {400.0f, false, 10},
        {-50.0f, false, 0},  {310.0f, true, 0},   {110.0f, true, 10},
        {130.0f, true, 9},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SliderStepAt(c.cursor, 100.0f, 0.0f, 200.0f, 20.0f, 11, c.reversed), c.step)
            << "cursor " << c.cursor << " reversed " << c.reversed;
    }
}

TEST(SliderTrackTest, DegenerateTracksAndStepCountsStayInRange)
{
    // A zero-length track divides by one unit.
    EXPECT_EQ(SliderStepAt(100.5f, 100.0f, 0.0f, 0.0f, 0.0f, 3, false), 1u);
    EXPECT_EQ(SliderStepAt(500.0f, 100.0f, 0.0f, 0.0f, 0.0f, 3, false), 2u);
    EXPECT_EQ(SliderStepAt(500.0f, 0.0f, 0.0f, 100.0f, 0.0f, 1, false), 0u);
    EXPECT_EQ(SliderStepAt(500.0f, 0.0f, 0.0f, 100.0f, 0.0f, 0, false), 0u);
    EXPECT_EQ(SliderTrackFraction(0, 1, false), 0.0f);
}

TEST(SliderTrackTest, ThumbIsDrawnAlongTheTrackByPosition)
{
    EXPECT_FLOAT_EQ(SliderTrackFraction(0, 11, false), 0.0f);
    EXPECT_FLOAT_EQ(SliderTrackFraction(5, 11, false), 0.5f);
    EXPECT_FLOAT_EQ(SliderTrackFraction(1, 4, false), 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(SliderTrackFraction(10, 11, true), 0.0f);
    EXPECT_FLOAT_EQ(SliderTrackFraction(0, 11, true), 1.0f);
}

TEST(SliderTrackTest, HeldArrowStepsAtOnceThenEveryRepeatPeriod)
{
    ArrowRepeat repeat;
    std::vector<int> stepFrames;
    for (int frame = 1; frame <= 25; ++frame) {
        const uint32_t due = repeat.Advance(0.02f);
        EXPECT_LE(due, 1u);
        if (due != 0) stepFrames.push_back(frame);
    }
    EXPECT_EQ(stepFrames, (std::vector<int>{1, 8, 16, 23}));

    // A long frame catches up with every period it spans.
    ArrowRepeat slow;
    EXPECT_EQ(slow.Advance(0.5f), 4u);
}

TEST(SliderTrackTest, ArrowStepsNeverLeaveTheRange)
{
    EXPECT_EQ(StepUp(3, 1, 5), 4u);
    EXPECT_EQ(StepUp(4, 1, 5), 4u);
    EXPECT_EQ(StepUp(2, 10, 5), 4u);
    EXPECT_EQ(StepUp(0xFFFFFFFFu, 1, 5), 4u);
    EXPECT_EQ(StepDown(3, 1, 5), 2u);
    EXPECT_EQ(StepDown(0, 1, 5), 0u);
    EXPECT_EQ(StepDown(2, 10, 5), 0u);
    EXPECT_EQ(StepDown(9, 1, 5), 4u);  // a position beyond the range comes back
}

} // namespace
} // namespace ZorvaneEngine
