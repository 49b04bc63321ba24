#pragma once
// A pausable clock reporting elapsed seconds, on the millisecond clock
// (timeGetTime) or on the performance counter. Timers handed to a
// TimerManager belong to it: give them back with TimerManager::DeleteTimer,
// never delete them yourself.
#include <cstdint>

namespace ZorvaneEngine {

class Timer {
public:
    // Starts running at 0 seconds. A high-resolution timer reads the
    // performance counter; the others the 32-bit millisecond clock.
    explicit Timer(bool highResolution);
    virtual ~Timer() = default;

    // The elapsed time becomes the given seconds and the timer runs.
    void SetTime(float seconds);
    // Pausing freezes the elapsed time; resuming continues from it, so time
    // spent paused is not counted. No effect when already in that state.
    void SetPaused(bool paused);
    float GetTime() const;

    bool IsPaused() const { return paused; }
    bool IsHighResolution() const { return highResolution; }

private:
    friend class TimerManager;
    // GetTime before the rounding to float: the frame step is a difference
    // of two readings hours into a run, where a float keeps only milliseconds.
    double GetTimeExact() const;

    bool highResolution;
    bool paused = false;
    int64_t frequency = 0;       // performance-counter ticks per second
    int64_t start = 0;           // counter value at elapsed time 0
    int64_t pauseInstant = 0;
    uint32_t startMs = 0;        // millisecond clock; differences wrap mod 2^32
    uint32_t pauseInstantMs = 0;
};

} // namespace ZorvaneEngine
