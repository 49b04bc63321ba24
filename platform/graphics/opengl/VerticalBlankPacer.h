#pragma once
// How a present that must wait for the vertical blank gets its wait.
//
// The GL swap interval paces only where the driver honours it: SDL's
// offscreen driver and Xvfb accept it and swap at once, and a frame loop
// relying on them spins on every core. So until a driver is known to ignore
// the swap interval, waiting presents hand the wait to the swap and the time
// between them is watched; once swaps come clearly faster than the refresh
// rate allows, our own clock at the refresh rate takes over for good and the
// swap is no longer asked to wait. Exactly one of the two waits for any
// present: never both, which could halve the frame rate. A present that
// shows nothing new skips the swap and waits on our clock.
#include <chrono>
#include <cstdint>
#include <functional>

namespace Platform {

class VerticalBlankPacer {
public:
    using Clock = std::chrono::steady_clock;
    // Where the time comes from and how to sleep; tests hand in their own.
    struct Time {
        std::function<Clock::time_point()> now;
        std::function<void(Clock::time_point)> sleepUntil;
    };
    static Time RealTime();

    explicit VerticalBlankPacer(Time time = RealTime());

    // The display's refresh rate in hertz; 0 (unknown) counts as 60. A new
    // rate starts the watch over.
    void SetRefreshRate(uint32_t hertz);
    Clock::duration Period() const { return period_; }

    // The swap interval is known to have no effect (a headless driver, or the
    // driver refused to set it): from now on our clock waits.
    void DriverIgnoresSwapInterval() { driverPaces_ = false; }
    // True while a waiting present should ask the swap to wait (swap
    // interval 1) instead of waiting on our clock.
    bool DriverPaces() const { return driverPaces_; }

    // Blocks until the next blank of our clock: one period after the last
    // blank (ours, or the return of a swap the driver paced). A frame that
    // comes later than that is let through at once and the blanks go on
    // from it, so one slow frame does not cost a further period.
    void WaitForBlank();
    // After every present; waited tells whether the swap was asked to wait.
    void Presented(bool waited);

    // Swaps skipped after the watch starts: a driver that queues frames
    // lets the first few through at once.
    static constexpr int kWarmUpSwaps = 3;
    // Swaps per verdict; a verdict of "paced" starts another watch.
    static constexpr int kWatchedSwaps = 20;

private:
    void RestartWatch();

    Time time_;
    Clock::duration period_;
    bool driverPaces_ = true;

    bool hasBlank_ = false;
    Clock::time_point lastBlank_;

    bool watching_ = false;
    Clock::time_point lastSwap_;
    int warmUpLeft_ = 0;
    int watched_ = 0;
    Clock::duration watchedTime_{};
};

} // namespace Platform
