#pragma once
// The lost level: CONTINUE ends it once the menus have faded in.
#include "framework/LevelScreenBases.h"
#include "game/menus/GUIQuestionWindow.h"

namespace ActionPuzzle {

class GUIGameOverWindow : public GameFramework::GUIGameOverWindowBase, public GUIQuestionWindow {
public:
    GUIGameOverWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
        GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);

    void Open() override;
    void Close() override;
    void Update() override;
};

} // namespace ActionPuzzle
