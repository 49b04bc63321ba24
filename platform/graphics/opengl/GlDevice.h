#pragma once
// The Direct3D device of the OpenGL driver: a GL 2.1 compatibility context
// on the window of the cooperative level, drawing with the fixed-function
// pipeline into a framebuffer object of the render target's size. The
// Direct3D states are kept here and handed to GL, all of them, before each
// draw: presenting and uploads change GL state behind the device's back,
// and the renderer already sends only the states that changed.
#include <array>
#include <map>
#include <memory>

#include "platform/graphics/Direct3DDevice.h"
#include "platform/graphics/MemorySurface.h"
#include "platform/graphics/opengl/GlShared.h"

namespace Platform {

class GlDevice : public Direct3DDevice {
public:
    static constexpr uint32_t kStages = 4;
    // What the device offers, as Direct3D enumerates it.
    static DeviceDesc Description();

    // Makes the context and the framebuffer object; owner (the Direct3D
    // object) and target keep a reference while the device lives.
    static HRESULT Create(std::shared_ptr<GlShared> shared, Unknown* owner,
                          DirectDrawSurface* target, Direct3DDevice** device);

    HRESULT GetCaps(DeviceDesc& desc) override;
    HRESULT EnumTextureFormats(const std::function<bool(const PixelFormat&)>& callback) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(uint32_t rectCount, const Rect* rects, uint32_t flags, D3DCOLOR color, float z,
                  uint32_t stencil) override;
    HRESULT SetTransform(TransformStateType state, const Matrix& matrix) override;
    HRESULT SetRenderState(RenderStateType state, uint32_t value) override;
    HRESULT SetTextureStageState(uint32_t stage, TextureStageStateType state, uint32_t value) override;
    HRESULT SetTexture(uint32_t stage, DirectDrawSurface* texture) override;
    HRESULT SetMaterial(const Material& material) override;
    HRESULT SetLight(uint32_t index, const Light& light) override;
    HRESULT LightEnable(uint32_t index, bool enable) override;
    HRESULT SetViewport(const Viewport& viewport) override;
    HRESULT SetRenderTarget(DirectDrawSurface* target, uint32_t flags) override;
    HRESULT DrawIndexedPrimitive(PrimitiveType type, uint32_t vertexFormat, const void* vertices,
                                 uint32_t vertexCount, const uint16_t* indices, uint32_t indexCount,
                                 uint32_t flags) override;

protected:
    ~GlDevice() override;

private:
    GlDevice(std::shared_ptr<GlShared> shared, Unknown* owner, MemorySurface* target);
    HRESULT BuildFramebuffer();
    // vertexAlphaOne: every vertex of the draw has alpha 1.
    void ApplyState(bool vertexColors, bool vertexAlphaOne);
    // The draw's fragments all come out of the texture stages with alpha
    // exactly 1, so blending them over the target by their alpha is the
    // same as writing them.
    bool FragmentsOpaque(bool vertexAlphaOne) const;
    void ApplyLighting(bool vertexColors);
    void ApplyStages();
    void ApplySampler(uint32_t stage);
    bool Lost();

    std::shared_ptr<GlShared> shared_;
    Unknown* owner_;
    MemorySurface* target_;
    GLuint colorBuffer_ = 0;
    GLuint depthBuffer_ = 0;
    uint32_t depthBits_ = 0, stencilBits_ = 0;
    uint32_t depthWidth_ = 0, depthHeight_ = 0;
    // The value the whole depth buffer holds since its last clear, before
    // any draw wrote to it; negative when unknown. Clearing it to that
    // value again is skipped: scenes drawn without depth writes (menus)
    // spare a full-screen fill per frame.
    float depthClearedTo_ = -1;
    bool inScene_ = false;

    Matrix world_, view_, projection_;
    std::array<Matrix, kStages> textureMatrix_;
    std::array<uint32_t, 160> renderState_{};
    std::array<std::array<uint32_t, 32>, kStages> stageState_{};
    std::array<DirectDrawSurface*, kStages> texture_{};
    std::array<GLuint, kStages> sampler_{};
    Material material_;
    std::map<uint32_t, std::pair<Light, bool>> lights_;  // index -> (light, enabled)
    Viewport viewport_;
};

} // namespace Platform
