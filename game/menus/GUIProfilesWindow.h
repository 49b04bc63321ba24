#pragma once
// The profile list.
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

class GUIProfilesWindow : public GameFramework::GUIProfilesWindowBase {
public:
    GUIProfilesWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*, GUIMenuWindowManager*,
        ZorvaneEngine::GUIWindow*, ProfileManager* profileManager)
        : GUIProfilesWindowBase(profileManager)
    {
    }
};

} // namespace ActionPuzzle
