#pragma once
// The flashes of light over the menus at the end of the game. The level map
// starts them once the last stage is done; while the first flash stands at
// full strength the unicorn comes up, and once its animation has run the
// effect answers GameComplete. The game then hides the flashes and opens the
// game-complete screen.
#include <vector>

#include "framework/WindowAction.h"

namespace ZorvaneEngine {
class Engine;
class GUIManager;
class GUIWindow;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GameData;
class GUIBackgroundWindow;
class GUIUnicorn;

class GUIGameCompleteEffect {
public:
    static constexpr int EffectCount = 3;

    GUIGameCompleteEffect(GUIUnicorn* unicorn, GUIBackgroundWindow* background, ZorvaneEngine::Engine* engine,
                          GameData* gameData);
    virtual ~GUIGameCompleteEffect();

    GUIGameCompleteEffect(const GUIGameCompleteEffect&) = delete;
    GUIGameCompleteEffect& operator=(const GUIGameCompleteEffect&) = delete;

    // Shows the flashes and starts them from their first frame. The map
    // calls it every frame at the game's end: only the first call, while
    // the flashes are hidden, does anything.
    void Start();
    // Once a frame.
    void Update();

    ZorvaneEngine::GUIWindow* GetRootWindow() const { return root; }
    const std::vector<ZorvaneEngine::GUIWindow*>& GetEffectWindows() const { return effects; }

    GameFramework::WindowAction result = GameFramework::WindowAction::None;

private:
    ZorvaneEngine::GUIManager* guiManager;
    GUIUnicorn* unicorn;
    ZorvaneEngine::GUIWindow* root;
    std::vector<ZorvaneEngine::GUIWindow*> effects;
    // Per flash since Start: it has stood at full strength (and so shown the
    // unicorn).
    std::vector<bool> reachedFull;
};

} // namespace ActionPuzzle
