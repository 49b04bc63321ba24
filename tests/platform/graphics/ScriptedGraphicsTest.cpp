// The scripted graphics driver: recorded calls, injected failures, the
// queue of cooperative-level results, and reference counts that show what
// is still held.
#include <gtest/gtest.h>

#include "platform/graphics/scripted/ScriptedGraphics.h"
#include "tests/platform/graphics/SurfaceDescs.h"

namespace Platform {
namespace {

TEST(ScriptedGraphicsTest, RecordsCallsAndHeldReferencesInOrder)
{
    ScriptedGraphics g;
    DirectDraw* dd = nullptr;
    ASSERT_EQ(g.DirectDrawCreateEx(nullptr, &dd), DD_OK);
    ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    DirectDrawSurface* back = nullptr;
    ASSERT_EQ(dd->CreateSurface(Described(DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE, 640, 480), &back),
              DD_OK);
    Direct3D* d3d = nullptr;
    ASSERT_EQ(dd->QueryInterface(IID_IDirect3D7, &d3d), DD_OK);
    Direct3DDevice* device = nullptr;
    ASSERT_EQ(d3d->CreateDevice(IID_IDirect3DTnLHalDevice, back, &device), D3D_OK);
    SurfaceDesc t = Described(DDSCAPS_TEXTURE, 8, 8);
    t.flags |= DDSD_PIXELFORMAT;
    t.pixelFormat = g.Script().textureFormats[0];
    DirectDrawSurface* texture = nullptr;
    ASSERT_EQ(dd->CreateSurface(t, &texture), DD_OK);
    device->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
    device->SetTexture(0, texture);

    // The device holds the texture and its target; the surfaces and
    // Direct3D hold the DirectDraw object.
    EXPECT_EQ(texture->Release(), 1u);
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(back->Release(), 0u);
    EXPECT_EQ(d3d->Release(), 0u);
    EXPECT_EQ(dd->Release(), 0u);
    EXPECT_EQ(g.LiveObjects(), 0u);

    const std::vector<std::string> expected = {
        "DirectDrawCreateEx", "DirectDraw::SetCooperativeLevel", "DirectDraw::CreateSurface",
        "DirectDraw::QueryInterface", "Direct3D::CreateDevice", "DirectDraw::CreateSurface",
        "Device::SetRenderState", "Device::SetTexture",
        "Surface::Release",     // texture: the device still holds it
        "Device::Release",      // the device goes, and lets go of
        "Surface::Release",     // ... the texture,
        "DirectDraw::Release",  // ... which lets go of the DirectDraw object,
        "Surface::Release",     // ... its target
        "Direct3D::Release",    // ... and the Direct3D object
        "Surface::Release", "DirectDraw::Release", "Direct3D::Release", "DirectDraw::Release",
        "DirectDraw::Release"};
    EXPECT_EQ(g.CallNames(), expected);
    const GraphicsCall state = g.CallsNamed("Device::SetRenderState")[0];
    EXPECT_EQ(state.object, static_cast<uint32_t>(g.Calls()[4].result)) << "made on the new device";
    EXPECT_EQ(state.args, (std::vector<double>{D3DRENDERSTATE_ZENABLE, 1}));
    EXPECT_EQ(g.CallsNamed("Device::SetTexture")[0].args[1], static_cast<double>(g.Calls()[5].result));
    EXPECT_EQ(g.Calls().back().result, 0) << "Release records the references left";
}

TEST(ScriptedGraphicsTest, InjectedFailuresReturnTheirCodeForTheChosenNumberOfCalls)
{
    ScriptedGraphics g;
    g.Fail("DirectDrawCreateEx", DDERR_NODIRECTDRAWHW);
    DirectDraw* dd = reinterpret_cast<DirectDraw*>(1);
    EXPECT_EQ(g.DirectDrawCreateEx(nullptr, &dd), DDERR_NODIRECTDRAWHW);
    EXPECT_EQ(dd, nullptr);
    ASSERT_EQ(g.DirectDrawCreateEx(nullptr, &dd), DD_OK);

    g.Fail("DirectDraw::CreateSurface", DDERR_OUTOFVIDEOMEMORY, 2);
    g.Fail("DirectDraw::RestoreAllSurfaces", DDERR_WRONGMODE, 0);
    DirectDrawSurface* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(Described(DDSCAPS_PRIMARYSURFACE), &s), DDERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(dd->CreateSurface(Described(DDSCAPS_PRIMARYSURFACE), &s), DDERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(s, nullptr);
    ASSERT_EQ(dd->CreateSurface(Described(DDSCAPS_PRIMARYSURFACE), &s), DD_OK);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(dd->RestoreAllSurfaces(), DDERR_WRONGMODE);
    }
    EXPECT_EQ(g.CallsNamed("DirectDraw::CreateSurface")[0].result, DDERR_OUTOFVIDEOMEMORY);

    // TestCooperativeLevel answers from its queue, then succeeds.
    g.CooperativeLevelResults() = {DDERR_NOEXCLUSIVEMODE, DDERR_WRONGMODE};
    EXPECT_EQ(dd->TestCooperativeLevel(), DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(dd->TestCooperativeLevel(), DDERR_WRONGMODE);
    EXPECT_EQ(dd->TestCooperativeLevel(), DD_OK);

    s->Release();
    dd->Release();
    EXPECT_EQ(g.LiveObjects(), 0u);
}

TEST(ScriptedGraphicsTest, EnumeratesTheScriptAndHonoursTheDisplayModeRules)
{
    GraphicsScript script;
    ScriptedAdapter second;
    second.primary = false;
    second.guid = Guid{{7, 0, 0, 0}};
    second.modes = script.adapters[0].modes;
    second.devices.push_back(MakeScriptedDevice(IID_IDirect3DRGBDevice, false));
    script.adapters.push_back(second);
    ScriptedGraphics g(script);

    std::vector<const Guid*> adapters;
    g.DirectDrawEnumerateEx([&](const Guid* guid, const char*, const char*) {
        adapters.push_back(guid);
        return true;
    }, DDENUM_ATTACHEDSECONDARYDEVICES);
    ASSERT_EQ(adapters.size(), 2u);
    EXPECT_EQ(adapters[0], nullptr);
    ASSERT_NE(adapters[1], nullptr);

    DirectDraw* dd = nullptr;
    ASSERT_EQ(g.DirectDrawCreateEx(adapters[1], &dd), DD_OK);
    Direct3D* d3d = nullptr;
    ASSERT_EQ(dd->QueryInterface(IID_IDirect3D7, &d3d), DD_OK);
    std::vector<Guid> devices;
    d3d->EnumDevices([&](const char*, const char*, const DeviceDesc& d) {
        devices.push_back(d.deviceGUID);
        return true;
    });
    EXPECT_EQ(devices, std::vector<Guid>{IID_IDirect3DRGBDevice});
    EXPECT_EQ(d3d->EnumZBufferFormats(IID_IDirect3DHALDevice, [](const PixelFormat&) { return true; }),
              DDERR_INVALIDPARAMS);

    EXPECT_EQ(dd->SetDisplayMode(800, 600, 16, 0, 0), DDERR_NOEXCLUSIVEMODE);
    dd->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    EXPECT_EQ(dd->SetDisplayMode(1280, 1024, 32, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(dd->SetDisplayMode(800, 600, 16, 0, 0), DD_OK);
    SurfaceDesc mode;
    dd->GetDisplayMode(mode);
    EXPECT_EQ(mode.width, 800u);
    EXPECT_EQ(mode.pixelFormat.rgbBitCount, 16u);
    d3d->Release();
    dd->Release();
}

} // namespace
} // namespace Platform
