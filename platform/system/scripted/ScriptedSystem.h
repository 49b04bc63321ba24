#pragma once
// A System for tests: a clock that moves only when told to, registry values,
// folders and results set by the test, and a journal of every call in order
// ("Sleep 100", "RegQueryString CurrentUser SOFTWARE\A\B Version"). Threads are
// real unless creation is set to fail.
#include "platform/system/System.h"

#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

namespace Platform {

class ScriptedSystem final : public System {
public:
    // Performance-counter ticks per second: microseconds, so that the counter
    // and the millisecond clocks always agree exactly.
    static constexpr int64_t kPerformanceFrequency = 1'000'000;

    // The clock in milliseconds. GetTickCount and TimeGetTime return its low
    // 32 bits, so a test can start it just before the wrap.
    void SetTime(uint64_t milliseconds);
    void Advance(uint64_t milliseconds);
    uint64_t Time() const;

    // Values RegQueryString finds; names are compared ignoring case.
    void SetRegistryValue(RegistryRoot root, const std::string& key, const std::string& valueName,
                          const std::string& value);

    // Scripted results. Set them before the code under test runs.
    bool failThreadCreation = false;
    bool timeDevCapsAvailable = true;
    uint32_t minimumTimerPeriod = 1;
    HRESULT coInitializeResult = S_OK;
    bool shellOpenResult = true;
    std::string moduleFileName = "/opt/tangrove/tangrove";
    std::string appDataFolder;

    // Every call, in order. Calls from worker threads land here too, so read
    // it once those threads have been joined.
    std::vector<std::string> journal;

    uint32_t GetTickCount() override;
    uint32_t TimeGetTime() override;
    bool TimeGetDevCaps(uint32_t& minimumPeriod) override;
    void TimeBeginPeriod(uint32_t period) override;
    void TimeEndPeriod(uint32_t period) override;
    int64_t QueryPerformanceCounter() override;
    int64_t QueryPerformanceFrequency() override;
    // Moves the clock forward instead of waiting.
    void Sleep(uint32_t milliseconds) override;

    std::unique_ptr<Thread> CreateThread(std::function<void()> function) override;

    bool RegQueryString(RegistryRoot root, const std::string& key,
                        const std::string& valueName, std::string& value) override;

    HRESULT CoInitialize() override;
    void CoUninitialize() override;
    bool ShellOpen(const std::string& path) override;
    std::string GetModuleFileName() override;
    std::string GetAppDataFolder() override;

private:
    void Record(std::string call);

    mutable std::mutex mutex_;
    uint64_t time_ = 0;
    std::map<std::tuple<RegistryRoot, std::string, std::string>, std::string> registry_;
};

} // namespace Platform
