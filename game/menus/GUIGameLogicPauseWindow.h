#pragma once
// The pause over a level, also when the game window lost the focus; RESUME
// goes back to the level.
#include "framework/LevelScreenBases.h"
#include "game/menus/GUILevelQuestionWindow.h"

namespace ActionPuzzle {

class GUIGameLogicPauseWindow : public GUILevelQuestionWindow<GameFramework::GUIGameLogicPauseWindowBase> {
public:
    GUIGameLogicPauseWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                            GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);
};

} // namespace ActionPuzzle
