#pragma once
// The lost level: CONTINUE ends it once the menus have faded in. It keeps
// the title plate for the menus that follow.
#include "framework/LevelScreenBases.h"
#include "game/menus/GUILevelQuestionWindow.h"

namespace ActionPuzzle {

class GUIGameOverWindow : public GUILevelQuestionWindow<GameFramework::GUIGameOverWindowBase> {
public:
    GUIGameOverWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                      GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent);

    void Close() override;
};

} // namespace ActionPuzzle
