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
                                     GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUIMenuWindow(MenuFrameKind::SmallWindow, engine, soundPlayer, gameData, manager, parent), layout(layout)
{
    // With two buttons the confirm stands at the right-hand place (1).
    const GameData::MenuFrame<2>& frame = gameData->menuFrameModels.smallWindow;
    confirm = AddBigButton(frame.buttons[layout.cancelCaption ? 1 : 0]);
    if (layout.cancelCaption)
        cancel = AddBigButton(frame.buttons[0]);
    SetTitle(layout.title);
}

void GUIQuestionWindow::AddTexts() const
{
    if (layout.lines < 0) {
        AddTextLine(layout.textPrefix, -1, layout.firstLineY);
    } else {
        for (int32_t i = 0; i < layout.lines; ++i)
            AddTextLine(layout.textPrefix, i, layout.firstLineY - layout.lineStep * static_cast<float>(i));
    }
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

WindowAction GUIQuestionWindow::UpdateLeaving(WindowAction whenLeft)
{
    GUIBackgroundWindow* background = manager->GetBackground();
    if (!IsFrameVisible())
        return leaving && background->IsTransitionFinished() ? whenLeft : WindowAction::None;
    WindowAction answer = WindowAction::None;
    if (ConfirmClicked()) {
        GUIMenuWindow::Close();
        background->FadeInLayers();
        leaving = true;
    }
    if (CancelClicked())
        answer = WindowAction::ToGameMenu;
    AddTexts();
    return answer;
}

} // namespace ActionPuzzle
