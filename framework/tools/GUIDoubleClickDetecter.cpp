#include "framework/tools/GUIDoubleClickDetecter.h"

#include "engine/Engine.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"

namespace GameTools {

namespace {
constexpr float kDoubleClickSeconds = 0.6f;
const char* const kButton = "MOUSE1";
} // namespace

GUIDoubleClickDetecter::GUIDoubleClickDetecter(ZorvaneEngine::Engine& engine)
    : timers(engine.timers.get()), input(engine.input.get())
{
}

void GUIDoubleClickDetecter::AddWindow(ZorvaneEngine::GUIWindow* watched)
{
    windows.push_back(watched);
}

ZorvaneEngine::GUIWindow* GUIDoubleClickDetecter::FindHoveredWindow() const
{
    for (ZorvaneEngine::GUIWindow* watched : windows) {
        if (watched->effectivelyVisible && watched->hovered)
            return watched;
    }
    return nullptr;
}

void GUIDoubleClickDetecter::Update()
{
    doubleClicked = false;
    const float now = timers->GetMainTimer()->GetTime();
    const bool pressed = input->IsKeyPressed(kButton);

    if (now - firstPressTime < kDoubleClickSeconds) {
        if (pressed) {
            ZorvaneEngine::GUIWindow* hit = FindHoveredWindow();
            if (!hit) {
                stepCount = 0;
                window = nullptr;
                firstPressTime = -1.0f;
            } else if (hit != window) {
                window = hit;
                firstPressTime = now;
                stepCount = 1;
            }
        } else if (previousDown && !input->IsKeyDown(kButton)) {
            if (stepCount >= 2) {
                stepCount = 0;
                doubleClicked = true;
                firstPressTime = -1.0f;
            } else {
                ++stepCount;
            }
        }
    } else if (pressed) {
        if (ZorvaneEngine::GUIWindow* hit = FindHoveredWindow()) {
            window = hit;
            firstPressTime = now;
            stepCount = 1;
        }
    }

    previousDown = input->IsKeyDown(kButton);
}

} // namespace GameTools
