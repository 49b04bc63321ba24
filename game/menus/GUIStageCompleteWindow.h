#pragma once
// The step after the last level of a stage.
// Not built yet: it keeps the framework's state and shows nothing.
#include "framework/LevelScreenBases.h"
#include "game/app/LevelManager.h"

namespace ActionPuzzle {

class GUIBackgroundWindow;

class GUIStageCompleteWindow : public GameFramework::GUIStageCompleteWindowBase {
public:
    GUIStageCompleteWindow(ZorvaneEngine::Engine* engine, LevelManager* levelManager, GUIBackgroundWindow*, bool)
        : GUIStageCompleteWindowBase(engine, levelManager)
    {
    }
};

} // namespace ActionPuzzle
