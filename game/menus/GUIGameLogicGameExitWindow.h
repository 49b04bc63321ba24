#pragma once
// The quit question of the HUD's close button: OK ends the program, CANCEL
// goes back to the level.
#include "framework/LevelScreenBases.h"
#include "game/menus/GUIQuestionWindow.h"

namespace ActionPuzzle {

class GUIGameLogicGameExitWindow : public GameFramework::GUIGameLogicGameExitWindowBase, public GUIQuestionWindow {
public:
    GUIGameLogicGameExitWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
        GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);

    void Open() override;
    void Close() override;
    void Update() override;
};

} // namespace ActionPuzzle
