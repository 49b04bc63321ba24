#pragma once
// A new profile: the player types its name. A name taken already (in any
// letter case) leads to the name-conflict notice; the other button goes
// back to the profile list, or asks whether to quit when there was no
// profile at all (its caption is then EXIT).
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

class GUINewProfileWindow : public GameFramework::GUINewProfileWindowBase, public GUIMenuWindow {
public:
    GUINewProfileWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                        GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                        ProfileManager* profileManager);
    ~GUINewProfileWindow() override;

    // From the profile list the name box is emptied; back from the quit
    // question or the name-conflict notice the typed name stays.
    void Open(GameFramework::NewProfileOpenMode mode) override;
    void Close() override;
    void Update() override;

    std::unique_ptr<GUIProfileNameEntry> entry;
    bool noProfiles = false;  // the list was empty at Open
};

} // namespace ActionPuzzle
