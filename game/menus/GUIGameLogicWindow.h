#pragma once
// The HUD over a level being played.
// Not built yet: it keeps the framework's state and shows nothing.
#include "framework/GUIGameLogicWindowBase.h"
#include "game/app/ProfileManager.h"

namespace ActionPuzzle {

class GameData;
class GUIMenuWindowManager;

class GUIGameLogicWindow : public GameFramework::GUIGameLogicWindowBase {
public:
    GUIGameLogicWindow(ZorvaneEngine::Engine* engine, GameData*, GUIMenuWindowManager*, ProfileManager* profileManager)
        : GUIGameLogicWindowBase(engine, profileManager)
    {
    }
};

} // namespace ActionPuzzle
