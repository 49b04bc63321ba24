#pragma once
// The help screen.
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

class GUIHelpWindow : public GameFramework::GUIHelpWindowBase {
public:
    GUIHelpWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*, GUIMenuWindowManager*,
        ZorvaneEngine::GUIWindow*)
        : GUIHelpWindowBase()
    {
    }
};

} // namespace ActionPuzzle
