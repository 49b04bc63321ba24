#pragma once
// The tutorial offered before the first level of a new game.
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
class ProfileManager;

class GUITutorialWindow : public GameFramework::WindowControllerBase {
public:
    GUITutorialWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*, GUIMenuWindowManager*,
                      ZorvaneEngine::GUIWindow*, ProfileManager*)
    {
    }

    virtual void Open() {}

    // Whether the tutorial is shown at all; the game sets it from the
    // profile before it opens.
    bool show = true;
};

} // namespace ActionPuzzle
