#pragma once
// The leave-the-level question of the in-game menu: OK goes back to the
// main menu once the menus have faded in, CANCEL back to the in-game menu.
#include "framework/LevelScreenBases.h"
#include "game/menus/GUIQuestionWindow.h"

namespace ActionPuzzle {

class GUIGameLogicMenuExitWindow : public GameFramework::GUIGameLogicMenuExitWindowBase, public GUIQuestionWindow {
public:
    GUIGameLogicMenuExitWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
        GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);

    void Open() override;
    void Close() override;
    void Update() override;
};

} // namespace ActionPuzzle
