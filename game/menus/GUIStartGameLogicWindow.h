#pragma once
// The level map between the main menu and a level: every level of every
// stage as an element of a winding path read from the map file, passed
// levels, the current one and those reached after it; a click chooses a
// level, a double click or START plays it, BACK returns to the main menu.
// A new game offers the relax mode. Two totems per stage stand beside the
// map and light up as the stages are completed. After a stage's last level
// the window first runs the stage's totem puzzle, with the map hidden until
// the totem is rebuilt.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/MenuScreenBases.h"
#include "game/menus/GUIMapElement.h"
#include "game/menus/GUIMenuWindow.h"

namespace GameTools {
class GUIDoubleClickDetecter;
}

namespace ActionPuzzle {

class GUIGameCompleteEffect;
class LevelManager;
class MiniGame;
class ProfileManager;

class GUIStartGameLogicWindow : public GameFramework::GUIStartGameLogicWindowBase, public GUIMenuWindow {
public:
    static constexpr uint32_t TotemStages = 8;

    GUIStartGameLogicWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                            GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                            ProfileManager* profileManager, LevelManager* levelManager,
                            GUIGameCompleteEffect* effect);
    ~GUIStartGameLogicWindow() override;

    void Open(GameFramework::LevelStartOpenMode mode) override;
    void Close() override;
    void Update() override;

    // Makes the level current (no further than the furthest level reached)
    // and shows the path up to the furthest level.
    void SelectLevel(uint32_t stage, uint32_t level);

    ProfileManager* profileManager;  // not owned
    LevelManager* levelManager;      // not owned
    GUIGameCompleteEffect* effect;   // not owned
    std::unique_ptr<MiniGame> miniGame;
    GUIControl* mapControl = nullptr;
    GUIControl* backButton = nullptr;
    GUIControl* startButton = nullptr;
    GUIControl* relaxBox = nullptr;
    std::unique_ptr<GameTools::GUIDoubleClickDetecter> doubleClick;
    uint32_t checkPointCount = 0;
    std::vector<std::unique_ptr<GUIMapElement>> elements;
    // The map's own controls, coloured by the map colour as well.
    std::vector<GUIControl*> mapControls;
    // Per stage: the totem's dark copy and the lit copy over it (owned).
    std::array<ZorvaneEngine::GUIWindow*, TotemStages> totemBases{};
    std::array<ZorvaneEngine::GUIWindow*, TotemStages> totemLights{};
    std::array<float, TotemStages> totemValues{};
    bool previewRunning = false;
    float previewTime = 0.0f;
    ZorvaneEngine::ColorRGBA mapColour{1, 1, 1, 1};
    // The last stage's mini game is solved: the map hands over to the
    // game-complete effect instead of offering the next level.
    bool gameEnd = false;

private:
    // The map's controls were shown and not hidden since.
    bool mapOut = false;
    // Stages the profile has completed: its current stage, one more once the
    // game is finished.
    uint32_t CompletedStages() const;
    bool GameFinished() const;
    // The mini game's frame: once it has finished, the map and its
    // controls come in and the stage's totem stays lit.
    void UpdateMiniGame();
    // At the game's end: starts the effect as the map comes in, and once it
    // is fully there sends the background's finale away and closes the
    // window.
    void RunGameEnd();
    void UpdateElements(float dt);
    void UpdatePreview(float dt);
    void CreateTotems();
};

} // namespace ActionPuzzle
