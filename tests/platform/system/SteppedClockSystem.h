#pragma once
// The real system with a clock of the test's own, for tests that run the
// engine or the game on the real drivers: the clock stands still until the
// test moves it on, by a fixed step a frame (three frames of a 60 Hz
// display), so a run plays the same frames on every machine, however slow
// or busy. Threads, sleeping, the registry and the folders are the real
// ones: a loading screen polling its worker thread sleeps for real between
// polls, and waits for the thread, not for the clock.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/system/scripted/ScriptedSystem.h"
#include "platform/system/System.h"

namespace TestSupport {

class SteppedClockSystem final : public Platform::System {
public:
    static constexpr int64_t FrameStepUs = 50000;
    // An hour in, so that nothing mistakes the start for an unset time.
    static constexpr int64_t StartUs = 3600LL * 1000000;

    explicit SteppedClockSystem(Platform::System& real) : real(real) {}

    // One frame's time on.
    void Step() { nowUs += FrameStepUs; }

    uint32_t GetTickCount() override { return static_cast<uint32_t>(nowUs / 1000); }
    uint32_t TimeGetTime() override { return static_cast<uint32_t>(nowUs / 1000); }
    bool TimeGetDevCaps(uint32_t& period) override { return real.TimeGetDevCaps(period); }
    void TimeBeginPeriod(uint32_t period) override { real.TimeBeginPeriod(period); }
    void TimeEndPeriod(uint32_t period) override { real.TimeEndPeriod(period); }
    // Microseconds, so that the counter and the millisecond clocks agree.
    int64_t QueryPerformanceCounter() override { return nowUs; }
    int64_t QueryPerformanceFrequency() override { return 1000000; }
    void Sleep(uint32_t ms) override { real.Sleep(ms); }
    std::unique_ptr<Platform::Thread> CreateThread(std::function<void()> function) override
    {
        return real.CreateThread(std::move(function));
    }
    bool RegQueryString(Platform::RegistryRoot root, const std::string& key, const std::string& name,
                        std::string& value) override
    {
        return real.RegQueryString(root, key, name, value);
    }
    Platform::HRESULT CoInitialize() override { return real.CoInitialize(); }
    void CoUninitialize() override { real.CoUninitialize(); }
    bool ShellOpen(const std::string& path) override { return real.ShellOpen(path); }
    std::string GetModuleFileName() override { return real.GetModuleFileName(); }
    std::string GetAppDataFolder() override { return real.GetAppDataFolder(); }

private:
    Platform::System& real;
    // Read by loading threads as well.
    std::atomic<int64_t> nowUs{StartUs};
};

// The clock installed as the system for a test's lifetime; construct it
// before the engine, which reads the clock from its start.
struct SteppedClock {
    SteppedClockSystem system{Platform::GetSystem()};
    Platform::ScopedSystem installed{system};

    void Step() { system.Step(); }
};

} // namespace TestSupport
