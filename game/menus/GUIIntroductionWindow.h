#pragma once
// The story shown before a profile's first game.
// Not built yet: it keeps its result and shows nothing.
#include "framework/WindowControllerBase.h"

namespace ZorvaneEngine {
class Engine;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GameData;
class GUIMenuWindowManager;

class GUIIntroductionWindow : public GameFramework::WindowControllerBase {
public:
    GUIIntroductionWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*, GUIMenuWindowManager*,
                          ZorvaneEngine::GUIWindow*)
    {
    }

    virtual void Open() {}
};

} // namespace ActionPuzzle
