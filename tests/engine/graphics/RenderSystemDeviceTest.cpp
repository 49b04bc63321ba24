// The device side of the Direct3D 7 renderer on the scripted driver: mode
// and device choice, creation and its failures, loss, reset, error texts.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/core/Error.h"
#include "platform/graphics/MemorySurface.h"
#include "tests/engine/graphics/RendererFixture.h"

namespace ZorvaneEngine {
namespace {

using namespace Platform;

const std::string kDots = "........................................................";

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class RenderSystemDeviceTest : public RendererFixture {};

TEST_F(RenderSystemDeviceTest, CreationLogAndRelease)
{
    Start();
    const std::vector<std::string> expected = {
        "0 \nInitialization of Direct3D subsystem...",
        "0 ...Level device list...",
        "0 ...Creating DirectDraw...",
        "0 ......Setting cooperative level...",
        "0 ......Creating screen buffers...",
        "0 ...Creating Direct3D...",
        "0 ...Creating Direct3D device...",
        "0 ......Setting viewport...",
        "0 ......Creating Z Buffer...",
        "0 " + kDots,
        "0 ......Capabilities:",
        "0 .........Maximal texture units: 2",
        "0 .........Maximal texture size: 2048x2048",
        "0 .........Maximal texture anisotropy: 8",
        "0  ",
    };
    EXPECT_EQ(TakeLog(), expected);
    EXPECT_TRUE(renderer->IsReady());
    EXPECT_EQ(renderer->GetStageCount(), 2u);
    // Windowed: a normal cooperative level, the window in the mode's size.
    const auto levels = graphics.CallsNamed("DirectDraw::SetCooperativeLevel");
    ASSERT_FALSE(levels.empty());
    EXPECT_EQ(levels.back().args[0], DDSCL_NORMAL | DDSCL_FPUSETUP);
    EXPECT_EQ(WindowState()->form, WindowForm::Windowed);
    EXPECT_EQ(WindowState()->clientRect.Width(), 1024);
    EXPECT_TRUE(graphics.CallsNamed("DirectDraw::SetDisplayMode").empty());

    renderer.reset();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{
                             "0 \nDirect3D Subsystem destroying:", "0 ...Releasing device...",
                             "0 ...Releasing surfaces...", "0 ...Releasing Direct3D...",
                             "0 ...Releasing DirectDraw..."}));
    EXPECT_EQ(graphics.LiveObjects(), 0u);
}

struct ModeCase {
    const char* name;
    uint32_t desktopWidth, desktopHeight;
    std::vector<SurfaceDesc> modes;  // empty: the script's own
    const char* defaultMode;
    const char* videoMode;
    bool fullscreen;
    bool keepWindowSize;
    // The outcome: the selected mode, "v_mode" and "v_fullscreen"
    // afterwards, or the fatal text.
    uint32_t width, height, bits;
    const char* videoModeAfter;
    bool fullscreenAfter;
    const char* fatal;
};

std::vector<SurfaceDesc> Modes(std::initializer_list<std::tuple<uint32_t, uint32_t, uint32_t>> list)
{
    std::vector<SurfaceDesc> modes;
    for (auto [w, h, b] : list) {
        modes.push_back(MakeDisplayMode(w, h, b));
    }
    return modes;
}

TEST_F(RenderSystemDeviceTest, VideoModeChoice)
{
    const char* noMode = "RenderSystem_D3D7: Failed to find compatible video mode";
    const ModeCase cases[] = {
        {"configured mode that fits", 1280, 1024, {}, "1024x768x32", "800x600x16", false, false,
         800, 600, 16, "800x600x16", false, nullptr},
        {"window as large as the desktop shrinks", 1024, 768,
         Modes({{1024, 768, 32}, {800, 600, 32}, {640, 480, 32}}), "1024x768x32", "1024x768x32",
         false, false, 800, 600, 32, "800x600x32", false, nullptr},
        {"window rule skips sizes that are not 4:3 multiples", 1600, 1200,
         Modes({{1280, 1024, 32}, {1002, 750, 32}, {800, 600, 32}}), "1024x768x32", "1600x1200x32",
         false, false, 800, 600, 32, "800x600x32", false, nullptr},
        {"window rule keeps the wanted depth", 1024, 768, {}, "1024x768x32", "1024x768x16", false,
         false, 800, 600, 16, "800x600x16", false, nullptr},
        {"window rule with no mode between 640x480 and the desktop", 800, 600,
         Modes({{1024, 768, 32}, {800, 600, 32}, {640, 480, 32}}), "1024x768x32", "1024x768x32",
         false, false, 640, 480, 32, "640x480x32", false, nullptr},
        {"kept window size", 1024, 768, {}, "1024x768x32", "1024x768x32", false, true, 1024, 768,
         32, "1024x768x32", false, nullptr},
        {"full screen ignores the window rule", 1024, 768, {}, "1024x768x32", "1024x768x32", true,
         false, 1024, 768, 32, "1024x768x32", true, nullptr},
        {"desktop in capitals forces full screen", 1280, 1024,
         Modes({{1280, 1024, 32}, {1024, 768, 32}}), "1024x768x32", "DeskTop", false, false, 1280,
         1024, 32, "DeskTop", true, nullptr},
        {"24 bits never match: the default is taken", 1280, 1024, {}, "1024x768x32", "800x600x24",
         true, false, 1024, 768, 32, "1024x768x32", true, nullptr},
        {"24-bit display modes count as 32", 1280, 1024, Modes({{800, 600, 24}}), "800x600x32",
         "800x600x32", true, false, 800, 600, 32, "800x600x32", true, nullptr},
        {"default missing too: the last resort", 1280, 1024,
         Modes({{800, 600, 32}, {640, 480, 16}}), "1024x768x32", "1152x864x32", true, false, 640,
         480, 16, "640x480x16", true, nullptr},
        {"nothing left: fatal, not an endless chain", 1280, 1024, Modes({{800, 600, 32}}),
         "1024x768x32", "1152x864x32", true, false, 0, 0, 0, nullptr, true, noMode},
        {"the last resort as the default stops at once", 1280, 1024, Modes({{800, 600, 32}}),
         "640x480x16", "640x480x16", true, false, 0, 0, 0, nullptr, true, noMode},
    };
    const auto scriptModes = graphics.Script().adapters[0].modes;
    Device().desc.deviceRenderBitDepth |= DDBD_24;
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.name);
        UseDefaultMode(c.defaultMode);
        config->videoMode = c.videoMode;
        config->fullscreen = c.fullscreen;
        windowing.desktop = Rect{0, 0, static_cast<int32_t>(c.desktopWidth),
                                 static_cast<int32_t>(c.desktopHeight)};
        graphics.Script().desktop = {c.desktopWidth, c.desktopHeight, 32};
        graphics.Script().adapters[0].modes = c.modes.empty() ? scriptModes : c.modes;
        if (c.fatal != nullptr) {
            try {
                Start(false, c.keepWindowSize);
                ADD_FAILURE() << "no fatal error";
            } catch (const FatalError& e) {
                EXPECT_EQ(e.message, c.fatal);
            }
            EXPECT_EQ(graphics.LiveObjects(), 0u);
            continue;
        }
        try {
            Start(false, c.keepWindowSize);
        } catch (const Error& e) {
            ADD_FAILURE() << e.message;
            continue;
        }
        const ModeInfo* mode = renderer->GetSelectedMode();
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(mode->width, c.width);
        EXPECT_EQ(mode->height, c.height);
        EXPECT_EQ(mode->bits, c.bits);
        EXPECT_EQ(config->videoMode, c.videoModeAfter);
        EXPECT_EQ(config->fullscreen, c.fullscreenAfter);
        EXPECT_EQ(renderer->GetSelectedDevice()->fullscreen, c.fullscreenAfter);
        // The chosen mode is the one the device was set up in.
        EXPECT_EQ(WindowState()->clientRect.Width(), static_cast<int32_t>(c.width));
        const auto setModes = graphics.CallsNamed("DirectDraw::SetDisplayMode");
        EXPECT_EQ(setModes.size(), c.fullscreenAfter ? 1u : 0u);
        if (!setModes.empty()) {
            EXPECT_EQ(setModes[0].args[0], c.width);
            // The display's own depth, which may be 24.
            EXPECT_EQ(setModes[0].args[2],
                      std::string(c.name) == "24-bit display modes count as 32" ? 24 : c.bits);
        }
        Stop();
    }
}

TEST_F(RenderSystemDeviceTest, DeviceChoice)
{
    const Guid otherHal{{0x99, 1, 2, 3}};
    struct Case {
        const char* name;
        std::vector<ScriptedAdapter> adapters;
        const char* failing;  // a creation call failing once, or null
        Guid chosen;
        bool switched;  // the software warning was logged
        const char* fatal;
    };
    ScriptedAdapter primary = graphics.Script().adapters[0];
    primary.devices.clear();
    const auto with = [&](ScriptedAdapter a, std::vector<ScriptedDevice> devices) {
        a.devices = std::move(devices);
        return a;
    };
    ScriptedDevice tnl = MakeScriptedDevice(IID_IDirect3DTnLHalDevice, true);
    ScriptedDevice hal = MakeScriptedDevice(IID_IDirect3DHALDevice, true);
    ScriptedDevice hal2 = MakeScriptedDevice(otherHal, true);
    ScriptedDevice rgb = MakeScriptedDevice(IID_IDirect3DRGBDevice, false);
    ScriptedDevice ref = MakeScriptedDevice(IID_IDirect3DRefDevice, false);
    ScriptedAdapter secondary = with(primary, {tnl, rgb});
    secondary.primary = false;
    secondary.guid = Guid{{5, 6, 7, 8}};
    ScriptedAdapter notWindowed = with(primary, {tnl});
    notWindowed.driverCaps.caps2 = 0;

    const char* none = "RenderSystem_D3D7: Failed to find any compatible Direct3D devices";
    const Case cases[] = {
        {"T&L HAL first", {with(primary, {ref, rgb, hal, tnl})}, nullptr, IID_IDirect3DTnLHalDevice,
         false, nullptr},
        {"the last HAL found", {with(primary, {hal, rgb, hal2})}, nullptr, otherHal, false, nullptr},
        {"software before the reference", {with(primary, {ref, rgb})}, nullptr,
         IID_IDirect3DRGBDevice, false, nullptr},
        {"a secondary display is never chosen", {with(primary, {rgb}), secondary}, nullptr,
         IID_IDirect3DRGBDevice, false, nullptr},
        {"hardware failing falls back to software", {with(primary, {tnl, ref, rgb})},
         "Direct3D::CreateDevice", IID_IDirect3DRGBDevice, true, nullptr},
        {"no window-capable adapter", {notWindowed}, nullptr, Guid{}, false, none},
        {"no device", {primary}, nullptr, Guid{}, false, none},
        {"hardware failing with no software device", {with(primary, {tnl})},
         "Direct3D::CreateDevice", Guid{}, true, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        graphics.Script().adapters = c.adapters;
        if (c.failing != nullptr) {
            graphics.Fail(c.failing, DDERR_GENERIC, 1);
        }
        if (c.fatal != nullptr) {
            try {
                Start();
                ADD_FAILURE() << "no fatal error";
            } catch (const FatalError& e) {
                EXPECT_EQ(e.message, c.fatal);
            }
        } else {
            Start();
            EXPECT_EQ(renderer->GetSelectedDevice_D3D7()->guid, c.chosen);
        }
        EXPECT_EQ(Contains(TakeLog(), "1 ......RenderSystem_D3D7: Switching to the software rasterizer"),
                  c.switched);
        Stop();
        EXPECT_EQ(graphics.LiveObjects(), 0u);
    }
}

TEST_F(RenderSystemDeviceTest, EachCreationStepFailsCleanly)
{
    // Each step failing on every try: the hardware device fails, the
    // software one is tried and fails too, which is fatal; nothing is left.
    struct Case {
        const char* call;
        bool fullscreen;
        const char* text;
    };
    const Case cases[] = {
        {"DirectDrawCreateEx", false, "Failed to create DirectDraw"},
        {"DirectDraw::SetCooperativeLevel", false, "Failed to set DirectDraw cooperative level"},
        {"DirectDraw::GetDisplayMode", false, "Invalid DirectDraw display mode"},
        {"DirectDraw::SetDisplayMode", true, "Failed to set display mode"},
        {"DirectDraw::CreateSurface", false, "Failed to create primary surface"},
        {"Surface::GetAttachedSurface", true, "Failed to create back buffer"},
        {"DirectDraw::CreateClipper", false, "Failed to create clipper"},
        {"Surface::SetClipper", false, "Failed to create clipper"},
        {"Surface::GetSurfaceDesc", false, "Failed to create back buffer"},
        {"DirectDraw::QueryInterface", false, "Failed to create Direct3D"},
        {"Direct3D::CreateDevice", true, "Failed to create Direct3D device"},
        {"Device::SetViewport", false, "Failed to set viewport"},
        {"Direct3D::EnumZBufferFormats", false, "Failed to create Z Buffer"},
        {"Surface::AddAttachedSurface", false, "Failed to create Z Buffer"},
        {"Device::SetRenderTarget", true, "Failed to set render target"},
    };
    graphics.Script().adapters[0].devices.push_back(
        MakeScriptedDevice(IID_IDirect3DRGBDevice, false));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        config->fullscreen = c.fullscreen;
        Start();
        // Enumeration made DirectDraw objects too: the failures start with
        // the re-creation.
        graphics.Fail(c.call, DDERR_GENERIC, 0);
        try {
            renderer->Reset(ResetDevice);
            ADD_FAILURE() << "no fatal error";
        } catch (const FatalError& e) {
            EXPECT_EQ(e.message, "RenderSystem_D3D7: Failed to create Direct3D device");
        }
        const auto lines = TakeLog();
        const std::string error = "2 RenderSystem_D3D7: " + std::string(c.text);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), error), 2);
        EXPECT_TRUE(Contains(lines, "1 ......RenderSystem_D3D7: Switching to the software rasterizer"));
        EXPECT_EQ(renderer->GetDevice(), nullptr);
        EXPECT_EQ(graphics.LiveObjects(), 0u);
        // A harmless result for one call replaces the endless failure.
        graphics.Fail(c.call, DD_OK, 1);
        Stop();
        config->fullscreen = false;
    }
}

TEST_F(RenderSystemDeviceTest, ResetOntoADeviceWithMoreStages)
{
    ScriptedDevice software = MakeScriptedDevice(IID_IDirect3DRGBDevice, false);
    software.desc.maxSimultaneousTextures = 3;
    graphics.Script().adapters[0].devices.push_back(software);
    Start();
    renderer->SetTextureFilter(1, FilterPoint);
    graphics.Fail("Direct3D::CreateDevice", DDERR_GENERIC);
    renderer->Reset(ResetDevice);
    EXPECT_EQ(renderer->GetSelectedDevice_D3D7()->guid, IID_IDirect3DRGBDevice);
    ASSERT_EQ(renderer->GetStageCount(), 3u);
    // Every cache covers the new stage, and the defaults reached it.
    EXPECT_EQ(renderer->GetStates().filter, (std::vector<uint32_t>{1, 1, 1}));
    EXPECT_EQ(renderer->GetStates().textureMatrix.size(), 3u);
    EXPECT_EQ(renderer->GetStates().texture.size(), 3u);
    const auto stageStates = graphics.CallsNamed("Device::SetTextureStageState");
    EXPECT_TRUE(std::any_of(stageStates.begin(), stageStates.end(),
                            [](const GraphicsCall& c) { return c.args[0] == 2; }));
}

TEST_F(RenderSystemDeviceTest, DepthBufferAndStencil)
{
    Start(true);
    EXPECT_TRUE(renderer->IsStencilPresent());
    const auto depth = graphics.CallsNamed("DirectDraw::CreateSurface");
    ASSERT_FALSE(depth.empty());
    EXPECT_EQ(depth.back().args[0], DDSCAPS_ZBUFFER | DDSCAPS_VIDEOMEMORY);
    Stop();

    // No format with stencil bits: a depth buffer without stencil.
    Device().zFormats = {DepthFormat(16, 0), DepthFormat(32, 0)};
    Start(true);
    EXPECT_FALSE(renderer->IsStencilPresent());
    Stop();

    // Neither the back buffer's depth nor 16 bits with stencil: 16 bits
    // without.
    Device().zFormats = {DepthFormat(24, 8), DepthFormat(16, 0)};
    Start(true);
    EXPECT_FALSE(renderer->IsStencilPresent());
    Stop();

    // No 32 or 16-bit format at all.
    Device().zFormats = {DepthFormat(24, 8)};
    graphics.Script().adapters[0].devices.push_back(MakeScriptedDevice(IID_IDirect3DRGBDevice, false));
    graphics.Script().adapters[0].devices.back().zFormats = Device().zFormats;
    EXPECT_THROW(Start(true), FatalError);
    EXPECT_TRUE(Contains(TakeLog(), "2 RenderSystem_D3D7: Failed to create Z Buffer"));
    graphics.Script().adapters[0].devices.pop_back();

    // A device drawing without a depth buffer gets none.
    Device().desc.triRasterCaps = D3DPRASTERCAPS_ZBUFFERLESSHSR;
    Device().zFormats.clear();
    Start(true);
    EXPECT_TRUE(graphics.CallsNamed("Direct3D::EnumZBufferFormats").empty());
    EXPECT_FALSE(renderer->IsStencilPresent());
}

TEST_F(RenderSystemDeviceTest, LossAndRestore)
{
    Start();
    auto& results = graphics.CooperativeLevelResults();

    // Lost, then back: the surfaces are restored and drawing resumes.
    results = {DDERR_NOEXCLUSIVEMODE, DD_OK};
    renderer->Refresh();
    EXPECT_FALSE(renderer->IsReady());
    graphics.ClearCalls();
    renderer->SwapBuffers();
    EXPECT_TRUE(graphics.Calls().empty());
    renderer->Refresh();
    EXPECT_TRUE(renderer->IsReady());
    EXPECT_EQ(graphics.CallsNamed("DirectDraw::RestoreAllSurfaces").size(), 1u);
    EXPECT_FALSE(renderer->IsModeChanged());

    // Restoring fails: the device must be made again.
    results = {DDERR_NOEXCLUSIVEMODE, DD_OK};
    graphics.Fail("DirectDraw::RestoreAllSurfaces", DDERR_OUTOFVIDEOMEMORY);
    renderer->Refresh();
    TakeLog();
    renderer->Refresh();
    EXPECT_FALSE(renderer->IsReady());
    EXPECT_TRUE(renderer->IsModeChanged());
    EXPECT_TRUE(renderer->AreTexturesLost());
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{
                             "2 Direct3D Subsystem (RenderSystem_D3D7::Refresh): DirectDraw does not "
                             "have enough display memory to perform the operation."}));
    renderer->Reset(ResetDevice | ResetTextures);
    EXPECT_TRUE(renderer->IsReady());
    EXPECT_FALSE(renderer->IsModeChanged());
    EXPECT_FALSE(renderer->AreTexturesLost());

    // The desktop's mode changed under the window.
    results = {DDERR_WRONGMODE};
    renderer->Refresh();
    EXPECT_FALSE(renderer->IsReady());
    EXPECT_TRUE(renderer->IsModeChanged());
    EXPECT_TRUE(renderer->AreTexturesLost());
    renderer->Reset(ResetDevice | ResetTextures);

    // The same in full screen only waits for the device to come back.
    config->fullscreen = true;
    renderer->CheckVideoMode();
    renderer->Reset(ResetDevice | ResetTextures);
    results = {DDERR_WRONGMODE};
    renderer->Refresh();
    EXPECT_FALSE(renderer->IsReady());
    EXPECT_FALSE(renderer->IsModeChanged());
    EXPECT_FALSE(renderer->AreTexturesLost());
}

TEST_F(RenderSystemDeviceTest, ModeChangeAtRunTimeResetsTheDevice)
{
    Start();
    renderer->CheckVideoMode();
    EXPECT_FALSE(renderer->IsModeChanged());
    EXPECT_TRUE(renderer->AreTexturesLost());
    renderer->Reset(ResetTextures);
    EXPECT_FALSE(renderer->AreTexturesLost());

    config->videoMode = "800x600x32";
    config->fullscreen = true;
    renderer->CheckVideoMode();
    EXPECT_TRUE(renderer->IsModeChanged());
    renderer->Reset(ResetTextures);
    EXPECT_TRUE(renderer->IsModeChanged());

    renderer->CheckVideoMode();
    TakeLog();
    graphics.ClearCalls();
    renderer->Reset(ResetDevice | ResetTextures);
    const auto lines = TakeLog();
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0], "0 \nReseting Direct3D device:");
    EXPECT_EQ(lines[1], "0 " + kDots);
    EXPECT_EQ(lines[2], "0 ...Releasing device...");
    EXPECT_EQ(lines[6], "0 " + kDots);
    EXPECT_EQ(lines[7], "0 ...Creating DirectDraw...");
    EXPECT_EQ(lines.back(), "0 " + kDots);
    EXPECT_FALSE(Contains(lines, "0 ......Capabilities:"));

    EXPECT_TRUE(renderer->IsReady());
    EXPECT_FALSE(renderer->IsModeChanged());
    EXPECT_FALSE(renderer->AreTexturesLost());
    EXPECT_EQ(renderer->GetSelectedMode()->width, 800u);
    EXPECT_TRUE(renderer->GetSelectedDevice()->fullscreen);
    EXPECT_EQ(WindowState()->form, WindowForm::FullScreen);
    EXPECT_TRUE(window->fullscreen);
    EXPECT_EQ(window->width, 800u);
    const auto setModes = graphics.CallsNamed("DirectDraw::SetDisplayMode");
    ASSERT_EQ(setModes.size(), 1u);
    EXPECT_EQ(setModes[0].args, (std::vector<double>{800, 600, 32, 60, 0}));
    // The old objects are gone, the new ones alive: the DirectDraw object,
    // the surfaces, Direct3D and the device.
    const auto released = graphics.CallsNamed("DirectDraw::Release");
    ASSERT_FALSE(released.empty());
    EXPECT_EQ(released.back().result, 0);
    // The default states reached the new device.
    EXPECT_FALSE(graphics.CallsNamed("Device::SetMaterial").empty());

    // And back to a window.
    config->fullscreen = false;
    renderer->CheckVideoMode();
    renderer->Reset(ResetDevice | ResetTextures);
    EXPECT_EQ(WindowState()->form, WindowForm::Windowed);
    EXPECT_FALSE(renderer->GetSelectedDevice()->fullscreen);
}

TEST_F(RenderSystemDeviceTest, ErrorReports)
{
    Start();
    TakeLog();
    renderer->ReportError("Tag::Op", DD_OK);
    renderer->ReportError("Tag::Op", 1);
    EXPECT_TRUE(TakeLog().empty());
    renderer->ReportError("Camera_D3D7::Apply", static_cast<HRESULT>(0x80000000u));
    renderer->ReportError("RenderSystem_D3D7::BeginScene", DDERR_WRONGMODE);
    renderer->ReportError("T", DDERR_GENERIC);
    renderer->ReportError("T", DDERR_INVALIDPARAMS);
    renderer->ReportError("T", DDERR_SURFACELOST);
    EXPECT_EQ(TakeLog(),
              (std::vector<std::string>{
                  "2 Direct3D Subsystem (Camera_D3D7::Apply): Unknown error (Code: -2147483648)",
                  "2 Direct3D Subsystem (RenderSystem_D3D7::BeginScene): This surface cannot be "
                  "restored because it was created in a different mode.",
                  "2 Direct3D Subsystem (T): There is an undefined error condition.",
                  "2 Direct3D Subsystem (T): One or more of the parameters passed to the method are "
                  "incorrect.",
                  "2 Direct3D Subsystem (T): Access to the surface is refused because the surface "
                  "memory is gone. Call the IDirectDrawSurface7::Restore method on this surface to "
                  "restore the memory associated with it."}));
    // Every code of the layer has a text of its own.
    for (uint32_t code = 1; code <= 116; ++code) {
        EXPECT_EQ(RenderSystem_D3D7::ErrorText(MakeDirectDrawError(code)).rfind("Unknown", 0),
                  std::string::npos);
    }
}

} // namespace
} // namespace ZorvaneEngine
