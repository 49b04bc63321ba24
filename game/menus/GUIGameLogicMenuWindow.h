#pragma once
// The in-game menu.
// Not built yet: it keeps the framework's state and shows nothing.
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "game/app/ProfileManager.h"

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

class GUIGameLogicMenuWindow : public GameFramework::GUIGameLogicMenuWindowBase {
public:
    GUIGameLogicMenuWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*, ProfileManager* profileManager)
        : GUIGameLogicMenuWindowBase(engine, soundPlayer, profileManager)
    {
    }
};

} // namespace ActionPuzzle
