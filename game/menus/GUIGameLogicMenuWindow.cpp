#include "game/menus/GUIGameLogicMenuWindow.h"

#include "engine/core/Config.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlign.h"
#include "framework/SoundPlayer.h"
#include "game/common/GameData.h"
#include "game/common/ProfileManager.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;
using ZorvaneEngine::TextAlign;

namespace {

constexpr int32_t kTextFont = 2;

} // namespace

GUIGameLogicMenuWindow::GUIGameLogicMenuWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                               GameData* gameData, GUIMenuWindowManager* manager,
                                               ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager)
    : GUIGameLogicMenuWindowBase(engine, soundPlayer, profileManager),
      GUIMenuWindow(MenuFrameKind::BigWindow, engine, soundPlayer, gameData, manager, parent)
{
    const GameData::GameLogicMenuModels& models = gameData->gameLogicMenuModels;
    const ZorvaneEngine::Model* scrollLook = gameData->controlModels.scrollH.track;
    const auto slider = [&](const ZorvaneEngine::Model* placement) {
        GUIControl* control = AddControl(std::make_unique<GUIControl>(
            engine, placement, gameData, MenuControlKind::ScrollHorizontal, scrollLook, nullptr, nullptr, frameWidget));
        control->scroll->steps = SliderSteps;
        return control;
    };
    soundSlider = slider(models.sliderSound);
    musicSlider = slider(models.sliderMusic);
    const ZorvaneEngine::Model* box = gameData->controlModels.checkBox;
    fullScreenBox = AddControl(std::make_unique<GUIControl>(engine, models.fullscreenCheckBox, gameData,
                                                            MenuControlKind::CheckBox, box, box, nullptr, frameWidget));
    const GameData::MenuFrame<3>& frame = gameData->menuFrameModels.bigWindow;
    exitButton = AddBigButton(frame.buttons[0]);
    restartButton = AddBigButton(frame.buttons[1]);
    returnButton = AddBigButton(frame.buttons[2]);
    SetTitle("GAME_LOGIC_MENU_TITLE");
}

void GUIGameLogicMenuWindow::Open()
{
    GUIGameLogicMenuWindowBase::Open();
    openRequested = true;
    soundSlider->scroll->SetPosition(VolumeSliderPosition(soundVolume));
    musicSlider->scroll->SetPosition(VolumeSliderPosition(musicVolume));
    fullScreenBox->checkBox->checked = fullScreen;
    openWithTitlePlate = true;
}

void GUIGameLogicMenuWindow::Close()
{
    GUIGameLogicMenuWindowBase::Close();
    GUIMenuWindow::Close();
    // The slider may have been let go by closing the window.
    ActionPuzzle::UpdateSliderSound(GUIMenuWindow::soundPlayer, false);
}

void GUIGameLogicMenuWindow::UpdateSliderSound()
{
    ActionPuzzle::UpdateSliderSound(GUIMenuWindow::soundPlayer, soundSlider->scroll->IsDragging());
}

void GUIGameLogicMenuWindow::Update()
{
    GUIGameLogicMenuWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    // A mode switch made elsewhere (Alt+Enter) shows in the box until done.
    if (!GUIGameLogicMenuWindowBase::config->IsCommandDone("v_window_change_mode"))
        fullScreenBox->checkBox->checked = fullScreen;

    // The volumes were kept with the player as the menu closed: a fading
    // menu's sliders change them no more.
    if (shown) {
        ApplyVolumeSliders(GUIMenuWindow::soundPlayer, soundSlider->scroll->position, musicSlider->scroll->position);
        UpdateSliderSound();
    }

    if (Clicked(fullScreenBox->checkBox)) {
        fullScreen = fullScreenBox->checkBox->checked;
        ApplyWindowMode();
    }
    if (Clicked(exitButton->button))
        result = WindowAction::ToLeaveLevel;
    if (Clicked(restartButton->button))
        result = WindowAction::ToRestart;
    if (Clicked(returnButton->button)) {
        result = WindowAction::Resume;
        // The plate stays while a question follows the menu, and goes with
        // it back to the level.
        releaseTitlePlate = true;
    }

    frameWidget->AddTextByKey(TextAlign::CenterX, kTextFont, "OPTIONS_MUSIC_VOLUME", -1, 0.0f, -1.0f, {0, 273},
                              colour);
    frameWidget->AddTextByKey(TextAlign::CenterX, kTextFont, "OPTIONS_SOUND_VOLUME", -1, 0.0f, -1.0f, {0, 209},
                              colour);
    frameWidget->AddTextByKey(0, kTextFont, "OPTIONS_FULLSCREEN", -1, 0.0f, -1.0f, {94, 138}, colour);
    AddCaption(*exitButton, "GAME_LOGIC_MENU_EXIT");
    AddCaption(*restartButton, "GAME_LOGIC_MENU_RESTART");
    AddCaption(*returnButton, "GAME_LOGIC_MENU_RETURN");
}

} // namespace ActionPuzzle
