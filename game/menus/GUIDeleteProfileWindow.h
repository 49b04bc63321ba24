#pragma once
// The question before a profile is deleted.
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

class GUIDeleteProfileWindow : public GameFramework::GUIDeleteProfileWindowBase {
public:
    GUIDeleteProfileWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*, ProfileManager* profileManager)
        : GUIDeleteProfileWindowBase(profileManager)
    {
    }
};

} // namespace ActionPuzzle
