#pragma once
// Rotations as quaternions (x, y, z, w), w the scalar part. Used unnormalised
// where the data gives them so: the matrix divides by the squared length.
#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

struct Quaternion {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;

    Quaternion() = default;
    Quaternion(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}
};

// The Hamilton product a ⊗ b: rotating by it rotates by b first, then by a.
Quaternion MultiplyQuaternion(const Quaternion& a, const Quaternion& b);
// The rotation matrix (upper 3 × 3; no translation). A zero quaternion, which
// has no rotation, gives identity instead of a matrix of infinities.
Matrix4 QuaternionToMatrix(const Quaternion& q);
// Spherical interpolation from a (t = 0) to b (t = 1) along the shorter arc;
// linear when the two are nearly equal. The result is not renormalised.
Quaternion Slerp(const Quaternion& a, const Quaternion& b, float t);

} // namespace ZorvaneEngine
