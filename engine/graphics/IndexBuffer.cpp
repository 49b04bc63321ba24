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
