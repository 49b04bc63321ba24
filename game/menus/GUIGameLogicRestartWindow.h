#pragma once
// The question before a level starts again.
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

class GUIGameLogicRestartWindow : public GameFramework::GUIGameLogicRestartWindowBase {
public:
    GUIGameLogicRestartWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*)
        : GUIGameLogicRestartWindowBase(engine)
    {
    }
};

} // namespace ActionPuzzle
