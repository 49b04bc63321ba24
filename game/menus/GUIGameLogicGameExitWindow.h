#pragma once
// The quit question shown over a level.
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

class GUIGameLogicGameExitWindow : public GameFramework::GUIGameLogicGameExitWindowBase {
public:
    GUIGameLogicGameExitWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*)
        : GUIGameLogicGameExitWindowBase(engine)
    {
    }
};

} // namespace ActionPuzzle
