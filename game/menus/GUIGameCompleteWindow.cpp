#include "game/menus/GUIGameCompleteWindow.h"

#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "game/common/GameData.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

GUIGameCompleteWindow::GUIGameCompleteWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                             GameData* gameData, GUIMenuWindowManager* manager,
                                             ZorvaneEngine::GUIWindow* parent)
    : GUIGameCompleteWindowBase(engine),
      GUIMenuWindow(MenuFrameKind::SmallWindow, engine, soundPlayer, gameData, manager, parent)
{
    continueButton = AddBigButton(gameData->menuFrameModels.smallWindow.buttons[0]);
    SetTitle("GAME_COMPLETE_TITLE");
}

void GUIGameCompleteWindow::Open()
{
    if (!showText) {
        answerAtOnce = true;
        return;
    }
    openRequested = true;
    pages.Restart(*textManager);
}

void GUIGameCompleteWindow::Close()
{
    if (showText || IsFrameVisible())
        GUIMenuWindow::Close();
}

void GUIGameCompleteWindow::Update()
{
    if (!showText && answerAtOnce) {
        result = WindowAction::Done;
        answerAtOnce = false;
        return;
    }
    GUIGameCompleteWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (Clicked(continueButton->button) && pages.Turn())
        result = WindowAction::Done;
    pages.Update(timers->frameStep);
    pages.AddLines(*frameWidget, colour);
    AddCaption(*continueButton, "CONTINUE");
}

} // namespace ActionPuzzle
