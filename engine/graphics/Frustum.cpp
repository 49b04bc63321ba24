#include "engine/graphics/Frustum.h"

#include "engine/core/BoundingBox.h"

namespace ZorvaneEngine {

namespace {

// Column a of m plus sign × column b: the clip-space test w ± x ≥ 0 written
// as a plane in the space m maps from.
Plane Combine(const Matrix4& m, int a, int b, float sign)
{
    Plane plane;
    plane.normal = Vector3(m[a] + sign * m[b], m[4 + a] + sign * m[4 + b],
                           m[8 + a] + sign * m[8 + b]);
    plane.d = m[12 + a] + sign * m[12 + b];
    plane.Normalize();
    return plane;
}

} // namespace

void Frustum::Build(const Matrix4& projection, const Matrix4& view, Frustum& frustum)
{
    Matrix4 m;
    MultiplyMatrix(m, view, projection);
    frustum.planes[Right] = Combine(m, 3, 0, -1.0f);
    frustum.planes[Left] = Combine(m, 3, 0, 1.0f);
    frustum.planes[Bottom] = Combine(m, 3, 1, 1.0f);
    frustum.planes[Top] = Combine(m, 3, 1, -1.0f);
    frustum.planes[Far] = Combine(m, 3, 2, -1.0f);
    frustum.planes[Near] = Combine(m, 3, 2, 1.0f);
}

bool Frustum::IsSphereVisible(const BoundingBox& box) const
{
    const Vector3& c = box.center;
    for (const Plane& plane : planes) {
        float value = plane.normal.x * c.x;
        value += plane.normal.y * c.y;
        value += plane.normal.z * c.z;
        value += plane.d;
        if (value <= -box.radius) {
            return false;
        }
    }
    return true;
}

} // namespace ZorvaneEngine
