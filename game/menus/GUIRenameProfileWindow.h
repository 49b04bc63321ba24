#pragma once
// The screen that renames a profile.
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

class GUIRenameProfileWindow : public GameFramework::GUIRenameProfileWindowBase {
public:
    GUIRenameProfileWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*, ProfileManager* profileManager)
        : GUIRenameProfileWindowBase(profileManager)
    {
    }
};

} // namespace ActionPuzzle
