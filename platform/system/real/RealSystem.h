#pragma once
// The system services of a Linux machine: CLOCK_MONOTONIC for every clock,
// std::thread, the registry store in text files (RegistryStore.h), xdg-open
// for the shell, and the XDG folders.
#include "platform/system/System.h"

namespace Platform {

class RealSystem final : public System {
public:
    // The machine's registry values come from "registry.ini" in the
    // executable's folder.
    RealSystem() = default;
    // ... or in machineRegistryFolder instead (for tests, which cannot write
    // beside their executable).
    explicit RealSystem(std::string machineRegistryFolder);

    uint32_t GetTickCount() override;
    uint32_t TimeGetTime() override;
    bool TimeGetDevCaps(uint32_t& minimumPeriod) override;
    void TimeBeginPeriod(uint32_t period) override;
    void TimeEndPeriod(uint32_t period) override;
    int64_t QueryPerformanceCounter() override;
    int64_t QueryPerformanceFrequency() override;
    void Sleep(uint32_t milliseconds) override;

    std::unique_ptr<Thread> CreateThread(std::function<void()> function) override;

    bool RegQueryString(RegistryRoot root, const std::string& key,
                        const std::string& valueName, std::string& value) override;

    HRESULT CoInitialize() override;
    void CoUninitialize() override;

    // Starts "xdg-open path" without waiting for it.
    bool ShellOpen(const std::string& path) override;

    std::string GetModuleFileName() override;
    std::string GetAppDataFolder() override;

private:
    std::string machineRegistryFolder_;
};

} // namespace Platform
