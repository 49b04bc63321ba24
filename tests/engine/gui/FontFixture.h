#pragma once
// A font manager over the scripted renderer: every service a font model
// needs, a fresh data folder to write font files into, and helpers that read
// a font model's quads back.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/FileManager.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/LightManager.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/VertexBuffer.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "platform/system/TemporaryFolder.h"
#include "tests/engine/graphics/RendererFixture.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/FontWriter.h"

namespace ZorvaneEngine {

// One corner of a glyph quad as the vertex buffer holds it.
struct QuadCorner {
    float x, y, z, u, v;
    uint32_t color;
};

class FontFixture : public RendererFixture {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder.Path().empty());
        Start();
        files = std::make_unique<FileManager>("", &log, folder.Path());
        cameras = std::make_unique<CameraManager>(&log, window.get(), renderer.get());
        lights = std::make_unique<LightManager>(&log, renderer.get());
        shaders = std::make_unique<ShaderManager>(&log, files.get(), &timers, config.get(), renderer.get());
        models = std::make_unique<ModelManager>(&log, files.get(), &timers, renderer.get(), cameras.get(),
                                                lights.get(), shaders.get());
        fonts = std::make_unique<GUIFontManager>(&log, files.get(), shaders.get(), models.get(), nullptr);
        TakeLog();
        graphics.ClearCalls();
    }
    void TearDown() override
    {
        fonts.reset();
        models.reset();
        shaders.reset();
        lights.reset();
        cameras.reset();
    }

    // Writes data\<name> below the test folder.
    void Put(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(folder / ("data/" + name)).parent_path());
        ASSERT_TRUE(Tools::SaveFile(folder / ("data/" + name), bytes));
    }

    // A glyph of the given advance whose rectangle is easy to recognise.
    static Tools::FontGlyph Glyph(char16_t code, float advance, float u = 0.0f, float v = 0.0f,
                                  float du = 0.0f, float dv = 0.0f)
    {
        Tools::FontGlyph glyph;
        glyph.code = code;
        glyph.u = u;
        glyph.v = v;
        glyph.du = du;
        glyph.dv = dv;
        glyph.advance = advance;
        return glyph;
    }

    // Writes the font file and loads it as font id.
    GUIFont* MakeFont(int32_t id, const std::vector<Tools::FontGlyph>& glyphs, float size = 1.0f,
                      float missingAdvance = 1.0f)
    {
        const std::string name = "font" + std::to_string(id) + ".fnt";
        Put(name, Tools::BuildFontFile(glyphs));
        GUIFont* font = fonts->LoadFont(id, ShaderDescriptor(), name);
        font->size = size;
        font->missingAdvance = missingAdvance;
        return font;
    }

    // The quads a font model holds this frame, four corners each.
    static std::vector<QuadCorner> Corners(const GUIFont& font)
    {
        const VertexBuffer& buffer = *font.GetModel()->GetVertexBuffer();
        const uint32_t count = font.GetModel()->GetIndexBuffer()->GetCount() / 6 * 4;
        std::vector<QuadCorner> corners;
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* vertex = buffer.GetVertices() + static_cast<size_t>(i) * buffer.GetStride();
            QuadCorner corner{};
            std::memcpy(&corner.x, vertex, 12);
            std::memcpy(&corner.u, vertex + buffer.GetTexCoordOffset(), 8);
            std::memcpy(&corner.color, vertex + VertexBuffer::kColorOffset, 4);
            corners.push_back(corner);
        }
        return corners;
    }

    TestSupport::TemporaryFolder folder;
    TimerManager timers;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<LightManager> lights;
    std::unique_ptr<ShaderManager> shaders;
    std::unique_ptr<ModelManager> models;
    std::unique_ptr<GUIFontManager> fonts;
};

} // namespace ZorvaneEngine
