#include "engine/core/Timer.h"

#include "platform/system/System.h"

namespace ZorvaneEngine {

Timer::Timer(bool highResolution) : highResolution(highResolution) {
    if (highResolution) {
        frequency = Platform::GetSystem().QueryPerformanceFrequency();
        // A counter without a frequency cannot be turned into seconds.
        if (frequency <= 0)
            this->highResolution = false;
    }
    SetTime(0.0f);
}

void Timer::SetTime(float seconds) {
    paused = false;
    Platform::System& system = Platform::GetSystem();
    if (highResolution) {
        start = system.QueryPerformanceCounter() -
                static_cast<int64_t>(static_cast<double>(seconds) * static_cast<double>(frequency));
    } else {
        // Through a signed 64-bit value: a negative time must wrap, and a
        // negative float converted straight to unsigned is undefined.
        const int64_t milliseconds = static_cast<int64_t>(static_cast<double>(seconds) * 1000.0);
        startMs = system.TimeGetTime() - static_cast<uint32_t>(milliseconds);
    }
}

void Timer::SetPaused(bool pause) {
    if (pause == paused)
        return;
    Platform::System& system = Platform::GetSystem();
    if (highResolution) {
        if (pause)
            pauseInstant = system.QueryPerformanceCounter();
        else
            start += system.QueryPerformanceCounter() - pauseInstant;
    } else {
        if (pause)
            pauseInstantMs = system.TimeGetTime();
        else
            startMs += system.TimeGetTime() - pauseInstantMs;
    }
    paused = pause;
}

double Timer::GetTimeExact() const {
    Platform::System& system = Platform::GetSystem();
    if (highResolution) {
        const int64_t reference = paused ? pauseInstant : system.QueryPerformanceCounter();
        return static_cast<double>(reference - start) / static_cast<double>(frequency);
    }
    const uint32_t reference = paused ? pauseInstantMs : system.TimeGetTime();
    const uint32_t elapsed = reference - startMs;  // wrap-safe
    return static_cast<double>(elapsed) * 0.001;
}

float Timer::GetTime() const {
    return static_cast<float>(GetTimeExact());
}

} // namespace ZorvaneEngine
