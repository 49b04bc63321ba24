#pragma once
// The loading screen of a level: loads the level's keeper on the loading
// worker at its first update after it opened, and is done.
// Not built yet beyond that: it shows nothing.
#include <cstdint>

#include "framework/GUILoadingWindowBase.h"

namespace ActionPuzzle {

class GUIMenuWindowManager;
class GUIUnicorn;
class LevelManager;

class GUIGameLogicLoadingWindow : public GameFramework::GUILoadingWindowBase {
public:
    GUIGameLogicLoadingWindow(ZorvaneEngine::Engine* engine, GUIMenuWindowManager*, LevelManager*, GUIUnicorn*,
                              int32_t)
        : GUILoadingWindowBase(engine)
    {
    }

    void Update() override
    {
        GUILoadingWindowBase::Update();
        if (!keeper || IsDone())
            return;
        RunLoading();
        result = GameFramework::WindowAction::Done;
    }
};

} // namespace ActionPuzzle
