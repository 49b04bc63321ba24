#pragma once
// The description a test hands to CreateSurface: the caps, and a size only
// where one is given (a primary surface takes the display mode's).
#include <cstdint>

#include "platform/graphics/DirectDrawTypes.h"

namespace Platform {

inline SurfaceDesc Described(uint32_t caps, uint32_t width = 0, uint32_t height = 0)
{
    SurfaceDesc d;
    d.flags = DDSD_CAPS | (width != 0 ? DDSD_WIDTH | DDSD_HEIGHT : 0);
    d.caps.caps = caps;
    d.width = width;
    d.height = height;
    return d;
}

} // namespace Platform
