#pragma once
// The screen that makes a new profile.
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

class GUINewProfileWindow : public GameFramework::GUINewProfileWindowBase {
public:
    GUINewProfileWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*, ProfileManager* profileManager)
        : GUINewProfileWindowBase(profileManager)
    {
    }
};

} // namespace ActionPuzzle
