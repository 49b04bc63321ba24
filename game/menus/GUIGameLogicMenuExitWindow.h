#pragma once
// The leave-the-level question of the in-game menu: OK goes back to the
// main menu once the menus have faded in, CANCEL back to the in-game menu.
#include "framework/LevelScreenBases.h"
#include "game/menus/GUILevelQuestionWindow.h"

namespace ActionPuzzle {

class GUIGameLogicMenuExitWindow : public GUILevelQuestionWindow<GameFramework::GUIGameLogicMenuExitWindowBase> {
public:
    GUIGameLogicMenuExitWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                               GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);
};

} // namespace ActionPuzzle
