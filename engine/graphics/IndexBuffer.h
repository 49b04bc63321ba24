#pragma once
// Triangle indices in main memory: 16-bit, or 32-bit when there are more
// than 65535 of them. The count in use may be lowered below the capacity
// (sprite groups do it every frame); locking, the range and drawing then use
// the lowered count. The range (smallest index and largest − smallest + 1)
// is computed again after any change, before drawing.
#include <cstdint>
#include <memory>

namespace ZorvaneEngine {

class IndexBuffer {
public:
    static constexpr uint32_t kMax16BitCount = 65535;

    // The contents start undefined.
    IndexBuffer(uint32_t usage, uint32_t count);
    virtual ~IndexBuffer();

    IndexBuffer(const IndexBuffer&) = delete;
    IndexBuffer& operator=(const IndexBuffer&) = delete;

    // A pointer to index first (uint16_t or uint32_t by GetIndexSize). The
    // range is cut to the count in use; a first index past it gives null.
    virtual void* Lock(uint32_t first, uint32_t count);
    virtual void Unlock();
    virtual void PrepareForDraw() {}

    // Brings the minimum and the range up to date when an index changed.
    void UpdateRange();
    // Lowers (or raises, up to the capacity) the count in use.
    void SetCount(uint32_t inUse);
    // Size, width, indices and count of source, which has the same capacity.
    void CopyIndices(const IndexBuffer& source);
    // Writes 0, 1, ..., count - 1 from the first index (a strip of one quad).
    void WriteSequentialIndices(uint32_t count);
    // Writes quads quad lists: quad i is the triangles (4i, 4i+1, 4i+2) and
    // (4i+2, 4i+1, 4i+3), six indices each, from the first index.
    void WriteQuadListIndices(uint32_t quads);

    uint32_t GetUsage() const { return usage; }
    bool Is32Bit() const { return wide; }
    uint32_t GetIndexSize() const { return indexSize; }
    uint32_t GetCount() const { return count; }
    uint32_t GetCapacity() const { return capacity; }
    uint32_t GetIndex(uint32_t i) const;
    const void* GetIndices() const { return indices.get(); }
    bool IsLocked() const { return locked; }
    bool IsRangeDirty() const { return rangeDirty; }
    uint32_t GetMinIndex() const { return minIndex; }
    uint32_t GetIndexRange() const { return indexRange; }

protected:
    uint32_t usage;
    bool wide;
    uint32_t indexSize;
    uint32_t count;
    uint32_t capacity;
    std::unique_ptr<uint8_t[]> indices;
    bool locked = false;
    uint32_t lockedFirst = 0;
    uint32_t lockedCount = 0;
    bool rangeDirty = true;
    uint32_t minIndex = 0;
    uint32_t indexRange = 0;
};

} // namespace ZorvaneEngine
