#pragma once
// Records and flags of the DirectDraw interfaces: identifiers, pixel
// formats, surface descriptions, capabilities. Only the members the
// renderer reads or writes exist; the flag values are ours.
#include <cstdint>
#include <cstring>

namespace Platform {

// An interface or device identifier.
struct Guid {
    uint32_t part[4] = {0, 0, 0, 0};
    friend bool operator==(const Guid&, const Guid&) = default;
};

constexpr Guid IID_IDirectDraw7 = {{0x7a6e0001u, 0, 0, 1}};
constexpr Guid IID_IDirect3D7 = {{0x7a6e0002u, 0, 0, 1}};
// Direct3D device kinds, as EnumDevices names them in DeviceDesc::deviceGUID.
constexpr Guid IID_IDirect3DTnLHalDevice = {{0x7a6e0010u, 0, 0, 1}};
constexpr Guid IID_IDirect3DHALDevice = {{0x7a6e0011u, 0, 0, 1}};
constexpr Guid IID_IDirect3DRGBDevice = {{0x7a6e0012u, 0, 0, 1}};
constexpr Guid IID_IDirect3DRefDevice = {{0x7a6e0013u, 0, 0, 1}};

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// DirectDrawEnumerateEx flags.
constexpr uint32_t DDENUM_ATTACHEDSECONDARYDEVICES = 0x1;
constexpr uint32_t DDENUM_DETACHEDSECONDARYDEVICES = 0x2;
constexpr uint32_t DDENUM_NONDISPLAYDEVICES = 0x4;

// SetCooperativeLevel flags.
constexpr uint32_t DDSCL_FULLSCREEN = 0x1;
constexpr uint32_t DDSCL_ALLOWREBOOT = 0x2;
constexpr uint32_t DDSCL_NORMAL = 0x8;
constexpr uint32_t DDSCL_EXCLUSIVE = 0x10;
constexpr uint32_t DDSCL_FPUSETUP = 0x200;

// Surface capabilities (SurfaceCaps::caps).
constexpr uint32_t DDSCAPS_BACKBUFFER = 0x4;
constexpr uint32_t DDSCAPS_COMPLEX = 0x8;
constexpr uint32_t DDSCAPS_FLIP = 0x10;
constexpr uint32_t DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr uint32_t DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr uint32_t DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr uint32_t DDSCAPS_TEXTURE = 0x1000;
constexpr uint32_t DDSCAPS_3DDEVICE = 0x2000;
constexpr uint32_t DDSCAPS_VIDEOMEMORY = 0x4000;
constexpr uint32_t DDSCAPS_ZBUFFER = 0x20000;
constexpr uint32_t DDSCAPS_MIPMAP = 0x400000;
constexpr uint32_t DDSCAPS_LOCALVIDMEM = 0x10000000;
// SurfaceCaps::caps2.
constexpr uint32_t DDSCAPS2_TEXTUREMANAGE = 0x10;

struct SurfaceCaps {
    uint32_t caps = 0;
    uint32_t caps2 = 0;
};

// Pixel format flags.
constexpr uint32_t DDPF_ALPHAPIXELS = 0x1;
constexpr uint32_t DDPF_FOURCC = 0x4;
constexpr uint32_t DDPF_RGB = 0x40;
constexpr uint32_t DDPF_ZBUFFER = 0x400;
constexpr uint32_t DDPF_STENCILBUFFER = 0x4000;
constexpr uint32_t DDPF_LUMINANCE = 0x20000;
constexpr uint32_t DDPF_BUMPLUMINANCE = 0x40000;
constexpr uint32_t DDPF_BUMPDUDV = 0x80000;

// A colour format (DDPF_RGB: bit count and channel masks) or a depth format
// (DDPF_ZBUFFER: zBufferBitDepth counts depth and stencil bits together,
// stencilBitDepth of them are stencil).
struct PixelFormat {
    uint32_t flags = 0;
    uint32_t fourCC = 0;
    uint32_t rgbBitCount = 0;
    uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;
    uint32_t zBufferBitDepth = 0;
    uint32_t stencilBitDepth = 0;
    uint32_t zBitMask = 0;
    friend bool operator==(const PixelFormat&, const PixelFormat&) = default;
};

// SurfaceDesc::flags: which members are valid.
constexpr uint32_t DDSD_CAPS = 0x1;
constexpr uint32_t DDSD_HEIGHT = 0x2;
constexpr uint32_t DDSD_WIDTH = 0x4;
constexpr uint32_t DDSD_PITCH = 0x8;
constexpr uint32_t DDSD_BACKBUFFERCOUNT = 0x20;
constexpr uint32_t DDSD_LPSURFACE = 0x800;
constexpr uint32_t DDSD_PIXELFORMAT = 0x1000;
constexpr uint32_t DDSD_MIPMAPCOUNT = 0x20000;
constexpr uint32_t DDSD_REFRESHRATE = 0x40000;
constexpr uint32_t DDSD_TEXTURESTAGE = 0x100000;

// A surface or display-mode description (DDSURFACEDESC2).
struct SurfaceDesc {
    uint32_t flags = 0;
    uint32_t width = 0, height = 0;
    int32_t pitch = 0;           // bytes from one row to the next (Lock)
    uint32_t backBufferCount = 0;
    uint32_t mipMapCount = 0;
    uint32_t refreshRate = 0;
    uint32_t textureStage = 0;
    void* surface = nullptr;     // first byte of the locked rectangle (Lock)
    PixelFormat pixelFormat;
    SurfaceCaps caps;
};

// Lock flags.
constexpr uint32_t DDLOCK_WAIT = 0x1;
constexpr uint32_t DDLOCK_READONLY = 0x10;
constexpr uint32_t DDLOCK_WRITEONLY = 0x20;
// Blt flags.
constexpr uint32_t DDBLT_WAIT = 0x1000000;
// Flip flags.
constexpr uint32_t DDFLIP_WAIT = 0x1;
constexpr uint32_t DDFLIP_NOVSYNC = 0x8;
// WaitForVerticalBlank flags.
constexpr uint32_t DDWAITVB_BLOCKBEGIN = 0x1;

// Driver capabilities (DDCAPS): only what the renderer reads.
constexpr uint32_t DDCAPS2_CANRENDERWINDOWED = 0x80000;
struct DriverCaps {
    uint32_t caps = 0;
    uint32_t caps2 = 0;
    uint32_t vidMemTotal = 0;
    uint32_t vidMemFree = 0;
};

} // namespace Platform
