#pragma once
// The surfaces of the OpenGL driver beyond plain memory: texture levels
// (uploaded when the device first draws with them), the render target the
// device draws into (read back from its framebuffer object), and the
// primary surface (presenting shows the render target in the window).
#include <memory>
#include <vector>

#include "platform/graphics/MemorySurface.h"
#include "platform/graphics/opengl/GlShared.h"

namespace Platform {

class GlTextureSurface : public MemorySurface {
public:
    GlTextureSurface(Unknown* owner, const SurfaceDesc& desc, std::shared_ptr<GlShared> shared);
    // The GL texture of this chain with every changed level uploaded; main
    // thread with a context only. Leaves the texture bound to the active unit.
    GLuint Bind();
    uint32_t LevelCount() const;
    // Grows whenever the pixels of any level change.
    uint64_t ContentVersion() const;
    // Sampling it gives alpha 1 everywhere: its format has no alpha
    // channel, so the texture is made without one.
    bool Opaque() const;

protected:
    ~GlTextureSurface() override;

private:
    std::shared_ptr<GlShared> shared_;
    GLuint name_ = 0;
    uint64_t contextNumber_ = 0;
    std::vector<uint64_t> uploaded_;  // change count of each level when uploaded
};

class GlRenderTarget : public MemorySurface {
public:
    GlRenderTarget(Unknown* owner, const SurfaceDesc& desc, std::shared_ptr<GlShared> shared);
    HRESULT IsLost() override;
    HRESULT Restore() override;
    HRESULT Lock(const Rect* rect, SurfaceDesc& desc, uint32_t flags) override;

protected:
    HRESULT SyncFromDevice() override;

private:
    std::shared_ptr<GlShared> shared_;
};

class GlPrimarySurface : public MemorySurface {
public:
    GlPrimarySurface(Unknown* owner, const SurfaceDesc& desc, std::shared_ptr<GlShared> shared);
    HRESULT Blt(const Rect* destRect, DirectDrawSurface* source, const Rect* sourceRect,
                uint32_t flags) override;
    HRESULT Flip(DirectDrawSurface* target, uint32_t flags) override;
    HRESULT IsLost() override;
    HRESULT Restore() override;

private:
    std::shared_ptr<GlShared> shared_;
};

} // namespace Platform
