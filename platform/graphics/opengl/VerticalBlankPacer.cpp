#include "platform/graphics/opengl/VerticalBlankPacer.h"

#include <thread>

namespace Platform {

namespace {

constexpr uint32_t kDefaultRefreshRate = 60;

VerticalBlankPacer::Clock::duration PeriodOf(uint32_t hertz)
{
    using namespace std::chrono;
    return duration_cast<VerticalBlankPacer::Clock::duration>(nanoseconds(1000000000) /
                                                              (hertz != 0 ? hertz : kDefaultRefreshRate));
}

} // namespace

VerticalBlankPacer::Time VerticalBlankPacer::RealTime()
{
    return {[] { return Clock::now(); }, [](Clock::time_point until) { std::this_thread::sleep_until(until); }};
}

VerticalBlankPacer::VerticalBlankPacer(Time time) : time_(std::move(time)), period_(PeriodOf(0)) {}

void VerticalBlankPacer::SetRefreshRate(uint32_t hertz)
{
    const Clock::duration period = PeriodOf(hertz);
    if (period == period_) {
        return;
    }
    period_ = period;
    RestartWatch();
}

void VerticalBlankPacer::WaitForBlank()
{
    const Clock::time_point now = time_.now();
    Clock::time_point blank = hasBlank_ ? lastBlank_ + period_ : now;
    if (blank < now) {
        blank = now;
    }
    lastBlank_ = blank;
    hasBlank_ = true;
    time_.sleepUntil(blank);
}

void VerticalBlankPacer::Presented(bool waited)
{
    if (!driverPaces_) {
        return;
    }
    // Only back-to-back waiting swaps say anything about the driver.
    if (!waited) {
        RestartWatch();
        return;
    }
    const Clock::time_point now = time_.now();
    // The swap returned at a blank of the display: our clock goes on from
    // it when it has to wait for a frame that shows nothing new.
    lastBlank_ = now;
    hasBlank_ = true;
    if (!watching_) {
        watching_ = true;
        lastSwap_ = now;
        warmUpLeft_ = kWarmUpSwaps;
        return;
    }
    const Clock::duration gap = now - lastSwap_;
    lastSwap_ = now;
    if (warmUpLeft_ > 0) {
        --warmUpLeft_;
        return;
    }
    watchedTime_ += gap;
    if (++watched_ < kWatchedSwaps) {
        return;
    }
    // A pacing driver cannot average less than a period per swap; a quarter
    // less leaves room for a refresh rate reported a little low.
    if (watchedTime_ * 4 < period_ * (3 * kWatchedSwaps)) {
        driverPaces_ = false;
    }
    watched_ = 0;
    watchedTime_ = Clock::duration::zero();
}

void VerticalBlankPacer::RestartWatch()
{
    watching_ = false;
    watched_ = 0;
    watchedTime_ = Clock::duration::zero();
}

} // namespace Platform
