#pragma once
// The small windows shown over a level: a title, a few lines of text, and a
// confirm button with or without a cancel button beside it (pause, the
// questions, game over).
//
// Windows that end the level close themselves on confirm, have the menu
// background fade its layers back in, and only answer once their frame has
// gone and that fade has ended, so the board and the HUD stay on screen
// until the menus are back behind them.
#include <string>

#include "framework/WindowAction.h"
#include "game/menus/GUIMenuWindow.h"

namespace ActionPuzzle {

struct QuestionLayout {
    const char* title;
    const char* textPrefix;   // line keys are the prefix and the line number
    int32_t lines;            // -1: one line under the prefix itself
    float firstLineY;
    float lineStep;
    const char* confirmCaption;
    const char* cancelCaption;  // null: no cancel button
};

class GUIQuestionWindow : public GUIMenuWindow {
public:
    GUIQuestionWindow(const QuestionLayout& layout, ZorvaneEngine::Engine* engine,
                      GameFramework::SoundPlayer* soundPlayer, GameData* gameData, GUIMenuWindowManager* manager,
                      ZorvaneEngine::GUIWindow* parent);

    // Queues the lines and the captions; every frame while the frame shows.
    void AddTexts() const;
    bool ConfirmClicked() const;
    bool CancelClicked() const;

    // The leaving step, after GUIMenuWindow::Update: while the frame is gone,
    // the answer once the background has faded in; on confirm, the window
    // closes and leaving begins. Returns the answer, None otherwise.
    GameFramework::WindowAction UpdateLeaving(GameFramework::WindowAction whenLeft);

    QuestionLayout layout;
    GUIControl* confirm = nullptr;
    GUIControl* cancel = nullptr;
    // Closed by its own confirm; waits for the background before answering.
    bool leaving = false;
};

} // namespace ActionPuzzle
