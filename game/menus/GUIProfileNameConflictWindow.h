#pragma once
// The notice that a typed name belongs to another profile; OK (or ENTER)
// goes back to the screen the name was typed on.
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

class GUIControl;
class GUIMenuWindowManager;
class GameData;

class GUIProfileNameConflictWindow : public GameFramework::GUIProfileNameConflictWindowBase, public GUIMenuWindow {
public:
    GUIProfileNameConflictWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                 GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);
    ~GUIProfileNameConflictWindow() override;

    void Open(GameFramework::NameConflictOpenMode mode) override;
    void Close() override;
    void Update() override;

    GUIControl* ok = nullptr;
};

} // namespace ActionPuzzle
