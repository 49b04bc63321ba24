#pragma once
// Offered when the player starts while a game is in progress: continue it,
// start a new one, or go back. It shows the saved game's mode, its level as
// stage-level counted from 1, and the total score as it was when opened.
#include <cstdint>

#include "framework/MenuScreenBases.h"
#include "game/menus/GUIMenuWindow.h"

namespace ZorvaneEngine {
class Engine;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GUIControl;
class GUIMenuWindowManager;
class GameData;
class ProfileManager;

class GUIContinueGameLogicWindow : public GameFramework::GUIContinueGameLogicWindowBase, public GUIMenuWindow {
public:
    // Where the labels start and the values end, in GUI units.
    static constexpr float LeftColumnX = 289.0f;
    static constexpr float RightColumnX = 510.0f;

    GUIContinueGameLogicWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                               GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                               ProfileManager* profileManager);
    ~GUIContinueGameLogicWindow() override;

    void Open() override;
    void Close() override;
    void Update() override;

    // The level row's value: "3-7" for stage index 2, level index 6.
    static std::u16string LevelText(uint32_t stage, uint32_t level);

    ProfileManager* profileManager;
    GUIControl* continueButton = nullptr;
    GUIControl* newGameButton = nullptr;
    GUIControl* cancelButton = nullptr;
    ZorvaneEngine::GUIWindow* rightColumn = nullptr;  // owned, in the window pool
    ZorvaneEngine::GUIWindow* leftColumn = nullptr;   // owned, in the window pool
    uint32_t totalScore = 0;  // taken at Open
};

} // namespace ActionPuzzle
