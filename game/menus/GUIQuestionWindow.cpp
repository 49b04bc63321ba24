#include "game/menus/GUIQuestionWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "game/common/GameData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindowManager.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

GUIQuestionWindow::GUIQuestionWindow(const QuestionLayout& layout, ZorvaneEngine::Engine* engine,
                                     GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                                     GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                                     const QuestionBehaviour& behaviour)
    : GUIMenuWindow(MenuFrameKind::SmallWindow, engine, soundPlayer, gameData, manager, parent), layout(layout),
      behaviour(behaviour)
{
    // With two buttons the confirm stands at the right-hand place (1).
    const GameData::MenuFrame<2>& frame = gameData->menuFrameModels.smallWindow;
    confirm = AddBigButton(frame.buttons[layout.cancelCaption ? 1 : 0]);
    if (layout.cancelCaption)
        cancel = AddBigButton(frame.buttons[0]);
    SetTitle(layout.title);
}

void GUIQuestionWindow::OpenQuestion()
{
    openRequested = true;
    if (behaviour.borrowsTitlePlate)
        openWithTitlePlate = true;
    leaving = false;
}

void GUIQuestionWindow::CloseQuestion()
{
    if (leaving) {
        leaving = false;
        return;
    }
    GUIMenuWindow::Close();
    if (behaviour.releasesTitlePlate)
        releaseTitlePlate = true;
}

void GUIQuestionWindow::AddLines() const
{
    if (layout.lines < 0) {
        AddTextLine(layout.textPrefix, -1, layout.firstLineY);
        return;
    }
    for (int32_t i = 0; i < layout.lines; ++i)
        AddTextLine(layout.textPrefix, i, layout.firstLineY - layout.lineStep * static_cast<float>(i));
}

void GUIQuestionWindow::AddTexts() const
{
    AddLines();
    AddCaption(*confirm, layout.confirmCaption);
    if (cancel)
        AddCaption(*cancel, layout.cancelCaption);
}

bool GUIQuestionWindow::ConfirmClicked() const
{
    return Clicked(confirm->button);
}

bool GUIQuestionWindow::CancelClicked() const
{
    return cancel && Clicked(cancel->button);
}

WindowAction GUIQuestionWindow::Answer()
{
    GUIBackgroundWindow* background = manager->GetBackground();
    if (!IsFrameVisible())
        return leaving && background->IsTransitionFinished() ? behaviour.confirmAnswer : WindowAction::None;
    WindowAction answer = WindowAction::None;
    if (ConfirmClicked()) {
        if (behaviour.leavesLevel) {
            GUIMenuWindow::Close();
            background->FadeInLayers();
            leaving = true;
        } else {
            answer = behaviour.confirmAnswer;
        }
    }
    // Tested second: a click on both in one frame counts as the cancel.
    if (CancelClicked())
        answer = behaviour.cancelAnswer;
    AddTexts();
    return answer;
}

} // namespace ActionPuzzle
