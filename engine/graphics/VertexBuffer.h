#pragma once
// Vertices in main memory, drawn straight from this array. The layout is
// fixed: position (three floats), normal (three floats), then, only in a
// buffer with colours, the colour as a D3DCOLOR (alpha, red, green, blue from
// high to low byte), then the texture coordinates u, v. Stride 32 bytes
// without colour, 36 with; the colour sits at byte 24.
#include <cstdint>
#include <memory>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class VertexBuffer {
public:
    static constexpr uint16_t kStride = 32;
    static constexpr uint16_t kColorStride = 36;
    static constexpr uint32_t kNormalOffset = 12;
    static constexpr uint32_t kColorOffset = 24;

    // usage is kept for the owner and has no effect on drawing. The contents
    // start undefined.
    VertexBuffer(uint32_t count, uint32_t usage, bool colors);
    virtual ~VertexBuffer();

    VertexBuffer(const VertexBuffer&) = delete;
    VertexBuffer& operator=(const VertexBuffer&) = delete;

    virtual void Unlock();
    virtual void PrepareForDraw() {}
    virtual ColorRGBA ColorToRGBA(uint32_t color) const = 0;
    virtual uint32_t RGBAToColor(const ColorRGBA& color) const = 0;
    // A pointer to vertex first inside the buffer's own array. The range is
    // cut to the buffer; a first vertex past the end gives null.
    virtual uint8_t* Lock(uint32_t first, uint32_t count);

    // Every vertex gets this colour; nothing without colours.
    void SetAllColors(const ColorRGBA& color);
    // This buffer's vertices from source, which has as many: equal layouts
    // copy the bytes; otherwise position, normal and texture coordinates are
    // copied and added colours are white.
    void CopyVertices(const VertexBuffer& source);

    uint32_t GetUsage() const { return usage; }
    bool HasColors() const { return colors; }
    uint16_t GetStride() const { return stride; }
    uint32_t GetCount() const { return count; }
    uint32_t GetTexCoordOffset() const { return colors ? kColorOffset + 4 : kColorOffset; }
    const uint8_t* GetVertices() const { return vertices.get(); }
    bool IsLocked() const { return locked; }
    uint32_t GetLockedFirst() const { return lockedFirst; }
    uint32_t GetLockedCount() const { return lockedCount; }

protected:
    uint32_t usage;
    bool colors;
    uint16_t stride;
    uint32_t count;
    std::unique_ptr<uint8_t[]> vertices;
    bool locked = false;
    uint32_t lockedFirst = 0;
    uint32_t lockedCount = 0;
};

} // namespace ZorvaneEngine
