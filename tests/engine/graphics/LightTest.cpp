#include <gtest/gtest.h>

#include <memory>

#include "engine/graphics/LightManager.h"
#include "engine/graphics/Light_D3D7.h"
#include "tests/engine/graphics/RendererFixture.h"

namespace ZorvaneEngine {
namespace {

// The manager has no way to add lights of its own; this one takes them at
// the back of the refresh order.
class LightManagerWithLights : public LightManager {
public:
    using LightManager::LightManager;
    void Add(Light* light)
    {
        const uint32_t index = light->GetIndex();
        if (lights.size() <= index) {
            lights.resize(index + 1);
        }
        lights[index].reset(light);
        usedIndices.push_back(index);
    }
};

class LightTest : public RendererFixture {
protected:
    void SetUp() override
    {
        Start();
        graphics.ClearCalls();
    }

    std::unique_ptr<Light> Make(uint32_t index)
    {
        return std::unique_ptr<Light>(renderer->CreateLight(index));
    }
};

TEST_F(LightTest, FreshLightIsAWhitePointLightAtTheOrigin)
{
    const std::unique_ptr<Light> light = Make(3);
    EXPECT_EQ(light->GetIndex(), 3u);
    EXPECT_TRUE(light->enabled);
    EXPECT_EQ(light->type, LightPoint);
    EXPECT_EQ(light->range, 1.8446743e19f);
    light->Refresh();
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{
                               "Device::SetLight 3 1 1 1 1 1 1 1 1 1 1 1 1 1 0 0 0 0 0 0 "
                               "1.84467e+19 0 1 0 0 0 0",
                               "Device::LightEnable 3 1"}));
}

// SetLight records: index, type, diffuse, specular, ambient, position,
// direction, range, falloff, attenuation 0 to 2, theta, phi.
TEST_F(LightTest, EachKindSendsItsOwnFields)
{
    struct Case {
        uint32_t type;
        const char* sent;
    };
    const Case cases[] = {
        {LightDirectional, "3 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0 0 0 1 0 0 0 0 0.6 0.8 50 0 0 0 0 0 0"},
        {LightSpot, "2 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0 0 0 1 1 2 3 0 0.6 0.8 50 1 0.5 0.25 0.125 0.3 0.9"},
        {LightPoint, "1 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0 0 0 1 1 2 3 0 0 0 50 0 0.5 0.25 0.125 0 0"},
        {7, "0 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0 0 0 1 0 0 0 0 0 0 50 0 0 0 0 0 0"},
    };
    for (const Case& k : cases) {
        const std::unique_ptr<Light> light = Make(5);
        light->type = k.type;
        light->diffuse = ColorRGBA(0.1f, 0.2f, 0.3f, 0.4f);
        light->specular = ColorRGBA(0.5f, 0.6f, 0.7f, 0.8f);
        light->ambient = ColorRGBA(0, 0, 0, 1);
        light->position = Vector3(1, 2, 3);
        light->direction = Vector3(0, 0.6f, 0.8f);
        light->range = 50;
        light->constantAttenuation = 0.5f;
        light->linearAttenuation = 0.25f;
        light->quadraticAttenuation = 0.125f;
        light->innerCone = 0.3f;
        light->outerCone = 0.9f;
        light->Refresh();
        EXPECT_EQ(TakeCalls("Device::SetLight"),
                  (std::vector<std::string>{std::string("Device::SetLight 5 ") + k.sent}))
            << "type " << k.type;
    }
}

TEST_F(LightTest, DisabledLightIsOnlySwitchedOff)
{
    std::unique_ptr<Light> light = Make(2);
    light->enabled = false;
    light->Refresh();
    light->Refresh();
    EXPECT_EQ(TakeCalls(),
              (std::vector<std::string>{"Device::LightEnable 2 0", "Device::LightEnable 2 0"}));
    light.reset();
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"Device::LightEnable 2 0"}));
}

TEST_F(LightTest, FailedSetLightStillSwitchesTheLightOn)
{
    const std::unique_ptr<Light> light = Make(1);
    graphics.Fail("Device::SetLight", Platform::DDERR_GENERIC);
    TakeLog();
    light->Refresh();
    EXPECT_EQ(graphics.CallNames(),
              (std::vector<std::string>{"Device::SetLight", "Device::LightEnable"}));
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"2 Direct3D Subsystem (Light_D3D7::Refresh): There "
                                                   "is an undefined error condition."}));
}

TEST_F(LightTest, ManagerSendsAmbientAndLightingOnlyWhenChanged)
{
    LightManager manager(&log, renderer.get());
    manager.Update();
    manager.SetLighting(false);
    EXPECT_EQ(TakeCalls(), std::vector<std::string>{});

    // Within the tolerance of 0.0001 per channel nothing changes.
    manager.ambient = ColorRGBA(0.0001f, 0, 0, 1);
    manager.Update();
    EXPECT_EQ(TakeCalls(), std::vector<std::string>{});

    manager.ambient = ColorRGBA(0.5f, 0, 0, 1);
    manager.Update();
    manager.Update();
    manager.SetLighting(true);
    manager.SetLighting(true);
    const std::vector<Platform::GraphicsCall>& calls = graphics.Calls();
    ASSERT_EQ(graphics.CallNames(),
              (std::vector<std::string>{"Device::SetRenderState", "Device::SetRenderState"}));
    EXPECT_EQ(calls[0].args, (std::vector<double>{Platform::D3DRENDERSTATE_AMBIENT, 0xFF7F0000u}));
    EXPECT_EQ(calls[1].args, (std::vector<double>{Platform::D3DRENDERSTATE_LIGHTING, 1}));
}

TEST_F(LightTest, ManagerRefreshesEveryLightEachFrameAndDeletesThemInOrder)
{
    auto manager = std::make_unique<LightManagerWithLights>(&log, renderer.get());
    manager->Add(renderer->CreateLight(4));
    manager->Add(renderer->CreateLight(1));
    Light* off = renderer->CreateLight(2);
    off->enabled = false;
    manager->Add(off);

    for (int frame = 0; frame < 2; ++frame) {
        manager->Update();
        EXPECT_EQ(graphics.CallNames(),
                  (std::vector<std::string>{"Device::SetLight", "Device::LightEnable",
                                            "Device::SetLight", "Device::LightEnable",
                                            "Device::LightEnable"}));
        EXPECT_EQ(TakeCalls("Device::LightEnable"),
                  (std::vector<std::string>{"Device::LightEnable 4 1", "Device::LightEnable 1 1",
                                            "Device::LightEnable 2 0"}));
    }

    manager.reset();
    EXPECT_EQ(TakeCalls(),
              (std::vector<std::string>{"Device::LightEnable 4 0", "Device::LightEnable 1 0",
                                        "Device::LightEnable 2 0"}));
}

} // namespace
} // namespace ZorvaneEngine
