#pragma once
// The show place: the menus step aside so that the animated scene behind
// them can be seen on its own. Started by the game (active, time 0), it
// waits until no menu window owns the screen, fades the menu's frame away
// and shows its window; after a while a prompt fades in, and a key or click
// (not in the first second, so the click that chose the show place does not
// end it) fades the menus back in. Once that fade has ended it answers
// ToMainMenu, and the game hides its window and resets it.
#include "framework/WindowAction.h"

namespace ZorvaneEngine {
class Controls;
class Engine;
class GUIManager;
class GUIWindow;
class TimerManager;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GUIMenuWindowManager;

class GUIUpgradeWindow {
public:
    // Seconds before a key or click ends the show.
    static constexpr float IgnoreInputFor = 1.0f;
    // The prompt fades in over a second from this time on.
    static constexpr float PromptFrom = 2.5f;

    // The window is the game's, handed over: hidden, 800 wide, no model.
    GUIUpgradeWindow(ZorvaneEngine::Engine* engine, GUIMenuWindowManager* windowManager,
                     ZorvaneEngine::GUIWindow* window);
    virtual ~GUIUpgradeWindow();

    GUIUpgradeWindow(const GUIUpgradeWindow&) = delete;
    GUIUpgradeWindow& operator=(const GUIUpgradeWindow&) = delete;

    // Once a frame with the game's windows.
    void Update();

    ZorvaneEngine::GUIWindow* GetWindow() const { return window; }
    // The prompt's opacity in the last update.
    float GetPromptAlpha() const { return promptAlpha; }

    bool active = false;
    float time = 0.0f;  // seconds since its window was shown
    GameFramework::WindowAction result = GameFramework::WindowAction::None;

private:
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::Controls* input;
    ZorvaneEngine::GUIManager* guiManager;
    GUIMenuWindowManager* windowManager;
    ZorvaneEngine::GUIWindow* window;
    float promptAlpha = 0.0f;
};

} // namespace ActionPuzzle
