#pragma once
// The restart question of the in-game menu: YES starts the level again once
// the menus have faded in, CANCEL goes back to the in-game menu.
#include "framework/LevelScreenBases.h"
#include "game/menus/GUIQuestionWindow.h"

namespace ActionPuzzle {

class GUIGameLogicRestartWindow : public GameFramework::GUIGameLogicRestartWindowBase, public GUIQuestionWindow {
public:
    GUIGameLogicRestartWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
        GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);

    void Open() override;
    void Close() override;
    void Update() override;
};

} // namespace ActionPuzzle
