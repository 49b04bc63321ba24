#pragma once
// The quit question. YES closes it and ends the program once it has faded
// out; NO goes back to the screen it was asked from.
#include "framework/MenuScreenBases.h"
#include "game/menus/GUIQuestionWindow.h"

namespace ZorvaneEngine {
class Engine;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GUIMenuWindowManager;
class GameData;

class GUIExitWindow : public GameFramework::GUIExitWindowBase, public GUIQuestionWindow {
public:
    GUIExitWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                  GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);

    void Open(GameFramework::ExitOpenMode mode) override;
    void Close() override;
    void Update() override;

    // Never cleared: once YES was chosen the program ends.
    bool quitting = false;
};

} // namespace ActionPuzzle
