#pragma once
// The renderer fixture with every service a model uses, a model manager over
// a fresh data folder, and helpers to write model files and read a model's
// vertices back.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/FileManager.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/LightManager.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/VertexBuffer.h"
#include "platform/system/TemporaryFolder.h"
#include "tests/engine/graphics/RendererFixture.h"
#include "tools/common/ModelWriter.h"

namespace ZorvaneEngine {

class ModelFixture : public RendererFixture {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder.Path().empty());
        Start();
        files = std::make_unique<FileManager>("", &log, folder.Path());
        timers = std::make_unique<TimerManager>();
        cameras = std::make_unique<CameraManager>(&log, window.get(), renderer.get());
        lights = std::make_unique<LightManager>(&log, renderer.get());
        shaders = std::make_unique<ShaderManager>(&log, files.get(), timers.get(), config.get(),
                                                  renderer.get());
        models = std::make_unique<ModelManager>(&log, files.get(), timers.get(), renderer.get(),
                                                cameras.get(), lights.get(), shaders.get());
        // The default camera at the origin looks down −z.
        cameras->Update();
        TakeLog();
        graphics.ClearCalls();
    }
    void TearDown() override
    {
        models.reset();
        shaders.reset();
        lights.reset();
        cameras.reset();
    }

    // Writes data\<name> (a name without folders).
    void Put(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        TestSupport::WriteWholeFile(folder / ("data/" + name), std::string(bytes.begin(), bytes.end()));
    }

    static Vector3 Position(const Model& model, uint32_t vertex)
    {
        const VertexBuffer& buffer = *model.GetVertexBuffer();
        float p[3];
        std::memcpy(p, buffer.GetVertices() + static_cast<size_t>(vertex) * buffer.GetStride(), sizeof p);
        return {p[0], p[1], p[2]};
    }
    static Vector3 Normal(const Model& model, uint32_t vertex)
    {
        const VertexBuffer& buffer = *model.GetVertexBuffer();
        float n[3];
        std::memcpy(n, buffer.GetVertices() + static_cast<size_t>(vertex) * buffer.GetStride() + 12, sizeof n);
        return {n[0], n[1], n[2]};
    }
    static Vector2 TexCoords(const Model& model, uint32_t vertex)
    {
        const VertexBuffer& buffer = *model.GetVertexBuffer();
        float uv[2];
        std::memcpy(uv, buffer.GetVertices() + static_cast<size_t>(vertex) * buffer.GetStride() +
                            buffer.GetTexCoordOffset(),
                    sizeof uv);
        return {uv[0], uv[1]};
    }

    // A translation matrix (column vectors: translation in 3, 7, 11).
    static Matrix4 Translation(float x, float y, float z)
    {
        Matrix4 m = Matrix4::Identity();
        m[3] = x;
        m[7] = y;
        m[11] = z;
        return m;
    }

    TestSupport::TemporaryFolder folder;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<TimerManager> timers;
    std::unique_ptr<CameraManager> cameras;
    std::unique_ptr<LightManager> lights;
    std::unique_ptr<ShaderManager> shaders;
    std::unique_ptr<ModelManager> models;
};

inline void ExpectVector(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

} // namespace ZorvaneEngine
