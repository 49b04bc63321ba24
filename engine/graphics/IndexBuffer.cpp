#include "engine/graphics/IndexBuffer.h"

#include <algorithm>
#include <cstring>

namespace ZorvaneEngine {

IndexBuffer::IndexBuffer(uint32_t usage, uint32_t count)
    : usage(usage),
      wide(count > kMax16BitCount),
      indexSize(wide ? 4 : 2),
      count(count),
      capacity(count),
      indices(std::make_unique<uint8_t[]>(static_cast<size_t>(count) * indexSize))
{
}

IndexBuffer::~IndexBuffer() = default;

void* IndexBuffer::Lock(uint32_t first, uint32_t lockCount)
{
    if (first > count || (first == count && lockCount > 0)) {
        return nullptr;
    }
    lockedFirst = first;
    lockedCount = std::min(lockCount, count - first);
    locked = true;
    rangeDirty = true;
    return indices.get() + static_cast<size_t>(first) * indexSize;
}

void IndexBuffer::Unlock()
{
    locked = false;
}

namespace {

// Writes one index of the given width into a locked range.
void PutIndex(void* locked, bool wide, uint32_t at, uint32_t value)
{
    if (wide)
        static_cast<uint32_t*>(locked)[at] = value;
    else
        static_cast<uint16_t*>(locked)[at] = static_cast<uint16_t>(value);
}

} // namespace

void IndexBuffer::WriteSequentialIndices(uint32_t total)
{
    void* locked = Lock(0, total);
    if (locked == nullptr)
        return;
    for (uint32_t i = 0; i < total; ++i)
        PutIndex(locked, wide, i, i);
    Unlock();
}

void IndexBuffer::WriteQuadListIndices(uint32_t quads)
{
    void* locked = Lock(0, 6 * quads);
    if (locked == nullptr)
        return;
    static constexpr uint32_t corner[6] = {0, 1, 2, 2, 1, 3};
    for (uint32_t quad = 0; quad < quads; ++quad)
        for (uint32_t k = 0; k < 6; ++k)
            PutIndex(locked, wide, 6 * quad + k, 4 * quad + corner[k]);
    Unlock();
}

uint32_t IndexBuffer::GetIndex(uint32_t i) const
{
    const uint8_t* at = indices.get() + static_cast<size_t>(i) * indexSize;
    if (wide) {
        uint32_t value;
        std::memcpy(&value, at, 4);
        return value;
    }
    uint16_t value;
    std::memcpy(&value, at, 2);
    return value;
}

void IndexBuffer::UpdateRange()
{
    if (!rangeDirty) {
        return;
    }
    rangeDirty = false;
    if (count == 0) {
        minIndex = 0;
        indexRange = 0;
        return;
    }
    uint32_t lowest = GetIndex(0);
    uint32_t highest = lowest;
    for (uint32_t i = 1; i < count; ++i) {
        const uint32_t index = GetIndex(i);
        lowest = std::min(lowest, index);
        highest = std::max(highest, index);
    }
    minIndex = lowest;
    indexRange = highest - lowest + 1;
}

void IndexBuffer::SetCount(uint32_t inUse)
{
    const uint32_t clamped = std::min(inUse, capacity);
    if (clamped != count) {
        count = clamped;
        rangeDirty = true;
    }
}

void IndexBuffer::CopyIndices(const IndexBuffer& source)
{
    const uint32_t n = std::min(capacity, source.capacity);
    if (source.wide == wide) {
        std::memcpy(indices.get(), source.indices.get(), static_cast<size_t>(n) * indexSize);
    }
    count = std::min(source.count, capacity);
    minIndex = source.minIndex;
    indexRange = source.indexRange;
    rangeDirty = true;
}

} // namespace ZorvaneEngine
