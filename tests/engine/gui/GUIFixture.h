#pragma once
// A GUI manager over the model fixture's services (scripted renderer and
// windowing), with the controls fed by hand, no sound, and the GUI camera
// at 800 by 600. The window's client area is 1024 by 768 unless a test
// changes it.
#include <memory>
#include <string>

#include "engine/graphics/Camera.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/input/Controls.h"
#include "tests/engine/graphics/ModelFixture.h"

namespace ZorvaneEngine {

class GUIFixture : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        controls = std::make_unique<Controls>(&log, timers.get(), config.get(), window.get());
        gui = std::make_unique<GUIManager>(&log, files.get(), window.get(), timers.get(),
                                           cameras.get(), shaders.get(), models.get(),
                                           controls.get(), nullptr);
        gui->GetCamera()->orthoWidth = 800;
        gui->GetCamera()->orthoHeight = 600;
    }
    void TearDown() override
    {
        gui.reset();
        controls.reset();
        ModelFixture::TearDown();
    }

    // One GUI frame with the mouse at the client pixel.
    void Frame(int32_t pixelX, int32_t pixelY)
    {
        windowing.cursorX = pixelX;
        windowing.cursorY = pixelY;
        gui->Update();
        gui->Draw();
    }

    // Ends a window the way its owner does.
    void Destroy(GUIWindow* window)
    {
        ASSERT_TRUE(gui->windows.Remove(window));
        delete window;
    }

    GUIWindow* Quad(uint32_t flags, Vector2 position, Vector2 size, GUIWindow* parent = nullptr)
    {
        return gui->CreateQuadWindow(flags, position, size, nullptr, parent, Vector2(1, 1));
    }

    std::unique_ptr<Controls> controls;
    std::unique_ptr<GUIManager> gui;
};

constexpr uint32_t Shown = GUIWindowFlags::Visible;

} // namespace ZorvaneEngine
