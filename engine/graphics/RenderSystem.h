#pragma once
// The engine's fixed-function renderer: frame operations, indexed triangle
// drawing, factories of the device-bound resources, screen capture, and a
// cache of every render state the engine uses. Each state's setter compares
// the wanted value with the cached one and calls the state's update operation
// only for a change (or while the defaults are forced), so the device sees a
// state change only when there is one. Matrices, colours and texture matrices
// count as changed when some element differs by more than 0.0001.
// Main thread only.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/MathTypes.h"
#include "engine/graphics/AdapterInfo.h"

namespace ZorvaneEngine {

class Camera;
class Config;
class Image;
class IndexBuffer;
class Light;
class MessageManager;
class Texture2D;
class TextureManager;
class VertexBuffer;
class Window;

// Blend factor codes; 0 also means one, any value above 10 means zero.
enum BlendFactor : uint32_t {
    BlendOne = 1,
    BlendDestColor = 2,
    BlendInvDestColor = 3,
    BlendSrcAlpha = 4,
    BlendInvSrcAlpha = 5,
    BlendDestAlpha = 6,
    BlendInvDestAlpha = 7,
    BlendSrcAlphaSat = 8,
    BlendSrcColor = 9,
    BlendInvSrcColor = 10,
    BlendZero = 11,
};

// Texture filter codes; any other value leaves the device's filter alone.
enum TextureFilterMode : uint32_t {
    FilterPoint = 0,      // nearest texel, no mip maps
    FilterBilinear = 1,   // no mip maps
    FilterTrilinear = 2,  // linear between mip levels; anisotropic when configured above 1
};

// Texture address codes; any value but 0 wraps.
enum TextureAddressMode : uint32_t { AddressClamp = 0, AddressWrap = 1 };

// Cull codes; any other value culls nothing.
enum CullMode : uint32_t { CullNone = 0, CullClockwise = 1, CullCounterClockwise = 2 };

// Reset flags.
enum ResetFlags : uint32_t {
    ResetDevice = 1,    // recreate the device in the configured mode
    ResetTextures = 2,  // restore the texture surfaces
};

// True when no element of a and b differs by more than 0.0001.
bool MatricesEqual(const Matrix4& a, const Matrix4& b);

// The per-stage texture matrix: v' = scale × v + offset for u and v.
struct TextureMatrix {
    float scaleU = 1.0f, scaleV = 1.0f, offsetU = 0.0f, offsetV = 0.0f;
};

// The cached states, as last handed to the device.
struct RenderStates {
    Matrix4 projection;
    Matrix4 view = Matrix4::Identity();
    Matrix4 world = Matrix4::Identity();
    ColorRGBA ambient{0, 0, 0, 1};
    bool alphaBlend = false;
    uint32_t sourceBlend = 0;
    uint32_t destinationBlend = 0;
    // Per stage, sized to the device's stage count.
    std::vector<Texture2D*> texture;  // not owned
    std::vector<uint32_t> maxAnisotropy;
    std::vector<uint32_t> filter;
    std::vector<uint32_t> addressU;
    std::vector<uint32_t> addressV;
    std::vector<TextureMatrix> textureMatrix;
    uint32_t cullMode = CullNone;
    bool lighting = false;
    bool normalizeNormals = false;
    bool z = false;
    bool zWrite = true;
    bool stencil = false;
};

class RenderSystem {
public:
    virtual ~RenderSystem();

    RenderSystem(const RenderSystem&) = delete;
    RenderSystem& operator=(const RenderSystem&) = delete;

    // Once a frame, before drawing: keeps "r_texture_anisotropy" within the
    // device's range and every stage at that anisotropy.
    virtual void Refresh();
    virtual void BeginScene() {}
    virtual void EndScene() {}
    virtual void SwapBuffers() {}
    // Sets the mode-changed flag when "v_mode" or "v_fullscreen" differ from
    // the selected mode; never clears it.
    virtual void CheckVideoMode();
    // ResetFlags: device bit clears mode changed and sets ready; textures
    // bit clears textures lost.
    virtual void Reset(uint32_t flags);
    // Triangle strip (primitiveCount + 2 indices) or list (× 3).
    virtual void DrawIndexedPrimitive(bool strip, IndexBuffer* indices, VertexBuffer* vertices,
                                      uint32_t primitiveCount);

    // New objects owned by the caller.
    virtual Camera* CreateCamera(bool orthographic) = 0;
    virtual VertexBuffer* CreateVertexBuffer(uint32_t count, uint32_t usage, bool colors) = 0;
    virtual VertexBuffer* ConvertVertexBuffer(uint32_t usage, bool colors,
                                              const VertexBuffer& source) = 0;
    virtual VertexBuffer* CloneVertexBuffer(const VertexBuffer& source) = 0;
    virtual IndexBuffer* CreateIndexBuffer(uint32_t usage, uint32_t count) = 0;
    virtual IndexBuffer* ConvertIndexBuffer(uint32_t usage, const IndexBuffer& source) = 0;
    virtual IndexBuffer* CloneIndexBuffer(const IndexBuffer& source) = 0;
    virtual Texture2D* CreateTexture(TextureManager* manager, const std::string& key,
                                     Image* diffuse, Image* opacity, bool mipMap) = 0;
    virtual Light* CreateLight(uint32_t index) = 0;
    virtual void CaptureScreen(Image& image) = 0;

    // Sizes the per-stage caches, sets ready and pushes the defaults. The
    // implementation calls it last in its constructor, once the device exists.
    void InitStates();
    // Pushes every state to the device whatever the cache holds.
    virtual void SetDefaultStates();
    // Pushed at once; the material is not cached.
    virtual void SetMaterial(const ColorRGBA& ambient, const ColorRGBA& diffuse,
                             const ColorRGBA& specular, const ColorRGBA& emissive, float power) = 0;

    void SetViewMatrix(const Matrix4& matrix);
    void SetWorldMatrix(const Matrix4& matrix);
    void SetAmbientColor(const ColorRGBA& color);
    void SetAlphaBlend(bool enable);
    void SetBlend(uint32_t source, uint32_t destination);
    void SetTexture(uint32_t stage, Texture2D* texture);
    void SetTextureFilter(uint32_t stage, uint32_t filter);
    void SetTextureAdressU(uint32_t stage, uint32_t mode);
    void SetTextureAdressV(uint32_t stage, uint32_t mode);
    void SetTextureMatrix(uint32_t stage, float scaleU, float scaleV, float offsetU, float offsetV);
    void SetCullMode(uint32_t mode);
    void SetLighting(bool enable);
    void SetNormalizeNormals(bool enable);
    void SetZ(bool enable);
    void SetZWrite(bool enable);
    void SetStencil(bool enable);

    bool IsReady() const { return ready; }
    bool IsModeChanged() const { return modeChanged; }
    bool AreTexturesLost() const { return texturesLost; }
    bool IsStencilPresent() const { return stencilPresent; }
    uint32_t GetStageCount() const { return stageCount; }
    uint32_t GetMaxTextureWidth() const { return maxTextureWidth; }
    uint32_t GetMaxTextureHeight() const { return maxTextureHeight; }
    uint32_t GetMaxAnisotropy() const { return maxAnisotropy; }
    AdapterInfo* GetSelectedAdapter() const { return selectedAdapter; }
    // The selected adapter's selected device and its selected mode; null
    // before the choice.
    DeviceInfo* GetSelectedDevice() const;
    ModeInfo* GetSelectedMode() const;
    const RenderStates& GetStates() const { return states; }

    uint32_t clearFlags = 3;  // bit 0 colour target, bit 1 depth buffer
    ColorRGBA clearColor{0, 0, 0, 1};

protected:
    RenderSystem(Config* config, MessageManager* log, Window* window, bool stencilWanted,
                 bool keepWindowSize);

    virtual void UpdateProjectionMatrix() = 0;
    virtual void UpdateViewMatrix() = 0;
    virtual void UpdateWorldMatrix() = 0;
    virtual void UpdateAmbientColor() = 0;
    virtual void UpdateAlphaBlend() = 0;
    virtual void UpdateBlend() = 0;
    virtual void UpdateTexture(uint32_t stage) = 0;
    virtual void UpdateMaxTextureAnisotropy(uint32_t stage) = 0;
    virtual void UpdateTextureFilter(uint32_t stage) = 0;
    virtual void UpdateTextureAdressU(uint32_t stage) = 0;
    virtual void UpdateTextureAdressV(uint32_t stage) = 0;
    virtual void UpdateTextureMatrix(uint32_t stage) = 0;
    virtual void UpdateCullMode() = 0;
    virtual void UpdateLighting() = 0;
    virtual void UpdateNormalizeNormals() = 0;
    virtual void UpdateZ() = 0;
    virtual void UpdateZWrite() = 0;
    virtual void UpdateStencil() = 0;

    // The per-stage caches follow the stage count, which a re-created
    // device may change; new entries hold the defaults, new matrices zero.
    void ResizeStageCaches();
    // Stages whose cache still points at texture forget it, so that a new
    // texture made at the same address is bound again; true when one did.
    bool ForgetTexture(const Texture2D* texture);

    MessageManager* log;
    Config* config;  // also the engine's variable block: "v_mode", "v_fullscreen" ...
    Window* window;
    std::vector<std::unique_ptr<AdapterInfo>> adapters;
    AdapterInfo* selectedAdapter = nullptr;
    bool stencilWanted;
    bool stencilPresent = false;
    bool keepWindowSize;
    uint32_t maxTextureWidth = 0;
    uint32_t maxTextureHeight = 0;
    uint32_t stageCount = 0;
    uint32_t maxAnisotropy = 0;
    bool ready = false;
    bool modeChanged = false;
    bool texturesLost = false;
    bool force = false;
    RenderStates states;
};

} // namespace ZorvaneEngine
