#include "game/menus/GUILogosWindow.h"

#include <algorithm>
#include <string>

#include "engine/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIMaterial.h"
#include "engine/gui/GUIWindowFlags.h"

namespace ActionPuzzle {

using ZorvaneEngine::GUIWindow;
using ZorvaneEngine::GUIWindowFlags;

namespace {

constexpr float kTolerance = 0.0001f;
constexpr int32_t kFrontLayer = 101;
constexpr int32_t kBackLayer = 100;
const ZorvaneEngine::Vector2 kScreenSize{800, 600};
// The picture's own alpha: a JPEG is opaque, and blending stays on, so the
// window's colour fades the picture.
const char* const kOpaquePicture = "32bit";

} // namespace

GUILogosWindow::GUILogosWindow(ZorvaneEngine::Engine* engine)
    : GUILogosWindowBase(engine), fileManager(engine->fileManager.get()), guiManager(engine->guiManager.get())
{
    root = guiManager->CreateWindow(GUIWindowFlags::Visible | GUIWindowFlags::DepthRaised, {0, 0}, {0, 0}, nullptr,
                                    nullptr);
    for (int k = 0; k < 2; ++k) {
        const std::string texture = "splash" + std::to_string(k + 1) + ".jpg";
        if (!fileManager->FileExists("data\\" + texture))
            continue;
        const ZorvaneEngine::ShaderDescriptor material =
            ZorvaneEngine::MakeGUIShaderDescriptor(kOpaquePicture, texture);
        splash[k] = guiManager->CreateQuadWindow(GUIWindowFlags::Visible | GUIWindowFlags::VertexColor, {0, 0},
                                                 kScreenSize, &material, root, {1, 1});
    }
    if (!splash[0])
        std::swap(splash[0], splash[1]);
    if (splash[0])
        splash[0]->SetLayer(kFrontLayer);
    if (splash[1])
        splash[1]->SetLayer(kBackLayer);
}

GUILogosWindow::~GUILogosWindow()
{
    for (GUIWindow* window : {splash[0], splash[1], root}) {
        if (window && guiManager->windows.Remove(window))
            delete window;
    }
}

void GUILogosWindow::Open()
{
    open = true;
}

void GUILogosWindow::Close()
{
    open = false;
    for (GUIWindow*& window : splash) {
        if (window && guiManager->windows.Remove(window))
            delete window;
        window = nullptr;
    }
}

void GUILogosWindow::Update()
{
    GUILogosWindowBase::Update();
    if (!open)
        return;
    if (!splash[0]) {
        result = GameFramework::WindowAction::Done;
        return;
    }
    time += timers->frameStep;
    const float alpha = std::max(1.0f - std::max(time - StandTime, 0.0f) / FadeTime, 0.0f);
    for (GUIWindow* window : splash) {
        if (!window || !window->effectivelyVisible)
            continue;
        window->SetColor(ZorvaneEngine::ColorRGBA(1, 1, 1, alpha));
        if (alpha < kTolerance) {
            time = 0.0f;
            window->SetVisible(false);
        }
        return;
    }
    result = GameFramework::WindowAction::Done;
}

} // namespace ActionPuzzle
