#pragma once
// A new name for the chosen profile. A name another profile has (in any
// letter case) leads to the name-conflict notice, and back here with the
// old name kept.
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

class GUIRenameProfileWindow : public GameFramework::GUIRenameProfileWindowBase, public GUIMenuWindow {
public:
    GUIRenameProfileWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                           GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                           ProfileManager* profileManager);
    ~GUIRenameProfileWindow() override;

    // With keep the profile of that name is renamed and the box shows its
    // name; without it the box and the old name stay as they were.
    void Open(bool keep, const std::u16string& name) override;
    void Close() override;
    void Update() override;

    std::unique_ptr<GUIProfileNameEntry> entry;
};

} // namespace ActionPuzzle
