#pragma once
// The restart question of the in-game menu: YES starts the level again once
// the menus have faded in, CANCEL goes back to the in-game menu.
#include "framework/LevelScreenBases.h"
#include "game/menus/GUILevelQuestionWindow.h"

namespace ActionPuzzle {

class GUIGameLogicRestartWindow : public GUILevelQuestionWindow<GameFramework::GUIGameLogicRestartWindowBase> {
public:
    GUIGameLogicRestartWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                              GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);
};

} // namespace ActionPuzzle
