#include "game/menus/GUIExitWindow.h"

#include "engine/gui/GUIManager.h"
#include "game/common/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindowManager.h"

namespace ActionPuzzle {

using GameFramework::ExitOpenMode;
using GameFramework::WindowAction;

namespace {

constexpr float kFirstLineY = 120.0f;
constexpr float kLineStep = 23.0f;

} // namespace

GUIExitWindow::GUIExitWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                             GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUIExitWindowBase(engine), GUIMenuWindow(MenuFrameKind::SmallWindow, engine, soundPlayer, gameData, manager, parent)
{
    const GameData::MenuFrame<2>& frame = gameData->menuFrameModels.smallWindow;
    const GameData::ButtonLook& look = gameData->controlModels.buttonBig;
    yes = new GUIControl(engine, frame.buttons[1], gameData, MenuControlKind::Button, look.look, look.selectionArea,
                         look.textArea, frameWidget);
    no = new GUIControl(engine, frame.buttons[0], gameData, MenuControlKind::Button, look.look, look.selectionArea,
                        look.textArea, frameWidget);
    controls.push_back(yes);
    controls.push_back(no);
    SetTitle("EXIT_TITLE");
}

GUIExitWindow::~GUIExitWindow()
{
    delete no;
    delete yes;
}

void GUIExitWindow::Open(ExitOpenMode mode)
{
    GUIExitWindowBase::Open(mode);
    openRequested = true;
}

void GUIExitWindow::Close()
{
    GUIExitWindowBase::Close();
    GUIMenuWindow::Close();
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
    if (Clicked(yes->button)) {
        quitting = true;
        Close();
    }
    if (Clicked(no->button)) {
        switch (openMode) {
        case ExitOpenMode::FromWelcome: result = WindowAction::ToWelcome; break;
        case ExitOpenMode::FromMainMenu: result = WindowAction::ToMainMenu; break;
        case ExitOpenMode::FromNewProfile: result = WindowAction::ToNewProfile; break;
        }
    }
    for (int32_t i = 0; i < 2; ++i)
        AddTextLine("EXIT_TEXT_", i, kFirstLineY - kLineStep * static_cast<float>(i));
    AddCaption(*yes, "YES");
    AddCaption(*no, "NO");
}

} // namespace ActionPuzzle
