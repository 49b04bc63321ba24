#include "engine/graphics/VertexBuffer.h"

#include <algorithm>
#include <cstring>

namespace ZorvaneEngine {

VertexBuffer::VertexBuffer(uint32_t count, uint32_t usage, bool colors)
    : usage(usage),
      colors(colors),
      stride(colors ? kColorStride : kStride),
      count(count),
      vertices(std::make_unique<uint8_t[]>(static_cast<size_t>(count) * stride))
{
}

VertexBuffer::~VertexBuffer() = default;

uint8_t* VertexBuffer::Lock(uint32_t first, uint32_t lockCount)
{
    if (first > count || (first == count && lockCount > 0)) {
        return nullptr;
    }
    lockedFirst = first;
    lockedCount = std::min(lockCount, count - first);
    locked = true;
    return vertices.get() + static_cast<size_t>(first) * stride;
}

void VertexBuffer::Unlock()
{
    locked = false;
}

void VertexBuffer::SetAllColors(const ColorRGBA& color)
{
    if (!colors) {
        return;
    }
    const uint32_t packed = RGBAToColor(color);
    uint8_t* data = Lock(0, count);
    for (uint32_t i = 0; data != nullptr && i < count; ++i) {
        std::memcpy(data + static_cast<size_t>(i) * stride + kColorOffset, &packed, 4);
    }
    Unlock();
}

void VertexBuffer::CopyVertices(const VertexBuffer& source)
{
    const uint32_t n = std::min(count, source.count);
    if (source.colors == colors) {
        std::memcpy(vertices.get(), source.vertices.get(), static_cast<size_t>(n) * stride);
        return;
    }
    for (uint32_t i = 0; i < n; ++i) {
        const uint8_t* from = source.vertices.get() + static_cast<size_t>(i) * source.stride;
        uint8_t* to = vertices.get() + static_cast<size_t>(i) * stride;
        std::memcpy(to, from, kColorOffset);
        std::memcpy(to + GetTexCoordOffset(), from + source.GetTexCoordOffset(), 8);
    }
    SetAllColors(ColorRGBA(1, 1, 1, 1));
}

} // namespace ZorvaneEngine
