#pragma once
// The options screen.
// Not built yet: it keeps the framework's state and shows nothing.
#include "framework/GUIOptionsWindowBase.h"
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

class GUIOptionsWindow : public GameFramework::GUIOptionsWindowBase {
public:
    GUIOptionsWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*, ProfileManager* profileManager)
        : GUIOptionsWindowBase(engine, soundPlayer, profileManager)
    {
    }
};

} // namespace ActionPuzzle
