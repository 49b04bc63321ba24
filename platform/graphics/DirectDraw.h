#pragma once
// A DirectDraw object (IDirectDraw7) of one adapter: display modes, the
// cooperative level, surfaces, loss and restore.
#include <functional>

#include "platform/graphics/Direct3D.h"
#include "platform/graphics/DirectDrawClipper.h"
#include "platform/graphics/DirectDrawSurface.h"
#include "platform/graphics/DirectDrawTypes.h"
#include "platform/graphics/GraphicsResults.h"
#include "platform/graphics/Unknown.h"
#include "platform/window/WindowHandle.h"

namespace Platform {

class DirectDraw : public Unknown {
public:
    virtual HRESULT GetCaps(DriverCaps* driver, DriverCaps* emulation) = 0;
    // Calls back with each display mode (width, height, pixel format,
    // refresh rate) until the callback returns false.
    virtual HRESULT EnumDisplayModes(uint32_t flags,
                                     const std::function<bool(const SurfaceDesc&)>& callback) = 0;
    virtual HRESULT SetCooperativeLevel(WindowHandle window, uint32_t flags) = 0;
    // The current display mode; while exclusive, the mode set last.
    virtual HRESULT GetDisplayMode(SurfaceDesc& desc) = 0;
    // Exclusive (full-screen) cooperative level only; DDERR_INVALIDMODE for a
    // mode the adapter does not list.
    virtual HRESULT SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel,
                                   uint32_t refreshRate, uint32_t flags) = 0;
    virtual HRESULT RestoreDisplayMode() = 0;
    // Surfaces keep a reference to this object until they are released.
    virtual HRESULT CreateSurface(const SurfaceDesc& desc, DirectDrawSurface** surface) = 0;
    virtual HRESULT CreateClipper(uint32_t flags, DirectDrawClipper** clipper) = 0;
    // DD_OK while the surfaces can be used; DDERR_NOEXCLUSIVEMODE while a
    // full-screen program is in the background, DDERR_WRONGMODE when the
    // display mode changed under a windowed program.
    virtual HRESULT TestCooperativeLevel() = 0;
    virtual HRESULT RestoreAllSurfaces() = 0;
    virtual HRESULT WaitForVerticalBlank(uint32_t flags) = 0;
    virtual HRESULT GetAvailableVidMem(const SurfaceCaps& caps, uint32_t* total, uint32_t* free) = 0;
    // IID_IDirect3D7 only; the Direct3D object keeps a reference to this one.
    virtual HRESULT QueryInterface(const Guid& iid, Direct3D** result) = 0;
};

} // namespace Platform
