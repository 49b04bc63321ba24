#pragma once
// The DirectDraw object of the OpenGL driver (one primary adapter) and the
// Direct3D object that comes with it.
#include <memory>

#include "platform/graphics/DirectDraw.h"
#include "platform/graphics/opengl/GlShared.h"

namespace Platform {

class GlDirectDraw : public DirectDraw {
public:
    // pacing is the driver's switch for waiting on the vertical blank, time
    // the clock of that wait.
    GlDirectDraw(std::function<SDL_Window*(WindowHandle)> findWindow,
                 std::shared_ptr<const std::atomic<bool>> pacing, VerticalBlankPacer::Time time);

    HRESULT GetCaps(DriverCaps* driver, DriverCaps* emulation) override;
    HRESULT EnumDisplayModes(uint32_t flags,
                             const std::function<bool(const SurfaceDesc&)>& callback) override;
    HRESULT SetCooperativeLevel(WindowHandle window, uint32_t flags) override;
    HRESULT GetDisplayMode(SurfaceDesc& desc) override;
    HRESULT SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel,
                           uint32_t refreshRate, uint32_t flags) override;
    HRESULT RestoreDisplayMode() override;
    HRESULT CreateSurface(const SurfaceDesc& desc, DirectDrawSurface** surface) override;
    HRESULT CreateClipper(uint32_t flags, DirectDrawClipper** clipper) override;
    HRESULT TestCooperativeLevel() override;
    HRESULT RestoreAllSurfaces() override;
    HRESULT WaitForVerticalBlank(uint32_t flags) override;
    HRESULT GetAvailableVidMem(const SurfaceCaps& caps, uint32_t* total, uint32_t* free) override;
    HRESULT QueryInterface(const Guid& iid, Direct3D** result) override;

    // The display modes: SDL's list of the first display at 32 and 16 bits,
    // with 640x480, 800x600 and 1024x768 added where missing; sorted by
    // width, height and bits, each descending.
    static std::vector<SurfaceDesc> DisplayModes();
    // The desktop's mode (24 bits counted as 32); 1024x768x32 without SDL video.
    static SurfaceDesc DesktopMode();

private:
    std::shared_ptr<GlShared> shared_;
};

} // namespace Platform
