#pragma once
// The renderer on the DirectDraw 7 / Direct3D 7 interfaces of the platform
// layer. Device side: adapters, devices and display modes are enumerated
// once; a device and a video mode are chosen from the configuration
// ("v_mode", "v_fullscreen"); the device and its surfaces are created,
// released and re-created (Reset); loss is detected in Refresh. Frame side:
// clear, begin and end of the scene, present, indexed drawing, the mapping of
// the cached states to the device, and the copy of the back buffer.
//
// Every failing device call outside creation is logged as
// "Direct3D Subsystem (<tag>): <text>" (ReportError) and the frame goes on;
// failures while creating the device are fatal once no device is left to try.
#include <mutex>
#include <string>
#include <vector>

#include "engine/graphics/AdapterInfo_D3D7.h"
#include "engine/graphics/RenderSystem.h"
#include "platform/graphics/DirectDraw.h"
#include "platform/graphics/GraphicsDriver.h"

namespace ZorvaneEngine {

class RenderSystem_D3D7 : public RenderSystem {
public:
    // Enumerates the devices, opens one in the configured mode and pushes the
    // default states; a fatal log entry (FatalError) when no device or mode
    // can be had.
    RenderSystem_D3D7(Config* config, MessageManager* log, Window* window, bool stencilWanted,
                      bool keepWindowSize);
    ~RenderSystem_D3D7() override;

    void Refresh() override;
    void BeginScene() override;
    void EndScene() override;
    void SwapBuffers() override;
    // Also marks the textures lost, whether or not the mode changed.
    void CheckVideoMode() override;
    void Reset(uint32_t flags) override;
    void DrawIndexedPrimitive(bool strip, IndexBuffer* indices, VertexBuffer* vertices,
                              uint32_t primitiveCount) override;

    Camera* CreateCamera(bool orthographic) override;
    VertexBuffer* CreateVertexBuffer(uint32_t count, uint32_t usage, bool colors) override;
    VertexBuffer* ConvertVertexBuffer(uint32_t usage, bool colors, const VertexBuffer& source) override;
    VertexBuffer* CloneVertexBuffer(const VertexBuffer& source) override;
    IndexBuffer* CreateIndexBuffer(uint32_t usage, uint32_t count) override;
    IndexBuffer* ConvertIndexBuffer(uint32_t usage, const IndexBuffer& source) override;
    IndexBuffer* CloneIndexBuffer(const IndexBuffer& source) override;
    Texture2D* CreateTexture(TextureManager* manager, const std::string& key, Image* diffuse,
                             Image* opacity, bool mipMap) override;
    Light* CreateLight(uint32_t index) override;
    // The back buffer as it is now, 32 bits in a 32-bit mode, else 24; a
    // picture that cannot be read becomes white. Never fails toward the caller.
    void CaptureScreen(Image& image) override;

    void SetDefaultStates() override;
    void SetMaterial(const ColorRGBA& ambient, const ColorRGBA& diffuse, const ColorRGBA& specular,
                     const ColorRGBA& emissive, float power) override;

    // Logs a failure code (negative) under tag; success codes log nothing.
    void ReportError(const char* tag, Platform::HRESULT code);
    // The description of a DirectDraw result code, or
    // "Unknown error (Code: <code>)".
    static std::string ErrorText(Platform::HRESULT code);

    // The registry of live textures (their constructors and destructors).
    // Removing one also drops it from the state cache; removing one that is
    // not registered is fatal.
    void AddTexture(Texture2D* texture);
    void RemoveTexture(Texture2D* texture, const std::string& key);
    size_t GetTextureCount() const;

    // Textures keep the addresses, so that they always use the current
    // objects after a device reset.
    Platform::DirectDraw* const* GetDirectDrawSlot() const { return &directDraw; }
    Platform::Direct3DDevice* const* GetDeviceSlot() const { return &device; }
    Platform::DirectDraw* GetDirectDraw() const { return directDraw; }
    Platform::Direct3DDevice* GetDevice() const { return device; }
    Platform::DirectDrawSurface* GetBackBuffer() const { return backBuffer; }
    AdapterInfo_D3D7* GetSelectedAdapter_D3D7() const;
    DeviceInfo_D3D7* GetSelectedDevice_D3D7() const;

protected:
    void UpdateProjectionMatrix() override;
    void UpdateViewMatrix() override;
    void UpdateWorldMatrix() override;
    void UpdateAmbientColor() override;
    void UpdateAlphaBlend() override;
    void UpdateBlend() override;
    void UpdateTexture(uint32_t stage) override;
    void UpdateMaxTextureAnisotropy(uint32_t stage) override;
    void UpdateTextureFilter(uint32_t stage) override;
    void UpdateTextureAdressU(uint32_t stage) override;
    void UpdateTextureAdressV(uint32_t stage) override;
    void UpdateTextureMatrix(uint32_t stage) override;
    void UpdateCullMode() override;
    void UpdateLighting() override;
    void UpdateNormalizeNormals() override;
    void UpdateZ() override;
    void UpdateZWrite() override;
    void UpdateStencil() override;

private:
    void EnumerateDevices();
    void SelectDevice(bool softwareOnly);
    void OpenDevice(bool logCapabilities);
    void SelectVideoMode();
    // Picks the selected device's mode for the wanted size; false when there
    // is none. The window rule applies to a window that would not fit.
    bool ChooseMode(uint32_t width, uint32_t height, uint32_t bits, uint32_t desktopWidth,
                    uint32_t desktopHeight);
    bool CreateDevice(bool logCapabilities);
    void CreateSurfaces(const ModeInfo_D3D7& mode, bool fullscreen);
    void CreateDepthBuffer(const DeviceInfo_D3D7& info);
    void ReleaseDevice();

    // The texture side of a device reset and of binding a stage.
    void ReleaseTextureSurfaces();
    void RestoreTextureSurfaces();
    Platform::DirectDrawSurface* TextureSurface(Texture2D* texture);

    // Draws 32-bit indices on the 16-bit device path: in pieces whose
    // vertices are gathered into a scratch array with indices of their own.
    void DrawWideIndices(bool strip, const IndexBuffer& indices, const VertexBuffer& vertices,
                         uint32_t indexCount);

    Platform::GraphicsDriver& driver;
    Platform::DirectDraw* directDraw = nullptr;
    Platform::Direct3D* direct3D = nullptr;
    Platform::Direct3DDevice* device = nullptr;
    Platform::DirectDrawSurface* depthSurface = nullptr;
    Platform::DirectDrawSurface* primarySurface = nullptr;
    Platform::DirectDrawSurface* backBuffer = nullptr;
    Platform::SurfaceDesc backBufferDesc;

    // Textures are made on the loading thread too.
    mutable std::mutex textureMutex;
    std::vector<Texture2D*> textures;  // not owned

    std::vector<uint8_t> scratchVertices;
    std::vector<uint16_t> scratchIndices;
    std::vector<uint32_t> scratchMap;
};

} // namespace ZorvaneEngine
