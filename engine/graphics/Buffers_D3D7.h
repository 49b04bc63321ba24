#pragma once
// The Direct3D 7 renderer's vertex and index buffers: the arrays themselves
// plus the renderer that made them and the D3DCOLOR packing of colours.
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/VertexBuffer.h"

namespace ZorvaneEngine {

class RenderSystem_D3D7;

class VertexBuffer_D3D7 : public VertexBuffer {
public:
    VertexBuffer_D3D7(RenderSystem_D3D7* renderer, uint32_t count, uint32_t usage, bool colors);

    // Each byte times 1/255.
    ColorRGBA ColorToRGBA(uint32_t color) const override;
    // Each channel clamped to 0..1, times 255, rounded to nearest.
    uint32_t RGBAToColor(const ColorRGBA& color) const override;

    RenderSystem_D3D7* GetRenderer() const { return renderer; }

private:
    RenderSystem_D3D7* renderer;
};

class IndexBuffer_D3D7 : public IndexBuffer {
public:
    IndexBuffer_D3D7(RenderSystem_D3D7* renderer, uint32_t usage, uint32_t count);

    RenderSystem_D3D7* GetRenderer() const { return renderer; }

private:
    RenderSystem_D3D7* renderer;
};

} // namespace ZorvaneEngine
