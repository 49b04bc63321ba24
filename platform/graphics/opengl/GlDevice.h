#pragma once
// The Direct3D device of the OpenGL driver: a GL 2.1 compatibility context
// on the window of the cooperative level, drawing with the fixed-function
// pipeline into a framebuffer object of the render target's size. The
// Direct3D states are kept here and handed to GL, all of them, before each
// draw: presenting and uploads change GL state behind the device's back,
// and the renderer already sends only the states that changed. Clears and
// draws are recorded and done when the target is shown or read, and then
// only where the picture differs from the frame before (GlFrameRecord.h).
#include <array>
#include <memory>
#include <vector>

#include "platform/graphics/Direct3DDevice.h"
#include "platform/graphics/MemorySurface.h"
#include "platform/graphics/opengl/GlFrameRecord.h"
#include "platform/graphics/opengl/GlShared.h"

namespace Platform {

class GlDevice : public Direct3DDevice {
public:
    static constexpr uint32_t kStages = GlDrawState::kStages;
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
    // Does the operations recorded since the last time, within the part of
    // the target where the picture changed.
    void Flush();
    // Does op within each of parts, which do not overlap; with no parts,
    // wherever it reaches.
    void Execute(const GlRecordedOp& op, const std::vector<Rect>& parts);
    void Scissor(const Rect& r) const;
    // vertexAlphaOne: every vertex of the draw has alpha 1. Leaves the
    // scissor to the caller.
    void ApplyState(const GlDrawState& ds, bool vertexColors, bool vertexAlphaOne);
    // The draw's fragments all come out of the texture stages with alpha
    // exactly 1, so blending them over the target by their alpha is the
    // same as writing them.
    static bool FragmentsOpaque(const GlDrawState& ds, bool vertexAlphaOne);
    void ApplyLighting(const GlDrawState& ds, bool vertexColors);
    void ApplyStages(const GlDrawState& ds);
    void ApplySampler(const GlDrawState& ds, uint32_t stage);
    bool Lost();
    Rect WholeTarget() const;

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

    // The states set so far; the device holds a reference to each texture.
    GlDrawState state_;
    std::array<GLuint, kStages> sampler_{};
    // The operations since the target was last shown or read, and those
    // that made the picture it holds; shownValid_ is false when that
    // picture is not theirs alone (first frame, a frame that did not clear
    // the whole target, a lost or rebuilt target).
    std::vector<GlRecordedOp> recorded_;
    std::vector<GlRecordedOp> shown_;
    bool shownValid_ = false;
};

} // namespace Platform
