#include "game/menus/GUIGameLogicRestartWindow.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

const QuestionLayout kLayout{"GAME_LOGIC_RESTART_TITLE", "GAME_LOGIC_RESTART_TEXT_", 2, 120.0f, 23.0f, "YES", "CANCEL"};

} // namespace

GUIGameLogicRestartWindow::GUIGameLogicRestartWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
    GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUIGameLogicRestartWindowBase(engine), GUIQuestionWindow(kLayout, engine, soundPlayer, gameData, manager, parent)
{
}

void GUIGameLogicRestartWindow::Open()
{
    openRequested = true;
    leaving = false;
}

void GUIGameLogicRestartWindow::Close()
{
    // A window that closed itself to leave only forgets that it did.
    if (leaving) {
        leaving = false;
        return;
    }
    GUIMenuWindow::Close();
}

void GUIGameLogicRestartWindow::Update()
{
    GUIGameLogicRestartWindowBase::Update();
    GUIMenuWindow::Update();
    result = UpdateLeaving(WindowAction::Proceed);
}

} // namespace ActionPuzzle
