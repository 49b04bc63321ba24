#pragma once
// The offer to continue a saved game.
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

class GUIMenuWindowManager;
class GameData;
class ProfileManager;

class GUIContinueGameLogicWindow : public GameFramework::GUIContinueGameLogicWindowBase {
public:
    GUIContinueGameLogicWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*, ProfileManager*)
        : GUIContinueGameLogicWindowBase(engine)
    {
    }
};

} // namespace ActionPuzzle
