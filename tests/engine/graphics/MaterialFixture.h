#pragma once
// A material manager over the scripted renderer, with a file manager on a
// fresh folder for material files and pictures, and the frame step in the
// test's hands.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/FileManager.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Shader.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/Texture2D.h"
#include "engine/graphics/TextureManager.h"
#include "platform/system/TemporaryFolder.h"
#include "tests/engine/graphics/RendererFixture.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/MaterialWriter.h"

namespace ZorvaneEngine {

class MaterialFixture : public RendererFixture {
protected:
    MaterialFixture()
    {
        Start();
        files = std::make_unique<FileManager>("", &log, folder.Path());
        materials = std::make_unique<ShaderManager>(&log, files.get(), &timers, config.get(), renderer.get());
        TakeLog();
        graphics.ClearCalls();
    }
    ~MaterialFixture() override { materials.reset(); }

    // Writes a file below the test folder; "/" separates folders.
    void Put(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(folder / name).parent_path());
        ASSERT_TRUE(Tools::SaveFile(folder / name, bytes));
    }

    // A grey picture of 2 × 2 pixels with bits 8, 24 or 32, written through
    // the engine's writers.
    void PutPicture(const std::string& name, uint32_t bits)
    {
        std::filesystem::create_directories(std::filesystem::path(folder / name).parent_path());
        Image image;
        image.Create(2, 2, bits, &log);
        for (uint32_t y = 0; y < 2; ++y) {
            std::fill_n(image.GetRow(y), 2 * bits / 8, uint8_t{128});
        }
        ASSERT_TRUE(Image::Save(&log, files.get(), image, name));
    }

    // The keys of every texture the manager holds, in key order.
    std::vector<std::string> TextureKeys() const
    {
        std::vector<Texture2D*> textures;
        materials->GetTextureManager()->GetTextures(textures);
        std::vector<std::string> keys;
        for (const Texture2D* texture : textures) {
            keys.push_back(texture->GetKey());
        }
        return keys;
    }

    // One frame's animation of a user after the frame step.
    void Step(ShaderUser* user, float seconds)
    {
        timers.frameStep = seconds;
        user->Update();
    }

    TestSupport::TemporaryFolder folder;
    std::unique_ptr<FileManager> files;
    TimerManager timers;
    std::unique_ptr<ShaderManager> materials;
};

} // namespace ZorvaneEngine
