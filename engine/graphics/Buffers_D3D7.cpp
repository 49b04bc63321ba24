#include "engine/graphics/Buffers_D3D7.h"

namespace ZorvaneEngine {

namespace {

uint32_t ChannelByte(float value)
{
    if (value >= 1.0f) {
        return 255;
    }
    if (value <= 0.0f) {
        return 0;
    }
    return static_cast<uint32_t>(value * 255.0f + 0.5f);
}

} // namespace

VertexBuffer_D3D7::VertexBuffer_D3D7(RenderSystem_D3D7* renderer, uint32_t count, uint32_t usage,
                                     bool colors)
    : VertexBuffer(count, usage, colors), renderer(renderer)
{
}

ColorRGBA VertexBuffer_D3D7::ColorToRGBA(uint32_t color) const
{
    const float scale = 1.0f / 255.0f;
    return ColorRGBA(static_cast<float>((color >> 16) & 0xFF) * scale,
                     static_cast<float>((color >> 8) & 0xFF) * scale,
                     static_cast<float>(color & 0xFF) * scale,
                     static_cast<float>(color >> 24) * scale);
}

uint32_t VertexBuffer_D3D7::RGBAToColor(const ColorRGBA& color) const
{
    return ChannelByte(color.a) << 24 | ChannelByte(color.r) << 16 | ChannelByte(color.g) << 8 |
           ChannelByte(color.b);
}

IndexBuffer_D3D7::IndexBuffer_D3D7(RenderSystem_D3D7* renderer, uint32_t usage, uint32_t count)
    : IndexBuffer(usage, count), renderer(renderer)
{
}

} // namespace ZorvaneEngine
