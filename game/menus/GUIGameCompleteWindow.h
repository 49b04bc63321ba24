#pragma once
// The closing story after the last stage.
// Not built yet: it keeps the framework's state and shows nothing.
#include "framework/LevelScreenBases.h"

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GameData;
class GUIMenuWindowManager;

class GUIGameCompleteWindow : public GameFramework::GUIGameCompleteWindowBase {
public:
    GUIGameCompleteWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer*, GameData*,
                          GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*)
        : GUIGameCompleteWindowBase(engine)
    {
    }

    // Whether the story is told; the game sets it from the profile before
    // the window opens, so each player reads it once.
    bool showText = true;
};

} // namespace ActionPuzzle
