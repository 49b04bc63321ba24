#include "game/menus/GUIUpgradeWindow.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlign.h"
#include "engine/input/Controls.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIMenuWindowManager.h"

namespace ActionPuzzle {

namespace {

constexpr int32_t kPromptFont = 1;
// The prompt's baseline above the window's bottom edge.
constexpr float kPromptY = 12.0f;
// How fast the prompt would fade once the show ends, per second of the
// show's clock.
constexpr float kPromptFadeOut = 1.5f;

} // namespace

GUIUpgradeWindow::GUIUpgradeWindow(ZorvaneEngine::Engine* engine, GUIMenuWindowManager* windowManager,
                                   ZorvaneEngine::GUIWindow* window)
    : timers(engine->timers.get()),
      input(engine->input.get()),
      guiManager(engine->guiManager.get()),
      windowManager(windowManager),
      window(window)
{
}

GUIUpgradeWindow::~GUIUpgradeWindow()
{
    if (window && guiManager->windows.Remove(window))
        delete window;
}

void GUIUpgradeWindow::Update()
{
    result = GameFramework::WindowAction::None;
    if (!window)
        return;
    GUIBackgroundWindow* background = windowManager->GetBackground();
    const float dt = timers->frameStep;

    if (window->effectivelyVisible) {
        if (!active && background->IsTransitionFinished())
            result = GameFramework::WindowAction::ToMainMenu;
    } else if (active && windowManager->free) {
        // The last menu window has gone: the menu's frame fades away.
        background->FadeOutLayers();
        window->SetVisible(true);
    }
    if (!window->effectivelyVisible)
        return;

    time += dt;
    if (active) {
        // The title of the menu that chose the show place goes with the
        // frame.
        if (background->IsTransitionFinished())
            windowManager->ClearCentreText();
        promptAlpha = std::clamp(time - PromptFrom, 0.0f, 1.0f);
        if (input->IsAnyKeyPressed() && time > IgnoreInputFor) {
            background->FadeInLayers();
            active = false;
        }
    } else {
        // The clock has run for over a second by now, so the prompt is
        // gone at once.
        promptAlpha = std::clamp(1.0f - kPromptFadeOut * time, 0.0f, 1.0f);
    }
    window->AddTextByKey(ZorvaneEngine::TextAlign::CenterX, kPromptFont, "HIT_MOUSE_BUTTON_TO_CONTINUE", -1, 0.0f,
                         -1.0f, {0, kPromptY}, ZorvaneEngine::ColorRGBA(1, 1, 1, promptAlpha));
}

} // namespace ActionPuzzle
