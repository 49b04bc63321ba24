#pragma once
// The question before a level is left for the menus.
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

class GUIGameLogicMenuExitWindow : public GameFramework::GUIGameLogicMenuExitWindowBase {
public:
    GUIGameLogicMenuExitWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*)
        : GUIGameLogicMenuExitWindowBase(engine)
    {
    }
};

} // namespace ActionPuzzle
