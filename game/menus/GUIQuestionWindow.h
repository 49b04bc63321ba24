#pragma once
// A question in a small window: a title, a few lines of text, and a confirm
// button with or without a cancel button beside it. The quit question, the
// question before a profile is deleted and the windows shown over a level
// (pause, the three questions, game over) are made of it.
//
// Over a level a question may borrow the background's title plate. One that
// ends the level closes itself on confirm, has the menu background fade its
// layers back in, and only answers once its frame has gone and that fade has
// ended, so the board and the HUD stay on screen until the menus are back
// behind them.
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

// What a question does with the title plate and how it answers.
struct QuestionBehaviour {
    bool borrowsTitlePlate = false;   // appears only with the plate up
    bool releasesTitlePlate = false;  // the plate goes away when it closes
    bool leavesLevel = false;         // confirm ends the level, as told above
    GameFramework::WindowAction confirmAnswer = GameFramework::WindowAction::None;
    GameFramework::WindowAction cancelAnswer = GameFramework::WindowAction::None;
};

class GUIQuestionWindow : public GUIMenuWindow {
public:
    GUIQuestionWindow(const QuestionLayout& layout, ZorvaneEngine::Engine* engine,
                      GameFramework::SoundPlayer* soundPlayer, GameData* gameData, GUIMenuWindowManager* manager,
                      ZorvaneEngine::GUIWindow* parent, const QuestionBehaviour& behaviour = {});

    void OpenQuestion();
    // A question that closed itself to leave only forgets that it did.
    void CloseQuestion();
    // After GUIMenuWindow::Update: the answer to the buttons clicked in this
    // frame, or a leaving question's answer once the menus are back; None
    // otherwise. Queues the texts while the frame shows.
    GameFramework::WindowAction Answer();

    // Queues the lines and the captions; every frame while the frame shows.
    void AddTexts() const;
    bool ConfirmClicked() const;
    bool CancelClicked() const;

    QuestionLayout layout;
    QuestionBehaviour behaviour;
    GUIControl* confirm = nullptr;
    GUIControl* cancel = nullptr;
    // Closed by its own confirm; waits for the background before answering.
    bool leaving = false;

protected:
    // The lines of the layout, each from the text table.
    virtual void AddLines() const;
};

} // namespace ActionPuzzle
