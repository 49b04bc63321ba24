#pragma once
// The flashes of light over the level map at the end of the game.
// Not built yet: it owns its hidden root window and keeps its result.
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
    GUIGameCompleteEffect(GUIUnicorn* unicorn, GUIBackgroundWindow* background, ZorvaneEngine::Engine* engine,
                          GameData* gameData);
    virtual ~GUIGameCompleteEffect();

    GUIGameCompleteEffect(const GUIGameCompleteEffect&) = delete;
    GUIGameCompleteEffect& operator=(const GUIGameCompleteEffect&) = delete;

    void Update() { result = GameFramework::WindowAction::None; }

    ZorvaneEngine::GUIWindow* GetRootWindow() const { return root; }

    GameFramework::WindowAction result = GameFramework::WindowAction::None;

private:
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::GUIWindow* root;
};

} // namespace ActionPuzzle
