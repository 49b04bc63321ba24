#pragma once
// The offer of the relax mode after a lost arcade game.
// Not built yet: it keeps its result and shows nothing.
#include "framework/WindowControllerBase.h"

namespace ZorvaneEngine {
class Engine;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GameData;
class GUIMenuWindowManager;
class ProfileManager;

class GUIRelaxWindow : public GameFramework::WindowControllerBase {
public:
    GUIRelaxWindow(ZorvaneEngine::Engine*, GameFramework::SoundPlayer*, GameData*, GUIMenuWindowManager*,
                   ZorvaneEngine::GUIWindow*, ProfileManager*)
    {
    }

    virtual void Open() {}
};

} // namespace ActionPuzzle
