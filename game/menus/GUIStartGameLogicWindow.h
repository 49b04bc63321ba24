#pragma once
// The level start screen: the level map.
// Not built yet: it keeps the framework's state and shows nothing.
#include "framework/MenuScreenBases.h"

namespace ZorvaneEngine {
class Engine;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
} // namespace GameFramework

namespace ActionPuzzle {

class GUIGameCompleteEffect;
class GUIMenuWindowManager;
class GameData;
class LevelManager;
class ProfileManager;

class GUIStartGameLogicWindow : public GameFramework::GUIStartGameLogicWindowBase {
public:
    GUIStartGameLogicWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*, ProfileManager*, LevelManager*,
        GUIGameCompleteEffect*)
        : GUIStartGameLogicWindowBase()
    {
    }
};

} // namespace ActionPuzzle
