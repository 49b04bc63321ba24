#pragma once
// The world an engine test runs in: the scripted system, windowing and
// graphics driver installed, the log, file manager, timers and configuration
// real over a fresh folder, and one journal that interleaves the calls of the
// scripted system and windowing in the order they were made.
#include <string>
#include <vector>

#include "engine/core/EngineSettings.h"
#include "platform/graphics/scripted/ScriptedGraphics.h"
#include "platform/system/scripted/ScriptedSystem.h"
#include "platform/system/TemporaryFolder.h"
#include "platform/window/scripted/ScriptedWindowing.h"

namespace TestSupport {

// Forwards to a scripted system; before recording its own call it moves the
// windowing's calls made since the last one into the shared journal, so the
// two platforms' calls come out in one order.
class JournalSystem final : public Platform::System {
public:
    JournalSystem(Platform::ScriptedSystem& system, Platform::ScriptedWindowing& windowing)
        : system(system), windowing(windowing) {}

    // Both platforms' calls so far, in order.
    // Each reading of the tick count moves the clock on by this many
    // milliseconds afterwards, so that readings tell apart.
    uint32_t tickStep = 0;

    const std::vector<std::string>& Journal() {
        Drain();
        return journal;
    }
    void ClearJournal() {
        Drain();
        journal.clear();
    }

    uint32_t GetTickCount() override {
        Note("GetTickCount");
        const uint32_t ticks = system.GetTickCount();
        system.Advance(tickStep);
        return ticks;
    }
    uint32_t TimeGetTime() override { return system.TimeGetTime(); }
    bool TimeGetDevCaps(uint32_t& period) override { return system.TimeGetDevCaps(period); }
    void TimeBeginPeriod(uint32_t period) override {
        Note("TimeBeginPeriod");
        system.TimeBeginPeriod(period);
    }
    void TimeEndPeriod(uint32_t period) override {
        Note("TimeEndPeriod");
        system.TimeEndPeriod(period);
    }
    int64_t QueryPerformanceCounter() override { return system.QueryPerformanceCounter(); }
    int64_t QueryPerformanceFrequency() override { return system.QueryPerformanceFrequency(); }
    void Sleep(uint32_t ms) override {
        Note("Sleep " + std::to_string(ms));
        system.Sleep(ms);
    }
    std::unique_ptr<Platform::Thread> CreateThread(std::function<void()> function) override {
        return system.CreateThread(std::move(function));
    }
    bool RegQueryString(Platform::RegistryRoot root, const std::string& key,
                        const std::string& name, std::string& value) override {
        return system.RegQueryString(root, key, name, value);
    }
    Platform::HRESULT CoInitialize() override {
        Note("CoInitialize");
        return system.CoInitialize();
    }
    void CoUninitialize() override {
        Note("CoUninitialize");
        system.CoUninitialize();
    }
    bool ShellOpen(const std::string& path) override { return system.ShellOpen(path); }
    std::string GetModuleFileName() override { return system.GetModuleFileName(); }
    std::string GetAppDataFolder() override { return system.GetAppDataFolder(); }

private:
    void Drain() {
        for (; drained < windowing.calls.size(); ++drained) {
            // The name only: "CreateWindowEx(...)" becomes "CreateWindowEx".
            const std::string& call = windowing.calls[drained];
            journal.push_back(call.substr(0, call.find('(')));
        }
    }
    void Note(const std::string& call) {
        Drain();
        journal.push_back(call);
    }

    Platform::ScriptedSystem& system;
    Platform::ScriptedWindowing& windowing;
    std::vector<std::string> journal;
    size_t drained = 0;
};

struct EngineTestEnvironment {
    EngineTestEnvironment() {
        scripted.moduleFileName = folder / "bin/tangrove";
        scripted.appDataFolder = folder / "appdata";
        scripted.SetTime(5000);
    }

    std::string UserFolder() const { return folder / "appdata/Quobin Games/Tangrove"; }
    std::string LogPath() const { return UserFolder() + "/Tangrove.html"; }
    std::string IniPath() const { return UserFolder() + "/Tangrove.ini"; }

    // The settings the game fills, with every folder below the test's folder.
    ZorvaneEngine::EngineSettings Settings() const {
        ZorvaneEngine::EngineSettings settings;
        settings.title = "Tangrove";
        settings.version = 103;
        settings.baseFolder = folder / "bin";
        settings.saveConfig = true;
        settings.configName = "Tangrove";
        settings.logToFile = true;
        settings.logFolder = UserFolder();
        settings.logName = "Tangrove";
        settings.configFolder = UserFolder();
        settings.dataFolder = "Data";
        settings.iconId = 101;
        settings.minimizeOnFocusLoss = true;
        settings.videoMode = "1024x768x32";
        settings.fullscreen = false;
        settings.centerWindow = true;
        return settings;
    }

    TemporaryFolder folder;
    Platform::ScriptedSystem scripted;
    Platform::ScriptedWindowing windowing;
    JournalSystem system{scripted, windowing};
    Platform::ScopedSystem scopedSystem{system};
    Platform::ScopedWindowing scopedWindowing{windowing};
    Platform::ScriptedGraphics graphics;
    Platform::ScopedGraphicsDriver scopedGraphics{graphics};
};

} // namespace TestSupport
