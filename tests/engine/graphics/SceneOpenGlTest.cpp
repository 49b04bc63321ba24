// The whole scene path on the real OpenGL driver (headless: SDL's offscreen
// video driver on Mesa's software rasterizer): models, materials, pictures
// and a particle system read from a data folder written with the data tools,
// run by the engine's own services, drawn through a moved camera, presented
// and read back. What is on screen is predicted from the geometry alone.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/CameraManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/graphics/VertexBuffer.h"
#include "platform/system/TemporaryFolder.h"
#include "tests/engine/graphics/VectorChecks.h"
#include "tools/common/MaterialWriter.h"
#include "tools/common/ModelWriter.h"
#include "tools/common/ParticleSystemWriter.h"

namespace ZorvaneEngine {
namespace {

constexpr uint32_t kWidth = 1024;
constexpr uint32_t kHeight = 768;

struct Rgb {
    int r, g, b;
    // Within 3 per channel: bilinear filtering at a pixel's centre.
    bool operator==(const Rgb& o) const
    {
        return std::abs(r - o.r) <= 3 && std::abs(g - o.g) <= 3 && std::abs(b - o.b) <= 3;
    }
};

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

const Rgb kRed{255, 0, 0};
const Rgb kGreen{0, 255, 0};
const Rgb kBlue{0, 0, 255};
const Rgb kYellow{255, 255, 0};
const Rgb kCyan{0, 255, 255};
const Rgb kBackground{51, 51, 51};  // the clear colour 0.2 × 255

bool IsMagenta(const Rgb& c) { return c.r > 200 && c.g < 60 && c.b > 200; }

struct ScreenPoint {
    float x, y;  // pixels, y from the bottom
};

// Where a world point lands for a camera at eye with the default lens and
// orientation: it looks down −z, its vertical half-angle is a quarter of 4/3
// of the field of view (π/6), the horizontal extent 4/3 of the vertical.
ScreenPoint Project(const Vector3& eye, const Vector3& p)
{
    const double distance = eye.z - p.z;
    const double t = std::tan(3.14159265358979 / 6);
    return {static_cast<float>(kWidth / 2.0 * (1 + (p.x - eye.x) / (distance * t * 4 / 3))),
            static_cast<float>(kHeight / 2.0 * (1 + (p.y - eye.y) / (distance * t)))};
}

// Translation (tx, ty, tz) after a rotation by yaw about y and then by pitch
// about x, for column vectors.
Matrix4 Placement(float yaw, float pitch, float tx, float ty, float tz)
{
    const float cy = std::cos(yaw), sy = std::sin(yaw), cx = std::cos(pitch), sx = std::sin(pitch);
    // Rx × Ry, rows.
    Matrix4 m = Matrix4::Identity();
    m[0] = cy;        m[1] = 0;   m[2] = sy;        m[3] = tx;
    m[4] = sx * sy;   m[5] = cx;  m[6] = -sx * cy;  m[7] = ty;
    m[8] = -cx * sy;  m[9] = sx;  m[10] = cx * cy;  m[11] = tz;
    return m;
}

// The rotation of a unit quaternion (x, y, z, w), for column vectors.
Matrix4 Rotation(float x, float y, float z, float w)
{
    Matrix4 m = Matrix4::Identity();
    m[0] = 1 - 2 * (y * y + z * z);  m[1] = 2 * (x * y - w * z);      m[2] = 2 * (x * z + w * y);
    m[4] = 2 * (x * y + w * z);      m[5] = 1 - 2 * (x * x + z * z);  m[6] = 2 * (y * z - w * x);
    m[8] = 2 * (x * z - w * y);      m[9] = 2 * (y * z + w * x);      m[10] = 1 - 2 * (x * x + y * y);
    return m;
}

class SceneOpenGlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_FALSE(folder.Path().empty());
        WriteData();

        EngineSettings settings;
        settings.title = "Scene";
        settings.version = 100;
        settings.baseFolder = folder.Path();
        settings.configName = "scene";
        settings.configFolder = folder / "config";
        settings.videoMode = "1024x768x32";
        settings.videoModeGiven = true;
        settings.fullscreenGiven = true;
        settings.centerWindow = true;
        // The offscreen display is itself 1024 × 768: a window that large
        // would otherwise be traded for a smaller mode.
        settings.keepWindowSize = true;
        engine = std::make_unique<Engine>(settings);
        ASSERT_TRUE(engine->renderer->IsReady());
        engine->renderer->clearColor = ColorRGBA(0.2f, 0.2f, 0.2f, 1);
        // The engine seeds from the clock; the sparks' paths repeat with a
        // fixed seed.
        RandomSeed = 20261210;
    }

    void TearDown() override { engine.reset(); }

    void Put(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        TestSupport::WriteWholeFile(folder / ("data/scene/" + name), std::string(bytes.begin(), bytes.end()));
    }

    // Pictures go through the engine's own writer.
    void PutPicture(const std::string& name, const Image& picture)
    {
        MessageManager log("", "test", "test", false, false);
        FileManager files("", &log, folder.Path());
        ASSERT_TRUE(Image::Save(&log, &files, picture, "data\\scene\\" + name));
    }

    void WriteData()
    {
        // A 2 × 2 atlas of 32-pixel cells, row 0 at the bottom: red and green
        // below, blue and yellow above.
        Image atlas;
        atlas.Create(64, 64, 24, nullptr);
        for (uint32_t y = 0; y < 64; ++y) {
            for (uint32_t x = 0; x < 64; ++x) {
                const Rgb& c = y < 32 ? (x < 32 ? kRed : kGreen) : (x < 32 ? kBlue : kYellow);
                uint8_t* p = atlas.GetRow(y) + x * 3;
                p[0] = static_cast<uint8_t>(c.r);
                p[1] = static_cast<uint8_t>(c.g);
                p[2] = static_cast<uint8_t>(c.b);
            }
        }
        PutPicture("panel.bmp", atlas);
        Image plain;
        plain.Create(16, 16, 24, nullptr);
        plain.Fill(ColorRGBA(0, 1, 1, 1));
        PutPicture("crate.bmp", plain);
        plain.Fill(ColorRGBA(1, 1, 1, 1));
        PutPicture("spark.bmp", plain);

        namespace ModelFlag = Tools::ModelFlag;
        using Tools::BoxMesh;
        using Tools::BuildMaterialFile;
        using Tools::BuildModelFile;
        using Tools::BuildParticleSystemFile;
        using Tools::MeshModel;
        using Tools::QuadMesh;
        // Two frames with the same square and each its own column of the
        // atlas: frame 0 the left one, frame 1 the right one. Culled when
        // seen from behind, so a mirrored transform would show nothing. A
        // colour per vertex, whose alpha fades it.
        const uint32_t panelFlags = ModelFlag::Morph | ModelFlag::List | ModelFlag::VertexColor |
                                    ModelFlag::DepthTest | ModelFlag::GroupFirst | ModelFlag::Cull1 |
                                    ModelFlag::Visible;
        const std::vector<Tools::Mesh> frames = {QuadMesh(-1, -1, 1, 1, 0, 0, 0.5f, 1),
                                                 QuadMesh(-1, -1, 1, 1, 0.5f, 0, 1, 1)};
        Put("panel.mlf", BuildModelFile(MeshModel(panelFlags, frames, 2.0f)));
        const uint32_t crateFlags = ModelFlag::Static | ModelFlag::List | ModelFlag::DepthTest |
                                    ModelFlag::GroupFirst | ModelFlag::Cull1 | ModelFlag::Visible;
        const Tools::Mesh crate = BoxMesh({-0.75f, -0.75f, -0.75f}, {0.75f, 0.75f, 0.75f});
        Put("crate.mlf", BuildModelFile(MeshModel(crateFlags, {crate})));

        // Materials that fade: blending with the source alpha.
        const auto blended = [](const std::string& picture) {
            Tools::Material material;
            material.flags = 1;
            material.sourceBlend = 4;
            material.destinationBlend = 5;
            Tools::MaterialStage stage;
            stage.diffuse = picture;
            material.stages.push_back(stage);
            return BuildMaterialFile(material);
        };
        Put("panel.srf", blended("panel.bmp"));
        Put("crate.srf", blended("crate.bmp"));
        Put("sparks.srf", blended("spark.bmp"));

        // Magenta sparks in every direction at 0.5 units a second for half a
        // second: none gets farther than 0.25 from the emitter, plus its
        // half edge of 0.05. No gravity and no floor.
        Tools::ParticleSystem sparks;
        sparks.poolSize = 200;
        sparks.gravityOn = false;
        sparks.floorOn = false;
        sparks.rate.fill(1000);
        sparks.lifetime.fill(0.5f);
        sparks.color.fill(ColorRGBA(1, 0, 1, 1));
        sparks.size.fill(0.05f);
        sparks.speed.fill(0.005f);
        Put("sparks.psf", BuildParticleSystemFile(sparks));
    }

    // One engine frame with the given frame step, then the frame read back.
    Image Frame(float step)
    {
        engine->Update();
        // Set after the timers' own update: the animations and the particles
        // read it in the scene pass.
        engine->timers->frameStep = step;
        engine->EndFrame();
        for (const LogMessage& m : engine->log->GetFrameMessages()) {
            EXPECT_LT(m.level, 2) << m.text;
        }
        Image screen;
        engine->renderer->CaptureScreen(screen);
        if (screen.GetWidth() != kWidth || screen.GetHeight() != kHeight) {
            ADD_FAILURE() << "a frame of " << screen.GetWidth() << " x " << screen.GetHeight();
            screen.Create(kWidth, kHeight, 32, nullptr);
            screen.Fill(ColorRGBA(0, 0, 0, 1));
        }
        return screen;
    }

    // A window's model as the GUI makes it: a unit square strip with a
    // colour per vertex, scaled to the window's size and placed at its
    // corner and depth, drawn in the second group by its fixed depth key,
    // without depth test.
    Model* GuiQuad(Camera* camera, float x, float y, float width, float height, float z,
                   const ColorRGBA& colour)
    {
        const uint32_t flags = ModelFlags::Static | ModelFlags::VertexColor |
                               ModelFlags::GroupSecond | ModelFlags::FixedDepthKey | ModelFlags::Visible;
        Model* model = engine->models->CreateModel(flags, 4, 4, nullptr, camera);
        auto* index = static_cast<uint16_t*>(model->GetIndexBuffer()->Lock(0, 4));
        for (uint16_t i = 0; i < 4; ++i) index[i] = i;
        model->GetIndexBuffer()->Unlock();
        VertexBuffer* vertices = model->GetVertexBuffer();
        uint8_t* v = vertices->Lock(0, 4);
        const float corners[4][2] = {{1, 0}, {1, 1}, {0, 0}, {0, 1}};
        for (const auto& c : corners) {
            const float position[3] = {c[0], c[1], 0};
            std::memcpy(v, position, sizeof position);
            v += vertices->GetStride();
        }
        vertices->Unlock();
        model->SetColor(colour);
        model->ComputeBoundingBox(model->box);
        Matrix4 placement = Matrix4::Identity();
        placement[0] = width;
        placement[5] = height;
        placement[3] = x;
        placement[7] = y;
        placement[11] = z;
        model->ApplyTransform(placement);
        model->depthKey = z;
        return model;
    }

    // The pixel under a point; (-1, -1, -1) off the screen.
    static Rgb At(const Image& screen, float x, float y)
    {
        if (!(x >= 0 && y >= 0 && x < screen.GetWidth() && y < screen.GetHeight())) return {-1, -1, -1};
        const uint8_t* row = screen.GetRow(static_cast<uint32_t>(y));
        const uint8_t* p = row + static_cast<uint32_t>(x) * screen.GetPixelBytes();
        return {p[0], p[1], p[2]};
    }

    TestSupport::TemporaryFolder folder;
    TestSupport::ScopedEnvironment dataHome{"XDG_DATA_HOME", (folder / "home").c_str()};
    TestSupport::ScopedEnvironment configHome{"XDG_CONFIG_HOME", (folder / "home").c_str()};
    std::unique_ptr<Engine> engine;
};

TEST_F(SceneOpenGlTest, ModelsAndParticlesLandWhereTheCameraSeesThem)
{
    Camera* camera = engine->cameras->GetDefaultCamera();
    const Vector3 eye(0.5f, 0.5f, 2);
    camera->position = eye;

    Model* panel = engine->models->LoadModel("scene\\panel.mlf", nullptr, 0);
    ASSERT_EQ(panel->name, "scene\\panel.mlf");
    ASSERT_EQ(panel->GetAnimation()->GetFrameCount(), 2u);
    const Vector3 panelCentre(-1.5f, 0.5f, -4);
    panel->ApplyTransform(Placement(0, 0, panelCentre.x, panelCentre.y, panelCentre.z));

    Model* crate = engine->models->LoadModel("scene\\crate.mlf", nullptr, 0);
    const Matrix4 cratePlacement = Placement(0.6f, 0.45f, 2.5f, 0.5f, -4);
    crate->ApplyTransform(cratePlacement);

    ParticleSystem* sparks = engine->particleSystems->LoadParticleSystem("scene\\sparks.psf", nullptr);
    ASSERT_EQ(sparks->name, "scene\\sparks.psf");
    ASSERT_EQ(sparks->GetPoolSize(), 200u);
    const Vector3 emitter(0.5f, -1.8f, -4);
    sparks->emitterPosition = emitter;
    sparks->looping = true;
    sparks->emitting = true;
    for (const LogMessage& m : engine->log->GetFrameMessages()) {
        EXPECT_LT(m.level, 2) << m.text;
    }

    // Half a second: the sparks fill their pool; the panel stands on frame 0.
    Image screen;
    for (int i = 0; i < 10; ++i) screen = Frame(0.05f);
    ASSERT_GT(sparks->liveParticles, 100u);
    EXPECT_EQ(engine->models->GetDrawnModels(), 3u);

    // The panel's square on screen, and points a quarter of the way in
    // from its edges.
    const ScreenPoint low = Project(eye, {panelCentre.x - 1, panelCentre.y - 1, panelCentre.z});
    const ScreenPoint high = Project(eye, {panelCentre.x + 1, panelCentre.y + 1, panelCentre.z});
    const float left = low.x + (high.x - low.x) / 4, right = high.x - (high.x - low.x) / 4;
    const float bottom = low.y + (high.y - low.y) / 4, top = high.y - (high.y - low.y) / 4;
    const auto quarters = [&](const Image& s) {
        return std::vector<Rgb>{At(s, left, bottom), At(s, right, bottom), At(s, left, top),
                                At(s, right, top)};
    };
    EXPECT_EQ(quarters(screen), (std::vector<Rgb>{kRed, kRed, kBlue, kBlue}));
    // Four pixels outside each edge lies the background.
    const float midX = (low.x + high.x) / 2, midY = (low.y + high.y) / 2;
    EXPECT_EQ(At(screen, low.x - 4, midY), kBackground);
    EXPECT_EQ(At(screen, high.x + 4, midY), kBackground);
    EXPECT_EQ(At(screen, midX, low.y - 4), kBackground);
    EXPECT_EQ(At(screen, midX, high.y + 4), kBackground);
    // And six pixels inside, the panel: more than half a texel (3.5 pixels
    // here) in, where filtering no longer mixes in the next cell.
    EXPECT_EQ(At(screen, low.x + 6, midY - 20), kRed);
    EXPECT_EQ(At(screen, high.x - 6, midY + 20), kBlue);

    // The turned crate: cyan at its centre, the background around the
    // rectangle that holds its eight projected corners.
    float crateLow[2] = {1e9f, 1e9f}, crateHigh[2] = {-1e9f, -1e9f};
    for (int corner = 0; corner < 8; ++corner) {
        const Vector3 local((corner & 1) ? 0.75f : -0.75f, (corner & 2) ? 0.75f : -0.75f,
                            (corner & 4) ? 0.75f : -0.75f);
        const ScreenPoint p = Project(eye, Transform(cratePlacement, local));
        crateLow[0] = std::min(crateLow[0], p.x);
        crateLow[1] = std::min(crateLow[1], p.y);
        crateHigh[0] = std::max(crateHigh[0], p.x);
        crateHigh[1] = std::max(crateHigh[1], p.y);
    }
    const ScreenPoint crateCentre = Project(eye, {2.5f, 0.5f, -4});
    EXPECT_EQ(At(screen, crateCentre.x, crateCentre.y), kCyan);
    int crateInside = 0;
    for (float y = crateLow[1] - 4; y <= crateHigh[1] + 4; y += 1) {
        for (float x = crateLow[0] - 4; x <= crateHigh[0] + 4; x += 1) {
            const bool outside = x < crateLow[0] - 2 || x > crateHigh[0] + 2 || y < crateLow[1] - 2 ||
                                 y > crateHigh[1] + 2;
            const Rgb c = At(screen, x, y);
            if (outside) {
                EXPECT_EQ(c, kBackground) << x << ", " << y;
            } else if (c == kCyan) {
                ++crateInside;
            }
        }
    }
    // A turned box covers well over half of its projected rectangle.
    EXPECT_GT(crateInside, (crateHigh[0] - crateLow[0]) * (crateHigh[1] - crateLow[1]) / 2);

    // The sparks: magenta around the emitter's projection, none farther
    // than their reach (0.25 + 0.05 × √2 units, about 36 pixels here).
    const ScreenPoint source = Project(eye, emitter);
    const float pixelsPerUnit = (high.x - low.x) / 2;
    const float reach = (0.25f + 0.075f) * pixelsPerUnit + 2;
    int sparkPixels = 0;
    int strayPixels = 0;
    for (uint32_t y = 0; y < kHeight; ++y) {
        for (uint32_t x = 0; x < kWidth; ++x) {
            if (!IsMagenta(At(screen, static_cast<float>(x), static_cast<float>(y)))) continue;
            const float dx = x + 0.5f - source.x, dy = y + 0.5f - source.y;
            if (std::sqrt(dx * dx + dy * dy) <= reach) {
                ++sparkPixels;
            } else {
                ++strayPixels;
            }
        }
    }
    EXPECT_GT(sparkPixels, 500);
    EXPECT_EQ(strayPixels, 0);

    // The panel's animation, 2 frames a second, from now on: a quarter of a
    // second later it is half-way and its texture coordinates too (the
    // middle two cells); half a second later it shows frame 1.
    panel->GetAnimation()->Play();
    for (int i = 0; i < 4; ++i) screen = Frame(0.0625f);
    EXPECT_EQ(quarters(screen), (std::vector<Rgb>{kRed, kGreen, kBlue, kYellow}));
    for (int i = 0; i < 4; ++i) screen = Frame(0.0625f);
    EXPECT_EQ(quarters(screen), (std::vector<Rgb>{kGreen, kGreen, kYellow, kYellow}));
    EXPECT_EQ(At(screen, crateCentre.x, crateCentre.y), kCyan);

    // Faded to half: the panel's colours half over the background.
    panel->SetColor(ColorRGBA(1, 1, 1, 0.5f));
    screen = Frame(0.0625f);
    const Rgb halfGreen{25, 153, 25}, halfYellow{153, 153, 25};
    EXPECT_EQ(quarters(screen), (std::vector<Rgb>{halfGreen, halfGreen, halfYellow, halfYellow}));
}

TEST_F(SceneOpenGlTest, TurnedCameraSeesTheSceneTurnedWithIt)
{
    // A camera turned about a slanted axis, away from the origin. Its view
    // (row vectors: p × view) translates by −eye, then multiplies by the
    // orientation's rotation R: for column vectors, p goes to Rᵀ × (p − eye),
    // and a point at v in view space lies at eye + R × v in the world.
    Camera* camera = engine->cameras->GetDefaultCamera();
    const Vector3 eye(1, -0.5f, 3);
    const float angle = 0.5f;
    const Vector3 axis(0.48f, 0.8f, 0.36f);  // unit length
    const float s = std::sin(angle / 2);
    camera->orientation = {axis.x * s, axis.y * s, axis.z * s, std::cos(angle / 2)};
    camera->position = eye;
    const Matrix4 back = Rotation(axis.x * s, axis.y * s, axis.z * s, std::cos(angle / 2));
    const auto world = [&](const Vector3& v) {
        const Vector3 r = Transform(back, v);
        return Vector3(eye.x + r.x, eye.y + r.y, eye.z + r.z);
    };
    const Vector3 origin(0, 0, 0);

    // The panel turned with the camera faces it square on, at view (−2, 0.5, −6).
    Model* panel = engine->models->LoadModel("scene\\panel.mlf", nullptr, 0);
    const Vector3 centre(-2, 0.5f, -6);
    Matrix4 placement = back;
    const Vector3 at = world(centre);
    placement[3] = at.x;
    placement[7] = at.y;
    placement[11] = at.z;
    panel->ApplyTransform(placement);

    ParticleSystem* sparks = engine->particleSystems->LoadParticleSystem("scene\\sparks.psf", nullptr);
    const Vector3 emitter(1.5f, -1.5f, -5);
    sparks->emitterPosition = world(emitter);
    sparks->looping = true;
    sparks->emitting = true;

    Image screen;
    for (int i = 0; i < 10; ++i) screen = Frame(0.05f);
    EXPECT_EQ(engine->models->GetDrawnModels(), 2u);

    // Colours at offsets from the panel's centre, in its plane.
    const auto colourAt = [&](float x, float y) {
        const ScreenPoint p = Project(origin, {centre.x + x, centre.y + y, centre.z});
        return At(screen, p.x, p.y);
    };
    EXPECT_EQ((std::vector<Rgb>{colourAt(-0.5f, -0.5f), colourAt(0.5f, -0.5f), colourAt(-0.5f, 0.5f),
                                colourAt(0.5f, 0.5f)}),
              (std::vector<Rgb>{kRed, kRed, kBlue, kBlue}));
    EXPECT_EQ((std::vector<Rgb>{colourAt(-1.05f, 0), colourAt(1.05f, 0), colourAt(0, -1.05f),
                                colourAt(0, 1.05f)}),
              (std::vector<Rgb>{kBackground, kBackground, kBackground, kBackground}));

    // Sprites that face the camera: a full cloud, not slivers seen edge on.
    const ScreenPoint source = Project(origin, emitter);
    const float reach = (0.25f + 0.075f) * kHeight / 2 / (5 * std::tan(3.14159265f / 6)) + 2;
    int sparkPixels = 0;
    int strayPixels = 0;
    for (uint32_t y = 0; y < kHeight; ++y) {
        for (uint32_t x = 0; x < kWidth; ++x) {
            if (!IsMagenta(At(screen, static_cast<float>(x), static_cast<float>(y)))) continue;
            const float dx = x + 0.5f - source.x, dy = y + 0.5f - source.y;
            if (std::sqrt(dx * dx + dy * dy) <= reach) {
                ++sparkPixels;
            } else {
                ++strayPixels;
            }
        }
    }
    EXPECT_GT(sparkPixels, 500);
    EXPECT_EQ(strayPixels, 0);
}

TEST_F(SceneOpenGlTest, GuiCameraDrawsWindowsAndParticlesInGuiUnits)
{
    // The GUI's camera: 800 × 600 units from the lower-left corner, near
    // plane 500 and far plane −500 around the windows' depths.
    Camera* gui = engine->cameras->CreateCamera(true);
    gui->orthoWidth = 800;
    gui->orthoHeight = 600;
    gui->nearPlane = 500;
    gui->farPlane = -500;
    const float toX = kWidth / 800.0f, toY = kHeight / 600.0f;

    // A window and a child in front of it (smaller z, smaller key: drawn
    // later), overlapping on its right.
    GuiQuad(gui, 100, 50, 200, 100, -15, ColorRGBA(0, 0, 1, 1));
    GuiQuad(gui, 250, 80, 100, 40, -15.01f, ColorRGBA(1, 1, 0, 1));

    // Sparks of 5 units' half edge at 20 units a second for half a second.
    ParticleSystem* sparks = engine->particleSystems->LoadParticleSystem("scene\\sparks.psf", gui);
    sparks->parameters.size.fill(5);
    sparks->parameters.speed.fill(0.2f);
    const Vector3 emitter(600, 400, -20);
    sparks->emitterPosition = emitter;
    sparks->looping = true;
    sparks->emitting = true;

    Image screen;
    for (int i = 0; i < 10; ++i) screen = Frame(0.05f);
    EXPECT_EQ(engine->models->GetDrawnModels(), 3u);

    EXPECT_EQ(At(screen, 150 * toX, 100 * toY), kBlue);
    EXPECT_EQ(At(screen, 275 * toX, 100 * toY), kYellow);  // the child over its parent
    EXPECT_EQ(At(screen, 325 * toX, 100 * toY), kYellow);  // the child alone
    EXPECT_EQ(At(screen, 200 * toX, 47 * toY), kBackground);
    EXPECT_EQ(At(screen, 200 * toX, 153 * toY), kBackground);
    EXPECT_EQ(At(screen, 97 * toX, 100 * toY), kBackground);
    EXPECT_EQ(At(screen, 353 * toX, 100 * toY), kBackground);

    // Reach: 10 units of travel plus the half diagonal of a sprite.
    const float reach = (10 + 5 * 1.4143f) * toY + 2;
    int sparkPixels = 0;
    int strayPixels = 0;
    for (uint32_t y = 0; y < kHeight; ++y) {
        for (uint32_t x = 0; x < kWidth; ++x) {
            if (!IsMagenta(At(screen, static_cast<float>(x), static_cast<float>(y)))) continue;
            const float dx = x + 0.5f - emitter.x * toX, dy = y + 0.5f - emitter.y * toY;
            if (std::sqrt(dx * dx + dy * dy) <= reach) {
                ++sparkPixels;
            } else {
                ++strayPixels;
            }
        }
    }
    EXPECT_GT(sparkPixels, 300);
    EXPECT_EQ(strayPixels, 0);
}

} // namespace
} // namespace ZorvaneEngine
