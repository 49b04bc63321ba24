#pragma once
// What the benchmarks that run the whole game share: the data set the build
// made, found beside the benchmark as the program finds it beside itself,
// a scratch folder for the user's folders, SDL's offscreen video and dummy
// audio, and the game with the settings of the offscreen desktop.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/core/EngineSettings.h"
#include "framework/MenuScreenBases.h"
#include "game/app/Game.h"

namespace BenchSupport {

struct Installation {
    Installation()
    {
        const std::filesystem::path build = TANGROVE_BINARY_DIR;
        const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe").parent_path();
        if (!std::filesystem::exists(self / "data"))
            std::filesystem::create_directory_symlink(build / "data", self / "data");
        std::string scratchTemplate = (std::filesystem::temp_directory_path() / "tangrove-bench-XXXXXX").string();
        scratch = mkdtemp(scratchTemplate.data());
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
    ~Installation() { std::filesystem::remove_all(scratch); }

    // An empty user folder; configuration lines (such as "v_vsync 0") go
    // into its configuration file.
    void NewUser(const std::string& configuration = "")
    {
        std::filesystem::remove_all(scratch / "user");
        setenv("XDG_DATA_HOME", (scratch / "user/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (scratch / "user/config").c_str(), 1);
        if (!configuration.empty()) {
            const std::filesystem::path folder = scratch / "user/data/Quobin Games/Tangrove";
            std::filesystem::create_directories(folder);
            std::ofstream(folder / "Tangrove.ini") << configuration;
        }
    }

    std::filesystem::path scratch;
};

inline Installation& TheInstallation()
{
    static Installation installation;
    return installation;
}

// The game in a window; in the given mode when one is named.
class BenchGame : public ActionPuzzle::Game {
public:
    explicit BenchGame(std::string mode = std::string())
        : Game("Quobin Games", "Tangrove", false), mode(std::move(mode))
    {
    }
    void FillEngineSettings(ZorvaneEngine::EngineSettings& settings) override
    {
        Game::FillEngineSettings(settings);
        settings.fullscreen = false;  // the offscreen desktop has no full screen
        settings.fullscreenGiven = true;
        if (!mode.empty()) {
            settings.videoMode = mode;
            settings.videoModeGiven = true;
        }
    }
    using Game::Init;
    ZorvaneEngine::Engine* Engine() const { return engine.get(); }
    void CutLogosShort() { logosWindow->result = GameFramework::WindowAction::Done; }
    bool FirstScreenIsUp() const { return welcomeWindow != nullptr; }

protected:
    std::string mode;
};

} // namespace BenchSupport
