// The renderer on the real OpenGL driver, headless: SDL's offscreen video
// driver gives a GL context on Mesa's software rasterizer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/RenderSystem_D3D7.h"
#include "engine/graphics/VertexBuffer.h"

namespace ZorvaneEngine {
namespace {

TEST(OpenGlRendererTest, DrawsPresentsAndReadsBackAFrame)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    MessageManager log("", "test", "test", false, false);
    Config config("640x480x32", "test", &log, nullptr, "", false, false, false);
    Window window("renderer test", &log, &config, nullptr, 0, false, 640, 480, false, true, 0, 0);
    RenderSystem_D3D7 renderer(&config, &log, &window, false, false);
    ASSERT_TRUE(renderer.IsReady());
    ASSERT_EQ(renderer.GetSelectedMode()->width, 640u);

    // A red quad over the left half; the view flips z, so z -0.5 lies
    // inside the device's depth range.
    std::unique_ptr<VertexBuffer> vertices(renderer.CreateVertexBuffer(4, 0, true));
    const float corners[4][2] = {{-1, -1}, {0, -1}, {0, 1}, {-1, 1}};
    uint8_t* v = vertices->Lock(0, 4);
    for (int i = 0; i < 4; ++i) {
        const float position[6] = {corners[i][0], corners[i][1], -0.5f, 0, 0, 1};
        std::memcpy(v + i * 36, position, sizeof position);
    }
    vertices->Unlock();
    vertices->SetAllColors(ColorRGBA(1, 0, 0, 1));
    std::unique_ptr<IndexBuffer> indices(renderer.CreateIndexBuffer(0, 6));
    auto* index = static_cast<uint16_t*>(indices->Lock(0, 6));
    const uint16_t list[6] = {0, 1, 2, 0, 2, 3};
    std::memcpy(index, list, sizeof list);
    indices->Unlock();

    renderer.clearColor = ColorRGBA(0.25f, 0.5f, 0.75f, 1);
    renderer.Refresh();
    renderer.BeginScene();
    renderer.DrawIndexedPrimitive(false, indices.get(), vertices.get(), 2);
    renderer.EndScene();
    renderer.SwapBuffers();

    Image image;
    renderer.CaptureScreen(image);
    ASSERT_EQ(image.GetWidth(), 640u);
    ASSERT_EQ(image.GetHeight(), 480u);
    ASSERT_EQ(image.GetBits(), 32u);
    const auto pixel = [&](uint32_t x, uint32_t y) {
        const uint8_t* p = image.GetRow(y) + x * 4;
        return std::vector<int>{p[0], p[1], p[2]};
    };
    const auto near = [](const std::vector<int>& got, const std::vector<int>& want) {
        for (size_t i = 0; i < want.size(); ++i) {
            if (std::abs(got[i] - want[i]) > 1) {
                return false;
            }
        }
        return true;
    };
    EXPECT_PRED2(near, pixel(480, 240), (std::vector<int>{63, 127, 191}));
    EXPECT_PRED2(near, pixel(160, 240), (std::vector<int>{255, 0, 0}));
    EXPECT_PRED2(near, pixel(160, 10), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(image.GetRow(0)[3], 255);

    // Full screen in another mode, at run time.
    config.videoMode = "800x600x32";
    config.fullscreen = true;
    renderer.CheckVideoMode();
    ASSERT_TRUE(renderer.IsModeChanged());
    renderer.Reset(ResetDevice | ResetTextures);
    ASSERT_TRUE(renderer.IsReady());
    EXPECT_TRUE(window.fullscreen);
    renderer.clearColor = ColorRGBA(0, 1, 0, 1);
    renderer.Refresh();
    renderer.BeginScene();
    renderer.EndScene();
    renderer.SwapBuffers();
    Image fullscreen;
    renderer.CaptureScreen(fullscreen);
    ASSERT_EQ(fullscreen.GetWidth(), 800u);
    ASSERT_EQ(fullscreen.GetHeight(), 600u);
    const uint8_t* p = fullscreen.GetRow(300) + 400 * 4;
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}), (std::vector<int>{0, 255, 0, 255}));

    // Nothing on the way was reported as failing.
    for (const LogMessage& m : log.GetFrameMessages()) {
        EXPECT_LT(m.level, 2) << m.text;
    }
}

} // namespace
} // namespace ZorvaneEngine
