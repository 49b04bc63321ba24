#pragma once
// The HUD over a level in play: a bar with the level's number and the score
// (the player's total with the level's own), a menu button, a minimise
// button, the window / full-screen toggle and a close button; the table
// around the board behind them; and, for developers, frame statistics at
// the left edge. What the player asks for goes into the result: the quit
// question (close), the pause (Space or P) or the in-game menu (Escape or
// the menu button). While another window covers it the HUD stays on the
// screen but takes no keys and its menu and close buttons are off.
//
// It fades in once its controls have appeared, and disappears on the first
// update after Close.
#include <memory>
#include <vector>

#include "engine/core/MathTypes.h"
#include "framework/GUIGameLogicWindowBase.h"

namespace ZorvaneEngine {
class Controls;
class GUICheckBox;
class GUIButton;
class GUIFontManager;
class GUIManager;
class GUITextManager;
class GUIWindow;
class ModelManager;
class TimerManager;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GameData;
class GUIControl;
class GUIMenuWindowManager;
class ProfileManager;

class GUIGameLogicWindow : public GameFramework::GUIGameLogicWindowBase {
public:
    // The layers of the bar (in front of everything of the level) and of
    // the table (in front of the board, behind the pieces).
    static constexpr int32_t PanelLayer = 500;
    static constexpr int32_t TableLayer = 210;
    static constexpr int32_t StatisticsLayer = 5;

    GUIGameLogicWindow(ZorvaneEngine::Engine* engine, GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                       ProfileManager* profileManager);
    // Its windows, then its controls, then the title and table windows.
    ~GUIGameLogicWindow() override;

    void Update() override;
    void Open(GameFramework::GameLogicBase* logic) override;
    void Close() override;
    void SetActive(bool isActive) override;

    // The three lines of frame statistics when "d_show_statistics" reads
    // as a number other than 0.
    void DrawStatistics();

    // The level's number as the HUD shows it: stage and level from 1, "1-1".
    static std::u16string LevelText(uint32_t stageIndex, uint32_t levelIndex);
    // The leading decimal digits of the text as a number; 0 without any.
    static int64_t LeadingNumber(const std::string& text);

    bool IsOpen() const { return open; }
    float GetAlpha() const { return colour.a; }
    ZorvaneEngine::GUIWindow* GetRootWindow() const { return rootWindow; }
    ZorvaneEngine::GUIWindow* GetStatisticsWindow() const { return statisticsWindow; }
    ZorvaneEngine::GUIButton* GetMenuButton() const { return menuButton; }
    ZorvaneEngine::GUIButton* GetMinimizeButton() const { return minimizeButton; }
    ZorvaneEngine::GUIButton* GetCloseButton() const { return closeButton; }
    ZorvaneEngine::GUICheckBox* GetCurrentCheckBox() const { return currentCheckBox; }
    ZorvaneEngine::GUIWindow* GetLevelNameWindow() const { return levelNameWindow; }
    ZorvaneEngine::GUIWindow* GetScoreWindow() const { return scoreWindow; }

private:
    bool AnyControlAnimating() const;
    bool AnyControlVisible() const;
    void QueueTexts();

    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::ModelManager* models;
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::GUIFontManager* fontManager;
    ZorvaneEngine::GUITextManager* textManager;
    ZorvaneEngine::Controls* controls;
    GameData* gameData;
    GUIMenuWindowManager* menuWindowManager;  // kept, not used

    // Owned through the GUI manager's window pool.
    ZorvaneEngine::GUIWindow* rootWindow = nullptr;
    ZorvaneEngine::GUIWindow* panelWindow = nullptr;
    ZorvaneEngine::GUIWindow* controlsWindow = nullptr;
    ZorvaneEngine::GUIWindow* statisticsWindow = nullptr;
    ZorvaneEngine::GUIWindow* backgroundWindow = nullptr;
    ZorvaneEngine::GUIWindow* levelTitleWindow = nullptr;
    ZorvaneEngine::GUIWindow* scoreTitleWindow = nullptr;

    std::unique_ptr<GUIControl> mainPanelControl;
    std::unique_ptr<GUIControl> menuControl;
    std::unique_ptr<GUIControl> minimizeControl;
    std::unique_ptr<GUIControl> windowModeControl;
    std::unique_ptr<GUIControl> fullScreenModeControl;
    std::unique_ptr<GUIControl> closeControl;
    std::unique_ptr<GUIControl> levelNameControl;
    std::unique_ptr<GUIControl> scoreControl;
    // The widgets the controls made.
    ZorvaneEngine::GUIButton* menuButton = nullptr;
    ZorvaneEngine::GUIButton* minimizeButton = nullptr;
    ZorvaneEngine::GUICheckBox* windowModeCheckBox = nullptr;
    ZorvaneEngine::GUICheckBox* fullScreenModeCheckBox = nullptr;
    ZorvaneEngine::GUIButton* closeButton = nullptr;
    ZorvaneEngine::GUIWindow* levelNameWindow = nullptr;
    ZorvaneEngine::GUIWindow* scoreWindow = nullptr;
    // The mode check box shown: window mode or full-screen mode.
    ZorvaneEngine::GUICheckBox* currentCheckBox = nullptr;
    GUIControl* currentModeControl = nullptr;

    // Main panel, menu, minimise, close, level name, score.
    std::vector<GUIControl*> controlList;
    bool open = false;
    ZorvaneEngine::ColorRGBA colour{1, 1, 1, 0};
    GameFramework::GameLogicBase* logic = nullptr;
};

} // namespace ActionPuzzle
