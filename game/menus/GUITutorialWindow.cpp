#include "game/menus/GUITutorialWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileBase.h"
#include "game/app/GameData.h"
#include "game/app/Profile.h"
#include "game/app/ProfileManager.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

constexpr int32_t kCaptionFont = 1;

} // namespace

GUITutorialWindow::GUITutorialWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                     GameData* gameData, GUIMenuWindowManager* manager,
                                     ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager)
    : GUIMenuWindow(MenuFrameKind::LargeWindow, engine, soundPlayer, gameData, manager, parent),
      profileManager(profileManager)
{
    const GameData::ButtonLook& small = gameData->controlModels.buttonSmall;
    const GameData::MenuFrame<2>& frame = gameData->menuFrameModels.largeWindow;
    auto button = [&](const ZorvaneEngine::Model* placement) {
        return AddControl(std::make_unique<GUIControl>(engine, placement, gameData, MenuControlKind::Button,
                                                       small.look, small.selectionArea, small.textArea,
                                                       frameWidget));
    };
    continueButton = button(frame.buttons[1]);
    backButton = button(frame.buttons[0]);
    const ZorvaneEngine::Model* box = gameData->controlModels.checkBox;
    doNotShowBox = AddControl(std::make_unique<GUIControl>(engine, gameData->startGameModels.relaxCheckBox, gameData,
                                                           MenuControlKind::CheckBox, box, box, nullptr, frameWidget));
    SetTitle("TUTORIAL_TITLE");
}

void GUITutorialWindow::Open()
{
    if (!show) {
        answerAtOnce = true;
        return;
    }
    openRequested = true;
    doNotShowBox->checkBox->checked = false;
}

void GUITutorialWindow::Close()
{
    if (show || IsFrameVisible())
        GUIMenuWindow::Close();
}

void GUITutorialWindow::Update()
{
    if (!show && answerAtOnce) {
        result = WindowAction::Proceed;
        answerAtOnce = false;
        return;
    }
    WindowControllerBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (continueButton->button->clicked) {
        GameFramework::ProfileBase* profile = profileManager->currentProfile;
        if (doNotShowBox->checkBox->checked && profile != nullptr) {
            static_cast<Profile*>(profile)->tutorialPending = false;
            profile->Save();
        }
        result = WindowAction::Proceed;
    }
    if (backButton->button->clicked)
        result = WindowAction::ToMainMenu;
    frameWidget->AddTextByKey(0, kCaptionFont, "TUTORIAL_DO_NOT_SHOW", -1, 0.0f, 19.0f, {195, 23}, colour);
    AddCaption(*backButton, "BACK");
    AddCaption(*continueButton, "TUTORIAL_CONTINUE");
}

} // namespace ActionPuzzle
