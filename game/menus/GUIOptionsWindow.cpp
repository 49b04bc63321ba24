#include "game/menus/GUIOptionsWindow.h"

#include <algorithm>
#include <memory>

#include "engine/core/Config.h"
#include "engine/core/TextUtils.h"
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

constexpr int32_t kLabelFont = 2;
constexpr int32_t kCaptionFont = 1;
constexpr int32_t kResolutionFont = 6;

} // namespace

GUIOptionsWindow::GUIOptionsWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                   GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                                   ProfileManager* profileManager)
    : GUIOptionsWindowBase(engine, soundPlayer, profileManager),
      GUIMenuWindow(MenuFrameKind::BigWindow, engine, soundPlayer, gameData, manager, parent)
{
    const GameData::OptionsModels& models = gameData->optionsModels;
    const GameData::ControlModels& looks = gameData->controlModels;
    const auto add = [&](const ZorvaneEngine::Model* placement, MenuControlKind kind, const ZorvaneEngine::Model* look,
                         const ZorvaneEngine::Model* hitArea, const ZorvaneEngine::Model* textArea) {
        return AddControl(
            std::make_unique<GUIControl>(engine, placement, gameData, kind, look, hitArea, textArea, frameWidget));
    };
    const ZorvaneEngine::Model* scrollLook = looks.scrollH.track;
    soundSlider = add(models.sliderSound, MenuControlKind::ScrollHorizontal, scrollLook, nullptr, nullptr);
    musicSlider = add(models.sliderMusic, MenuControlKind::ScrollHorizontal, scrollLook, nullptr, nullptr);
    fullScreenBox = add(models.fullscreenCheckBox, MenuControlKind::CheckBox, looks.checkBox, looks.checkBox, nullptr);
    resolutionPanel = add(models.resolutionText, MenuControlKind::Window, models.resolutionText, nullptr,
                          models.resolutionTextArea);
    leftArrow = add(models.resolutionButtonLeft, MenuControlKind::Button, looks.buttonArrowLeft,
                    looks.buttonArrowLeft, looks.buttonArrowLeft);
    rightArrow = add(models.resolutionButtonRight, MenuControlKind::Button, looks.buttonArrowRight,
                     looks.buttonArrowRight, looks.buttonArrowRight);
    const GameData::MenuFrame<3>& frame = gameData->menuFrameModels.bigWindow;
    applyControl = AddBigButton(frame.buttons[1]);
    defaultsControl = AddBigButton(frame.buttons[2]);
    cancelControl = AddBigButton(frame.buttons[0]);

    soundScroll = soundSlider->scroll;
    musicScroll = musicSlider->scroll;
    fullScreenCheckBox = fullScreenBox->checkBox;
    resolutionWidget = resolutionPanel->widget;
    leftButton = leftArrow->button;
    rightButton = rightArrow->button;
    applyButton = applyControl->button;
    defaultsButton = defaultsControl->button;
    cancelButton = cancelControl->button;

    for (ZorvaneEngine::GUIScroll* scroll : {soundScroll, musicScroll}) {
        scroll->step = SliderArrowStep;
        scroll->steps = SliderSteps;
        scroll->SetPosition(std::min(scroll->position, SliderSteps - 1));
    }
    SetTitle("OPTIONS_TITLE");
    AddVideoMode(640, 480);
    AddVideoMode(800, 600);
    AddVideoMode(1024, 768);
}

void GUIOptionsWindow::Open()
{
    GUIOptionsWindowBase::Open();
    openRequested = true;
    soundScroll->SetPosition(VolumeSliderPosition(rememberedSoundVolume));
    musicScroll->SetPosition(VolumeSliderPosition(rememberedMusicVolume));
    fullScreenCheckBox->checked = fullScreen;
}

void GUIOptionsWindow::Close()
{
    GUIOptionsWindowBase::Close();
    GUIMenuWindow::Close();
    // A slider let go by the closing window would otherwise loop on.
    UpdateSliderSound(GUIOptionsWindowBase::soundPlayer, false);
}

void GUIOptionsWindow::UpdateVolumes()
{
    GameFramework::SoundPlayer* sounds = GUIOptionsWindowBase::soundPlayer;
    ApplyVolumeSliders(sounds, soundScroll->position, musicScroll->position);

    UpdateSliderSound(sounds, soundScroll->IsDragging());
}

void GUIOptionsWindow::Update()
{
    GUIOptionsWindowBase::Update();
    GUIMenuWindow::Update();
    // A window-mode switch made elsewhere (Alt+Enter) shows in the box while
    // it is carried out.
    if (!GUIOptionsWindowBase::config->IsCommandDone("v_window_change_mode"))
        fullScreenCheckBox->checked = fullScreen;
    if (!IsFrameVisible())
        return;

    // CANCEL has put back the volumes of the opening: a fading window's
    // sliders change them no more.
    if (shown)
        UpdateVolumes();

    if (Clicked(leftButton) && selectedIndex > 0)
        --selectedIndex;
    if (Clicked(rightButton) && selectedIndex + 1 < videoModes.size())
        ++selectedIndex;
    if (Clicked(applyButton)) {
        fullScreen = fullScreenCheckBox->checked;
        Apply();
        result = WindowAction::ToMainMenu;
    }
    if (Clicked(defaultsButton)) {
        SetDefaults();
        GameFramework::SoundPlayer* sounds = GUIOptionsWindowBase::soundPlayer;
        soundScroll->SetPosition(VolumeSliderPosition(sounds->GetSoundVolume()));
        musicScroll->SetPosition(VolumeSliderPosition(sounds->GetMusicVolume()));
        fullScreenCheckBox->checked = fullScreen;
    }
    if (Clicked(cancelButton)) {
        Cancel();
        result = WindowAction::ToMainMenu;
    }
    AddTexts();
}

void GUIOptionsWindow::AddTexts()
{
    frameWidget->AddTextByKey(TextAlign::CenterX, kLabelFont, "OPTIONS_MUSIC_VOLUME", -1, 0.0f, -1.0f, {0, 287},
                              colour);
    frameWidget->AddTextByKey(TextAlign::CenterX, kLabelFont, "OPTIONS_SOUND_VOLUME", -1, 0.0f, -1.0f, {0, 236},
                              colour);
    frameWidget->AddTextByKey(TextAlign::CenterX, kLabelFont, "OPTIONS_RESOLUTION", -1, 0.0f, -1.0f, {0, 190},
                              colour);
    // Beside the box: placed by the offset on both axes.
    frameWidget->AddTextByKey(0, kLabelFont, "OPTIONS_FULLSCREEN", -1, 0.0f, -1.0f, {92, 117}, colour);
    if (selectedIndex < videoModes.size() && !videoModes[selectedIndex].label.empty())
        resolutionWidget->AddText(TextAlign::Center, kResolutionFont,
                                  ZorvaneEngine::ToWide(videoModes[selectedIndex].label), 0.0f, -1.0f, {0, 0},
                                  colour);
    applyButton->AddTextByKey(TextAlign::Center, kCaptionFont, "OPTIONS_APPLY", -1, 0.0f, -1.0f, {0, 0}, colour);
    defaultsButton->AddTextByKey(TextAlign::Center, kCaptionFont, "OPTIONS_DEFAULTS", -1, 0.0f, -1.0f, {0, 0},
                                 colour);
    cancelButton->AddTextByKey(TextAlign::Center, kCaptionFont, "CANCEL", -1, 0.0f, -1.0f, {0, 0}, colour);
}

} // namespace ActionPuzzle
