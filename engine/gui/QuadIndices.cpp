#include "engine/gui/QuadIndices.h"

#include <cstdint>

#include "engine/graphics/IndexBuffer.h"

namespace ZorvaneEngine {

void WriteQuadIndices(IndexBuffer& indices)
{
    void* target = indices.Lock(0, 4);
    if (target == nullptr) return;
    for (uint32_t i = 0; i < 4; ++i) {
        if (indices.Is32Bit()) {
            static_cast<uint32_t*>(target)[i] = i;
        } else {
            static_cast<uint16_t*>(target)[i] = static_cast<uint16_t>(i);
        }
    }
    indices.Unlock();
}

} // namespace ZorvaneEngine
