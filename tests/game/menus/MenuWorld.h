#pragma once
// The menus without the game: an engine on the scripted platform over the
// built data set (its pack beside whatever loose files a test writes), the
// resource catalogue loaded on the test's thread, the menu background and
// the menu-window manager, free. Frames of 20 ms: the engine's update, the
// background's, the caller's windows', the end of the frame.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/gui/GUIManager.h"
#include "engine/graphics/Camera.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "framework/SoundPlayer.h"
#include "game/common/GameData.h"
#include "game/common/LevelManager.h"
#include "game/common/ProfileManager.h"
#include "game/common/SoundId.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "platform/audio/scripted/ScriptedAudio.h"

namespace TestSupport {

class MenuWorld {
public:
    // background: the background list to use instead of the built one.
    explicit MenuWorld(const std::string& background = std::string())
    {
        std::filesystem::create_directories(env.folder / "bin/data");
        std::filesystem::create_symlink(std::string(TANGROVE_BINARY_DIR) + "/data/pack0.pak",
                                        env.folder / "bin/data/pack0.pak");
        if (!background.empty())
            Put("data/ui/menus/background/background.ini", background);
    }
    ~MenuWorld() { Stop(); }

    // Everything gone, the engine last: its log is then complete.
    void Stop()
    {
        manager.reset();
        background.reset();
        data.reset();
        profiles.reset();
        levels.reset();
        player.reset();
        engine.reset();
    }

    // A loose file below the installation folder, in front of the pack's.
    void Put(const std::string& name, const std::string& bytes)
    {
        WriteWholeFile(env.folder / ("bin/" + name), bytes);
    }

    // The engine and the background; the catalogue loaded when asked.
    void Start(bool loadCatalogue = true)
    {
        engine = std::make_unique<ZorvaneEngine::Engine>(env.Settings());
        if (ZorvaneEngine::Camera* camera = engine->guiManager->GetCamera()) {
            camera->orthoWidth = 800;
            camera->orthoHeight = 600;
        }
        player = std::make_unique<GameFramework::SoundPlayer>(engine.get(), 1.0f, 1.0f);
        player->AddSound(ActionPuzzle::SoundWindowAppear, "audio\\menu\\window_appear.wav", false);
        player->AddSound(ActionPuzzle::SoundWindowDisappear, "audio\\menu\\window_disappear.wav", false);
        levels = std::make_unique<ActionPuzzle::LevelManager>(*engine);
        levels->Load();
        profiles = std::make_unique<ActionPuzzle::ProfileManager>(engine.get(), player.get(), env.UserFolder());
        profiles->LoadProfiles();
        background = std::make_unique<ActionPuzzle::GUIBackgroundWindow>("ge", player.get(), engine.get(),
                                                                          levels.get(), profiles.get());
        manager = std::make_unique<ActionPuzzle::GUIMenuWindowManager>(background.get());
        manager->free = true;
        if (loadCatalogue) {
            data = std::make_unique<ActionPuzzle::GameData>(engine.get(), "ge");
            data->Load();
        }
    }

    // One frame; windows runs after the background's update.
    void Frame(const std::function<void()>& windows = {})
    {
        env.scripted.Advance(20);
        engine->Update();
        background->Update();
        if (windows)
            windows();
        sounds.clear();
        if (ZorvaneEngine::SoundManager* soundManager = engine->soundManager.get()) {
            for (const ZorvaneEngine::SoundCommand& command : soundManager->commandQueue) {
                const std::string name = command.sound->GetName();
                sounds.push_back(name.substr(name.rfind('\\') + 1));
            }
        }
        engine->EndFrame();
    }

    // The background's intro, the catalogue handed over and the menus let
    // start, as the start-up does it.
    void RunIntro()
    {
        background->Activate();
        for (int i = 0; i < 1000 && !background->readyForLoading; ++i)
            Frame();
        background->gameData = data.get();
        background->loaded = true;
        Frame();
        background->AcknowledgeMenusMayStart();
        Frame();
        Frame();
    }

    EngineTestEnvironment env;
    Platform::ScriptedAudio audio;
    std::unique_ptr<ZorvaneEngine::Engine> engine;
    std::unique_ptr<GameFramework::SoundPlayer> player;
    std::unique_ptr<ActionPuzzle::LevelManager> levels;
    std::unique_ptr<ActionPuzzle::ProfileManager> profiles;
    std::unique_ptr<ActionPuzzle::GameData> data;
    std::unique_ptr<ActionPuzzle::GUIBackgroundWindow> background;
    std::unique_ptr<ActionPuzzle::GUIMenuWindowManager> manager;
    // The sound files the last frame asked to play.
    std::vector<std::string> sounds;
};

} // namespace TestSupport
