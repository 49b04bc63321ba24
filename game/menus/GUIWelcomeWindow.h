#pragma once
// The first-run screen: the player types a name and becomes its profile.
// A name that exists already (in any letter case) chooses that profile.
// EXIT asks whether to quit.
#include <memory>

#include "framework/MenuScreenBases.h"
#include "game/menus/GUIMenuWindow.h"

namespace ZorvaneEngine {
class Engine;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GUIMenuWindowManager;
class GUIProfileNameEntry;
class GameData;
class ProfileManager;

class GUIWelcomeWindow : public GameFramework::GUIWelcomeWindowBase, public GUIMenuWindow {
public:
    GUIWelcomeWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                     GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager);
    ~GUIWelcomeWindow() override;

    // With an empty name box.
    void Open() override;
    void Close() override;
    void Update() override;

    std::unique_ptr<GUIProfileNameEntry> entry;
};

} // namespace ActionPuzzle
