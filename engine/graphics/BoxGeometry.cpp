#include "engine/graphics/BoxGeometry.h"

namespace ZorvaneEngine {

std::array<BoxFace, kBoxFaceCount> BoxFaces(const Vector3& minimum, const Vector3& maximum)
{
    const float x0 = minimum.x, y0 = minimum.y, z0 = minimum.z;
    const float x1 = maximum.x, y1 = maximum.y, z1 = maximum.z;
    return {{
        {{0, 0, -1}, {{x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}}, {{1, 0}, {1, 1}, {0, 1}, {0, 0}}},
        {{0, 0, 1}, {{x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {{0, -1, 0}, {{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {{1, 0, 0}, {{x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {{0, 1, 0}, {{x1, y1, z0}, {x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {{-1, 0, 0}, {{x0, y1, z0}, {x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}},
    }};
}

std::array<uint32_t, 6> BoxFaceIndices(uint32_t face)
{
    const uint32_t first = 4 * face;
    return {first, first + 1, first + 2, first + 2, first + 3, first};
}

} // namespace ZorvaneEngine
