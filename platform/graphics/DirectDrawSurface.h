#pragma once
// A surface (IDirectDrawSurface7): the primary surface, a back buffer, a
// depth buffer, an off-screen plain surface or one level of a texture.
// Row 0 is the top row of a render target and v = 0 of a texture.
#include "platform/graphics/DirectDrawClipper.h"
#include "platform/graphics/DirectDrawTypes.h"
#include "platform/graphics/GraphicsResults.h"
#include "platform/graphics/Unknown.h"

namespace Platform {

class DirectDrawSurface : public Unknown {
public:
    // Locks the whole surface (rect null) and fills desc, with the pointer
    // to the first byte and the pitch. DDERR_WASSTILLDRAWING asks the caller
    // to try again; DDERR_SURFACELOST while the surface is lost.
    virtual HRESULT Lock(const Rect* rect, SurfaceDesc& desc, uint32_t flags) = 0;
    virtual HRESULT Unlock(const Rect* rect) = 0;
    virtual HRESULT GetSurfaceDesc(SurfaceDesc& desc) = 0;
    // Copies source (whole surface when sourceRect is null) into this
    // surface (whole when destRect is null). Same size and format for memory
    // surfaces; a back buffer blitted to the primary surface presents it.
    virtual HRESULT Blt(const Rect* destRect, DirectDrawSurface* source,
                        const Rect* sourceRect, uint32_t flags) = 0;
    // Presents the back buffer of a flipping chain (primary surface only).
    virtual HRESULT Flip(DirectDrawSurface* target, uint32_t flags) = 0;
    // DD_OK or DDERR_SURFACELOST.
    virtual HRESULT IsLost() = 0;
    virtual HRESULT Restore() = 0;
    // The attached surface with these caps, with a reference added: the
    // back buffer of a primary surface, the next level of a mip chain, the
    // depth buffer of a back buffer. DDERR_NOTFOUND when there is none.
    virtual HRESULT GetAttachedSurface(const SurfaceCaps& caps, DirectDrawSurface** surface) = 0;
    // Attaches a depth buffer to a back buffer (a reference is added).
    virtual HRESULT AddAttachedSurface(DirectDrawSurface* surface) = 0;
    virtual HRESULT SetClipper(DirectDrawClipper* clipper) = 0;
};

} // namespace Platform
