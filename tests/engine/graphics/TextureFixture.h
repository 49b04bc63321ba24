#pragma once
// The renderer fixture with a texture manager over a fresh data folder, and
// helpers to make pictures and read back what a texture's levels hold.
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/FileManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Texture2D_D3D7.h"
#include "engine/graphics/TextureManager.h"
#include "platform/graphics/MemorySurface.h"
#include "platform/system/TemporaryFolder.h"
#include "tests/engine/graphics/RendererFixture.h"

namespace ZorvaneEngine {

class TextureFixture : public RendererFixture {
protected:
    // Starts the renderer (device limits and formats as scripted so far)
    // and a manager reading from the data folder.
    void StartTextures()
    {
        manager.reset();
        Start();
        files = std::make_unique<FileManager>("", &log, folder.Path());
        manager = std::make_unique<TextureManager>(&log, files.get(), nullptr, config.get(),
                                                   renderer.get());
        TakeLog();
        graphics.ClearCalls();
    }

    // A picture whose channel c of pixel (x, y) is value(x, y, c); y = 0 is
    // the bottom row.
    std::unique_ptr<Image> MakeImage(uint32_t width, uint32_t height, uint32_t bits,
                                     const std::function<uint8_t(uint32_t, uint32_t, uint32_t)>& value)
    {
        auto image = std::make_unique<Image>();
        image->Create(width, height, bits, &log);
        for (uint32_t y = 0; y < height; ++y) {
            uint8_t* p = image->GetRow(y);
            for (uint32_t x = 0; x < width; ++x) {
                for (uint32_t c = 0; c < bits / 8; ++c) {
                    *p++ = value(x, y, c);
                }
            }
        }
        return image;
    }

    std::unique_ptr<Image> Plain(uint32_t width, uint32_t height, uint32_t bits, uint8_t value = 128)
    {
        return MakeImage(width, height, bits, [=](uint32_t, uint32_t, uint32_t) { return value; });
    }

    void Put(const std::string& name, const Image& image)
    {
        ASSERT_TRUE(Image::Save(&log, files.get(), image, name));
    }

    // The levels of a texture's surface chain, level 0 first.
    static std::vector<Platform::MemorySurface*> Levels(Texture2D* texture)
    {
        std::vector<Platform::MemorySurface*> levels;
        auto* d3d7 = dynamic_cast<Texture2D_D3D7*>(texture);
        auto* level = d3d7 != nullptr ? dynamic_cast<Platform::MemorySurface*>(d3d7->GetSurface()) : nullptr;
        for (; level != nullptr;
             level = level->FindAttached(Platform::DDSCAPS_TEXTURE | Platform::DDSCAPS_MIPMAP)) {
            levels.push_back(level);
        }
        return levels;
    }

    // Pixel (x, row) of a level as its format stores it (16 or 32 bits).
    static uint32_t PixelAt(const Platform::MemorySurface& level, uint32_t x, uint32_t row)
    {
        const uint8_t* p = level.Pixels().data() + static_cast<size_t>(row) * level.Pitch() +
                           static_cast<size_t>(x) * level.BytesPerPixel();
        if (level.BytesPerPixel() == 2) {
            uint16_t v;
            std::memcpy(&v, p, 2);
            return v;
        }
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }

    // Every pixel of a level, rows in order.
    static std::vector<uint32_t> AllPixels(const Platform::MemorySurface& level)
    {
        std::vector<uint32_t> pixels;
        for (uint32_t y = 0; y < level.Desc().height; ++y) {
            for (uint32_t x = 0; x < level.Desc().width; ++x) {
                pixels.push_back(PixelAt(level, x, y));
            }
        }
        return pixels;
    }

    TestSupport::TemporaryFolder folder;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<TextureManager> manager;  // deleted before the renderer
};

} // namespace ZorvaneEngine
