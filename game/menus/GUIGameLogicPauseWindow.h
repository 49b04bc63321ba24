#pragma once
// The pause notice over a level.
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

class GUIGameLogicPauseWindow : public GameFramework::GUIGameLogicPauseWindowBase {
public:
    GUIGameLogicPauseWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*)
        : GUIGameLogicPauseWindowBase(engine)
    {
    }
};

} // namespace ActionPuzzle
