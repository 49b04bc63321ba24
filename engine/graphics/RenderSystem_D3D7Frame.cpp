// The frame side of the Direct3D 7 renderer: clear, scene, present,
// drawing, the buffer factories, and the mapping of the cached states to
// the device.
#include <algorithm>
#include <cstring>

#include "engine/core/Config.h"
#include "engine/core/Window.h"
#include "engine/graphics/Buffers_D3D7.h"
#include "engine/graphics/RenderSystem_D3D7.h"

namespace ZorvaneEngine {

using namespace Platform;

namespace {

constexpr uint32_t kPlainFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
constexpr uint32_t kColorFormat = kPlainFormat | D3DFVF_DIFFUSE;

// 0..1 times 255, truncated. Channels out of range are clamped: unclamped,
// a value above 1 would carry into the neighbouring byte.
uint32_t ChannelByte(float value)
{
    if (value >= 1.0f) {
        return 255;
    }
    if (value <= 0.0f) {
        return 0;
    }
    return static_cast<uint32_t>(value * 255.0f);
}

D3DCOLOR ToD3DColor(const ColorRGBA& c)
{
    return ChannelByte(c.a) << 24 | ChannelByte(c.r) << 16 | ChannelByte(c.g) << 8 | ChannelByte(c.b);
}

ColorValue ToColorValue(const ColorRGBA& c)
{
    return ColorValue{c.r, c.g, c.b, c.a};
}

Platform::Matrix ToDeviceMatrix(const Matrix4& m)
{
    Platform::Matrix result;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            result.m[row][column] = m[row * 4 + column];
        }
    }
    return result;
}

uint32_t DeviceBlend(uint32_t code)
{
    switch (code) {
    case 0:
    case BlendOne: return D3DBLEND_ONE;
    case BlendDestColor: return D3DBLEND_DESTCOLOR;
    case BlendInvDestColor: return D3DBLEND_INVDESTCOLOR;
    case BlendSrcAlpha: return D3DBLEND_SRCALPHA;
    case BlendInvSrcAlpha: return D3DBLEND_INVSRCALPHA;
    case BlendDestAlpha: return D3DBLEND_DESTALPHA;
    case BlendInvDestAlpha: return D3DBLEND_INVDESTALPHA;
    case BlendSrcAlphaSat: return D3DBLEND_SRCALPHASAT;
    case BlendSrcColor: return D3DBLEND_SRCCOLOR;
    case BlendInvSrcColor: return D3DBLEND_INVSRCCOLOR;
    default: return D3DBLEND_ZERO;
    }
}

} // namespace

void RenderSystem_D3D7::BeginScene()
{
    if (device == nullptr) {
        return;
    }
    const char* tag = "RenderSystem_D3D7::BeginScene";
    if (clearFlags != 0) {
        uint32_t flags = 0;
        if ((clearFlags & 1) != 0) {
            flags |= D3DCLEAR_TARGET;
        }
        if ((clearFlags & 2) != 0) {
            flags |= D3DCLEAR_ZBUFFER;
        }
        if (stencilPresent) {
            flags |= D3DCLEAR_STENCIL;
        }
        ReportError(tag, device->Clear(0, nullptr, flags, ToD3DColor(clearColor), 1.0f, 0));
    }
    HRESULT hr = device->BeginScene();
    if (hr == DDERR_SURFACELOST) {
        ReportError(tag, directDraw->RestoreAllSurfaces());
        hr = device->BeginScene();
    }
    ReportError(tag, hr);
}

void RenderSystem_D3D7::EndScene()
{
    if (device == nullptr) {
        return;
    }
    HRESULT hr = device->EndScene();
    if (hr == DDERR_SURFACELOST) {
        hr = directDraw->RestoreAllSurfaces();
    }
    ReportError("RenderSystem_D3D7::EndScene", hr);
}

void RenderSystem_D3D7::SwapBuffers()
{
    if (!ready || primarySurface == nullptr || backBuffer == nullptr) {
        return;
    }
    HRESULT hr = DD_OK;
    if (GetSelectedDevice()->fullscreen) {
        hr = primarySurface->Flip(nullptr, config->verticalSync ? DDFLIP_WAIT
                                                                : DDFLIP_WAIT | DDFLIP_NOVSYNC);
    } else {
        // The windowing area offers the window's rectangle in screen
        // coordinates; a window without a frame has it equal to the client's.
        Platform::Rect target;
        if (!GetWindowing().GetWindowRect(window->handle, target)) {
            const ModeInfo* mode = GetSelectedMode();
            target = Platform::Rect{0, 0, static_cast<int32_t>(mode->width),
                                    static_cast<int32_t>(mode->height)};
        }
        if (config->verticalSync) {
            directDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN);
        }
        hr = primarySurface->Blt(&target, backBuffer, nullptr, DDBLT_WAIT);
    }
    if (hr == DDERR_SURFACELOST) {
        ReportError("RenderSystem_D3D7::SwapBuffers", directDraw->RestoreAllSurfaces());
    }
}

void RenderSystem_D3D7::DrawIndexedPrimitive(bool strip, IndexBuffer* indices,
                                             VertexBuffer* vertices, uint32_t primitiveCount)
{
    if (device == nullptr || indices == nullptr || vertices == nullptr || primitiveCount == 0) {
        return;
    }
    const char* tag = "RenderSystem_D3D7::DrawIndexedPrimitive";
    vertices->PrepareForDraw();
    indices->PrepareForDraw();
    const uint64_t indexCount =
        strip ? static_cast<uint64_t>(primitiveCount) + 2 : static_cast<uint64_t>(primitiveCount) * 3;
    indices->UpdateRange();
    const uint64_t vertexCount =
        static_cast<uint64_t>(indices->GetMinIndex()) + indices->GetIndexRange();
    // More indices than the buffer holds, or an index past the vertices,
    // would have the device read beyond the arrays.
    if (indexCount > indices->GetCount() || vertexCount > vertices->GetCount()) {
        ReportError(tag, DDERR_INVALIDPARAMS);
        return;
    }
    if (indices->Is32Bit()) {
        DrawWideIndices(strip, *indices, *vertices, static_cast<uint32_t>(indexCount));
        return;
    }
    ReportError(tag, device->DrawIndexedPrimitive(
                         strip ? D3DPT_TRIANGLESTRIP : D3DPT_TRIANGLELIST,
                         vertices->HasColors() ? kColorFormat : kPlainFormat, vertices->GetVertices(),
                         static_cast<uint32_t>(vertexCount),
                         static_cast<const uint16_t*>(indices->GetIndices()),
                         static_cast<uint32_t>(indexCount), 0));
}

void RenderSystem_D3D7::DrawWideIndices(bool strip, const IndexBuffer& indices,
                                        const VertexBuffer& vertices, uint32_t indexCount)
{
    constexpr uint32_t kNone = UINT32_MAX;
    // Pieces of at most 65535 indices, so at most 65535 distinct vertices.
    // A strip piece holds an even number of triangles and overlaps the next
    // by two indices, which keeps every triangle's winding.
    const uint32_t step = strip ? 65532 : 65535;
    const uint32_t overlap = strip ? 2 : 0;
    const uint32_t stride = vertices.GetStride();
    scratchMap.assign(vertices.GetCount(), kNone);
    for (uint32_t first = 0; first + overlap < indexCount; first += step) {
        const uint32_t end = std::min(indexCount, first + step + overlap);
        scratchIndices.clear();
        scratchVertices.clear();
        uint32_t used = 0;
        for (uint32_t i = first; i < end; ++i) {
            const uint32_t index = indices.GetIndex(i);
            if (scratchMap[index] == kNone) {
                scratchMap[index] = used++;
                const uint8_t* vertex = vertices.GetVertices() + static_cast<size_t>(index) * stride;
                scratchVertices.insert(scratchVertices.end(), vertex, vertex + stride);
            }
            scratchIndices.push_back(static_cast<uint16_t>(scratchMap[index]));
        }
        ReportError("RenderSystem_D3D7::DrawIndexedPrimitive",
                    device->DrawIndexedPrimitive(strip ? D3DPT_TRIANGLESTRIP : D3DPT_TRIANGLELIST,
                                                 vertices.HasColors() ? kColorFormat : kPlainFormat,
                                                 scratchVertices.data(), used, scratchIndices.data(),
                                                 static_cast<uint32_t>(scratchIndices.size()), 0));
        for (uint32_t i = first; i < end; ++i) {
            scratchMap[indices.GetIndex(i)] = kNone;
        }
    }
}

VertexBuffer* RenderSystem_D3D7::CreateVertexBuffer(uint32_t count, uint32_t usage, bool colors)
{
    auto* buffer = new VertexBuffer_D3D7(this, count, usage, colors);
    buffer->SetAllColors(ColorRGBA(1, 1, 1, 1));
    return buffer;
}

VertexBuffer* RenderSystem_D3D7::ConvertVertexBuffer(uint32_t usage, bool colors,
                                                     const VertexBuffer& source)
{
    auto* buffer = new VertexBuffer_D3D7(this, source.GetCount(), usage, colors);
    buffer->CopyVertices(source);
    return buffer;
}

VertexBuffer* RenderSystem_D3D7::CloneVertexBuffer(const VertexBuffer& source)
{
    return ConvertVertexBuffer(source.GetUsage(), source.HasColors(), source);
}

IndexBuffer* RenderSystem_D3D7::CreateIndexBuffer(uint32_t usage, uint32_t count)
{
    return new IndexBuffer_D3D7(this, usage, count);
}

IndexBuffer* RenderSystem_D3D7::ConvertIndexBuffer(uint32_t usage, const IndexBuffer& source)
{
    auto* buffer = new IndexBuffer_D3D7(this, usage, source.GetCapacity());
    buffer->CopyIndices(source);
    return buffer;
}

IndexBuffer* RenderSystem_D3D7::CloneIndexBuffer(const IndexBuffer& source)
{
    return ConvertIndexBuffer(source.GetUsage(), source);
}

void RenderSystem_D3D7::SetMaterial(const ColorRGBA& ambient, const ColorRGBA& diffuse,
                                    const ColorRGBA& specular, const ColorRGBA& emissive,
                                    float power)
{
    if (device == nullptr) {
        return;
    }
    Platform::Material material;
    material.ambient = ToColorValue(ambient);
    material.diffuse = ToColorValue(diffuse);
    material.specular = ToColorValue(specular);
    material.emissive = ToColorValue(emissive);
    material.power = power;
    ReportError("RenderSystem_D3D7::SetMaterial", device->SetMaterial(material));
}

void RenderSystem_D3D7::SetDefaultStates()
{
    RenderSystem::SetDefaultStates();
    if (device == nullptr) {
        return;
    }
    const char* tag = "RenderSystem_D3D7::SetDefaultStates";
    for (uint32_t stage = 0; stage < stageCount; ++stage) {
        ReportError(tag, device->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2));
        ReportError(tag, device->SetTextureStageState(stage, D3DTSS_TEXCOORDINDEX, 0));
        ReportError(tag, device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE));
        ReportError(tag, device->SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE));
        ReportError(tag, device->SetTextureStageState(stage, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE));
        ReportError(tag, device->SetTextureStageState(stage, D3DTSS_ALPHAOP,
                                                      stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE));
    }
    ReportError(tag, device->SetRenderState(D3DRENDERSTATE_COLORVERTEX, 1));
    ReportError(tag, device->SetRenderState(D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1));
    ReportError(tag, device->SetRenderState(D3DRENDERSTATE_AMBIENTMATERIALSOURCE, D3DMCS_COLOR1));
    ReportError(tag, device->SetRenderState(D3DRENDERSTATE_ZFUNC, D3DCMP_LESS));
    if (stencilPresent) {
        // With the stencil cleared to 0 every frame, a draw with the stencil
        // test on covers each pixel at most once per frame.
        ReportError(tag, device->SetRenderState(D3DRENDERSTATE_STENCILFUNC, D3DCMP_EQUAL));
        ReportError(tag, device->SetRenderState(D3DRENDERSTATE_STENCILREF, 0));
        ReportError(tag, device->SetRenderState(D3DRENDERSTATE_STENCILMASK, 0xFFFFFFFFu));
        ReportError(tag, device->SetRenderState(D3DRENDERSTATE_STENCILFAIL, D3DSTENCILOP_KEEP));
        ReportError(tag, device->SetRenderState(D3DRENDERSTATE_STENCILZFAIL, D3DSTENCILOP_KEEP));
        ReportError(tag, device->SetRenderState(D3DRENDERSTATE_STENCILPASS, D3DSTENCILOP_INCR));
    }
}

void RenderSystem_D3D7::UpdateProjectionMatrix()
{
    if (device != nullptr) {
        ReportError("RenderSystem_D3D7::UpdateProjectionMatrix",
                    device->SetTransform(D3DTRANSFORMSTATE_PROJECTION, ToDeviceMatrix(states.projection)));
    }
}

void RenderSystem_D3D7::UpdateViewMatrix()
{
    if (device == nullptr) {
        return;
    }
    // The device's view space has z mirrored from the engine's: the third
    // column is negated.
    Platform::Matrix view = ToDeviceMatrix(states.view);
    for (auto& row : view.m) {
        row[2] = -row[2];
    }
    ReportError("RenderSystem_D3D7::UpdateViewMatrix", device->SetTransform(D3DTRANSFORMSTATE_VIEW, view));
}

void RenderSystem_D3D7::UpdateWorldMatrix()
{
    if (device == nullptr) {
        return;
    }
    // World matrices act on column vectors; the device takes row vectors.
    Platform::Matrix world;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            world.m[row][column] = states.world[column * 4 + row];
        }
    }
    ReportError("RenderSystem_D3D7::UpdateWorldMatrix", device->SetTransform(D3DTRANSFORMSTATE_WORLD, world));
}

void RenderSystem_D3D7::UpdateAmbientColor()
{
    if (device != nullptr) {
        ReportError("RenderSystem_D3D7::UpdateAmbientColor",
                    device->SetRenderState(D3DRENDERSTATE_AMBIENT, ToD3DColor(states.ambient)));
    }
}

void RenderSystem_D3D7::UpdateAlphaBlend()
{
    if (device != nullptr) {
        ReportError("RenderSystem_D3D7::UpdateAlphaBlend",
                    device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, states.alphaBlend ? 1 : 0));
    }
}

void RenderSystem_D3D7::UpdateBlend()
{
    if (device == nullptr) {
        return;
    }
    const char* tag = "RenderSystem_D3D7::UpdateBlend";
    ReportError(tag, device->SetRenderState(D3DRENDERSTATE_SRCBLEND, DeviceBlend(states.sourceBlend)));
    ReportError(tag, device->SetRenderState(D3DRENDERSTATE_DESTBLEND, DeviceBlend(states.destinationBlend)));
}

void RenderSystem_D3D7::UpdateTexture(uint32_t stage)
{
    if (device == nullptr) {
        return;
    }
    Texture2D* texture = states.texture[stage];
    ReportError("RenderSystem_D3D7::UpdateTexture",
                device->SetTexture(stage, texture != nullptr ? TextureSurface(texture) : nullptr));
}

void RenderSystem_D3D7::UpdateMaxTextureAnisotropy(uint32_t stage)
{
    if (device != nullptr) {
        ReportError("RenderSystem_D3D7::UpdateMaxTextureAnisotropy",
                    device->SetTextureStageState(stage, D3DTSS_MAXANISOTROPY, states.maxAnisotropy[stage]));
    }
}

void RenderSystem_D3D7::UpdateTextureFilter(uint32_t stage)
{
    if (device == nullptr) {
        return;
    }
    uint32_t mag = 0, min = 0, mip = 0;
    switch (states.filter[stage]) {
    case FilterPoint:
        mag = D3DTFG_POINT;
        min = D3DTFN_POINT;
        mip = D3DTFP_NONE;
        break;
    case FilterBilinear:
        mag = D3DTFG_LINEAR;
        min = D3DTFN_LINEAR;
        mip = D3DTFP_NONE;
        break;
    case FilterTrilinear:
        if (config->textureAnisotropy > 1) {
            mag = D3DTFG_ANISOTROPIC;
            min = D3DTFN_ANISOTROPIC;
        } else {
            mag = D3DTFG_LINEAR;
            min = D3DTFN_LINEAR;
        }
        mip = D3DTFP_LINEAR;
        break;
    default:
        return;
    }
    const char* tag = "RenderSystem_D3D7::UpdateTextureFilter";
    ReportError(tag, device->SetTextureStageState(stage, D3DTSS_MAGFILTER, mag));
    ReportError(tag, device->SetTextureStageState(stage, D3DTSS_MINFILTER, min));
    ReportError(tag, device->SetTextureStageState(stage, D3DTSS_MIPFILTER, mip));
}

void RenderSystem_D3D7::UpdateTextureAdressU(uint32_t stage)
{
    if (device != nullptr) {
        ReportError("RenderSystem_D3D7::UpdateTextureAdressU",
                    device->SetTextureStageState(stage, D3DTSS_ADDRESSU,
                                                 states.addressU[stage] == AddressClamp
                                                     ? D3DTADDRESS_CLAMP
                                                     : D3DTADDRESS_WRAP));
    }
}

void RenderSystem_D3D7::UpdateTextureAdressV(uint32_t stage)
{
    if (device != nullptr) {
        ReportError("RenderSystem_D3D7::UpdateTextureAdressV",
                    device->SetTextureStageState(stage, D3DTSS_ADDRESSV,
                                                 states.addressV[stage] == AddressClamp
                                                     ? D3DTADDRESS_CLAMP
                                                     : D3DTADDRESS_WRAP));
    }
}

void RenderSystem_D3D7::UpdateTextureMatrix(uint32_t stage)
{
    if (device == nullptr) {
        return;
    }
    // The device feeds (u, v, 1): the offset sits in the third row.
    const TextureMatrix& t = states.textureMatrix[stage];
    Platform::Matrix m;
    m.m[0][0] = t.scaleU;
    m.m[1][1] = t.scaleV;
    m.m[2][0] = t.offsetU;
    m.m[2][1] = t.offsetV;
    ReportError("RenderSystem_D3D7::UpdateTextureMatrix",
                device->SetTransform(static_cast<TransformStateType>(D3DTRANSFORMSTATE_TEXTURE0 + stage), m));
}

void RenderSystem_D3D7::UpdateCullMode()
{
    if (device == nullptr) {
        return;
    }
    uint32_t cull = D3DCULL_NONE;
    if (states.cullMode == CullClockwise) {
        cull = D3DCULL_CW;
    } else if (states.cullMode == CullCounterClockwise) {
        cull = D3DCULL_CCW;
    }
    ReportError("RenderSystem_D3D7::UpdateCullMode", device->SetRenderState(D3DRENDERSTATE_CULLMODE, cull));
}

void RenderSystem_D3D7::UpdateLighting()
{
    if (device != nullptr) {
        ReportError("RenderSystem_D3D7::UpdateLighting",
                    device->SetRenderState(D3DRENDERSTATE_LIGHTING, states.lighting ? 1 : 0));
    }
}

void RenderSystem_D3D7::UpdateNormalizeNormals()
{
    if (device != nullptr) {
        ReportError("RenderSystem_D3D7::UpdateNormalizeNormals",
                    device->SetRenderState(D3DRENDERSTATE_NORMALIZENORMALS, states.normalizeNormals ? 1 : 0));
    }
}

void RenderSystem_D3D7::UpdateZ()
{
    if (device != nullptr) {
        ReportError("RenderSystem_D3D7::UpdateZ", device->SetRenderState(D3DRENDERSTATE_ZENABLE, states.z ? 1 : 0));
    }
}

void RenderSystem_D3D7::UpdateZWrite()
{
    if (device != nullptr) {
        ReportError("RenderSystem_D3D7::UpdateZWrite",
                    device->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, states.zWrite ? 1 : 0));
    }
}

void RenderSystem_D3D7::UpdateStencil()
{
    if (device != nullptr) {
        ReportError("RenderSystem_D3D7::UpdateStencil",
                    device->SetRenderState(D3DRENDERSTATE_STENCILENABLE, states.stencil ? 1 : 0));
    }
}

} // namespace ZorvaneEngine
