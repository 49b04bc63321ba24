#pragma once
// The renderer fixture with the services sprite groups and particle systems
// use: a model manager, a sprite-group manager and a particle-system manager
// over a fresh data folder, the frame step in the test's hands, and helpers
// to read a sprite mesh back.
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/FileManager.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/LightManager.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/SpriteGroupManager.h"
#include "engine/graphics/VertexBuffer.h"
#include "platform/system/TemporaryFolder.h"
#include "tests/engine/graphics/RendererFixture.h"
#include "tests/engine/graphics/VectorChecks.h"
#include "tools/common/BinaryWriter.h"

namespace ZorvaneEngine {

class SpriteFixture : public RendererFixture {
protected:
    SpriteFixture()
    {
        Start();
        files = std::make_unique<FileManager>("", &log, folder.Path());
        cameras = std::make_unique<CameraManager>(&log, window.get(), renderer.get());
        lights = std::make_unique<LightManager>(&log, renderer.get());
        shaders = std::make_unique<ShaderManager>(&log, files.get(), &timers, config.get(), renderer.get());
        models = std::make_unique<ModelManager>(&log, files.get(), &timers, renderer.get(),
                                                cameras.get(), lights.get(), shaders.get());
        spriteGroups = std::make_unique<SpriteGroupManager>(&log, cameras.get(), shaders.get(),
                                                            models.get());
        particleSystems = std::make_unique<ParticleSystemManager>(&log, files.get(), &timers,
                                                                  shaders.get(), spriteGroups.get());
        TakeLog();
        graphics.ClearCalls();
    }
    // The engine's order: systems before groups before models.
    ~SpriteFixture() override
    {
        particleSystems.reset();
        spriteGroups.reset();
        models.reset();
        shaders.reset();
        lights.reset();
        cameras.reset();
    }

    // Writes data/<name>.
    void Put(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        const std::string path = folder / ("data/" + name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        ASSERT_TRUE(Tools::SaveFile(path, bytes));
    }

    static Vector3 Position(const Model& mesh, uint32_t vertex)
    {
        const VertexBuffer& buffer = *mesh.GetVertexBuffer();
        float p[3];
        std::memcpy(p, buffer.GetVertices() + static_cast<size_t>(vertex) * buffer.GetStride(), sizeof p);
        return {p[0], p[1], p[2]};
    }
    static uint32_t Color(const Model& mesh, uint32_t vertex)
    {
        const VertexBuffer& buffer = *mesh.GetVertexBuffer();
        uint32_t color;
        std::memcpy(&color, buffer.GetVertices() + static_cast<size_t>(vertex) * buffer.GetStride() +
                                VertexBuffer::kColorOffset,
                    sizeof color);
        return color;
    }
    static Vector2 TexCoords(const Model& mesh, uint32_t vertex)
    {
        const VertexBuffer& buffer = *mesh.GetVertexBuffer();
        float uv[2];
        std::memcpy(uv, buffer.GetVertices() + static_cast<size_t>(vertex) * buffer.GetStride() +
                            buffer.GetTexCoordOffset(),
                    sizeof uv);
        return {uv[0], uv[1]};
    }

    TestSupport::TemporaryFolder folder;
    TimerManager timers;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<LightManager> lights;
    std::unique_ptr<ShaderManager> shaders;
    std::unique_ptr<ModelManager> models;
    std::unique_ptr<SpriteGroupManager> spriteGroups;
    std::unique_ptr<ParticleSystemManager> particleSystems;
};

} // namespace ZorvaneEngine
