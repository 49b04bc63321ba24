#include "game/menus/GUIMenuWindow.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/TextAlign.h"
#include "engine/input/Controls.h"
#include "framework/SoundPlayer.h"
#include "framework/tools/GUITextPrinter.h"
#include "game/common/GUIModelHelpers.h"
#include "game/common/GameData.h"
#include "game/common/SoundId.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindowManager.h"

namespace ActionPuzzle {

using ZorvaneEngine::AnimationControl;
using ZorvaneEngine::ColorRGBA;
using ZorvaneEngine::GUIWindow;

namespace {

constexpr float kTolerance = 0.0001f;
// The frame's own alpha rises over its first frames.
constexpr float kFrameFadeFrames = 15.0f;
constexpr int32_t kCaptionFont = 1;
constexpr int32_t kTextFont = 2;

const GameData::MenuFrame<2>* SmallOrLarge(const GameData& data, MenuFrameKind kind)
{
    return kind == MenuFrameKind::SmallWindow ? &data.menuFrameModels.smallWindow
                                              : &data.menuFrameModels.largeWindow;
}

// The frame's model and its text area.
void FrameModels(const GameData& data, MenuFrameKind kind, const ZorvaneEngine::Model*& window,
                 const ZorvaneEngine::Model*& area)
{
    switch (kind) {
    case MenuFrameKind::MainMenu:
        window = data.menuFrameModels.mainMenu.window;
        area = data.menuFrameModels.mainMenu.windowArea;
        break;
    case MenuFrameKind::BigWindow:
        window = data.menuFrameModels.bigWindow.window;
        area = data.menuFrameModels.bigWindow.windowArea;
        break;
    case MenuFrameKind::SmallWindow:
    case MenuFrameKind::LargeWindow:
        window = SmallOrLarge(data, kind)->window;
        area = SmallOrLarge(data, kind)->windowArea;
        break;
    }
}

} // namespace

GUIMenuWindow::GUIMenuWindow(MenuFrameKind frameKind, ZorvaneEngine::Engine* engine,
                             GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                             GUIMenuWindowManager* manager, GUIWindow* parent)
    : engine(engine),
      timers(engine->timers.get()),
      config(engine->config.get()),
      input(engine->input.get()),
      guiManager(engine->guiManager.get()),
      fontManager(engine->guiManager->GetFontManager()),
      textManager(engine->guiManager->GetTextManager()),
      soundPlayer(soundPlayer),
      gameData(gameData),
      manager(manager),
      frameKind(frameKind)
{
    const ZorvaneEngine::Model* window = nullptr;
    const ZorvaneEngine::Model* area = nullptr;
    FrameModels(*gameData, frameKind, window, area);
    frameControl = new GUIControl(engine, window, gameData, MenuControlKind::Window, window, nullptr, area, parent);
    if (frameKind == MenuFrameKind::MainMenu)
        frameControl->SetAppearSpeed(MainMenuAppearSpeed);
    frameWidget = frameControl->widget;
    controls.push_back(frameControl);
}

GUIMenuWindow::~GUIMenuWindow()
{
    while (!ownedControls.empty())
        ownedControls.pop_back();
    delete frameControl;
}

GUIControl* GUIMenuWindow::AddControl(std::unique_ptr<GUIControl> control)
{
    controls.push_back(control.get());
    ownedControls.push_back(std::move(control));
    return controls.back();
}

GUIControl* GUIMenuWindow::AddBigButton(const ZorvaneEngine::Model* placement)
{
    const GameData::ButtonLook& look = gameData->controlModels.buttonBig;
    return AddControl(std::make_unique<GUIControl>(engine, placement, gameData, MenuControlKind::Button, look.look,
                                                   look.selectionArea, look.textArea, frameWidget));
}

void GUIMenuWindow::SetTitle(const std::string& key)
{
    title = textManager->GetText(key);
}

bool GUIMenuWindow::IsAnyControlAnimating() const
{
    return std::any_of(controls.begin(), controls.end(), [](const GUIControl* c) { return c->IsAppearing(); });
}

bool GUIMenuWindow::IsFrameVisible() const
{
    return frameWidget && frameWidget->effectivelyVisible;
}

bool GUIMenuWindow::Clicked(const ZorvaneEngine::GUIButton* button) const
{
    return shown && button && button->clicked;
}

bool GUIMenuWindow::KeyPressed(const std::string& key) const
{
    return shown && input->IsKeyPressed(key);
}

void GUIMenuWindow::Close()
{
    // Asked to open but not on screen yet: it stays closed.
    openRequested = false;
    if (!shown)
        return;
    shown = false;
    if (frameKind != MenuFrameKind::MainMenu)
        soundPlayer->PlaySound(SoundWindowDisappear);
}

void GUIMenuWindow::AddCaption(GUIControl& control, const std::string& key) const
{
    control.widget->AddTextByKey(ZorvaneEngine::TextAlign::Center, kCaptionFont, key, -1, 0.0f, -1.0f, {0, 0},
                                 colour);
}

void GUIMenuWindow::AddTextLine(const std::string& prefix, int32_t line, float y) const
{
    frameWidget->AddTextByKey(ZorvaneEngine::TextAlign::CenterX, kTextFont, prefix, line, 0.0f, -1.0f, {0, y},
                              colour);
}

void GUIMenuWindow::Update()
{
    GUIBackgroundWindow* background = manager->GetBackground();
    const float dt = timers->frameStep;

    if (!shown && manager->free && openRequested) {
        bool open = false;
        if (!openWithTitlePlate) {
            open = true;
        } else if (holdingTitlePlate) {
            open = !releaseTitlePlate;
        } else if (!releaseTitlePlate && !background->GetPlateHandOver().IsUp() &&
                   !background->GetTitlePlate()->effectivelyVisible) {
            open = true;
            holdingTitlePlate = true;
            openWithTitlePlate = false;
        }
        if (open) {
            shown = true;
            openRequested = false;
        }
    }

    if (holdingTitlePlate) {
        TitlePlateHandOver& plate = background->GetPlateHandOver();
        if (shown && !plate.IsUp() && manager->free) {
            manager->free = false;
            plate.Request();
        }
        if (shown && plate.TakeReady())
            manager->free = true;
        if (!shown && manager->free && releaseTitlePlate && plate.IsUp()) {
            plate.Release();
            holdingTitlePlate = false;
            releaseTitlePlate = false;
        }
        if (!plate.IsUp())
            return;
    }

    if (shown) {
        if (manager->free) {
            for (GUIControl* control : controls)
                control->Show();
            controlsOut = true;
            manager->free = false;
            colour.a = 0.0f;
            if (GameTools::GUITextPrinter* printer = background->GetCentreTextPrinter())
                printer->SetText(title);
            if (frameKind != MenuFrameKind::MainMenu)
                soundPlayer->PlaySound(SoundWindowAppear);
        }
        if (!IsAnyControlAnimating())
            colour.a = std::min(colour.a + FadeInSpeed * dt, 1.0f);
    }

    GUIWindow* frameAppear = frameControl->appearWindow;
    const bool frameWasVisible = frameAppear ? frameAppear->effectivelyVisible : frameWidget->effectivelyVisible;

    for (GUIControl* control : controls) {
        control->colour = colour;
        control->Update();
    }

    if (!shown) {
        colour.a = std::max(colour.a - FadeOutSpeed * dt, 0.0f);
        // Once transparent the controls play their appear animations back,
        // once per close; also for a window closed before it had begun to
        // fade in, whose alpha never fell from above.
        if (controlsOut && colour.a < kTolerance) {
            for (GUIControl* control : controls)
                control->Hide();
            controlsOut = false;
        }
        const bool frameVisible =
            (frameAppear && frameAppear->effectivelyVisible) || frameWidget->effectivelyVisible;
        if (frameWasVisible && !frameVisible)
            manager->free = true;
    }

    if (frameWidget->effectivelyVisible && frameWidget->model) {
        const AnimationControl* animation = frameWidget->model->GetAnimation();
        const bool backward = animation->currentRangeId == 1;
        const float last = static_cast<float>(FrameCount(*frameWidget->model) - 1);
        // The frame shown: the position counts from the range's first frame.
        const float frameShown = backward ? last - animation->position : animation->position;
        const float alpha = std::clamp(frameShown / kFrameFadeFrames, 0.0f, 1.0f);
        frameWidget->SetColor(ColorRGBA(1, 1, 1, alpha));
    }
}

} // namespace ActionPuzzle
