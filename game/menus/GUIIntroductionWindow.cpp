#include "game/menus/GUIIntroductionWindow.h"

#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "game/common/GameData.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

GUIIntroductionWindow::GUIIntroductionWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                             GameData* gameData, GUIMenuWindowManager* manager,
                                             ZorvaneEngine::GUIWindow* parent)
    : GUIMenuWindow(MenuFrameKind::BigWindow, engine, soundPlayer, gameData, manager, parent)
{
    continueButton = AddBigButton(gameData->menuFrameModels.bigWindow.buttons[0]);
    SetTitle("INTRODUCTION_TITLE");
}

void GUIIntroductionWindow::Open()
{
    openRequested = true;
    pages.Restart(*textManager);
}

void GUIIntroductionWindow::Close()
{
    GUIMenuWindow::Close();
}

void GUIIntroductionWindow::Update()
{
    WindowControllerBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    // A story without lines ends at the first CONTINUE instead of never.
    if (Clicked(continueButton->button) && pages.Turn())
        result = GameFramework::WindowAction::Play;
    pages.Update(timers->frameStep);
    pages.AddLines(*frameWidget, colour);
    AddCaption(*continueButton, "CONTINUE");
}

} // namespace ActionPuzzle
