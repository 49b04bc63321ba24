// The pacer on a clock of the test's own: where our clock's blanks fall,
// and when it decides that the driver's swap interval does not pace.
#include "platform/graphics/opengl/VerticalBlankPacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace Platform {
namespace {

using Clock = VerticalBlankPacer::Clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;

// Time moves only when the test says so, or when the pacer sleeps.
struct FakeTime {
    Clock::time_point now{std::chrono::hours(1)};
    std::vector<Clock::time_point> sleeps;

    VerticalBlankPacer::Time Time()
    {
        return {[this] { return now; },
                [this](Clock::time_point until) {
                    sleeps.push_back(until);
                    if (until > now) now = until;
                }};
    }
};

TEST(VerticalBlankPacer, OurClockKeepsFramesAPeriodApartAndLetsALateOneThrough)
{
    struct Step {
        microseconds work;          // before the wait
        microseconds expectedWait;  // from the end of the work to the blank
    };
    // 60 Hz: 16666.67 us a period.
    const Step steps[] = {
        // The first blank is now.
        {microseconds(0), microseconds(0)},
        {microseconds(5000), microseconds(11666)},
        // A frame longer than a period goes through at once, and the next
        // blank is a period after it.
        {microseconds(20000), microseconds(0)},
        {microseconds(1000), microseconds(15666)},
        {microseconds(16000), microseconds(666)},
    };
    FakeTime time;
    VerticalBlankPacer pacer(time.Time());
    pacer.SetRefreshRate(0);
    for (const Step& step : steps) {
        time.now += step.work;
        const Clock::time_point before = time.now;
        pacer.WaitForBlank();
        EXPECT_EQ(std::chrono::duration_cast<microseconds>(time.now - before).count(),
                  step.expectedWait.count())
            << "after " << step.work.count() << " us of work";
    }

    // A swap the driver paced is a blank too: a frame showing nothing new
    // after it waits on our clock for the one after.
    time.now += microseconds(3000);
    pacer.Presented(true);
    time.now += microseconds(2000);
    const Clock::time_point before = time.now;
    pacer.WaitForBlank();
    EXPECT_EQ(std::chrono::duration_cast<microseconds>(time.now - before).count(), 14666);
}

TEST(VerticalBlankPacer, TheRefreshRateSetsThePeriod)
{
    const std::pair<uint32_t, int64_t> rates[] = {{0, 16666666}, {60, 16666666}, {75, 13333333},
                                                  {144, 6944444}};
    for (const auto& [hertz, nanoseconds] : rates) {
        FakeTime time;
        VerticalBlankPacer pacer(time.Time());
        pacer.SetRefreshRate(hertz);
        EXPECT_EQ(std::chrono::duration_cast<std::chrono::nanoseconds>(pacer.Period()).count(), nanoseconds)
            << hertz << " Hz";
        const Clock::time_point start = time.now;
        for (int i = 0; i < 4; ++i) pacer.WaitForBlank();
        EXPECT_EQ(time.now - start, 3 * pacer.Period()) << hertz << " Hz";
    }
}

// Swaps asked to wait, each `gap` after the one before.
void Swaps(FakeTime& time, VerticalBlankPacer& pacer, int count, microseconds gap)
{
    for (int i = 0; i < count; ++i) {
        time.now += gap;
        pacer.Presented(true);
    }
}

TEST(VerticalBlankPacer, SwapsFasterThanTheDisplayHandTheWaitToOurClock)
{
    constexpr int kVerdict = 1 + VerticalBlankPacer::kWarmUpSwaps + VerticalBlankPacer::kWatchedSwaps;
    struct Case {
        const char* name;
        microseconds gap;
        int swaps;
        bool paces;
    };
    const Case cases[] = {
        // Xvfb: the swap returns at once, frames come every 2 ms.
        {"swaps at once", microseconds(2000), kVerdict, false},
        {"not yet a verdict", microseconds(2000), kVerdict - 1, true},
        // A display that paces: one swap per blank, for many verdicts.
        {"one swap per blank", microseconds(16667), 10 * kVerdict, true},
        // A loop slower than the display says nothing against the driver.
        {"slow frames", microseconds(40000), 10 * kVerdict, true},
        // Just over three quarters of a period still counts as paced.
        {"a rate reported low", microseconds(12600), 10 * kVerdict, true},
        {"two thirds of a period", microseconds(11111), kVerdict, false},
    };
    for (const Case& c : cases) {
        FakeTime time;
        VerticalBlankPacer pacer(time.Time());
        pacer.SetRefreshRate(60);
        Swaps(time, pacer, c.swaps, c.gap);
        EXPECT_EQ(pacer.DriverPaces(), c.paces) << c.name;
        EXPECT_TRUE(time.sleeps.empty()) << c.name << ": watching never waits";
    }
}

TEST(VerticalBlankPacer, OnlyBackToBackWaitingSwapsAreWatched)
{
    FakeTime time;
    VerticalBlankPacer pacer(time.Time());
    pacer.SetRefreshRate(60);

    // A driver that queues frames lets a few through at once after a pause
    // (a loading screen, say); the pause itself is a long gap.
    for (int round = 0; round < 10; ++round) {
        time.now += milliseconds(2000);
        pacer.Presented(true);
        Swaps(time, pacer, 3, microseconds(100));
        Swaps(time, pacer, 30, microseconds(16667));
    }
    EXPECT_TRUE(pacer.DriverPaces());

    // Unpaced presents in between (v_vsync 0) break the run: fast swaps
    // never add up to a verdict when each run is shorter than one.
    for (int round = 0; round < 10; ++round) {
        Swaps(time, pacer, VerticalBlankPacer::kWatchedSwaps, microseconds(1000));
        pacer.Presented(false);
    }
    EXPECT_TRUE(pacer.DriverPaces());

    // A new refresh rate starts the watch over as well.
    Swaps(time, pacer, VerticalBlankPacer::kWatchedSwaps, microseconds(1000));
    pacer.SetRefreshRate(75);
    Swaps(time, pacer, VerticalBlankPacer::kWatchedSwaps, microseconds(1000));
    EXPECT_TRUE(pacer.DriverPaces());

    // Known to ignore the swap interval: decided at once and for good.
    pacer.DriverIgnoresSwapInterval();
    EXPECT_FALSE(pacer.DriverPaces());
    Swaps(time, pacer, 100, microseconds(16667));
    EXPECT_FALSE(pacer.DriverPaces());
}

} // namespace
} // namespace Platform
