#include "game/menus/GUIGameLogicGameExitWindow.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

const QuestionLayout kLayout{"GAME_LOGIC_EXIT_TITLE", "GAME_LOGIC_EXIT_TEXT_", 3, 129.0f, 23.0f, "GAME_LOGIC_EXIT_OK", "CANCEL"};

} // namespace

GUIGameLogicGameExitWindow::GUIGameLogicGameExitWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
    GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUIGameLogicGameExitWindowBase(engine), GUIQuestionWindow(kLayout, engine, soundPlayer, gameData, manager, parent)
{
}

void GUIGameLogicGameExitWindow::Open()
{
    openRequested = true;
    openWithTitlePlate = true;
}

void GUIGameLogicGameExitWindow::Close()
{
    GUIMenuWindow::Close();
    releaseTitlePlate = true;
}

void GUIGameLogicGameExitWindow::Update()
{
    GUIGameLogicGameExitWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (ConfirmClicked())
        result = WindowAction::Quit;
    // Tested second: a click on both in one frame stays in the level.
    if (CancelClicked())
        result = WindowAction::Resume;
    AddTexts();
}

} // namespace ActionPuzzle
