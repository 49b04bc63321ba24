#pragma once
// The notice that a profile name is taken.
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

class GUIProfileNameConflictWindow : public GameFramework::GUIProfileNameConflictWindowBase {
public:
    GUIProfileNameConflictWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*,
        GUIMenuWindowManager*, ZorvaneEngine::GUIWindow*)
        : GUIProfileNameConflictWindowBase()
    {
    }
};

} // namespace ActionPuzzle
