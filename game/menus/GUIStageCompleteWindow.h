#pragma once
// The step after the last level of a stage: no window of its own, it
// answers "proceed" at its next update so that the level map runs the
// stage's totem mini game. After the game's very last level it first lets
// the background's own unicorn fade away before the finale.
#include "framework/LevelScreenBases.h"
#include "game/common/LevelManager.h"

namespace ActionPuzzle {

class GUIBackgroundWindow;

class GUIStageCompleteWindow : public GameFramework::GUIStageCompleteWindowBase {
public:
    GUIStageCompleteWindow(ZorvaneEngine::Engine* engine, LevelManager* levelManager, GUIBackgroundWindow* background,
                           bool);

    void Open(const GameFramework::LevelInfo& level) override;
    void Close() override;
    void Update() override;

    GUIBackgroundWindow* background;  // not owned
    bool open = false;
};

} // namespace ActionPuzzle
