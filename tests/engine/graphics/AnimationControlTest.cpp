#include "engine/graphics/AnimationControl.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "platform/system/scripted/ScriptedSystem.h"

namespace ZorvaneEngine {
namespace {

// The frame step is set by hand: 0.125 s keeps every float sum exact.
class AnimationControlTest : public ::testing::Test {
protected:
    AnimationControlTest() { timers.frameStep = 0.125f; }
    ~AnimationControlTest() override { RandomSeed = savedSeed; }

    // Runs the control and lists the frame shown after each update, one
    // character per update; spaces in the expectation are for reading.
    std::string Run(AnimationControl& control, size_t updates)
    {
        std::string frames;
        for (size_t i = 0; i < updates; ++i) {
            control.Update();
            frames += static_cast<char>('0' + control.currentFrame);
        }
        return frames;
    }
    static std::string Compact(std::string text)
    {
        std::erase(text, ' ');
        return text;
    }

    const uint32_t savedSeed = RandomSeed.load();
    Platform::ScriptedSystem system;
    Platform::ScopedSystem scope{system};
    TimerManager timers;
};

TEST_F(AnimationControlTest, FramesOverTime)
{
    // The seed 0 draws 0, 21468, 9988, ...
    const float secondPause = 1.0f + 2.0f * 21468.0f / 32768.0f;
    const float thirdPause = 1.0f + 2.0f * 9988.0f / 32768.0f;
    struct Case {
        const char* name;
        uint32_t frameCount;
        std::function<void(AnimationControl&)> setUp;
        const char* frames;
        // After the last update:
        uint32_t next;
        bool playing;
        uint32_t loopsDone;
        float position;
        float pauseLeft;
    };
    const Case cases[] = {
        // 0.625 frames per update; the end freezes on the last frame.
        {"once", 10, [](AnimationControl& c) { c.speed = 5.0f; },
         "011233455667889 99", 0, false, 0, 9.0f, -2.125f},
        // One frame per update; wraps from 9 to 0, frame 9 never shows.
        {"endless", 10, [](AnimationControl& c) { c.speed = 8.0f; c.looping = true; },
         "12345678 012345678 012", 3, true, 2, 2.0f, -2.5f},
        // Three runs, then it rests on the first frame.
        {"three runs", 10,
         [](AnimationControl& c) { c.speed = 8.0f; c.looping = true; c.loopLimit = 3; },
         "12345678 012345678 012345678 0 00", 1, false, 2, 0.0f, -0.25f},
        // Each run waits a pause first; the end of a run draws the next.
        {"pauses", 4,
         [](AnimationControl& c) {
             c.speed = 8.0f;
             c.looping = true;
             c.pauseMinimum = 1.0f;
             c.pauseMaximum = 3.0f;
         },
         "0000000 12 0 000000000000000000 12 0", 1, true, 0, 0.0f, thirdPause},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RandomSeed = 0;
        AnimationControl control(c.frameCount, nullptr, &timers);
        c.setUp(control);
        control.Play();
        const std::string expected = Compact(c.frames);
        EXPECT_EQ(Run(control, expected.size()), expected);
        EXPECT_EQ(control.nextFrame, c.next);
        EXPECT_EQ(control.blend, 0.0f);
        EXPECT_EQ(control.playing, c.playing);
        EXPECT_EQ(control.loopsDone, c.loopsDone);
        EXPECT_EQ(control.position, c.position);
        EXPECT_EQ(control.pauseLeft, c.pauseLeft);
    }
    // The pause of the second run, seen just after it was drawn.
    RandomSeed = 0;
    AnimationControl control(4, nullptr, &timers);
    control.speed = 8.0f;
    control.looping = true;
    control.pauseMinimum = 1.0f;
    control.pauseMaximum = 3.0f;
    control.Play();
    EXPECT_EQ(control.pauseLeft, 1.0f);
    Run(control, 10);
    EXPECT_EQ(control.pauseLeft, secondPause);
}

TEST_F(AnimationControlTest, OutputsAtAPosition)
{
    // Not playing, so each update shows the position as it was set.
    struct Case {
        const char* name;
        std::function<void(AnimationControl&)> setUp;
        float position;
        uint32_t current, next;
        float blend;
        uint32_t loopsDone;
    };
    const Case cases[] = {
        {"between frames", [](AnimationControl& c) { c.looping = true; }, 8.5f, 8, 9, 0.5f, 0},
        {"wraps once", [](AnimationControl& c) { c.looping = true; }, 9.5f, 0, 1, 0.5f, 1},
        {"wraps three times", [](AnimationControl& c) { c.looping = true; }, 27.25f, 0, 1, 0.25f, 3},
        {"offset range",
         [](AnimationControl& c) {
             c.AddRange({4, 2, 5});
             c.currentRangeId = 4;
         },
         1.5f, 3, 4, 0.5f, 0},
        // Shows 9 − 2.25 = 6.75.
        {"backwards",
         [](AnimationControl& c) {
             c.AddRange({2, 9, 0});
             c.currentRangeId = 2;
         },
         2.25f, 6, 7, 0.75f, 0},
        {"backwards without interpolation",
         [](AnimationControl& c) {
             c.AddRange({2, 9, 0});
             c.currentRangeId = 2;
             c.interpolate = false;
         },
         2.25f, 6, 7, 0.0f, 0},
        // A backwards range ends on its low frame: full blend towards frame 0.
        {"backwards end",
         [](AnimationControl& c) {
             c.AddRange({2, 9, 0});
             c.currentRangeId = 2;
         },
         9.0f, 9, 0, 1.0f, 0},
        // A range reaching past the model's frames ends on its last frame.
        {"range past the frames",
         [](AnimationControl& c) {
             c.AddRange({3, 5, 20});
             c.currentRangeId = 3;
         },
         10.0f, 9, 5, 0.0f, 0},
        // An unknown range plays all frames.
        {"unknown range", [](AnimationControl& c) { c.currentRangeId = 7; }, 3.5f, 3, 4, 0.5f, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnimationControl control(10, nullptr, &timers);
        c.setUp(control);
        control.position = c.position;
        control.Update();
        EXPECT_EQ(control.currentFrame, c.current);
        EXPECT_EQ(control.nextFrame, c.next);
        EXPECT_EQ(control.blend, c.blend);
        EXPECT_EQ(control.loopsDone, c.loopsDone);
    }
}

TEST_F(AnimationControlTest, OneFrameRangesStayOnTheirFrame)
{
    // Looping with pauses or a run limit ends a run on every update; the
    // frame to blend towards must still be the range's only frame.
    struct Case {
        const char* name;
        uint32_t frameCount;
        AnimationRange range;
        uint32_t loopLimit;
        float pause;
    };
    const Case cases[] = {
        {"one-frame model, pauses", 1, {-1, 0, 0}, 0, 0.5f},
        {"one-frame model, limit", 1, {-1, 0, 0}, 1, 0.0f},
        {"last frame, pauses", 10, {5, 9, 9}, 0, 0.5f},
        {"last frame, limit", 10, {5, 9, 9}, 1, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RandomSeed = 0;
        AnimationControl control(c.frameCount, nullptr, &timers);
        control.AddRange(c.range);
        control.currentRangeId = c.range.id;
        control.speed = 8.0f;
        control.looping = true;
        control.loopLimit = c.loopLimit;
        control.pauseMinimum = control.pauseMaximum = c.pause;
        control.Play();
        for (int i = 0; i < 12; ++i) {
            control.Update();
            EXPECT_EQ(control.currentFrame, c.range.first);
            EXPECT_EQ(control.nextFrame, c.range.first);
        }
    }
}

TEST_F(AnimationControlTest, RangesAndCopies)
{
    AnimationControl control(10, nullptr, &timers);
    control.AddRange({1, 2, 6});
    control.AddRange({1, 7, 3});
    control.AddRange({-1, 3, 4});
    EXPECT_EQ(control.GetRanges().size(), 2u);
    EXPECT_EQ(control.GetRanges().at(1).first, 2u);
    EXPECT_EQ(control.GetRanges().at(1).last, 6u);
    EXPECT_EQ(control.GetRanges().at(-1).last, 9u);

    // A copy made in mid-run goes on exactly like the original, pauses and
    // ranges included.
    RandomSeed = 5;
    control.currentRangeId = 1;
    control.speed = 6.0f;
    control.looping = true;
    control.pauseMinimum = 0.25f;
    control.pauseMaximum = 0.5f;
    control.Play();
    Run(control, 7);
    AnimationControl copy(control);
    const uint32_t seed = RandomSeed;
    const std::string original = Run(control, 40);
    RandomSeed = seed;
    EXPECT_EQ(Run(copy, 40), original);
    EXPECT_EQ(copy.pauseLeft, control.pauseLeft);
    EXPECT_EQ(copy.position, control.position);
}

} // namespace
} // namespace ZorvaneEngine
