#include "game/menus/GUIGameLogicPauseWindow.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

const QuestionLayout kLayout{"GAME_LOGIC_PAUSED_TITLE", "GAME_LOGIC_PAUSED_TEXT", -1, 99.0f, 0.0f, "GAME_LOGIC_PAUSED_RESUME", nullptr};

} // namespace

GUIGameLogicPauseWindow::GUIGameLogicPauseWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
    GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUIGameLogicPauseWindowBase(engine), GUIQuestionWindow(kLayout, engine, soundPlayer, gameData, manager, parent)
{
}

void GUIGameLogicPauseWindow::Open()
{
    openRequested = true;
    openWithTitlePlate = true;
}

void GUIGameLogicPauseWindow::Close()
{
    GUIMenuWindow::Close();
    releaseTitlePlate = true;
}

void GUIGameLogicPauseWindow::Update()
{
    GUIGameLogicPauseWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (ConfirmClicked())
        result = WindowAction::Resume;
    AddTexts();
}

} // namespace ActionPuzzle
