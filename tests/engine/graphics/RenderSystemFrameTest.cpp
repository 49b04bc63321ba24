// The frame side of the Direct3D 7 renderer on the scripted driver: the
// state cache and its mapping to the device, clear, present, drawing and
// the back-buffer copy.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "engine/graphics/Image.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/VertexBuffer.h"
#include "tests/engine/graphics/DeviceCallLines.h"
#include "tests/engine/graphics/RendererFixture.h"

namespace ZorvaneEngine {
namespace {

using namespace Platform;

std::string Transform(uint32_t state, std::initializer_list<float> values)
{
    std::string line = "Device::SetTransform " + std::to_string(state);
    for (float v : values) {
        line += " " + RendererFixture::Number(v);
    }
    return line;
}

const std::initializer_list<float> kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

class RenderSystemFrameTest : public RendererFixture {};

TEST_F(RenderSystemFrameTest, DefaultStatesReachTheDeviceInOrder)
{
    for (bool stencil : {false, true}) {
        SCOPED_TRACE(stencil ? "with stencil" : "without stencil");
        Start(stencil);
        graphics.ClearCalls();
        renderer->SetDefaultStates();
        std::vector<std::string> expected = {
            "Device::SetMaterial 1 1 1 1 0.6 0.6 0.6 1 0 0 0 0 0 0 0 1 0",
            Transform(D3DTRANSFORMSTATE_VIEW, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1}),
            Transform(D3DTRANSFORMSTATE_WORLD, kIdentity),
            RS(D3DRENDERSTATE_AMBIENT, 0xFF000000u),
            RS(D3DRENDERSTATE_ALPHABLENDENABLE, 0),
            RS(D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE),
            RS(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE),
        };
        for (uint32_t s = 0; s < 2; ++s) {
            expected.insert(expected.end(),
                            {"Device::SetTexture " + std::to_string(s) + " 0",
                             TSS(s, D3DTSS_MAXANISOTROPY, 1), TSS(s, D3DTSS_MAGFILTER, D3DTFG_LINEAR),
                             TSS(s, D3DTSS_MINFILTER, D3DTFN_LINEAR), TSS(s, D3DTSS_MIPFILTER, D3DTFP_NONE),
                             TSS(s, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP),
                             TSS(s, D3DTSS_ADDRESSV, D3DTADDRESS_WRAP),
                             Transform(D3DTRANSFORMSTATE_TEXTURE0 + s, kIdentity)});
        }
        expected.insert(expected.end(),
                        {RS(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), RS(D3DRENDERSTATE_LIGHTING, 0),
                         RS(D3DRENDERSTATE_NORMALIZENORMALS, 0), RS(D3DRENDERSTATE_ZENABLE, 0),
                         RS(D3DRENDERSTATE_ZWRITEENABLE, 1), RS(D3DRENDERSTATE_STENCILENABLE, 0)});
        for (uint32_t s = 0; s < 2; ++s) {
            expected.insert(expected.end(),
                            {TSS(s, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2),
                             TSS(s, D3DTSS_TEXCOORDINDEX, 0), TSS(s, D3DTSS_COLOROP, D3DTOP_MODULATE),
                             TSS(s, D3DTSS_ALPHAARG1, D3DTA_TEXTURE),
                             TSS(s, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE),
                             TSS(s, D3DTSS_ALPHAOP, s == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE)});
        }
        expected.insert(expected.end(),
                        {RS(D3DRENDERSTATE_COLORVERTEX, 1),
                         RS(D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1),
                         RS(D3DRENDERSTATE_AMBIENTMATERIALSOURCE, D3DMCS_COLOR1),
                         RS(D3DRENDERSTATE_ZFUNC, D3DCMP_LESS)});
        if (stencil) {
            expected.insert(expected.end(),
                            {RS(D3DRENDERSTATE_STENCILFUNC, D3DCMP_EQUAL), RS(D3DRENDERSTATE_STENCILREF, 0),
                             RS(D3DRENDERSTATE_STENCILMASK, 0xFFFFFFFFu),
                             RS(D3DRENDERSTATE_STENCILFAIL, D3DSTENCILOP_KEEP),
                             RS(D3DRENDERSTATE_STENCILZFAIL, D3DSTENCILOP_KEEP),
                             RS(D3DRENDERSTATE_STENCILPASS, D3DSTENCILOP_INCR)});
        }
        EXPECT_EQ(TakeCalls("Device::"), expected);
        Stop();
    }
}

TEST_F(RenderSystemFrameTest, SettersSkipUnchangedValues)
{
    Start();
    graphics.ClearCalls();
    Matrix4 nearlyIdentity = Matrix4::Identity();
    nearlyIdentity[3] = 0.0001f;
    Matrix4 moved = Matrix4::Identity();
    moved[3] = 0.00011f;
    struct Case {
        const char* name;
        std::function<void(RenderSystem&)> set;
        size_t deviceCalls;
    };
    const Case cases[] = {
        {"cull as cached", [](RenderSystem& r) { r.SetCullMode(CullNone); }, 0},
        {"cull changed", [](RenderSystem& r) { r.SetCullMode(CullClockwise); }, 1},
        {"cull again", [](RenderSystem& r) { r.SetCullMode(CullClockwise); }, 0},
        {"blend as cached", [](RenderSystem& r) { r.SetBlend(0, 0); }, 0},
        {"one blend code changed", [](RenderSystem& r) { r.SetBlend(0, BlendInvSrcAlpha); }, 2},
        {"offset by the tolerance", [](RenderSystem& r) { r.SetTextureMatrix(0, 1, 1, 0, 0.0001f); }, 0},
        {"offset beyond it", [](RenderSystem& r) { r.SetTextureMatrix(0, 1, 1, 0, 0.00011f); }, 1},
        {"world by the tolerance", [&](RenderSystem& r) { r.SetWorldMatrix(nearlyIdentity); }, 0},
        {"world beyond it", [&](RenderSystem& r) { r.SetWorldMatrix(moved); }, 1},
        {"view as cached", [](RenderSystem& r) { r.SetViewMatrix(Matrix4::Identity()); }, 0},
        {"ambient within", [](RenderSystem& r) { r.SetAmbientColor(ColorRGBA(0, 0, 0.00005f, 1)); }, 0},
        {"ambient changed", [](RenderSystem& r) { r.SetAmbientColor(ColorRGBA(0.5f, 0, 0, 1)); }, 1},
        {"no texture as cached", [](RenderSystem& r) { r.SetTexture(0, nullptr); }, 0},
        {"filter as cached", [](RenderSystem& r) { r.SetTextureFilter(1, FilterBilinear); }, 0},
        {"unknown filter is stored, not sent", [](RenderSystem& r) { r.SetTextureFilter(1, 7); }, 0},
        {"point filter", [](RenderSystem& r) { r.SetTextureFilter(1, FilterPoint); }, 3},
        {"address U as cached", [](RenderSystem& r) { r.SetTextureAdressU(0, AddressWrap); }, 0},
        {"address V changed", [](RenderSystem& r) { r.SetTextureAdressV(0, AddressClamp); }, 1},
        {"lighting as cached", [](RenderSystem& r) { r.SetLighting(false); }, 0},
        {"depth test on", [](RenderSystem& r) { r.SetZ(true); }, 1},
        {"depth writes as cached", [](RenderSystem& r) { r.SetZWrite(true); }, 0},
        {"normals normalised", [](RenderSystem& r) { r.SetNormalizeNormals(true); }, 1},
        {"stencil as cached", [](RenderSystem& r) { r.SetStencil(false); }, 0},
        {"alpha blending on", [](RenderSystem& r) { r.SetAlphaBlend(true); }, 1},
        {"a stage the device lacks", [](RenderSystem& r) { r.SetTextureFilter(5, FilterPoint); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.set(*renderer);
        EXPECT_EQ(TakeCalls("Device::").size(), c.deviceCalls);
    }
    EXPECT_EQ(renderer->GetStates().sourceBlend, 0u);
    EXPECT_EQ(renderer->GetStates().destinationBlend, static_cast<uint32_t>(BlendInvSrcAlpha));
    EXPECT_EQ(renderer->GetStates().filter[1], static_cast<uint32_t>(FilterPoint));

    // The defaults are pushed whatever the cache holds, and leave it so.
    renderer->SetDefaultStates();
    renderer->SetDefaultStates();
    EXPECT_EQ(TakeCalls("Device::").size(), 2u * 45u);
    renderer->SetCullMode(CullNone);
    EXPECT_TRUE(TakeCalls("Device::").empty());
}

TEST_F(RenderSystemFrameTest, StateMapping)
{
    Start();
    graphics.ClearCalls();
    Matrix4 world = Matrix4::Identity();
    world[3] = 5;
    world[7] = 6;
    world[11] = 7;
    struct Case {
        const char* name;
        std::function<void(RenderSystem&)> set;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"blend 1 and 11", [](RenderSystem& r) { r.SetBlend(1, 11); },
         {RS(D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE), RS(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ZERO)}},
        {"blend 4 and 5", [](RenderSystem& r) { r.SetBlend(4, 5); },
         {RS(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA), RS(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA)}},
        {"blend 2 and 10", [](RenderSystem& r) { r.SetBlend(2, 10); },
         {RS(D3DRENDERSTATE_SRCBLEND, D3DBLEND_DESTCOLOR), RS(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCCOLOR)}},
        {"blend 8 and 7", [](RenderSystem& r) { r.SetBlend(8, 7); },
         {RS(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHASAT), RS(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVDESTALPHA)}},
        {"trilinear without anisotropy", [](RenderSystem& r) { r.SetTextureFilter(0, FilterTrilinear); },
         {TSS(0, D3DTSS_MAGFILTER, D3DTFG_LINEAR), TSS(0, D3DTSS_MINFILTER, D3DTFN_LINEAR),
          TSS(0, D3DTSS_MIPFILTER, D3DTFP_LINEAR)}},
        {"clamp U", [](RenderSystem& r) { r.SetTextureAdressU(1, AddressClamp); },
         {TSS(1, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP)}},
        {"any other address wraps", [](RenderSystem& r) { r.SetTextureAdressU(1, 3); },
         {TSS(1, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP)}},
        {"cull 1", [](RenderSystem& r) { r.SetCullMode(1); }, {RS(D3DRENDERSTATE_CULLMODE, D3DCULL_CW)}},
        {"cull 2", [](RenderSystem& r) { r.SetCullMode(2); }, {RS(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW)}},
        {"cull 5", [](RenderSystem& r) { r.SetCullMode(5); }, {RS(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE)}},
        {"world translation goes to row 3", [&](RenderSystem& r) { r.SetWorldMatrix(world); },
         {Transform(D3DTRANSFORMSTATE_WORLD, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1})}},
        {"view third column negated",
         [](RenderSystem& r) {
             Matrix4 view = Matrix4::Identity();
             view[14] = 3;
             r.SetViewMatrix(view);
         },
         {Transform(D3DTRANSFORMSTATE_VIEW, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, -3, 1})}},
        {"texture matrix offset in row 2", [](RenderSystem& r) { r.SetTextureMatrix(1, 1, 0.5f, 0.25f, 0); },
         {Transform(D3DTRANSFORMSTATE_TEXTURE0 + 1, {1, 0, 0, 0, 0, 0.5f, 0, 0, 0.25f, 0, 1, 0, 0, 0, 0, 1})}},
        {"ambient clamped to a byte per channel",
         [](RenderSystem& r) { r.SetAmbientColor(ColorRGBA(2, -1, 0.5f, 1)); },
         {RS(D3DRENDERSTATE_AMBIENT, 0xFFFF007Fu)}},
        {"switches", [](RenderSystem& r) {
             r.SetLighting(true);
             r.SetZ(true);
             r.SetZWrite(false);
             r.SetStencil(true);
             r.SetAlphaBlend(true);
         },
         {RS(D3DRENDERSTATE_LIGHTING, 1), RS(D3DRENDERSTATE_ZENABLE, 1),
          RS(D3DRENDERSTATE_ZWRITEENABLE, 0), RS(D3DRENDERSTATE_STENCILENABLE, 1),
          RS(D3DRENDERSTATE_ALPHABLENDENABLE, 1)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.set(*renderer);
        EXPECT_EQ(TakeCalls("Device::"), c.calls);
    }

    // Anisotropy: kept within 1 and the device's 8, filters follow it.
    config->textureAnisotropy = 16;
    renderer->Refresh();
    EXPECT_EQ(config->textureAnisotropy, 8);
    EXPECT_EQ(TakeCalls("Device::"), (std::vector<std::string>{TSS(0, D3DTSS_MAXANISOTROPY, 8),
                                                               TSS(1, D3DTSS_MAXANISOTROPY, 8)}));
    renderer->SetTextureFilter(1, FilterTrilinear);
    EXPECT_EQ(TakeCalls("Device::"),
              (std::vector<std::string>{TSS(1, D3DTSS_MAGFILTER, D3DTFG_ANISOTROPIC),
                                        TSS(1, D3DTSS_MINFILTER, D3DTFN_ANISOTROPIC),
                                        TSS(1, D3DTSS_MIPFILTER, D3DTFP_LINEAR)}));
    renderer->Refresh();
    EXPECT_TRUE(TakeCalls("Device::").empty());
    config->textureAnisotropy = 0;
    renderer->Refresh();
    EXPECT_EQ(config->textureAnisotropy, 1);
    EXPECT_EQ(TakeCalls("Device::").size(), 2u);
}

TEST_F(RenderSystemFrameTest, ClearAndScene)
{
    Start(true);
    graphics.ClearCalls();
    TakeLog();
    renderer->clearColor = ColorRGBA(1, 0.5f, 0, 1);
    renderer->BeginScene();
    renderer->EndScene();
    EXPECT_EQ(TakeCalls("Device::"),
              (std::vector<std::string>{
                  "Device::Clear 0 " +
                      std::to_string(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL) + " " +
                      std::to_string(0xFFFF7F00u) + " 1 0",
                  "Device::BeginScene", "Device::EndScene"}));

    renderer->clearFlags = 0;
    graphics.Fail("Device::BeginScene", DDERR_SURFACELOST);
    renderer->BeginScene();
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"Device::BeginScene",
                                                     "DirectDraw::RestoreAllSurfaces",
                                                     "Device::BeginScene"}));
    graphics.Fail("Device::EndScene", DDERR_SURFACELOST);
    graphics.Fail("DirectDraw::RestoreAllSurfaces", DDERR_WRONGMODE);
    renderer->EndScene();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{
                             "2 Direct3D Subsystem (RenderSystem_D3D7::EndScene): This surface cannot "
                             "be restored because it was created in a different mode."}));
}

TEST_F(RenderSystemFrameTest, Present)
{
    Start();
    graphics.ClearCalls();
    TakeLog();
    config->verticalSync = true;
    renderer->SwapBuffers();
    const auto calls = graphics.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].name, "DirectDraw::WaitForVerticalBlank");
    EXPECT_EQ(calls[1].name, "Surface::Blt");
    EXPECT_EQ(calls[1].args[1], DDBLT_WAIT);
    graphics.ClearCalls();
    config->verticalSync = false;
    graphics.Fail("Surface::Blt", DDERR_GENERIC);
    renderer->SwapBuffers();
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"Surface::Blt " + Number(calls[1].args[0]) + " " +
                                                     std::to_string(DDBLT_WAIT)}));
    EXPECT_TRUE(TakeLog().empty());
    graphics.Fail("Surface::Blt", DDERR_SURFACELOST);
    renderer->SwapBuffers();
    EXPECT_EQ(graphics.CallsNamed("DirectDraw::RestoreAllSurfaces").size(), 1u);
    Stop();

    config->fullscreen = true;
    Start();
    for (bool vsync : {true, false}) {
        config->verticalSync = vsync;
        graphics.ClearCalls();
        renderer->SwapBuffers();
        const auto flips = graphics.CallsNamed("Surface::Flip");
        ASSERT_EQ(flips.size(), 1u);
        EXPECT_EQ(flips[0].args[1], vsync ? DDFLIP_WAIT : DDFLIP_WAIT | DDFLIP_NOVSYNC);
    }
}

// A buffer of count vertices (with colours when asked) and the given indices.
struct Mesh {
    std::unique_ptr<VertexBuffer> vertices;
    std::unique_ptr<IndexBuffer> indices;
};

Mesh MakeMesh(RenderSystem& r, uint32_t vertexCount, bool colors, const std::vector<uint32_t>& list)
{
    Mesh mesh{std::unique_ptr<VertexBuffer>(r.CreateVertexBuffer(vertexCount, 0, colors)),
              std::unique_ptr<IndexBuffer>(r.CreateIndexBuffer(0, static_cast<uint32_t>(list.size())))};
    void* data = mesh.indices->Lock(0, static_cast<uint32_t>(list.size()));
    for (size_t i = 0; i < list.size(); ++i) {
        if (mesh.indices->Is32Bit()) {
            static_cast<uint32_t*>(data)[i] = list[i];
        } else {
            static_cast<uint16_t*>(data)[i] = static_cast<uint16_t>(list[i]);
        }
    }
    mesh.indices->Unlock();
    return mesh;
}

TEST_F(RenderSystemFrameTest, IndexedDrawing)
{
    Start();
    struct Case {
        const char* name;
        bool strip;
        bool colors;
        uint32_t vertexCount;
        std::vector<uint32_t> indices;
        uint32_t primitives;
        // Expected: type, format, vertex count, index count; no draw when
        // indexCount is 0.
        uint32_t type, format, drawnVertices, indexCount;
    };
    const Case cases[] = {
        {"strip of 2", true, false, 4, {0, 1, 2, 3}, 2, D3DPT_TRIANGLESTRIP, 0x112, 4, 4},
        {"list of 2 with colours", false, true, 6, {0, 1, 2, 3, 4, 5}, 2, D3DPT_TRIANGLELIST, 0x152, 6, 6},
        {"vertex count is the highest index + 1", false, false, 8, {5, 6, 7}, 1, D3DPT_TRIANGLELIST,
         0x112, 8, 3},
        {"an index past the vertices", false, false, 8, {5, 6, 9}, 1, 0, 0, 0, 0},
        {"more primitives than indices", false, false, 8, {0, 1, 2}, 2, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mesh mesh = MakeMesh(*renderer, c.vertexCount, c.colors, c.indices);
        graphics.ClearCalls();
        TakeLog();
        renderer->DrawIndexedPrimitive(c.strip, mesh.indices.get(), mesh.vertices.get(), c.primitives);
        const auto draws = graphics.CallsNamed("Device::DrawIndexedPrimitive");
        if (c.indexCount == 0) {
            EXPECT_TRUE(draws.empty());
            EXPECT_EQ(TakeLog(), (std::vector<std::string>{
                                     "2 Direct3D Subsystem (RenderSystem_D3D7::DrawIndexedPrimitive): "
                                     "One or more of the parameters passed to the method are incorrect."}));
            continue;
        }
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].args, (std::vector<double>{static_cast<double>(c.type), static_cast<double>(c.format),
                                                      static_cast<double>(c.drawnVertices),
                                                      static_cast<double>(c.indexCount), 0}));
        EXPECT_EQ(draws[0].result, DD_OK);
    }
}

TEST_F(RenderSystemFrameTest, WideIndicesAreDrawnInSixteenBitPieces)
{
    Start();
    const uint32_t count = 70000;
    std::vector<uint32_t> list(count);
    for (uint32_t i = 0; i < count; ++i) {
        // Far-apart vertices in every triangle: no piece can use a plain
        // offset into the vertex array.
        list[i] = (i % 3 == 1) ? count - 1 - i : i;
    }
    for (bool strip : {false, true}) {
        SCOPED_TRACE(strip ? "strip" : "list");
        Mesh mesh = MakeMesh(*renderer, count, false, list);
        ASSERT_TRUE(mesh.indices->Is32Bit());
        graphics.ClearCalls();
        const uint32_t primitives = strip ? count - 2 : count / 3;
        renderer->DrawIndexedPrimitive(strip, mesh.indices.get(), mesh.vertices.get(), primitives);
        const auto draws = graphics.CallsNamed("Device::DrawIndexedPrimitive");
        ASSERT_EQ(draws.size(), 2u);
        // Each piece's indices lie within its own vertices (the scripted
        // device checks it), and together they draw every triangle once.
        uint64_t triangles = 0;
        for (const auto& draw : draws) {
            EXPECT_EQ(draw.result, DD_OK);
            EXPECT_LE(draw.args[2], 65535);
            triangles += strip ? static_cast<uint64_t>(draw.args[3]) - 2 : static_cast<uint64_t>(draw.args[3]) / 3;
        }
        EXPECT_EQ(triangles, primitives);
        // A strip piece starts on an even triangle, keeping the winding.
        if (strip) {
            EXPECT_EQ(static_cast<uint64_t>(draws[0].args[3] - 2) % 2, 0u);
        }
    }
}

TEST_F(RenderSystemFrameTest, CaptureScreen)
{
    config->videoMode = "800x600x32";
    Start();
    // The back buffer: B, G, R, X bytes; the top row blue-ish, the bottom
    // row red-ish, the fourth bytes 0.
    DirectDrawSurface* back = renderer->GetBackBuffer();
    SurfaceDesc locked;
    ASSERT_EQ(back->Lock(nullptr, locked, DDLOCK_WAIT), DD_OK);
    ASSERT_EQ(locked.pixelFormat.rgbBitCount, 32u);
    for (uint32_t y = 0; y < locked.height; ++y) {
        auto* row = static_cast<uint8_t*>(locked.surface) + static_cast<ptrdiff_t>(y) * locked.pitch;
        for (uint32_t x = 0; x < locked.width; ++x) {
            const uint8_t pixel[4] = {static_cast<uint8_t>(y == 0 ? 200 : 10), 20,
                                      static_cast<uint8_t>(y == 0 ? 30 : 220), 0};
            std::memcpy(row + x * 4, pixel, 4);
        }
    }
    back->Unlock(nullptr);

    Image image;
    renderer->CaptureScreen(image);
    ASSERT_EQ(image.GetWidth(), 800u);
    ASSERT_EQ(image.GetHeight(), 600u);
    ASSERT_EQ(image.GetBits(), 32u);
    const uint8_t* bottom = image.GetRow(0);
    const uint8_t* top = image.GetRow(599);
    EXPECT_EQ(std::vector<int>(bottom, bottom + 4), (std::vector<int>{220, 20, 10, 255}));
    EXPECT_EQ(std::vector<int>(top, top + 4), (std::vector<int>{30, 20, 200, 255}));
    // The temporary surface is gone again.
    const auto created = graphics.CallsNamed("DirectDraw::CreateSurface");
    ASSERT_FALSE(created.empty());
    const auto releases = graphics.CallsNamed("Surface::Release");
    ASSERT_FALSE(releases.empty());
    EXPECT_EQ(releases.back().object, created.back().result);
    EXPECT_EQ(releases.back().result, 0);

    // Unreadable: white, and no exception.
    for (const char* failing : {"DirectDraw::CreateSurface", "Surface::Lock"}) {
        SCOPED_TRACE(failing);
        graphics.Fail(failing, DDERR_OUTOFMEMORY);
        Image white;
        renderer->CaptureScreen(white);
        ASSERT_EQ(white.GetBits(), 32u);
        EXPECT_EQ(std::vector<int>(white.GetRow(0), white.GetRow(0) + 4), (std::vector<int>{255, 255, 255, 255}));
    }
    Stop();

    // A 16-bit mode gives a white 24-bit picture of the mode's size.
    config->videoMode = "640x480x16";
    config->fullscreen = true;
    Start();
    Image image16;
    renderer->CaptureScreen(image16);
    ASSERT_EQ(image16.GetBits(), 24u);
    EXPECT_EQ(image16.GetWidth(), 640u);
    EXPECT_EQ(std::vector<int>(image16.GetRow(479), image16.GetRow(479) + 3), (std::vector<int>{255, 255, 255}));
}

} // namespace
} // namespace ZorvaneEngine
