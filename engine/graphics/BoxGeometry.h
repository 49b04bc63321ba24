#pragma once
// The faces of the engine's axis-aligned box model. Face f's four corners
// are vertices 4f to 4f + 3, each with the face's normal, drawn as the
// triangles (4f, 4f + 1, 4f + 2) and (4f + 2, 4f + 3, 4f). Model files
// written for tests hold the same box, so both build it from here.
#include <array>
#include <cstdint>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

struct BoxFace {
    Vector3 normal;
    Vector3 corners[4];
    float uv[4][2];  // texture coordinate of each corner
};

constexpr uint32_t kBoxFaceCount = 6;

// Faces -z, +z, -y, +x, +y, -x of the box from minimum to maximum.
std::array<BoxFace, kBoxFaceCount> BoxFaces(const Vector3& minimum, const Vector3& maximum);
// The six indices of face f's two triangles.
std::array<uint32_t, 6> BoxFaceIndices(uint32_t face);

} // namespace ZorvaneEngine
