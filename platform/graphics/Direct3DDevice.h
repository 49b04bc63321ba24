#pragma once
// A Direct3D device (IDirect3DDevice7): fixed-function drawing into the
// back buffer it was created on. Main thread only.
#include <functional>

#include "platform/graphics/Direct3DTypes.h"
#include "platform/graphics/DirectDrawSurface.h"
#include "platform/graphics/GraphicsResults.h"
#include "platform/graphics/Unknown.h"

namespace Platform {

class Direct3DDevice : public Unknown {
public:
    virtual HRESULT GetCaps(DeviceDesc& desc) = 0;
    // Calls back with each texture format until the callback returns false.
    virtual HRESULT EnumTextureFormats(const std::function<bool(const PixelFormat&)>& callback) = 0;

    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    // rectCount 0 clears the whole viewport. The colour, depth and stencil
    // are written whatever the depth-write and stencil states are.
    virtual HRESULT Clear(uint32_t rectCount, const Rect* rects, uint32_t flags,
                          D3DCOLOR color, float z, uint32_t stencil) = 0;

    virtual HRESULT SetTransform(TransformStateType state, const Matrix& matrix) = 0;
    virtual HRESULT SetRenderState(RenderStateType state, uint32_t value) = 0;
    virtual HRESULT SetTextureStageState(uint32_t stage, TextureStageStateType state,
                                         uint32_t value) = 0;
    // A texture surface (level 0 of its chain) or null; the device keeps a
    // reference while it is set.
    virtual HRESULT SetTexture(uint32_t stage, DirectDrawSurface* texture) = 0;
    virtual HRESULT SetMaterial(const Material& material) = 0;
    virtual HRESULT SetLight(uint32_t index, const Light& light) = 0;
    virtual HRESULT LightEnable(uint32_t index, bool enable) = 0;
    virtual HRESULT SetViewport(const Viewport& viewport) = 0;
    // Re-reads the render target's attached depth buffer.
    virtual HRESULT SetRenderTarget(DirectDrawSurface* target, uint32_t flags) = 0;

    // Draws from client memory. vertexFormat is D3DFVF_XYZ | D3DFVF_NORMAL |
    // D3DFVF_TEX1 (32-byte vertices) or that with D3DFVF_DIFFUSE (36 bytes,
    // the colour at byte 24). vertexCount is the highest index + 1.
    virtual HRESULT DrawIndexedPrimitive(PrimitiveType type, uint32_t vertexFormat,
                                         const void* vertices, uint32_t vertexCount,
                                         const uint16_t* indices, uint32_t indexCount,
                                         uint32_t flags) = 0;
};

} // namespace Platform
