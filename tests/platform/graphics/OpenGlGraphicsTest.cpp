// The OpenGL driver, headless: SDL's offscreen video driver gives a real
// GL context on Mesa's software rasterizer. Pixels are read back the way the
// renderer's screen capture does it (Blt to a memory surface, Lock).
#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/graphics/opengl/OpenGlGraphics.h"
#include "platform/window/sdl/SdlEventPump.h"
#include "tests/platform/graphics/SurfaceDescs.h"

namespace Platform {
namespace {

constexpr uint32_t kSize = 64;

// One hidden GL window for the whole program. SDL is never shut down and
// the GL library is loaded once more than SDL unloads it: unloading Mesa
// hides its own leaks from the leak checker's suppressions.
SDL_Window* TestWindow()
{
    static SDL_Window* window = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        if (SDL_Init(SDL_INIT_VIDEO) != 0 || SDL_GL_LoadLibrary(nullptr) != 0) {
            return static_cast<SDL_Window*>(nullptr);
        }
        return SDL_CreateWindow("graphics test", 0, 0, kSize, kSize,
                                SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    }();
    return window;
}

template <typename T>
struct Ref {
    T* p = nullptr;
    ~Ref() { Reset(); }
    void Reset()
    {
        if (p != nullptr) {
            p->Release();
            p = nullptr;
        }
    }
    T* operator->() const { return p; }
    T** operator&() { return &p; }
    operator T*() const { return p; }
};

struct Vertex {
    float x, y, z, nx, ny, nz;
    uint32_t color;
    float u, v;
};
struct PlainVertex {
    float x, y, z, nx, ny, nz, u, v;
};

struct Bgr {
    int b, g, r, x;
};

// The renderer's windowed set-up: primary surface with a clipper, an
// off-screen back buffer, a device on it, a depth buffer attached.
class OpenGlGraphicsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = TestWindow();
        ASSERT_NE(window_, nullptr) << SDL_GetError();
        // The real clock, its waits counted.
        const VerticalBlankPacer::Time real = VerticalBlankPacer::RealTime();
        driver_ = CreateOpenGlGraphicsDriver([this](WindowHandle) { return window_; },
                                             {real.now, [this, real](VerticalBlankPacer::Clock::time_point until) {
                                                  ++clockWaits_;
                                                  real.sleepUntil(until);
                                              }});
        ASSERT_EQ(driver_->DirectDrawCreateEx(nullptr, &dd_), DD_OK);
        ASSERT_EQ(dd_->SetCooperativeLevel(nullptr, DDSCL_NORMAL | DDSCL_FPUSETUP), DD_OK);
    }

    void OpenDevice()
    {
        ASSERT_EQ(dd_->CreateSurface(Described(DDSCAPS_PRIMARYSURFACE, 0, 0), &primary_), DD_OK);
        Ref<DirectDrawClipper> clipper;
        ASSERT_EQ(dd_->CreateClipper(0, &clipper), DD_OK);
        ASSERT_EQ(primary_->SetClipper(clipper), DD_OK);
        ASSERT_EQ(dd_->CreateSurface(
                      Described(DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE, kSize, kSize), &back_),
                  DD_OK);
        ASSERT_EQ(dd_->QueryInterface(IID_IDirect3D7, &d3d_), DD_OK);
        ASSERT_EQ(d3d_->CreateDevice(IID_IDirect3DTnLHalDevice, back_, &device_), D3D_OK);

        PixelFormat depth;
        d3d_->EnumZBufferFormats(IID_IDirect3DTnLHalDevice, [&](const PixelFormat& f) {
            depth = f;
            return f.zBufferBitDepth != 32 || f.stencilBitDepth != 0;
        });
        SurfaceDesc z = Described(DDSCAPS_ZBUFFER | DDSCAPS_VIDEOMEMORY, kSize, kSize);
        z.flags |= DDSD_PIXELFORMAT;
        z.pixelFormat = depth;
        ASSERT_EQ(dd_->CreateSurface(z, &z_), DD_OK);
        ASSERT_EQ(back_->AddAttachedSurface(z_), DD_OK);
        ASSERT_EQ(device_->SetRenderTarget(back_, 0), D3D_OK);
        ASSERT_EQ(device_->SetViewport(Viewport{0, 0, kSize, kSize, 0, 1}), D3D_OK);
        device_->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
    }

    // A copy of the back buffer, top row first, as B, G, R, X bytes.
    std::vector<Bgr> ReadBack()
    {
        SurfaceDesc desc;
        back_->GetSurfaceDesc(desc);
        desc.caps.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        Ref<DirectDrawSurface> copy;
        EXPECT_EQ(dd_->CreateSurface(desc, &copy), DD_OK);
        EXPECT_EQ(copy->Blt(nullptr, back_, nullptr, DDBLT_WAIT), DD_OK);
        SurfaceDesc locked;
        EXPECT_EQ(copy->Lock(nullptr, locked, DDLOCK_WAIT | DDLOCK_READONLY), DD_OK);
        std::vector<Bgr> pixels;
        for (uint32_t y = 0; y < kSize; ++y) {
            const auto* row = static_cast<const uint8_t*>(locked.surface) + y * locked.pitch;
            for (uint32_t x = 0; x < kSize; ++x) {
                pixels.push_back({row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]});
            }
        }
        copy->Unlock(nullptr);
        return pixels;
    }

    // A 32-bit texture of width x height from rows of D3DCOLOR (row 0 first);
    // without alpha the fourth bytes are ignored.
    DirectDrawSurface* MakeTexture(uint32_t width, uint32_t height, const std::vector<uint32_t>& texels,
                                   bool alpha = true)
    {
        SurfaceDesc d = Described(DDSCAPS_TEXTURE, width, height);
        d.flags |= DDSD_PIXELFORMAT;
        device_->EnumTextureFormats([&](const PixelFormat& f) {
            d.pixelFormat = f;
            return ((f.flags & DDPF_ALPHAPIXELS) != 0) != alpha || f.rgbBitCount != 32;
        });
        DirectDrawSurface* texture = nullptr;
        EXPECT_EQ(dd_->CreateSurface(d, &texture), DD_OK);
        SurfaceDesc locked;
        EXPECT_EQ(texture->Lock(nullptr, locked, DDLOCK_WAIT), DD_OK);
        for (uint32_t y = 0; y < height; ++y) {
            std::memcpy(static_cast<uint8_t*>(locked.surface) + y * locked.pitch,
                        texels.data() + y * width, width * 4);
        }
        texture->Unlock(nullptr);
        return texture;
    }

    void Quad(float left, float top, float right, float bottom, float z, uint32_t color)
    {
        const Vertex v[4] = {{left, top, z, 0, 0, -1, color, 0, 0},
                             {right, top, z, 0, 0, -1, color, 1, 0},
                             {left, bottom, z, 0, 0, -1, color, 0, 1},
                             {right, bottom, z, 0, 0, -1, color, 1, 1}};
        const uint16_t strip[4] = {0, 1, 2, 3};
        EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0x152, v, 4, strip, 4, 0), D3D_OK);
    }

    SDL_Window* window_ = nullptr;
    // The driver's waits for a blank of its own clock.
    int clockWaits_ = 0;
    std::unique_ptr<GraphicsDriver> driver_;
    // Released in the renderer's order: device, surfaces, Direct3D, DirectDraw.
    Ref<DirectDraw> dd_;
    Ref<Direct3D> d3d_;
    Ref<DirectDrawSurface> primary_, z_, back_;
    Ref<Direct3DDevice> device_;

    void TearDown() override
    {
        device_.Reset();
        back_.Reset();
        z_.Reset();
        primary_.Reset();
        d3d_.Reset();
        if (dd_ != nullptr) {
            EXPECT_EQ(dd_.p->Release(), 0u);
            dd_.p = nullptr;
        }
    }
};

void ExpectColor(const std::vector<Bgr>& pixels, uint32_t x, uint32_t y, int r, int g, int b)
{
    const Bgr& p = pixels[y * kSize + x];
    EXPECT_NEAR(p.r, r, 2) << "red at " << x << "," << y;
    EXPECT_NEAR(p.g, g, 2) << "green at " << x << "," << y;
    EXPECT_NEAR(p.b, b, 2) << "blue at " << x << "," << y;
}

TEST_F(OpenGlGraphicsTest, DrawsTexturedBlendedCulledAndDepthTestedTriangles)
{
    OpenDevice();
    // Textures made and filled on another thread stay in memory until the
    // first draw on this thread uploads them. Surface row 0 is v = 0.
    DirectDrawSurface* made[2] = {};
    std::thread loader([&] {
        made[0] = MakeTexture(2, 2, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu});
        made[1] = MakeTexture(1, 1, {0xFF808080u});
    });
    loader.join();
    Ref<DirectDrawSurface> picture, grey;
    picture.p = made[0];
    grey.p = made[1];

    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1, 0), D3D_OK);
    ASSERT_EQ(device_->BeginScene(), D3D_OK);

    // Top left: two stages, point sampled, texture matrix shifting u by a
    // half with wrapping: each half of the quad shows the other column,
    // darkened by the grey second stage. Vertices without colour.
    device_->SetTexture(0, picture);
    device_->SetTexture(1, grey);
    for (uint32_t stage : {0u, 1u}) {
        device_->SetTextureStageState(stage, D3DTSS_MAGFILTER, D3DTFG_POINT);
        device_->SetTextureStageState(stage, D3DTSS_MINFILTER, D3DTFN_POINT);
        device_->SetTextureStageState(stage, D3DTSS_MIPFILTER, D3DTFP_LINEAR);  // one level: no mips
        device_->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device_->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device_->SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_CURRENT);
        device_->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    }
    device_->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    Matrix shift;
    shift.m[2][0] = 0.5f;
    device_->SetTransform(D3DTRANSFORMSTATE_TEXTURE0, shift);
    const PlainVertex plain[4] = {{-1, 1, 0.5f, 0, 0, -1, 0, 0},
                                  {0, 1, 0.5f, 0, 0, -1, 1, 0},
                                  {-1, 0, 0.5f, 0, 0, -1, 0, 1},
                                  {0, 0, 0.5f, 0, 0, -1, 1, 1}};
    const uint16_t list[6] = {0, 1, 2, 2, 1, 3};
    ASSERT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0x112, plain, 4, list, 6, 0), D3D_OK);
    device_->SetTexture(0, nullptr);
    device_->SetTexture(1, nullptr);

    // Top right: depth test. The near green half hides the far blue quad;
    // a red quad in front of the near plane (z < 0) is clipped.
    device_->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
    device_->SetRenderState(D3DRENDERSTATE_ZFUNC, D3DCMP_LESS);
    Quad(0, 1, 0.5f, 0, 0.25f, 0xFF00FF00u);
    Quad(0, 1, 1, 0, 0.75f, 0xFF0000FFu);
    Quad(0, 1, 1, 0, -0.25f, 0xFFFF0000u);
    device_->SetRenderState(D3DRENDERSTATE_ZENABLE, 0);

    // Bottom left: culling of clockwise triangles (as seen on the screen).
    device_->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CW);
    const Vertex triangles[6] = {{-1, 0, 0.5f, 0, 0, -1, 0xFFFF0000u, 0, 0},
                                 {-0.5f, 0, 0.5f, 0, 0, -1, 0xFFFF0000u, 0, 0},
                                 {-1, -1, 0.5f, 0, 0, -1, 0xFFFF0000u, 0, 0},
                                 {-0.5f, 0, 0.5f, 0, 0, -1, 0xFF00FF00u, 0, 0},
                                 {-0.5f, -1, 0.5f, 0, 0, -1, 0xFF00FF00u, 0, 0},
                                 {0, 0, 0.5f, 0, 0, -1, 0xFF00FF00u, 0, 0}};
    const uint16_t two[6] = {0, 1, 2, 3, 4, 5};
    ASSERT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0x152, triangles, 6, two, 6, 0), D3D_OK);
    device_->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);

    // Bottom right: half-transparent blue over red.
    Quad(0, 0, 1, -1, 0.5f, 0xFFFF0000u);
    device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
    device_->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
    device_->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
    Quad(0, 0, 1, -1, 0.5f, 0x800000FFu);
    device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
    ASSERT_EQ(device_->EndScene(), D3D_OK);
    EXPECT_EQ(primary_->Blt(nullptr, back_, nullptr, DDBLT_WAIT), DD_OK);

    const std::vector<Bgr> frame = ReadBack();
    ExpectColor(frame, 4, 4, 0, 128, 0);     // green texel, halved
    ExpectColor(frame, 20, 4, 128, 0, 0);    // red
    ExpectColor(frame, 4, 20, 128, 128, 128);  // white
    ExpectColor(frame, 20, 20, 0, 0, 128);   // blue
    ExpectColor(frame, 40, 16, 0, 255, 0);
    ExpectColor(frame, 56, 16, 0, 0, 255);
    ExpectColor(frame, 4, 36, 0, 0, 0);      // clockwise: culled
    ExpectColor(frame, 28, 36, 0, 255, 0);   // counter-clockwise: drawn
    ExpectColor(frame, 48, 48, 127, 0, 128);
    EXPECT_EQ(frame[0].x, 0) << "the fourth byte of an X8R8G8B8 target holds no alpha";

    // A clear reaches the depth buffer even when depth writes were off.
    device_->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    Quad(0, 1, 1, 0, 0.5f, 0xFF000000u);
    ASSERT_EQ(device_->EndScene(), D3D_OK);
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1, 0), D3D_OK);
    device_->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 1);
    device_->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    Quad(0, 1, 1, 0, 0.75f, 0xFF0000FFu);
    ASSERT_EQ(device_->EndScene(), D3D_OK);
    ExpectColor(ReadBack(), 40, 16, 0, 0, 255);
}

// Blending by the source's alpha where every fragment's alpha is 1 (a
// texture without alpha, times vertices of alpha 255, unlit) is left off:
// the picture is the same, to the last bit, as that of a texture of the
// same colours whose alpha is 255, which is blended. Any other alpha, or
// lighting, blends.
TEST_F(OpenGlGraphicsTest, OpaqueDrawsSkipTheBlendWithTheSamePicture)
{
    OpenDevice();
    // Colours that bilinear filtering and the vertex colours mix into many
    // values; the alpha bytes are 255 for the texture with alpha.
    const std::vector<uint32_t> texels = {0xFF10E040u, 0xFF808080u, 0xFFFFFFFFu, 0xFF000000u,
                                          0xFFC03010u, 0xFF2050F0u, 0xFF7F7F01u, 0xFFFE02FDu,
                                          0xFF000000u, 0xFFFFFFFFu, 0xFF33CC99u, 0xFF123456u,
                                          0xFFABCDEFu, 0xFF0F0F0Fu, 0xFFF0F0F0u, 0xFF808000u};
    Ref<DirectDrawSurface> plain, withAlpha;
    plain.p = MakeTexture(4, 4, texels, false);
    withAlpha.p = MakeTexture(4, 4, texels, true);

    // A shaded background, then the textured quad, stretched and filtered,
    // its corners in four colours of the given alpha, blended over it.
    const auto draw = [&](DirectDrawSurface* texture, uint32_t alpha, bool lit) {
        EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1, 0), D3D_OK);
        EXPECT_EQ(device_->BeginScene(), D3D_OK);
        device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
        device_->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
        device_->SetTexture(0, nullptr);
        const Vertex ground[4] = {{-1, 1, 0.5f, 0, 0, -1, 0xFFFF0000u, 0, 0},
                                  {1, 1, 0.5f, 0, 0, -1, 0xFF00FF00u, 1, 0},
                                  {-1, -1, 0.5f, 0, 0, -1, 0xFF0000FFu, 0, 1},
                                  {1, -1, 0.5f, 0, 0, -1, 0xFFFFFF80u, 1, 1}};
        const uint16_t strip[4] = {0, 1, 2, 3};
        EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0x152, ground, 4, strip, 4, 0), D3D_OK);

        device_->SetTexture(0, texture);
        device_->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTFG_LINEAR);
        device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_LINEAR);
        device_->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_NONE);
        device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
        device_->SetRenderState(D3DRENDERSTATE_LIGHTING, lit ? 1 : 0);
        device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
        device_->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
        device_->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
        const uint32_t a = alpha << 24;
        const Vertex quad[4] = {{-0.9f, 0.8f, 0.5f, 0, 0, -1, a | 0xFFFFFFu, 0, 0},
                                {0.7f, 0.9f, 0.5f, 0, 0, -1, a | 0xC08040u, 1, 0},
                                {-0.8f, -0.9f, 0.5f, 0, 0, -1, a | 0x40C0FFu, 0, 1},
                                {0.9f, -0.7f, 0.5f, 0, 0, -1, a | 0x8080FFu, 1, 1}};
        EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0x152, quad, 4, strip, 4, 0), D3D_OK);
        EXPECT_EQ(device_->EndScene(), D3D_OK);
        device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 0);
        device_->SetRenderState(D3DRENDERSTATE_LIGHTING, 0);
        device_->SetTexture(0, nullptr);
        // Drawing waits for the read; the quad, which differs from the
        // frame before, is the last thing GL draws.
        std::vector<Bgr> pixels = ReadBack();
        const bool blended = glIsEnabled(GL_BLEND) == GL_TRUE;
        return std::make_pair(std::move(pixels), blended);
    };
    const auto same = [](const std::vector<Bgr>& a, const std::vector<Bgr>& b) {
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i].r != b[i].r || a[i].g != b[i].g || a[i].b != b[i].b)
                return false;
        return true;
    };

    struct Case {
        const char* name;
        uint32_t alpha;
        bool lit;
        bool blended;
    };
    for (const Case& c : {Case{"opaque", 0xFF, false, false}, Case{"vertices of alpha 128", 0x80, false, true},
                          Case{"lit", 0xFF, true, true}}) {
        const auto [picture, blended] = draw(plain, c.alpha, c.lit);
        const auto [reference, referenceBlended] = draw(withAlpha, c.alpha, c.lit);
        EXPECT_EQ(blended, c.blended) << c.name;
        EXPECT_TRUE(referenceBlended) << c.name;
        EXPECT_TRUE(same(picture, reference)) << c.name;
    }
}

// The window's own pixel at the centre (the offscreen driver's window
// keeps what the last present put there), and a colour painted straight
// into the window, behind the driver's back.
Bgr WindowPixel()
{
    const auto bind = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBindFramebuffer"));
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    bind(GL_FRAMEBUFFER, 0);
    uint8_t p[4] = {};
    glReadPixels(kSize / 2, kSize / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    bind(GL_FRAMEBUFFER, static_cast<GLuint>(bound));
    return {p[2], p[1], p[0], 0};
}

void PaintWindowGreen()
{
    const auto bind = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBindFramebuffer"));
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    bind(GL_FRAMEBUFFER, 0);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    bind(GL_FRAMEBUFFER, static_cast<GLuint>(bound));
}

// A frame that is one cleared colour like the frame the window shows is
// not copied again; a new colour, a draw, or a window that lost its
// picture is.
TEST_F(OpenGlGraphicsTest, APresentShowingNothingNewIsSkipped)
{
    OpenDevice();
    driver_->SetVerticalBlankPacing(false);
    const auto frame = [&](uint32_t color, bool draw) {
        ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, color, 1, 0), D3D_OK);
        if (draw) {
            ASSERT_EQ(device_->BeginScene(), D3D_OK);
            Quad(-1, 1, 1, -1, 0.5f, 0xFFFFFFFFu);
            ASSERT_EQ(device_->EndScene(), D3D_OK);
        }
        ASSERT_EQ(primary_->Blt(nullptr, back_, nullptr, DDBLT_WAIT), DD_OK);
    };
    const auto expectWindow = [](int r, int g, int b, const char* step) {
        const Bgr p = WindowPixel();
        EXPECT_EQ(p.r, r) << step;
        EXPECT_EQ(p.g, g) << step;
        EXPECT_EQ(p.b, b) << step;
    };

    frame(0xFFFF0000u, false);
    expectWindow(255, 0, 0, "first red frame");
    PaintWindowGreen();
    frame(0xFFFF0000u, false);
    expectWindow(0, 255, 0, "red again: skipped");

    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.windowID = SDL_GetWindowID(window_);
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    ASSERT_EQ(SDL_PushEvent(&exposed), 1);
    PumpSdlEvents();
    frame(0xFFFF0000u, false);
    expectWindow(255, 0, 0, "red after an expose");

    PaintWindowGreen();
    frame(0xFF0000FFu, false);
    expectWindow(0, 0, 255, "a new colour");
    PaintWindowGreen();
    frame(0xFF0000FFu, true);
    expectWindow(255, 255, 255, "a draw over the same colour");
    PaintWindowGreen();
    frame(0xFF0000FFu, false);
    expectWindow(0, 0, 255, "the colour after a drawn frame");
}

// The offscreen driver shows nothing and ignores the swap interval: our own
// clock waits for the blanks of the desktop's refresh rate, once a frame, a
// whole period per frame that does no work. Switched off through the
// driver, presents follow each other without a wait.
TEST_F(OpenGlGraphicsTest, WaitsForTheVerticalBlankOnItsOwnClockUnlessSwitchedOff)
{
    OpenDevice();
    SurfaceDesc desktop;
    ASSERT_EQ(dd_->GetDisplayMode(desktop), DD_OK);
    ASSERT_GT(desktop.refreshRate, 0u);
    const auto period = std::chrono::nanoseconds(1000000000 / desktop.refreshRate);
    constexpr int kFrames = 30;
    const auto frames = [&] {
        for (int i = 0; i < kFrames; ++i) {
            EXPECT_EQ(dd_->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN), DD_OK);
            EXPECT_EQ(primary_->Blt(nullptr, back_, nullptr, DDBLT_WAIT), DD_OK);
        }
    };
    const auto start = std::chrono::steady_clock::now();
    frames();
    // A sleep never ends early, so this bound holds on any machine.
    EXPECT_GE(std::chrono::steady_clock::now() - start, (kFrames - 1) * period);
    EXPECT_EQ(clockWaits_, kFrames);

    driver_->SetVerticalBlankPacing(false);
    clockWaits_ = 0;
    frames();
    EXPECT_EQ(clockWaits_, 0);
}

// A depth clear reaches the buffer whatever was drawn or cleared before:
// after depth writes, after a partial clear to a nearer depth, and when it
// repeats the last clear.
TEST_F(OpenGlGraphicsTest, DepthClearsSeeEveryEarlierWriteAndClear)
{
    OpenDevice();
    const uint32_t half = kSize / 2;
    device_->SetRenderState(D3DRENDERSTATE_ZENABLE, 1);
    device_->SetRenderState(D3DRENDERSTATE_ZFUNC, D3DCMP_LESS);
    auto frame = [&](auto draw) {
        EXPECT_EQ(device_->BeginScene(), D3D_OK);
        draw();
        EXPECT_EQ(device_->EndScene(), D3D_OK);
        return ReadBack();
    };

    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1, 0), D3D_OK);
    std::vector<Bgr> pixels = frame([&] {
        device_->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 1);
        Quad(-1, 1, 0, -1, 0.25f, 0xFF00FF00u);
        device_->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, 0);
        Quad(-1, 1, 1, -1, 0.5f, 0xFF0000FFu);
    });
    ExpectColor(pixels, 4, 4, 0, 255, 0);
    ExpectColor(pixels, half + 4, 4, 0, 0, 255);

    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1, 0), D3D_OK);
    pixels = frame([&] { Quad(-1, 1, 1, -1, 0.5f, 0xFFFF0000u); });
    ExpectColor(pixels, 4, 4, 255, 0, 0);
    ExpectColor(pixels, half + 4, 4, 255, 0, 0);

    const Rect right{static_cast<int32_t>(half), 0, static_cast<int32_t>(kSize), static_cast<int32_t>(kSize)};
    ASSERT_EQ(device_->Clear(1, &right, D3DCLEAR_ZBUFFER, 0, 0.25f, 0), D3D_OK);
    pixels = frame([&] { Quad(-1, 1, 1, -1, 0.5f, 0xFF00FF00u); });
    ExpectColor(pixels, 4, 4, 0, 255, 0);
    ExpectColor(pixels, half + 4, 4, 255, 0, 0);

    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1, 0), D3D_OK);
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1, 0), D3D_OK);
    pixels = frame([&] { Quad(-1, 1, 1, -1, 0.5f, 0xFF0000FFu); });
    ExpectColor(pixels, 4, 4, 0, 0, 255);
    ExpectColor(pixels, half + 4, 4, 0, 0, 255);
}

// Frames are drawn again only where they differ from the frame before;
// what stays must still be what a whole redraw would give: layers under a
// moved blended quad are redrawn under it, a vacated place shows what lies
// beneath, and a frame that does not clear the target is drawn whole.
TEST_F(OpenGlGraphicsTest, FramesRedrawnInPartGiveTheWholePicture)
{
    OpenDevice();
    device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, 1);
    device_->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
    device_->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
    const uint32_t q = kSize / 4;
    // Red under the left half; a half-transparent blue quad a quarter wide
    // at column `blue` (in quarters); cleared to white.
    auto frame = [&](float blue, bool clear) {
        if (clear) {
            EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFFFFFFu, 1, 0), D3D_OK);
        }
        EXPECT_EQ(device_->BeginScene(), D3D_OK);
        Quad(-1, 1, 0, -1, 0.5f, 0xFFFF0000u);
        Quad(-1 + blue * 0.5f, 1, -0.5f + blue * 0.5f, -1, 0.5f, 0x800000FFu);
        EXPECT_EQ(device_->EndScene(), D3D_OK);
        return ReadBack();
    };
    struct Step {
        float blue;
        bool clear;
        // The colour expected in the middle of each quarter, left to right.
        std::array<std::array<int, 3>, 4> quarters;
    };
    constexpr std::array<int, 3> kRed{255, 0, 0}, kWhite{255, 255, 255}, kRedBlue{127, 0, 128},
        kWhiteBlue{127, 127, 255}, kTwiceBlue{63, 63, 255};
    const Step steps[] = {
        {0, true, {kRedBlue, kRed, kWhite, kWhite}},
        {0, true, {kRedBlue, kRed, kWhite, kWhite}},   // unchanged: nothing drawn
        {1, true, {kRed, kRedBlue, kWhite, kWhite}},   // moved over the red
        {3, true, {kRed, kRed, kWhite, kWhiteBlue}},   // moved off it
        {3, false, {kRed, kRed, kWhite, kTwiceBlue}},  // no clear: blended twice
        {3, true, {kRed, kRed, kWhite, kWhiteBlue}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "blue at " << step.blue << (step.clear ? "" : " without a clear"));
        const std::vector<Bgr> pixels = frame(step.blue, step.clear);
        for (uint32_t i = 0; i < 4; ++i) {
            const auto& c = step.quarters[i];
            ExpectColor(pixels, i * q + q / 2, kSize / 2, c[0], c[1], c[2]);
        }
    }
}

TEST_F(OpenGlGraphicsTest, LightsWithTheAmbientStateTheMaterialAndVertexColours)
{
    OpenDevice();
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1, 0);
    device_->SetRenderState(D3DRENDERSTATE_LIGHTING, 1);
    device_->SetRenderState(D3DRENDERSTATE_AMBIENT, 0xFF808080u);
    device_->SetRenderState(D3DRENDERSTATE_COLORVERTEX, 1);
    device_->SetRenderState(D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
    device_->SetRenderState(D3DRENDERSTATE_AMBIENTMATERIALSOURCE, D3DMCS_COLOR1);
    Material material;
    material.ambient = {0.5f, 0.5f, 0.5f, 1};
    material.diffuse = {0, 0, 1, 1};
    device_->SetMaterial(material);
    // Shining along +z, the direction of travel, onto faces turned to -z.
    Light light;
    light.type = D3DLIGHT_DIRECTIONAL;
    light.diffuse = {1, 1, 1, 1};
    light.direction = {0, 0, 1};
    ASSERT_EQ(device_->SetLight(0, light), D3D_OK);
    ASSERT_EQ(device_->LightEnable(0, true), D3D_OK);

    const PlainVertex top[4] = {{-1, 1, 0.5f, 0, 0, -1, 0, 0}, {1, 1, 0.5f, 0, 0, -1, 0, 0},
                                {-1, 0.5f, 0.5f, 0, 0, -1, 0, 0}, {1, 0.5f, 0.5f, 0, 0, -1, 0, 0}};
    const PlainVertex bottom[4] = {{-1, -0.5f, 0.5f, 0, 0, -1, 0, 0}, {1, -0.5f, 0.5f, 0, 0, -1, 0, 0},
                                   {-1, -1, 0.5f, 0, 0, -1, 0, 0}, {1, -1, 0.5f, 0, 0, -1, 0, 0}};
    const uint16_t strip[4] = {0, 1, 2, 3};
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    ASSERT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0x112, top, 4, strip, 4, 0), D3D_OK);
    // Coloured vertices take the material's ambient and diffuse colour from
    // the vertex; the next uncoloured draw has the material again.
    device_->LightEnable(0, false);
    Quad(-1, 0.5f, 1, -0.5f, 0.5f, 0xFFFF0000u);
    ASSERT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0x112, bottom, 4, strip, 4, 0), D3D_OK);
    ASSERT_EQ(device_->EndScene(), D3D_OK);

    const std::vector<Bgr> frame = ReadBack();
    ExpectColor(frame, 32, 4, 64, 64, 255);   // ambient 0.5 x 0.5, lit blue
    ExpectColor(frame, 32, 32, 128, 0, 0);    // ambient 0.5 x red
    ExpectColor(frame, 32, 60, 64, 64, 64);   // ambient only
}

TEST_F(OpenGlGraphicsTest, RejectsDrawsThatWouldReadPastTheVertices)
{
    OpenDevice();
    const Vertex v[3] = {};
    const uint16_t indices[3] = {0, 1, 3};
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0x152, v, 3, indices, 3, 0),
              DDERR_INVALIDPARAMS);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0x142, v, 3, indices, 2, 0),
              DDERR_INVALIDPARAMS);
    EXPECT_EQ(device_->EndScene(), D3D_OK);
}

TEST_F(OpenGlGraphicsTest, OffersTheOptionModesAndSetsOnlyListedOnesInFullScreen)
{
    std::vector<SurfaceDesc> modes;
    ASSERT_EQ(dd_->EnumDisplayModes(0, [&](const SurfaceDesc& m) {
        modes.push_back(m);
        return true;
    }), DD_OK);
    for (auto [w, h] : {std::pair{640u, 480u}, {800u, 600u}, {1024u, 768u}}) {
        for (uint32_t bits : {16u, 32u}) {
            const auto count = std::count_if(modes.begin(), modes.end(), [&](const SurfaceDesc& m) {
                return m.width == w && m.height == h && m.pixelFormat.rgbBitCount == bits;
            });
            EXPECT_EQ(count, 1) << w << "x" << h << "x" << bits;
        }
    }
    for (size_t i = 1; i < modes.size(); ++i) {
        const auto key = [](const SurfaceDesc& m) {
            return std::tuple(m.width, m.height, m.pixelFormat.rgbBitCount);
        };
        EXPECT_GT(key(modes[i - 1]), key(modes[i])) << "sorted descending, no duplicates";
    }

    SurfaceDesc desktop;
    ASSERT_EQ(dd_->GetDisplayMode(desktop), DD_OK);
    EXPECT_EQ(dd_->SetDisplayMode(800, 600, 32, 0, 0), DDERR_NOEXCLUSIVEMODE);
    ASSERT_EQ(dd_->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT),
              DD_OK);
    EXPECT_EQ(dd_->SetDisplayMode(800, 601, 32, 0, 0), DDERR_INVALIDMODE);
    ASSERT_EQ(dd_->SetDisplayMode(800, 600, 16, 0, 0), DD_OK);
    SurfaceDesc mode;
    dd_->GetDisplayMode(mode);
    EXPECT_EQ(mode.width, 800u);
    EXPECT_EQ(mode.pixelFormat.rgbBitCount, 16u);
    // The primary surface of a flipping chain has the mode's size.
    SurfaceDesc flipping = Described(DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX |
                                         DDSCAPS_3DDEVICE, 0, 0);
    flipping.flags |= DDSD_BACKBUFFERCOUNT;
    flipping.backBufferCount = 1;
    ASSERT_EQ(dd_->CreateSurface(flipping, &primary_), DD_OK);
    ASSERT_EQ(primary_->GetAttachedSurface(SurfaceCaps{DDSCAPS_BACKBUFFER, 0}, &back_), DD_OK);
    SurfaceDesc back;
    back_->GetSurfaceDesc(back);
    EXPECT_EQ(back.width, 800u);
    EXPECT_EQ(back.height, 600u);
    EXPECT_EQ(dd_->TestCooperativeLevel(), DD_OK);

    ASSERT_EQ(dd_->RestoreDisplayMode(), DD_OK);
    dd_->GetDisplayMode(mode);
    EXPECT_EQ(mode.width, desktop.width);
}

} // namespace
} // namespace Platform
