#pragma once
// The screen after a level was lost.
// Not built yet: it keeps the framework's state and shows nothing.
#include "framework/LevelScreenBases.h"

namespace ZorvaneEngine {
class Engine;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
} // namespace GameFramework

namespace ActionPuzzle {

class GUIMenuWindowManager;
class GameData;

class GUIGameOverWindow : public GameFramework::GUIGameOverWindowBase {
public:
    GUIGameOverWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*)
        : GUIGameOverWindowBase(engine)
    {
    }
};

} // namespace ActionPuzzle
