#pragma once
// The first-run screen that welcomes a new player.
// Not built yet: it keeps the framework's state and shows nothing.
#include "framework/MenuScreenBases.h"
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

class GUIWelcomeWindow : public GameFramework::GUIWelcomeWindowBase {
public:
    GUIWelcomeWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*, GUIMenuWindowManager*,
        ZorvaneEngine::GUIWindow*, ProfileManager* profileManager)
        : GUIWelcomeWindowBase(profileManager)
    {
    }
};

} // namespace ActionPuzzle
