#include "platform/graphics/opengl/GlDirectDraw.h"

#include <algorithm>
#include <tuple>

#include "platform/graphics/MemorySurface.h"
#include "platform/graphics/opengl/GlDevice.h"
#include "platform/graphics/opengl/GlSurfaces.h"

namespace Platform {

namespace {

constexpr uint32_t kVideoMemory = 256u << 20;

SurfaceDesc Mode(uint32_t width, uint32_t height, uint32_t bits, uint32_t refresh)
{
    SurfaceDesc d;
    d.flags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
    d.width = width;
    d.height = height;
    d.refreshRate = refresh;
    d.pixelFormat = bits == 16 ? FormatR5G6B5() : FormatX8R8G8B8();
    return d;
}

class GlClipper : public DirectDrawClipper {
public:
    HRESULT SetHWnd(uint32_t, WindowHandle) override { return DD_OK; }
};

class GlDirect3D : public Direct3D {
public:
    GlDirect3D(std::shared_ptr<GlShared> shared, Unknown* owner)
        : shared_(std::move(shared)), owner_(owner)
    {
        owner_->AddRef();
    }

    HRESULT EnumDevices(const std::function<bool(const char*, const char*, const DeviceDesc&)>&
                            callback) override
    {
        callback("OpenGL hardware rasterizer", "OpenGL HAL", GlDevice::Description());
        return D3D_OK;
    }
    HRESULT EnumZBufferFormats(const Guid& device,
                               const std::function<bool(const PixelFormat&)>& callback) override
    {
        if (!(device == IID_IDirect3DTnLHalDevice)) {
            return DDERR_INVALIDPARAMS;
        }
        for (const PixelFormat& f : {DepthFormat(16, 0), DepthFormat(32, 0), DepthFormat(32, 8)}) {
            if (!callback(f)) {
                break;
            }
        }
        return D3D_OK;
    }
    HRESULT CreateDevice(const Guid& device, DirectDrawSurface* target,
                         Direct3DDevice** result) override
    {
        if (result == nullptr) {
            return DDERR_INVALIDPARAMS;
        }
        *result = nullptr;
        if (!(device == IID_IDirect3DTnLHalDevice)) {
            return DDERR_INVALIDPARAMS;
        }
        return GlDevice::Create(shared_, this, target, result);
    }

protected:
    ~GlDirect3D() override { owner_->Release(); }

private:
    std::shared_ptr<GlShared> shared_;
    Unknown* owner_;
};

} // namespace

std::vector<SurfaceDesc> GlDirectDraw::DisplayModes()
{
    std::vector<std::tuple<uint32_t, uint32_t, uint32_t>> sizes;  // width, height, refresh
    const int count = SDL_WasInit(SDL_INIT_VIDEO) != 0 ? SDL_GetNumDisplayModes(0) : 0;
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode m;
        if (SDL_GetDisplayMode(0, i, &m) == 0 && m.w > 0 && m.h > 0) {
            sizes.emplace_back(m.w, m.h, m.refresh_rate > 0 ? m.refresh_rate : 60);
        }
    }
    // The options screen offers these three; drawing goes to a framebuffer
    // object shown scaled, so every size can be offered.
    for (auto [w, h] : {std::pair{640u, 480u}, {800u, 600u}, {1024u, 768u}}) {
        sizes.emplace_back(w, h, 60);
    }
    std::vector<SurfaceDesc> modes;
    for (const auto& size : sizes) {
        // Plain variables rather than a structured binding: the lambda below
        // captures them, which not every compiler accepts of a binding.
        const uint32_t w = std::get<0>(size);
        const uint32_t h = std::get<1>(size);
        const uint32_t refresh = std::get<2>(size);
        for (uint32_t bits : {32u, 16u}) {
            const bool known = std::any_of(modes.begin(), modes.end(), [&](const SurfaceDesc& m) {
                return m.width == w && m.height == h && m.pixelFormat.rgbBitCount == bits;
            });
            if (!known) {
                modes.push_back(Mode(w, h, bits, refresh));
            }
        }
    }
    std::sort(modes.begin(), modes.end(), [](const SurfaceDesc& a, const SurfaceDesc& b) {
        return std::tuple(a.width, a.height, a.pixelFormat.rgbBitCount) >
               std::tuple(b.width, b.height, b.pixelFormat.rgbBitCount);
    });
    return modes;
}

SurfaceDesc GlDirectDraw::DesktopMode()
{
    SDL_DisplayMode m;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GetDesktopDisplayMode(0, &m) == 0 && m.w > 0 &&
        m.h > 0) {
        const uint32_t bits = SDL_BITSPERPIXEL(m.format) == 16 ? 16 : 32;
        return Mode(m.w, m.h, bits, m.refresh_rate > 0 ? m.refresh_rate : 60);
    }
    return Mode(1024, 768, 32, 60);
}

GlDirectDraw::GlDirectDraw(std::function<SDL_Window*(WindowHandle)> findWindow,
                           std::shared_ptr<const std::atomic<bool>> pacing,
                           VerticalBlankPacer::Time time)
    : shared_(std::make_shared<GlShared>())
{
    shared_->findWindow = std::move(findWindow);
    shared_->pacing = std::move(pacing);
    shared_->pacer = VerticalBlankPacer(std::move(time));
    shared_->refreshRate = DesktopMode().refreshRate;
}

HRESULT GlDirectDraw::GetCaps(DriverCaps* driver, DriverCaps* emulation)
{
    if (driver != nullptr) {
        *driver = DriverCaps{0, DDCAPS2_CANRENDERWINDOWED, kVideoMemory, kVideoMemory};
    }
    if (emulation != nullptr) {
        *emulation = DriverCaps{};
    }
    return DD_OK;
}

HRESULT GlDirectDraw::EnumDisplayModes(uint32_t, const std::function<bool(const SurfaceDesc&)>& callback)
{
    for (const SurfaceDesc& m : DisplayModes()) {
        if (!callback(m)) {
            break;
        }
    }
    return DD_OK;
}

HRESULT GlDirectDraw::SetCooperativeLevel(WindowHandle window, uint32_t flags)
{
    const bool fullScreen = (flags & DDSCL_FULLSCREEN) != 0;
    if (fullScreen != ((flags & DDSCL_EXCLUSIVE) != 0)) {
        return DDERR_INVALIDPARAMS;
    }
    SDL_Window* sdlWindow = shared_->findWindow ? shared_->findWindow(window) : nullptr;
    if (sdlWindow == nullptr) {
        return DDERR_NOHWND;
    }
    // The device's context lives on this window.
    if (shared_->context != nullptr && sdlWindow != shared_->window) {
        return DDERR_HWNDALREADYSET;
    }
    shared_->window = sdlWindow;
    shared_->exclusive = fullScreen;
    if (!fullScreen) {
        RestoreDisplayMode();
    }
    return DD_OK;
}

HRESULT GlDirectDraw::GetDisplayMode(SurfaceDesc& desc)
{
    desc = shared_->modeWidth != 0
               ? Mode(shared_->modeWidth, shared_->modeHeight, shared_->modeBits, shared_->refreshRate)
               : DesktopMode();
    return DD_OK;
}

HRESULT GlDirectDraw::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bits,
                                     uint32_t refreshRate, uint32_t)
{
    if (!shared_->exclusive) {
        return DDERR_NOEXCLUSIVEMODE;
    }
    const auto modes = DisplayModes();
    const auto listed = std::find_if(modes.begin(), modes.end(), [&](const SurfaceDesc& m) {
        return m.width == width && m.height == height && m.pixelFormat.rgbBitCount == bits;
    });
    if (listed == modes.end()) {
        return DDERR_INVALIDMODE;
    }
    // The window shows the mode full screen on the desktop, scaled: the
    // desktop's own mode stays.
    shared_->modeWidth = width;
    shared_->modeHeight = height;
    shared_->modeBits = bits;
    // 0 asks for the mode's own rate.
    shared_->refreshRate = refreshRate != 0 ? refreshRate : listed->refreshRate;
    return DD_OK;
}

HRESULT GlDirectDraw::RestoreDisplayMode()
{
    shared_->modeWidth = shared_->modeHeight = shared_->modeBits = 0;
    shared_->refreshRate = DesktopMode().refreshRate;
    return DD_OK;
}

HRESULT GlDirectDraw::CreateSurface(const SurfaceDesc& desc, DirectDrawSurface** surface)
{
    // Only the primary surface and surfaces without a format need the mode
    // (and SDL, which belongs to the main thread; textures are made on the
    // loading thread too).
    SurfaceDesc mode;
    if ((desc.caps.caps & DDSCAPS_PRIMARYSURFACE) != 0 || (desc.flags & DDSD_PIXELFORMAT) == 0) {
        GetDisplayMode(mode);
    }
    return CreateSurfaceChain(desc, mode, [&](const SurfaceDesc& d) -> MemorySurface* {
        const uint32_t caps = d.caps.caps;
        if ((caps & DDSCAPS_PRIMARYSURFACE) != 0) {
            return new GlPrimarySurface(this, d, shared_);
        }
        if ((caps & DDSCAPS_3DDEVICE) != 0) {
            return new GlRenderTarget(this, d, shared_);
        }
        if ((caps & DDSCAPS_TEXTURE) != 0) {
            return new GlTextureSurface(this, d, shared_);
        }
        return new MemorySurface(this, d);
    }, surface);
}

HRESULT GlDirectDraw::CreateClipper(uint32_t, DirectDrawClipper** clipper)
{
    if (clipper == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    *clipper = new GlClipper();
    return DD_OK;
}

HRESULT GlDirectDraw::TestCooperativeLevel()
{
    if (shared_->InBackground()) {
        shared_->lost = true;
        return DDERR_NOEXCLUSIVEMODE;
    }
    return DD_OK;
}

HRESULT GlDirectDraw::RestoreAllSurfaces()
{
    if (shared_->InBackground()) {
        return DDERR_NOEXCLUSIVEMODE;
    }
    // Texture pixels stay in memory and the framebuffer object keeps its
    // contents: nothing is gone, only the flag.
    shared_->lost = false;
    return DD_OK;
}

HRESULT GlDirectDraw::WaitForVerticalBlank(uint32_t)
{
    // Every flag waits for the start of the next blank: the renderer asks
    // for nothing else.
    shared_->WaitForVerticalBlank();
    return DD_OK;
}

HRESULT GlDirectDraw::GetAvailableVidMem(const SurfaceCaps&, uint32_t* total, uint32_t* free)
{
    if (total != nullptr) {
        *total = kVideoMemory;
    }
    if (free != nullptr) {
        *free = kVideoMemory;
    }
    return DD_OK;
}

HRESULT GlDirectDraw::QueryInterface(const Guid& iid, Direct3D** result)
{
    if (result == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    *result = nullptr;
    if (!(iid == IID_IDirect3D7)) {
        return E_NOINTERFACE;
    }
    *result = new GlDirect3D(shared_, this);
    return DD_OK;
}

} // namespace Platform
