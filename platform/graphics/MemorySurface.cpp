#include "platform/graphics/MemorySurface.h"

#include <algorithm>
#include <cstring>

namespace Platform {

namespace {

PixelFormat Rgb(uint32_t bits, uint32_t r, uint32_t g, uint32_t b, uint32_t a)
{
    PixelFormat f;
    f.flags = DDPF_RGB | (a != 0 ? DDPF_ALPHAPIXELS : 0);
    f.rgbBitCount = bits;
    f.redMask = r;
    f.greenMask = g;
    f.blueMask = b;
    f.alphaMask = a;
    return f;
}

bool RectInside(const Rect& r, const SurfaceDesc& d)
{
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
           static_cast<uint32_t>(r.right) <= d.width && static_cast<uint32_t>(r.bottom) <= d.height;
}

Rect Whole(const SurfaceDesc& d)
{
    return Rect{0, 0, static_cast<int32_t>(d.width), static_cast<int32_t>(d.height)};
}

} // namespace

PixelFormat FormatA8R8G8B8() { return Rgb(32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000u); }
PixelFormat FormatX8R8G8B8() { return Rgb(32, 0xFF0000, 0xFF00, 0xFF, 0); }
PixelFormat FormatR5G6B5() { return Rgb(16, 0xF800, 0x7E0, 0x1F, 0); }
PixelFormat FormatA1R5G5B5() { return Rgb(16, 0x7C00, 0x3E0, 0x1F, 0x8000); }
PixelFormat FormatA4R4G4B4() { return Rgb(16, 0xF00, 0xF0, 0xF, 0xF000); }

PixelFormat DepthFormat(uint32_t bits, uint32_t stencilBits)
{
    PixelFormat f;
    f.flags = DDPF_ZBUFFER | (stencilBits != 0 ? DDPF_STENCILBUFFER : 0);
    f.zBufferBitDepth = bits;
    f.stencilBitDepth = stencilBits;
    const uint32_t depthBits = bits - stencilBits;
    f.zBitMask = depthBits >= 32 ? 0xFFFFFFFFu : ((1u << depthBits) - 1u);
    return f;
}

MemorySurface::MemorySurface(Unknown* owner, const SurfaceDesc& desc) : owner_(owner), desc_(desc)
{
    if (owner_ != nullptr) {
        owner_->AddRef();
    }
    desc_.flags |= DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | DDSD_PITCH;
    desc_.surface = nullptr;
    const uint32_t bytes = desc_.pixelFormat.rgbBitCount / 8;
    // A depth buffer has no pixels to lock, nor has the primary surface: it
    // is the window.
    if ((desc_.caps.caps & (DDSCAPS_ZBUFFER | DDSCAPS_PRIMARYSURFACE)) == 0 && bytes != 0) {
        // Rows start on 4-byte boundaries, as on the original drivers.
        desc_.pitch = static_cast<int32_t>((desc_.width * bytes + 3u) & ~3u);
        pixels_.assign(static_cast<size_t>(desc_.pitch) * desc_.height, 0);
    } else {
        desc_.pitch = 0;
    }
}

MemorySurface::~MemorySurface()
{
    for (MemorySurface* s : attached_) {
        s->Release();
    }
    if (clipper_ != nullptr) {
        clipper_->Release();
    }
    if (owner_ != nullptr) {
        owner_->Release();
    }
}

HRESULT MemorySurface::Lock(const Rect* rect, SurfaceDesc& desc, uint32_t flags)
{
    if (lost_) {
        return DDERR_SURFACELOST;
    }
    if (pixels_.empty()) {
        return DDERR_CANTLOCKSURFACE;
    }
    if (locked_) {
        return DDERR_SURFACEBUSY;
    }
    const Rect r = rect != nullptr ? *rect : Whole(desc_);
    if (!RectInside(r, desc_)) {
        return DDERR_INVALIDRECT;
    }
    if (const HRESULT hr = SyncFromDevice(); hr < 0) {
        return hr;
    }
    locked_ = true;
    lockedForWrite_ = (flags & DDLOCK_READONLY) == 0;
    desc = desc_;
    desc.flags |= DDSD_LPSURFACE;
    desc.surface = pixels_.data() + static_cast<size_t>(r.top) * desc_.pitch +
                   static_cast<size_t>(r.left) * BytesPerPixel();
    return DD_OK;
}

HRESULT MemorySurface::Unlock(const Rect*)
{
    if (!locked_) {
        return DDERR_NOTLOCKED;
    }
    locked_ = false;
    if (lockedForWrite_) {
        MarkChanged();
    }
    return DD_OK;
}

HRESULT MemorySurface::GetSurfaceDesc(SurfaceDesc& desc)
{
    desc = desc_;
    return DD_OK;
}

HRESULT MemorySurface::Blt(const Rect* destRect, DirectDrawSurface* source, const Rect* sourceRect,
                           uint32_t)
{
    auto* from = dynamic_cast<MemorySurface*>(source);
    if (from == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    if (lost_ || from->lost_) {
        return DDERR_SURFACELOST;
    }
    if (locked_ || from->locked_) {
        return DDERR_SURFACEBUSY;
    }
    if (pixels_.empty() || from->pixels_.empty()) {
        return DDERR_UNSUPPORTED;
    }
    if (!(desc_.pixelFormat == from->desc_.pixelFormat)) {
        return DDERR_INVALIDPIXELFORMAT;
    }
    const Rect d = destRect != nullptr ? *destRect : Whole(desc_);
    const Rect s = sourceRect != nullptr ? *sourceRect : Whole(from->desc_);
    if (!RectInside(d, desc_) || !RectInside(s, from->desc_)) {
        return DDERR_INVALIDRECT;
    }
    if (d.right - d.left != s.right - s.left || d.bottom - d.top != s.bottom - s.top) {
        return DDERR_NOSTRETCHHW;
    }
    if (const HRESULT hr = from->SyncFromDevice(); hr < 0) {
        return hr;
    }
    const size_t rowBytes = static_cast<size_t>(d.right - d.left) * BytesPerPixel();
    for (int32_t y = 0; y < d.bottom - d.top; ++y) {
        std::memmove(pixels_.data() + static_cast<size_t>(d.top + y) * desc_.pitch +
                         static_cast<size_t>(d.left) * BytesPerPixel(),
                     from->pixels_.data() + static_cast<size_t>(s.top + y) * from->desc_.pitch +
                         static_cast<size_t>(s.left) * BytesPerPixel(),
                     rowBytes);
    }
    MarkChanged();
    return DD_OK;
}

HRESULT MemorySurface::Flip(DirectDrawSurface*, uint32_t)
{
    return DDERR_NOTFLIPPABLE;
}

HRESULT MemorySurface::IsLost()
{
    return lost_ ? DDERR_SURFACELOST : DD_OK;
}

HRESULT MemorySurface::Restore()
{
    lost_ = false;
    return DD_OK;
}

MemorySurface* MemorySurface::FindAttached(uint32_t caps) const
{
    for (MemorySurface* s : attached_) {
        if ((s->desc_.caps.caps & caps) == caps) {
            return s;
        }
    }
    return nullptr;
}

HRESULT MemorySurface::GetAttachedSurface(const SurfaceCaps& caps, DirectDrawSurface** surface)
{
    if (surface == nullptr) {
        return DDERR_INVALIDPARAMS;
    }
    *surface = nullptr;
    MemorySurface* found = FindAttached(caps.caps);
    if (found == nullptr) {
        return DDERR_NOTFOUND;
    }
    found->AddRef();
    *surface = found;
    return DD_OK;
}

HRESULT MemorySurface::AddAttachedSurface(DirectDrawSurface* surface)
{
    auto* s = dynamic_cast<MemorySurface*>(surface);
    if (s == nullptr || s == this) {
        return DDERR_CANNOTATTACHSURFACE;
    }
    if (std::find(attached_.begin(), attached_.end(), s) != attached_.end()) {
        return DDERR_SURFACEALREADYATTACHED;
    }
    s->AddRef();
    attached_.push_back(s);
    return DD_OK;
}

HRESULT MemorySurface::SetClipper(DirectDrawClipper* clipper)
{
    if (clipper != nullptr) {
        clipper->AddRef();
    }
    if (clipper_ != nullptr) {
        clipper_->Release();
    }
    clipper_ = clipper;
    return DD_OK;
}

} // namespace Platform

namespace Platform {

HRESULT CreateSurfaceChain(const SurfaceDesc& desc, const SurfaceDesc& displayMode,
                           const std::function<MemorySurface*(const SurfaceDesc&)>& make,
                           DirectDrawSurface** surface)
{
    if (surface == nullptr || (desc.flags & DDSD_CAPS) == 0) {
        return DDERR_INVALIDPARAMS;
    }
    *surface = nullptr;
    SurfaceDesc d = desc;
    const uint32_t caps = d.caps.caps;
    if ((caps & DDSCAPS_PRIMARYSURFACE) != 0) {
        d.width = displayMode.width;
        d.height = displayMode.height;
        d.pixelFormat = displayMode.pixelFormat;
    } else {
        if ((d.flags & DDSD_WIDTH) == 0 || (d.flags & DDSD_HEIGHT) == 0) {
            return DDERR_INVALIDPARAMS;
        }
        if ((d.flags & DDSD_PIXELFORMAT) == 0) {
            if ((caps & DDSCAPS_ZBUFFER) != 0) {
                return DDERR_INVALIDPIXELFORMAT;
            }
            d.pixelFormat = displayMode.pixelFormat;
        }
    }
    if (d.width == 0 || d.height == 0 || d.width > 16384 || d.height > 16384) {
        return DDERR_INVALIDPARAMS;
    }
    const PixelFormat& f = d.pixelFormat;
    if ((caps & DDSCAPS_ZBUFFER) != 0) {
        if ((f.flags & DDPF_ZBUFFER) == 0) {
            return DDERR_INVALIDPIXELFORMAT;
        }
    } else if ((f.flags & DDPF_RGB) == 0 || (f.rgbBitCount != 16 && f.rgbBitCount != 24 && f.rgbBitCount != 32)) {
        return DDERR_INVALIDPIXELFORMAT;
    }

    uint32_t levels = 1;
    if ((caps & DDSCAPS_MIPMAP) != 0) {
        uint32_t full = 1;
        for (uint32_t s = std::max(d.width, d.height); s > 1; s /= 2) {
            ++full;
        }
        levels = (d.flags & DDSD_MIPMAPCOUNT) != 0 ? d.mipMapCount : full;
        if (levels == 0 || levels > full || (caps & DDSCAPS_TEXTURE) == 0) {
            return DDERR_INVALIDPARAMS;
        }
    }
    d.flags |= DDSD_PIXELFORMAT | DDSD_WIDTH | DDSD_HEIGHT;

    MemorySurface* first = make(d);
    if ((caps & DDSCAPS_PRIMARYSURFACE) != 0 && (caps & DDSCAPS_FLIP) != 0 &&
        d.backBufferCount > 0) {
        SurfaceDesc back = d;
        back.caps.caps = DDSCAPS_BACKBUFFER | (caps & DDSCAPS_3DDEVICE) | DDSCAPS_VIDEOMEMORY;
        back.backBufferCount = 0;
        MemorySurface* b = make(back);
        first->AddAttachedSurface(b);
        b->Release();
    }
    MemorySurface* previous = first;
    SurfaceDesc level = d;
    for (uint32_t i = 1; i < levels; ++i) {
        level.width = std::max(level.width / 2, 1u);
        level.height = std::max(level.height / 2, 1u);
        level.mipMapCount = levels - i;
        MemorySurface* next = make(level);
        previous->AddAttachedSurface(next);
        next->Release();
        previous = next;
    }
    *surface = first;
    return DD_OK;
}

} // namespace Platform
