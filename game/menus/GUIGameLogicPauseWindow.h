#pragma once
// The pause over a level, also when the game window lost the focus; RESUME
// goes back to the level.
#include "framework/LevelScreenBases.h"
#include "game/menus/GUIQuestionWindow.h"

namespace ActionPuzzle {

class GUIGameLogicPauseWindow : public GameFramework::GUIGameLogicPauseWindowBase, public GUIQuestionWindow {
public:
    GUIGameLogicPauseWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
        GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);

    void Open() override;
    void Close() override;
    void Update() override;
};

} // namespace ActionPuzzle
