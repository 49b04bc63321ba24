#include "engine/graphics/RenderSystem.h"

#include <algorithm>

#include "engine/core/Config.h"

namespace ZorvaneEngine {

bool MatricesEqual(const Matrix4& a, const Matrix4& b)
{
    for (int i = 0; i < 16; ++i) {
        if (Abs(a[i] - b[i]) > kTolerance) {
            return false;
        }
    }
    return true;
}

RenderSystem::RenderSystem(Config* config, MessageManager* log, Window* window, bool stencilWanted,
                           bool keepWindowSize)
    : log(log), config(config), window(window), stencilWanted(stencilWanted),
      keepWindowSize(keepWindowSize)
{
}

RenderSystem::~RenderSystem() = default;

DeviceInfo* RenderSystem::GetSelectedDevice() const
{
    return selectedAdapter != nullptr ? selectedAdapter->selectedDevice : nullptr;
}

ModeInfo* RenderSystem::GetSelectedMode() const
{
    DeviceInfo* device = GetSelectedDevice();
    return device != nullptr ? device->selectedMode : nullptr;
}

void RenderSystem::Refresh()
{
    const int32_t deviceMax = static_cast<int32_t>(std::min<uint32_t>(maxAnisotropy, INT32_MAX));
    const int32_t anisotropy = std::max(std::min(config->textureAnisotropy, deviceMax), 1);
    config->textureAnisotropy = anisotropy;
    for (uint32_t stage = 0; stage < states.maxAnisotropy.size(); ++stage) {
        if (force || states.maxAnisotropy[stage] != static_cast<uint32_t>(anisotropy)) {
            states.maxAnisotropy[stage] = static_cast<uint32_t>(anisotropy);
            UpdateMaxTextureAnisotropy(stage);
        }
    }
}

void RenderSystem::CheckVideoMode()
{
    int32_t width = 0, height = 0, bits = 0;
    ParseVideoMode(config->videoMode, &width, &height, &bits);
    const DeviceInfo* device = GetSelectedDevice();
    const ModeInfo* mode = GetSelectedMode();
    if (mode == nullptr || static_cast<uint32_t>(width) != mode->width ||
        static_cast<uint32_t>(height) != mode->height || static_cast<uint32_t>(bits) != mode->bits ||
        config->fullscreen != device->fullscreen) {
        modeChanged = true;
    }
}

void RenderSystem::Reset(uint32_t flags)
{
    if ((flags & ResetDevice) != 0) {
        modeChanged = false;
        ready = true;
    }
    if ((flags & ResetTextures) != 0) {
        texturesLost = false;
    }
}

void RenderSystem::DrawIndexedPrimitive(bool, IndexBuffer*, VertexBuffer*, uint32_t) {}

void RenderSystem::InitStates()
{
    ResizeStageCaches();
    ready = true;
    SetDefaultStates();
}

void RenderSystem::ResizeStageCaches()
{
    states.texture.resize(stageCount, nullptr);
    states.maxAnisotropy.resize(stageCount, 1);
    states.filter.resize(stageCount, FilterBilinear);
    states.addressU.resize(stageCount, AddressWrap);
    states.addressV.resize(stageCount, AddressWrap);
    states.textureMatrix.resize(stageCount, TextureMatrix{0, 0, 0, 0});
}

void RenderSystem::SetDefaultStates()
{
    SetMaterial(ColorRGBA(0.6f, 0.6f, 0.6f, 1), ColorRGBA(1, 1, 1, 1), ColorRGBA(0, 0, 0, 0),
                ColorRGBA(0, 0, 0, 1), 0);
    force = true;
    states.view = Matrix4::Identity();
    UpdateViewMatrix();
    SetWorldMatrix(Matrix4::Identity());
    SetAmbientColor(ColorRGBA(0, 0, 0, 1));
    SetAlphaBlend(false);
    SetBlend(0, 0);
    for (uint32_t stage = 0; stage < stageCount; ++stage) {
        SetTexture(stage, nullptr);
        states.maxAnisotropy[stage] = 1;
        UpdateMaxTextureAnisotropy(stage);
        SetTextureFilter(stage, FilterBilinear);
        SetTextureAdressU(stage, AddressWrap);
        SetTextureAdressV(stage, AddressWrap);
        SetTextureMatrix(stage, 1, 1, 0, 0);
    }
    SetCullMode(CullNone);
    SetLighting(false);
    SetNormalizeNormals(false);
    SetZ(false);
    SetZWrite(true);
    SetStencil(false);
    force = false;
}

void RenderSystem::SetViewMatrix(const Matrix4& matrix)
{
    if (force || !MatricesEqual(matrix, states.view)) {
        states.view = matrix;
        UpdateViewMatrix();
    }
}

void RenderSystem::SetWorldMatrix(const Matrix4& matrix)
{
    if (force || !MatricesEqual(matrix, states.world)) {
        states.world = matrix;
        UpdateWorldMatrix();
    }
}

void RenderSystem::SetAmbientColor(const ColorRGBA& color)
{
    if (force || ColorsDiffer(color, states.ambient)) {
        states.ambient = color;
        UpdateAmbientColor();
    }
}

void RenderSystem::SetAlphaBlend(bool enable)
{
    if (force || enable != states.alphaBlend) {
        states.alphaBlend = enable;
        UpdateAlphaBlend();
    }
}

void RenderSystem::SetBlend(uint32_t source, uint32_t destination)
{
    if (force || source != states.sourceBlend || destination != states.destinationBlend) {
        states.sourceBlend = source;
        states.destinationBlend = destination;
        UpdateBlend();
    }
}

// The per-stage setters ignore stages the device does not have.
void RenderSystem::SetTexture(uint32_t stage, Texture2D* texture)
{
    if (stage < stageCount && (force || texture != states.texture[stage])) {
        states.texture[stage] = texture;
        UpdateTexture(stage);
    }
}

void RenderSystem::SetTextureFilter(uint32_t stage, uint32_t filter)
{
    if (stage < stageCount && (force || filter != states.filter[stage])) {
        states.filter[stage] = filter;
        UpdateTextureFilter(stage);
    }
}

void RenderSystem::SetTextureAdressU(uint32_t stage, uint32_t mode)
{
    if (stage < stageCount && (force || mode != states.addressU[stage])) {
        states.addressU[stage] = mode;
        UpdateTextureAdressU(stage);
    }
}

void RenderSystem::SetTextureAdressV(uint32_t stage, uint32_t mode)
{
    if (stage < stageCount && (force || mode != states.addressV[stage])) {
        states.addressV[stage] = mode;
        UpdateTextureAdressV(stage);
    }
}

void RenderSystem::SetTextureMatrix(uint32_t stage, float scaleU, float scaleV, float offsetU,
                                    float offsetV)
{
    if (stage >= stageCount) {
        return;
    }
    TextureMatrix& m = states.textureMatrix[stage];
    if (force || Abs(scaleU - m.scaleU) > kTolerance || Abs(scaleV - m.scaleV) > kTolerance ||
        Abs(offsetU - m.offsetU) > kTolerance || Abs(offsetV - m.offsetV) > kTolerance) {
        m = TextureMatrix{scaleU, scaleV, offsetU, offsetV};
        UpdateTextureMatrix(stage);
    }
}

void RenderSystem::SetCullMode(uint32_t mode)
{
    if (force || mode != states.cullMode) {
        states.cullMode = mode;
        UpdateCullMode();
    }
}

void RenderSystem::SetLighting(bool enable)
{
    if (force || enable != states.lighting) {
        states.lighting = enable;
        UpdateLighting();
    }
}

void RenderSystem::SetNormalizeNormals(bool enable)
{
    if (force || enable != states.normalizeNormals) {
        states.normalizeNormals = enable;
        UpdateNormalizeNormals();
    }
}

void RenderSystem::SetZ(bool enable)
{
    if (force || enable != states.z) {
        states.z = enable;
        UpdateZ();
    }
}

void RenderSystem::SetZWrite(bool enable)
{
    if (force || enable != states.zWrite) {
        states.zWrite = enable;
        UpdateZWrite();
    }
}

void RenderSystem::SetStencil(bool enable)
{
    if (force || enable != states.stencil) {
        states.stencil = enable;
        UpdateStencil();
    }
}

bool RenderSystem::ForgetTexture(const Texture2D* texture)
{
    bool found = false;
    for (uint32_t stage = 0; stage < states.texture.size(); ++stage) {
        if (texture != nullptr && states.texture[stage] == texture) {
            states.texture[stage] = nullptr;
            UpdateTexture(stage);
            found = true;
        }
    }
    return found;
}

} // namespace ZorvaneEngine
