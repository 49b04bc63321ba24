#pragma once
// The part of a surface both graphics drivers share: pixels in main memory
// with a pitch, locking, attached surfaces (mip levels, back buffer, depth
// buffer), the lost flag and the reference to the DirectDraw object that
// made it. A texture level counts its changes so that a driver can tell
// which levels to upload again.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/graphics/DirectDrawSurface.h"

namespace Platform {

class MemorySurface : public DirectDrawSurface {
public:
    // owner gets a reference until the surface is deleted. desc must give
    // caps, width and height; a colour surface also its pixel format.
    MemorySurface(Unknown* owner, const SurfaceDesc& desc);

    HRESULT Lock(const Rect* rect, SurfaceDesc& desc, uint32_t flags) override;
    HRESULT Unlock(const Rect* rect) override;
    HRESULT GetSurfaceDesc(SurfaceDesc& desc) override;
    HRESULT Blt(const Rect* destRect, DirectDrawSurface* source, const Rect* sourceRect,
                uint32_t flags) override;
    HRESULT Flip(DirectDrawSurface* target, uint32_t flags) override;
    HRESULT IsLost() override;
    HRESULT Restore() override;
    HRESULT GetAttachedSurface(const SurfaceCaps& caps, DirectDrawSurface** surface) override;
    HRESULT AddAttachedSurface(DirectDrawSurface* surface) override;
    HRESULT SetClipper(DirectDrawClipper* clipper) override;

    const SurfaceDesc& Desc() const { return desc_; }
    uint32_t BytesPerPixel() const { return desc_.pixelFormat.rgbBitCount / 8; }
    // Pixels, pitch bytes per row, top row first. Empty for depth buffers
    // and the primary surface.
    const std::vector<uint8_t>& Pixels() const { return pixels_; }
    std::vector<uint8_t>& MutablePixels() { return pixels_; }
    int32_t Pitch() const { return desc_.pitch; }
    // Counts the writes to the pixels (write locks and blits).
    uint64_t ChangeCount() const { return changes_; }
    void MarkChanged() { ++changes_; }
    void SetLost(bool lost) { lost_ = lost; }
    // The surface attached with every bit of caps, without a new reference.
    MemorySurface* FindAttached(uint32_t caps) const;
    DirectDrawClipper* Clipper() const { return clipper_; }

protected:
    ~MemorySurface() override;
    // Brings the pixels up to date with what a device drew, before they are
    // read (a render target read back); memory surfaces have nothing to do.
    virtual HRESULT SyncFromDevice() { return DD_OK; }

private:
    Unknown* owner_;
    SurfaceDesc desc_;
    std::vector<uint8_t> pixels_;
    std::vector<MemorySurface*> attached_;
    DirectDrawClipper* clipper_ = nullptr;
    bool locked_ = false;
    bool lockedForWrite_ = false;
    bool lost_ = false;
    uint64_t changes_ = 0;
};

// CreateSurface of both drivers: checks the description and builds the
// surface with what it implies (the back buffer of a flipping primary
// surface, the levels of a mip chain), each made by make. displayMode gives
// the size of the primary surface and the format of surfaces that name none.
HRESULT CreateSurfaceChain(const SurfaceDesc& desc, const SurfaceDesc& displayMode,
                           const std::function<MemorySurface*(const SurfaceDesc&)>& make,
                           DirectDrawSurface** surface);

// The pixel formats the drivers offer.
PixelFormat FormatA8R8G8B8();
PixelFormat FormatX8R8G8B8();
PixelFormat FormatR5G6B5();
PixelFormat FormatA1R5G5B5();
PixelFormat FormatA4R4G4B4();
// Depth formats: bits counts depth and stencil together.
PixelFormat DepthFormat(uint32_t bits, uint32_t stencilBits);

} // namespace Platform
