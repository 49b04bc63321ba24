#pragma once
// The screen after a level was won.
// Not built yet: it keeps the framework's state and shows nothing.
#include "framework/LevelScreenBases.h"
#include "game/app/LevelManager.h"

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
class ProfileManager;

class GUILevelCompleteWindow : public GameFramework::GUILevelCompleteWindowBase {
public:
    GUILevelCompleteWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*, ProfileManager*, LevelManager* levelManager)
        : GUILevelCompleteWindowBase(engine, levelManager)
    {
    }
};

} // namespace ActionPuzzle
