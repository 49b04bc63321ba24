#pragma once
// The main menu.
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

class GUIMainMenuWindow : public GameFramework::GUIMainMenuWindowBase {
public:
    GUIMainMenuWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*, GUIMenuWindowManager*,
        ZorvaneEngine::GUIWindow*, ProfileManager*)
        : GUIMainMenuWindowBase()
    {
    }
};

} // namespace ActionPuzzle
