// A line of text drawn by the whole interface stack on the OpenGL driver
// (headless: SDL's offscreen video driver on Mesa's software rasterizer), in
// a font rendered from DejaVu Sans by the font tools, and read back with the
// renderer's screen capture: every glyph's ink lies in the box the font
// measures for it, and no ink lies anywhere else.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/LightManager.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/RenderSystem_D3D7.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIMaterial.h"
#include "engine/gui/TextAlign.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/FontCharacters.h"
#include "tools/common/FontWriter.h"
#include "tools/common/FreeTypeRasterizer.h"

namespace ZorvaneEngine {
namespace {

const std::string DejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct Box {
    float left, bottom, right, top;
    bool Holds(float x, float y, float slack) const
    {
        return x > left - slack && x < right + slack && y > bottom - slack && y < top + slack;
    }
};

class TextOpenGlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        config = std::make_unique<Config>("800x600x32", "test", &log, nullptr, "", false, false, false);
        window = std::make_unique<Window>("text test", &log, config.get(), nullptr, 0, false, 800, 600,
                                          false, true, 0, 0);
        renderer = std::make_unique<RenderSystem_D3D7>(config.get(), &log, window.get(), false, false);
        files = std::make_unique<FileManager>("", &log, folder.Path());
        cameras = std::make_unique<CameraManager>(&log, window.get(), renderer.get());
        lights = std::make_unique<LightManager>(&log, renderer.get());
        shaders = std::make_unique<ShaderManager>(&log, files.get(), &timers, config.get(), renderer.get());
        models = std::make_unique<ModelManager>(&log, files.get(), &timers, renderer.get(), cameras.get(),
                                                lights.get(), shaders.get());
        gui = std::make_unique<GUIManager>(&log, files.get(), window.get(), &timers, cameras.get(),
                                           shaders.get(), models.get(), nullptr, nullptr);
        gui->GetCamera()->orthoWidth = 800;
        gui->GetCamera()->orthoHeight = 600;
    }
    void TearDown() override
    {
        gui.reset();
        models.reset();
        shaders.reset();
        lights.reset();
        cameras.reset();
        renderer.reset();
        window.reset();
    }

    // The engine's scene pass, presented and read back.
    void Frame(Image& screen)
    {
        renderer->Refresh();
        cameras->Update();
        gui->Draw();
        lights->Update();
        for (const auto& entry : shaders->GetUsers()) {
            entry.second->Update();
        }
        models->RenderAll();
        renderer->SwapBuffers();
        renderer->CaptureScreen(screen);
    }

    MessageManager log{"", "test", "test", false, false};
    TestSupport::TemporaryFolder folder;
    TimerManager timers;
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem_D3D7> renderer;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<LightManager> lights;
    std::unique_ptr<ShaderManager> shaders;
    std::unique_ptr<ModelManager> models;
    std::unique_ptr<GUIManager> gui;
};

TEST_F(TextOpenGlTest, GlyphsLandInTheirMeasuredBoxes)
{
    // The font, as the data build makes it: rendered at 24 pixels per em,
    // drawn at its line height so that a texel is a pixel.
    Tools::RasterFont raster;
    std::vector<char16_t> missing;
    std::string error;
    ASSERT_TRUE(Tools::RasterizeFont(DejaVuSans, 24, Tools::DefaultFontCharacters(), raster, missing, error))
        << error;
    const Tools::FontAtlas atlas = Tools::BuildFontAtlas(raster);
    std::filesystem::create_directories(folder / "data/ui/fonts");
    ASSERT_TRUE(Tools::SaveFile(folder / "data/ui/fonts/sans.fnt", Tools::BuildFontFile(atlas.glyphs)));
    ASSERT_TRUE(Image::Save(&log, files.get(), atlas.texture, "data\\ui\\fonts\\sans.tga"));
    GUIFont* font = gui->GetFontManager()->LoadFont(
        2, BuildGUIShaderDescriptor("32bit", "ui\\fonts\\sans.tga"), "ui\\fonts\\sans.fnt");
    const float lineHeight = static_cast<float>(raster.ascent + raster.descent);
    font->size = lineHeight;
    font->missingAdvance = 0.3f;
    ASSERT_FALSE(font->GetGlyphs().empty());

    // A dark window of whole-pixel placement, the text centred in it.
    const std::u16string text = u"Größe ändern";
    const Vector2 measured = font->MeasureText(text, 0.0f, -1.0f);
    const float width = measured.x + 200.0f;
    GUIWindow* panel = gui->CreateQuadWindow(GUIWindowFlags::Visible | GUIWindowFlags::VertexColor,
                                             Vector2(100, 250), Vector2(width, lineHeight + 40.0f), nullptr,
                                             nullptr, Vector2(1, 1));
    panel->SetColor(ColorRGBA(0.1f, 0.1f, 0.1f, 1.0f));
    const Vector2 start =
        gui->GetFontManager()->GetTextPosition(TextAlign::Center, 2, Vector2(), 0.0f, text, *panel);
    panel->AddText(TextAlign::Center, 2, text, 0.0f, -1.0f, Vector2(), ColorRGBA(1, 1, 1, 1));

    renderer->clearColor = ColorRGBA(0, 0, 0, 1);
    Image screen;
    Frame(screen);
    ASSERT_EQ(screen.GetWidth(), 800u);
    ASSERT_EQ(screen.GetHeight(), 600u);
    EXPECT_TRUE(gui->GetFontManager()->GetDepthCopies().size() == 1);

    // Each character's box from the measures of the text up to it: its right
    // end is where the measure of the prefix ends.
    std::vector<Box> boxes;
    std::vector<uint32_t> expectedInk;
    for (size_t i = 0; i < text.size(); ++i) {
        const float right = start.x + font->MeasureText(text.substr(0, i + 1), 0.0f, -1.0f).x;
        const FontGlyph* glyph = font->FindGlyph(text[i]);
        ASSERT_NE(glyph, nullptr);
        const float boxWidth = (text[i] == u' ' ? font->missingAdvance : glyph->advance) * font->size;
        boxes.push_back(Box{right - boxWidth, start.y, right, start.y + font->size});
        // The glyph's own ink in the texture.
        uint32_t ink = 0;
        const uint32_t tw = atlas.texture.GetWidth(), th = atlas.texture.GetHeight();
        const auto x0 = static_cast<uint32_t>(std::lround(glyph->u * tw));
        const auto x1 = static_cast<uint32_t>(std::lround((glyph->u + glyph->du) * tw));
        const auto y0 = static_cast<uint32_t>(std::lround(glyph->v * th));
        const auto y1 = static_cast<uint32_t>(std::lround((glyph->v + glyph->dv) * th));
        for (uint32_t y = y0; y < y1; ++y) {
            for (uint32_t x = x0; x < x1; ++x) {
                ink += atlas.texture.GetRow(y)[x * 4 + 3] > 127 ? 1 : 0;
            }
        }
        expectedInk.push_back(ink);
    }

    // Ink: a bright pixel on the dark window and the black screen.
    std::vector<uint32_t> inkInBox(boxes.size(), 0);
    uint32_t strayInk = 0;
    for (uint32_t y = 0; y < screen.GetHeight(); ++y) {
        const uint8_t* row = screen.GetRow(y);
        for (uint32_t x = 0; x < screen.GetWidth(); ++x) {
            const uint8_t* p = row + x * screen.GetPixelBytes();
            if (std::min({p[0], p[1], p[2]}) <= 127) {
                continue;
            }
            const float cx = static_cast<float>(x) + 0.5f, cy = static_cast<float>(y) + 0.5f;
            bool inside = false;
            for (size_t i = 0; i < boxes.size(); ++i) {
                if (boxes[i].Holds(cx, cy, 0.0f)) {
                    ++inkInBox[i];
                    inside = true;
                    break;
                }
            }
            strayInk += inside ? 0 : 1;
        }
    }
    EXPECT_EQ(strayInk, 0u);
    for (size_t i = 0; i < boxes.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "character " << i);
        if (text[i] == u' ') {
            EXPECT_EQ(inkInBox[i], 0u);
            continue;
        }
        ASSERT_GT(expectedInk[i], 0u);
        // The glyph's own shape, not a neighbour's: its pixel count.
        EXPECT_NEAR(static_cast<double>(inkInBox[i]), static_cast<double>(expectedInk[i]),
                    2.0 + 0.1 * expectedInk[i]);
    }
}

} // namespace
} // namespace ZorvaneEngine
