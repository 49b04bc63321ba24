#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "engine/core/BoundingBox.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/Camera_D3D7.h"
#include "tests/engine/graphics/RendererFixture.h"
#include "tests/engine/graphics/VectorChecks.h"

namespace ZorvaneEngine {
namespace {

// p × m for a row-vector matrix, with the division by w.
Vector3 Project(const Vector3& p, const Matrix4& m)
{
    float r[4];
    for (int j = 0; j < 4; ++j) {
        r[j] = p.x * m[j] + p.y * m[4 + j] + p.z * m[8 + j] + m[12 + j];
    }
    return Vector3(r[0] / r[3], r[1] / r[3], r[2] / r[3]);
}

Matrix4 FromDevice(const std::vector<double>& args)
{
    // args[0] is the transform state.
    Matrix4 m;
    for (int i = 0; i < 16; ++i) {
        m[i] = static_cast<float>(args[1 + i]);
    }
    return m;
}

class CameraTest : public RendererFixture {
protected:
    void SetUp() override
    {
        Start();
        cameras = std::make_unique<CameraManager>(&log, window.get(), renderer.get());
        graphics.ClearCalls();
    }
    void TearDown() override { cameras.reset(); }

    Camera_D3D7& Default() { return static_cast<Camera_D3D7&>(*cameras->GetDefaultCamera()); }

    std::unique_ptr<CameraManager> cameras;
};

TEST_F(CameraTest, SlotsAreReusedFirstFreedFirst)
{
    ASSERT_EQ(cameras->GetUsedSlots(), (std::vector<uint32_t>{0}));
    EXPECT_FALSE(Default().IsOrthographic());
    EXPECT_EQ(cameras->GetCamera(0), &Default());

    Camera* one = cameras->CreateCamera(true);
    Camera* two = cameras->CreateCamera(false);
    Camera* three = cameras->CreateCamera(false);
    EXPECT_TRUE(one->IsOrthographic());
    EXPECT_EQ(cameras->GetUsedSlots(), (std::vector<uint32_t>{0, 1, 2, 3}));

    cameras->DestroyCamera(two);
    cameras->DestroyCamera(one);
    EXPECT_EQ(cameras->GetUsedSlots(), (std::vector<uint32_t>{0, 3}));
    EXPECT_EQ(cameras->GetCamera(1), nullptr);

    // Null, a camera the manager does not own and one already destroyed
    // change nothing.
    std::unique_ptr<Camera> stranger(renderer->CreateCamera(false));
    cameras->DestroyCamera(nullptr);
    cameras->DestroyCamera(stranger.get());
    cameras->DestroyCamera(one);
    EXPECT_EQ(cameras->GetUsedSlots(), (std::vector<uint32_t>{0, 3}));

    Camera* four = cameras->CreateCamera(false);
    Camera* five = cameras->CreateCamera(false);
    Camera* six = cameras->CreateCamera(false);
    EXPECT_EQ(cameras->GetCamera(2), four);
    EXPECT_EQ(cameras->GetCamera(1), five);
    EXPECT_EQ(cameras->GetCamera(4), six);
    EXPECT_EQ(cameras->GetCamera(3), three);
    EXPECT_EQ(cameras->GetUsedSlots(), (std::vector<uint32_t>{0, 3, 2, 1, 4}));
}

TEST_F(CameraTest, AppliedCameraIsForgottenEachFrameAndWhenDestroyed)
{
    Camera* other = cameras->CreateCamera(false);
    cameras->SetAppliedCamera(other, true);
    cameras->Update();
    EXPECT_EQ(cameras->GetAppliedCamera(), nullptr);

    // A camera made later at the same address must be applied again.
    cameras->SetAppliedCamera(other, false);
    cameras->DestroyCamera(other);
    EXPECT_EQ(cameras->GetAppliedCamera(), nullptr);
}

TEST_F(CameraTest, PerspectiveIgnoresTheWindowAspect)
{
    const std::array<uint32_t, 2> sizes[] = {{1024, 768}, {1000, 250}, {640, 0}};
    for (auto [width, height] : sizes) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        window->width = width;
        window->height = height;
        cameras->Update();
        const Camera_D3D7& c = Default();
        // Half extents at the near plane (1): tan of a quarter of 4/3 of the
        // field of view, and 4/3 of that across.
        EXPECT_FLOAT_EQ(1.0f / c.deviceProjection[5], 0.57735032f);
        EXPECT_FLOAT_EQ(1.0f / c.deviceProjection[0], 0.76980043f);
        EXPECT_EQ(cameras->GetViewportWidth(), width);
        EXPECT_EQ(cameras->GetViewportHeight(), height);
    }
}

TEST_F(CameraTest, PerspectiveDepthTerms)
{
    cameras->Update();
    const Camera_D3D7& c = Default();
    struct Case {
        const char* name;
        const Matrix4& m;
        float m22, m23, m32;
    };
    const Case cases[] = {
        {"device", c.deviceProjection, 1000.0f / 999.0f, 1.0f, -1000.0f / 999.0f},
        {"z-biased", c.deviceZBiasedProjection, 1001.0f / 1000.0f, 1.0f, -1001.0f / 1000.0f},
        {"engine", c.projection, -1001.0f / 999.0f, -1.0f, -2000.0f / 999.0f},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_FLOAT_EQ(k.m[10], k.m22);
        EXPECT_EQ(k.m[11], k.m23);
        EXPECT_FLOAT_EQ(k.m[14], k.m32);
        EXPECT_EQ(k.m[15], 0.0f);
    }
}

TEST_F(CameraTest, ViewAndEngineProjectionOfChosenPoints)
{
    // Turned a quarter about y (looking along −x) and moved to (1, 2, 3).
    const float h = std::sqrt(0.5f);
    Camera_D3D7& c = Default();
    c.orientation = {0.0f, h, 0.0f, h};
    c.position = Vector3(1, 2, 3);
    cameras->Update();

    ExpectNear(c.right, Vector3(0, 0, -1), 1e-6f);
    ExpectNear(c.up, Vector3(0, 1, 0), 1e-6f);
    ExpectNear(c.forward, Vector3(1, 0, 0), 1e-6f);

    const float across = 10.0f * 0.76980043f;
    const float upward = 10.0f * 0.57735032f;
    const float depth10 = 8010.0f / 9990.0f;  // the depth 10 in front
    struct Case {
        Vector3 world, view, ndc;
    };
    const Case cases[] = {
        {{0, 2, 3}, {0, 0, -1}, {0, 0, -1}},                // on the near plane
        {{-999, 2, 3}, {0, 0, -1000}, {0, 0, 1}},           // on the far plane
        {{-9, 2, 3 - across}, {across, 0, -10}, {1, 0, depth10}},
        {{-9, 2 + upward, 3}, {0, upward, -10}, {0, 1, depth10}},
        {{11, 2, 3}, {0, 0, 10}, {0, 0, 1001.0f / 999.0f + 0.2002002f}}, // behind
    };
    for (const Case& k : cases) {
        const Vector3 inView = Project(k.world, c.view);
        ExpectNear(inView, k.view, 1e-4f);
        ExpectNear(Project(inView, c.projection), k.ndc, 1e-4f);
    }
}

TEST_F(CameraTest, OrthographicMapsTheBoxOntoTheScreen)
{
    Camera_D3D7& c = static_cast<Camera_D3D7&>(*cameras->CreateCamera(true));
    c.orthoWidth = 800;
    c.orthoHeight = 600;
    c.nearPlane = 500;
    c.farPlane = -500;
    cameras->Update();

    struct Case {
        Vector3 point, ndc;
    };
    const Case cases[] = {
        {{0, 0, 0}, {-1, -1, 0}},
        {{800, 600, 0}, {1, 1, 0}},
        {{400, 300, 0}, {0, 0, 0}},
    };
    for (const Case& k : cases) {
        ExpectNear(Project(k.point, c.deviceProjection), Vector3(k.ndc.x, k.ndc.y, 0.5f), 1e-6f);
        ExpectNear(Project(k.point, c.projection), k.ndc, 1e-6f);
    }
    // The engine puts the far plane (−500) at −1; the device gets z mirrored
    // by the view and puts it at 0 either way.
    EXPECT_FLOAT_EQ(Project(Vector3(0, 0, -500), c.projection).z, -1.0f);
    EXPECT_FLOAT_EQ(Project(Vector3(0, 0, 500), c.deviceProjection).z, 1.0f);
    EXPECT_FLOAT_EQ(Project(Vector3(0, 0, 500), c.deviceZBiasedProjection).z, 1000.0f / 999.0f);
}

// Spheres of radius 1 around the default camera at the origin (looking down
// −z, near 1, far 1000); at depth 10 the view spans ±7.698 across and ±5.774
// up. A shift of 2 beyond an edge is more than one radius away from its
// plane, a shift of 1 less.
TEST_F(CameraTest, SphereAgainstEachPlane)
{
    cameras->Update();
    const float x = 10.0f * 0.76980043f, y = 10.0f * 0.57735032f;
    struct Case {
        const char* name;
        Vector3 center;
        bool visible;
    };
    const Case cases[] = {
        {"inside", {0, 0, -10}, true},
        {"straddles right", {x + 1, 0, -10}, true},
        {"outside right", {x + 2, 0, -10}, false},
        {"straddles left", {-x - 1, 0, -10}, true},
        {"outside left", {-x - 2, 0, -10}, false},
        {"straddles bottom", {0, -y - 1, -10}, true},
        {"outside bottom", {0, -y - 2, -10}, false},
        {"straddles top", {0, y + 1, -10}, true},
        {"outside top", {0, y + 2, -10}, false},
        {"straddles far", {0, 0, -1000.5f}, true},
        {"outside far", {0, 0, -1002}, false},
        {"straddles near", {0, 0, -0.5f}, true},
        {"outside near", {0, 0, 0.5f}, false},
    };
    for (const Case& k : cases) {
        BoundingBox box;
        box.center = k.center;
        box.radius = 1.0f;
        EXPECT_EQ(Default().frustum->IsSphereVisible(box), k.visible) << k.name;
    }
}

TEST_F(CameraTest, SphereTouchingAPlaneFromOutsideIsOutside)
{
    // An 800 × 600 orthographic box has its side planes at x = 0 and 800.
    Camera& c = *cameras->CreateCamera(true);
    c.orthoWidth = 800;
    c.orthoHeight = 600;
    cameras->Update();
    const struct {
        float x;
        bool visible;
    } cases[] = {{810.0f, false}, {809.99f, true}, {-10.0f, false}, {-9.99f, true}};
    for (const auto& k : cases) {
        BoundingBox box;
        box.center = Vector3(k.x, 300, -10);
        box.radius = 10.0f;
        EXPECT_EQ(c.frustum->IsSphereVisible(box), k.visible) << k.x;
    }
}

TEST_F(CameraTest, ScreenPointsBecomeRays)
{
    cameras->Update();  // viewport 1024 × 768, y upward
    Camera_D3D7& c = Default();
    Vector3 out;
    CameraManager::Unproject(c, out, *cameras, Vector3(512, 384, 0));
    ExpectNear(out, Vector3(0, 0, -1), 1e-5f);
    CameraManager::Unproject(c, out, *cameras, Vector3(1024, 384, 0));
    ExpectNear(out, Vector3(0.76980043f, 0, -1), 1e-5f);
    CameraManager::Unproject(c, out, *cameras, Vector3(0, 0, 0));
    ExpectNear(out, Vector3(-0.76980043f, -0.57735032f, -1), 1e-5f);
    CameraManager::Unproject(c, out, *cameras, Vector3(512, 384, 1));
    ExpectNear(out, Vector3(0, 0, -1000), 0.05f);

    // Round trip through a turned and moved camera: the near and far points
    // of a screen point project back onto it.
    const float h = std::sqrt(0.5f);
    c.orientation = {h, 0.0f, 0.0f, h};
    c.position = Vector3(-3, 4, 5);
    cameras->Update();
    Matrix4 viewProjection;
    MultiplyMatrix(viewProjection, c.view, c.projection);
    for (const Vector3 screen : {Vector3(100, 700, 0), Vector3(100, 700, 0.5f), Vector3(900, 20, 0.9f)}) {
        CameraManager::Unproject(c, out, *cameras, screen);
        const Vector3 ndc = Project(out, viewProjection);
        EXPECT_NEAR((ndc.x + 1) * 512, screen.x, 1e-3f);
        EXPECT_NEAR((ndc.y + 1) * 384, screen.y, 1e-3f);
        EXPECT_NEAR((ndc.z + 1) * 0.5f, screen.z, 1e-3f);
    }
}

TEST_F(CameraTest, UnprojectWithoutAnImageGivesTheOrigin)
{
    Vector3 out(7, 7, 7);
    // Before the first update the viewport is empty.
    CameraManager::Unproject(Default(), out, *cameras, Vector3(1, 1, 0));
    ExpectNear(out, Vector3(), 0);

    // Near and far planes that coincide leave nothing to invert.
    Default().farPlane = 1.0f;
    cameras->Update();
    out = Vector3(7, 7, 7);
    CameraManager::Unproject(Default(), out, *cameras, Vector3(512, 384, 0.5f));
    ExpectNear(out, Vector3(), 0);
}

TEST(MatrixInverseTest, InvertsOrRefuses)
{
    Matrix4 m;
    const float values[16] = {2, 0, 1, 3, 1, 4, 0, -1, 0, 2, 5, 1, 3, 0, 0, 1};
    std::copy(std::begin(values), std::end(values), m.m);
    Matrix4 inverse = m;
    ASSERT_TRUE(MatrixInverse(inverse));
    Matrix4 product;
    MultiplyMatrix(product, m, inverse);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(product[i], Matrix4::Identity()[i], 1e-5f) << i;
    }

    // Two equal rows.
    std::copy(values, values + 4, m.m + 4);
    Matrix4 singular = m;
    EXPECT_FALSE(MatrixInverse(singular));
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(singular[i], m[i]);
    }

    const float v[4] = {1, 2, 3, 4};
    EXPECT_EQ(MatrixTimesVector(Matrix4::Identity(), v), (std::array<float, 4>{1, 2, 3, 4}));
}

TEST_F(CameraTest, ApplyHandsProjectionAndViewToTheDevice)
{
    Camera_D3D7& c = Default();
    c.position = Vector3(0, 0, 5);
    cameras->Update();

    c.Apply();
    const auto& calls = graphics.Calls();
    ASSERT_EQ(graphics.CallNames(), (std::vector<std::string>{"Device::SetTransform", "Device::SetTransform"}));
    EXPECT_EQ(calls[0].args[0], static_cast<double>(Platform::D3DTRANSFORMSTATE_PROJECTION));
    EXPECT_EQ(calls[1].args[0], static_cast<double>(Platform::D3DTRANSFORMSTATE_VIEW));
    const Matrix4 projection = FromDevice(calls[0].args);
    const Matrix4 view = FromDevice(calls[1].args);

    // On the device, points in front of the camera run from depth 0 at the
    // near plane to 1 at the far one, with the screen edges at ±1.
    struct Case {
        Vector3 world, device;
    };
    const Case cases[] = {
        {{0, 0, 4}, {0, 0, 0}},
        {{0, 0, -995}, {0, 0, 1}},
        {{7.6980043f, 0, -5}, {1, 0, 1000.0f / 999.0f * 0.9f}},
        {{0, -5.7735032f, -5}, {0, -1, 1000.0f / 999.0f * 0.9f}},
    };
    Matrix4 deviceChain;
    MultiplyMatrix(deviceChain, view, projection);
    for (const Case& k : cases) {
        ExpectNear(Project(k.world, deviceChain), k.device, 1e-5f);
    }

    // The view is cached by the renderer; the projection is always sent.
    graphics.ClearCalls();
    c.ApplyZBiased();
    ASSERT_EQ(graphics.CallNames(), (std::vector<std::string>{"Device::SetTransform"}));
    MultiplyMatrix(deviceChain, view, FromDevice(graphics.Calls()[0].args));
    // Drawn z-biased, a point lies slightly nearer than drawn normally.
    const float biased = Project(Vector3(0, 0, -5), deviceChain).z;
    EXPECT_LT(biased, 1000.0f / 999.0f * 0.9f);
    EXPECT_NEAR(biased, 1001.0f / 1000.0f * 0.9f, 2e-7f);

    graphics.Fail("Device::SetTransform", Platform::DDERR_GENERIC);
    TakeLog();
    c.Apply();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"2 Direct3D Subsystem (Camera_D3D7::Apply): There "
                                                   "is an undefined error condition."}));
}

} // namespace
} // namespace ZorvaneEngine
