#include "game/menus/GUIExitWindow.h"

#include "engine/gui/GUIManager.h"
#include "game/common/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindowManager.h"

namespace ActionPuzzle {

using GameFramework::ExitOpenMode;
using GameFramework::WindowAction;

namespace {

const QuestionLayout kLayout{"EXIT_TITLE", "EXIT_TEXT_", 2, 120.0f, 23.0f, "YES", "NO"};

} // namespace

GUIExitWindow::GUIExitWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                             GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUIExitWindowBase(engine), GUIQuestionWindow(kLayout, engine, soundPlayer, gameData, manager, parent)
{
}

void GUIExitWindow::Open(ExitOpenMode mode)
{
    GUIExitWindowBase::Open(mode);
    OpenQuestion();
}

void GUIExitWindow::Close()
{
    GUIExitWindowBase::Close();
    CloseQuestion();
}

void GUIExitWindow::Update()
{
    GUIExitWindowBase::Update();
    GUIMenuWindow::Update();
    // The frame has gone and given the screen back.
    if (quitting && manager->free)
        result = WindowAction::Quit;
    if (!IsFrameVisible())
        return;
    if (ConfirmClicked()) {
        quitting = true;
        Close();
    }
    if (CancelClicked()) {
        switch (openMode) {
        case ExitOpenMode::FromWelcome: result = WindowAction::ToWelcome; break;
        case ExitOpenMode::FromMainMenu: result = WindowAction::ToMainMenu; break;
        case ExitOpenMode::FromNewProfile: result = WindowAction::ToNewProfile; break;
        }
    }
    AddTexts();
}

} // namespace ActionPuzzle
