// A texture read from a BMP file, drawn by the renderer on the OpenGL
// driver (headless: SDL's offscreen video driver on Mesa's software
// rasterizer) and read back with the renderer's screen capture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/RenderSystem_D3D7.h"
#include "engine/graphics/Texture2D.h"
#include "engine/graphics/TextureManager.h"
#include "engine/graphics/VertexBuffer.h"
#include "platform/system/TemporaryFolder.h"

namespace ZorvaneEngine {
namespace {

struct Rgb {
    int r, g, b;
    // Within 2 per channel: a linear filter at a screen pixel's centre
    // samples a little beside the texel's centre.
    friend bool operator==(const Rgb& a, const Rgb& b)
    {
        return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
    }
};

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

class TextureOpenGlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        config = std::make_unique<Config>("640x480x32", "test", &log, nullptr, "", false, false, false);
        window = std::make_unique<Window>("texture test", &log, config.get(), nullptr, 0, false, 640,
                                          480, false, true, 0, 0);
        renderer = std::make_unique<RenderSystem_D3D7>(config.get(), &log, window.get(), false, false);
        files = std::make_unique<FileManager>("", &log, folder.Path());
        manager = std::make_unique<TextureManager>(&log, files.get(), nullptr, config.get(), renderer.get());

        // A quad over the whole viewport: the picture's bottom row (v = 0)
        // at the bottom of the screen.
        const float corners[4][4] = {{-1, -1, 0, 0}, {1, -1, 1, 0}, {-1, 1, 0, 1}, {1, 1, 1, 1}};
        vertices.reset(renderer->CreateVertexBuffer(4, 0, false));
        uint8_t* v = vertices->Lock(0, 4);
        for (const auto& c : corners) {
            const float vertex[8] = {c[0], c[1], -0.5f, 0, 0, 1, c[2], c[3]};
            std::memcpy(v, vertex, sizeof vertex);
            v += VertexBuffer::kStride;
        }
        vertices->Unlock();
        indices.reset(renderer->CreateIndexBuffer(0, 6));
        auto* i = static_cast<uint16_t*>(indices->Lock(0, 6));
        const uint16_t order[6] = {0, 1, 2, 2, 1, 3};
        std::memcpy(i, order, sizeof order);
        indices->Unlock();
    }

    void TearDown() override
    {
        indices.reset();
        vertices.reset();
        manager.reset();
        renderer.reset();
        window.reset();
    }

    // Draws the quad with the texture and returns the colours at the centres
    // of the screen's quarters: bottom left, bottom right, top left, top right.
    std::vector<Rgb> DrawQuarters(Texture2D* texture, uint32_t filter)
    {
        renderer->Refresh();
        renderer->SetTexture(0, texture);
        renderer->SetTextureFilter(0, filter);
        renderer->BeginScene();
        renderer->DrawIndexedPrimitive(false, indices.get(), vertices.get(), 2);
        renderer->EndScene();
        Image screen;
        renderer->CaptureScreen(screen);
        std::vector<Rgb> colours;
        for (auto [x, y] : {std::pair{160u, 120u}, {480u, 120u}, {160u, 360u}, {480u, 360u}}) {
            const uint8_t* p = screen.GetRow(y) + x * screen.GetPixelBytes();
            colours.push_back(Rgb{p[0], p[1], p[2]});
        }
        return colours;
    }

    MessageManager log{"", "test", "test", false, false};
    TestSupport::TemporaryFolder folder;
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem_D3D7> renderer;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<TextureManager> manager;
    std::unique_ptr<VertexBuffer> vertices;
    std::unique_ptr<IndexBuffer> indices;
};

TEST_F(TextureOpenGlTest, BmpPictureDrawnTheRightWayUp)
{
    // Bottom row red, green; top row blue, white.
    const uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    Image picture;
    picture.Create(2, 2, 24, &log);
    std::memcpy(picture.GetPixels(), colours, sizeof colours);
    ASSERT_TRUE(Image::Save(&log, files.get(), picture, "quad.bmp"));

    const std::vector<Rgb> expected = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    Texture2D* plain = manager->GetTexture("quad.bmp", "", false);
    EXPECT_EQ(DrawQuarters(plain, FilterPoint), expected);

    // With "r_use_mip_mapping" off a texture asked with mip levels has one;
    // the mip filter must still find a complete texture.
    config->mipMapping = false;
    Texture2D* single = manager->GetTexture("quad.bmp", "", true);
    EXPECT_EQ(DrawQuarters(single, FilterTrilinear), expected);

    // Made again with a mip chain: level 0 is what the magnified quad shows.
    manager->ReleaseTexture(single);
    config->mipMapping = true;
    Texture2D* chain = manager->GetTexture("QUAD.bmp", "", true);
    ASSERT_TRUE(chain->IsMipMapped());
    EXPECT_EQ(DrawQuarters(chain, FilterTrilinear), expected);
}

} // namespace
} // namespace ZorvaneEngine
