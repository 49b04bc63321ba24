#pragma once
// The quit question of the HUD's close button: OK ends the program, CANCEL
// goes back to the level.
#include "framework/LevelScreenBases.h"
#include "game/menus/GUILevelQuestionWindow.h"

namespace ActionPuzzle {

class GUIGameLogicGameExitWindow : public GUILevelQuestionWindow<GameFramework::GUIGameLogicGameExitWindowBase> {
public:
    GUIGameLogicGameExitWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                               GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);
};

} // namespace ActionPuzzle
