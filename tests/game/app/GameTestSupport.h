#pragma once
// The game as the tests run it: the game's own classes on the scripted
// platform, installed in a temporary folder ("<folder>/bin" is the
// installation folder). Its data is either the data set the build made
// (linked in as "<folder>/bin/data"), or a small tree the test writes, with
// only a catalogue and a background list, whose models are missing.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "game/app/Game.h"
#include "game/app/GameData.h"
#include "game/app/SoundId.h"
#include "platform/system/TemporaryFolder.h"

namespace TestSupport {

const std::string kBuiltData = std::string(TANGROVE_BINARY_DIR) + "/data";

// The game with its innards in reach. It starts when the test asks, so the
// test can prepare the folder first.
class GameUnderTest : public ActionPuzzle::Game {
public:
    GameUnderTest() : Game("Quobin Games", "Tangrove", false) {}

    void FillEngineSettings(ZorvaneEngine::EngineSettings& settings) override
    {
        Game::FillEngineSettings(settings);
        settings.fullscreen = false;  // the scripted desktop is smaller than a full screen
    }

    using Game::Init;
    ZorvaneEngine::Engine* Engine() const { return engine.get(); }
    ZorvaneEngine::Config* Config() const { return config; }
    ActionPuzzle::GameData* Data() const { return static_cast<ActionPuzzle::GameData*>(gameData.get()); }
    GameFramework::SoundPlayer* Player() const { return soundPlayer.get(); }
    GameFramework::ProfileManagerBase* Profiles() const { return profileManager.get(); }
    GameFramework::GUILogosWindowBase* Logos() const { return logosWindow.get(); }
    GameFramework::GUILoadingWindowBase* StartUpLoading() const { return gameLoadingWindow.get(); }
    GameFramework::GUIWelcomeWindowBase* Welcome() const { return welcomeWindow.get(); }
    ActionPuzzle::GUIBackgroundWindow* Background() const { return menuBackground.get(); }
    int32_t CameraType() const { return cameraType; }
    bool HasAllWindows() const { return gameOverWindow != nullptr; }
    // Frames until the start-up load has made every screen (a few at most).
    void RunStartUp()
    {
        for (int frame = 0; frame < 10 && !HasAllWindows(); ++frame)
            Update();
    }
};

struct GameEnvironment {
    // Writes a file below the installation folder ("data/levels/...").
    void Put(const std::string& name, const std::string& text) { WriteWholeFile(env.folder / ("bin/" + name), text); }

    // The built data set as the installation's data folder. Its pictures
    // make textures, which the scripted graphics records from one thread
    // only: without a worker thread the loading screens load in place.
    void UseBuiltData()
    {
        env.scripted.failThreadCreation = true;
        std::filesystem::create_directories(env.folder / "bin");
        std::filesystem::create_directory_symlink(kBuiltData, env.folder / "bin/data");
    }

    // One stage of two levels and a background list; nothing else.
    void UseSmallData(const std::string& backgroundList = "2\nsky _none_ 1 0\nhills dust 0 0\n")
    {
        Put("data/levels/stages_info.ini", "1\n2\n");
        Put("data/levels/stage0.ini", "2\ns0_l0 10 10\ns0_l1 10 10\n");
        if (!backgroundList.empty())
            Put("data/ui/menus/background/background.ini", backgroundList);
    }

    // Starts the game, with the window focused as a player's would be.
    GameUnderTest& Start()
    {
        game = std::make_unique<GameUnderTest>();
        game->Init();
        env.windowing.focus = game->Engine()->window->handle;
        return *game;
    }

    // The lines of the log file that warn, report an error or abort.
    std::vector<std::string> Complaints() const
    {
        std::vector<std::string> lines;
        const std::string text = ReadWholeFile(env.LogPath());
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            const std::string line = text.substr(start, end - start);
            for (const char* mark : {"Warning: ", "Error: ", "PROGRAM ABORTING"})
                if (line.find(mark) != std::string::npos)
                    lines.push_back(line);
            start = end + 1;
        }
        return lines;
    }

    EngineTestEnvironment env;
    std::unique_ptr<GameUnderTest> game;
};

} // namespace TestSupport
