#pragma once
// The show place: the menus step aside so that the background can be seen.
// The game starts it and hides it again on its result. Not built yet: it
// owns its window and keeps its state.
#include "framework/WindowAction.h"

namespace ZorvaneEngine {
class Engine;
class GUIManager;
class GUIWindow;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GUIMenuWindowManager;

class GUIUpgradeWindow {
public:
    // The window is the game's, handed over: hidden, 800 wide, no model.
    GUIUpgradeWindow(ZorvaneEngine::Engine* engine, GUIMenuWindowManager* windowManager,
                     ZorvaneEngine::GUIWindow* window);
    virtual ~GUIUpgradeWindow();

    GUIUpgradeWindow(const GUIUpgradeWindow&) = delete;
    GUIUpgradeWindow& operator=(const GUIUpgradeWindow&) = delete;

    void Update();

    ZorvaneEngine::GUIWindow* GetWindow() const { return window; }

    bool active = false;
    float time = 0.0f;  // seconds since it was started
    GameFramework::WindowAction result = GameFramework::WindowAction::None;

private:
    ZorvaneEngine::GUIManager* guiManager;
    GUIMenuWindowManager* windowManager;
    ZorvaneEngine::GUIWindow* window;
};

} // namespace ActionPuzzle
