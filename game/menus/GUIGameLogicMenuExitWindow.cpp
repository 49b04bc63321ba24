#include "game/menus/GUIGameLogicMenuExitWindow.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

const QuestionLayout kLayout{"GAME_LOGIC_EXIT_TITLE", "GAME_LOGIC_EXIT_TEXT_", 3, 129.0f, 23.0f, "GAME_LOGIC_EXIT_OK", "CANCEL"};

} // namespace

GUIGameLogicMenuExitWindow::GUIGameLogicMenuExitWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
    GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUIGameLogicMenuExitWindowBase(engine), GUIQuestionWindow(kLayout, engine, soundPlayer, gameData, manager, parent)
{
}

void GUIGameLogicMenuExitWindow::Open()
{
    openRequested = true;
    leaving = false;
}

void GUIGameLogicMenuExitWindow::Close()
{
    // A window that closed itself to leave only forgets that it did.
    if (leaving) {
        leaving = false;
        return;
    }
    GUIMenuWindow::Close();
}

void GUIGameLogicMenuExitWindow::Update()
{
    GUIGameLogicMenuExitWindowBase::Update();
    GUIMenuWindow::Update();
    result = UpdateLeaving(WindowAction::ToMainMenu);
}

} // namespace ActionPuzzle
