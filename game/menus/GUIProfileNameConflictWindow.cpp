#include "game/menus/GUIProfileNameConflictWindow.h"

#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "game/common/GameData.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

constexpr float kFirstLineY = 102.0f;
constexpr float kLineStep = 23.0f;

} // namespace

GUIProfileNameConflictWindow::GUIProfileNameConflictWindow(ZorvaneEngine::Engine* engine,
                                                           GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                                                           GUIMenuWindowManager* manager,
                                                           ZorvaneEngine::GUIWindow* parent)
    : GUIMenuWindow(MenuFrameKind::SmallWindow, engine, soundPlayer, gameData, manager, parent)
{
    const GameData::ButtonLook& look = gameData->controlModels.buttonBig;
    ok = new GUIControl(engine, gameData->menuFrameModels.smallWindow.buttons[0], gameData, MenuControlKind::Button,
                        look.look, look.selectionArea, look.textArea, frameWidget);
    controls.push_back(ok);
    SetTitle("PROFILE_NAME_CONFLICT_TITLE");
}

GUIProfileNameConflictWindow::~GUIProfileNameConflictWindow()
{
    delete ok;
}

void GUIProfileNameConflictWindow::Open(GameFramework::NameConflictOpenMode mode)
{
    GUIProfileNameConflictWindowBase::Open(mode);
    openRequested = true;
}

void GUIProfileNameConflictWindow::Close()
{
    GUIProfileNameConflictWindowBase::Close();
    GUIMenuWindow::Close();
}

void GUIProfileNameConflictWindow::Update()
{
    GUIProfileNameConflictWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (Clicked(ok->button) || KeyPressed("ENTER")) {
        result = openMode == GameFramework::NameConflictOpenMode::FromNewProfile ? WindowAction::ToNewProfile
                                                                                 : WindowAction::ToRenameProfile;
    }
    for (int32_t i = 0; i < 2; ++i)
        AddTextLine("PROFILE_NAME_CONFLICT_TEXT_", i, kFirstLineY - kLineStep * static_cast<float>(i));
    AddCaption(*ok, "OK");
}

} // namespace ActionPuzzle
