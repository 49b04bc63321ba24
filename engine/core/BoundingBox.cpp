#include "engine/core/BoundingBox.h"

#include <algorithm>

namespace ZorvaneEngine {

BoundingBox::BoundingBox(const Vector3& minimum, const Vector3& maximum)
    : localMin(minimum), localMax(maximum)
{
    Update(false);
}

void BoundingBox::Update(bool transformed)
{
    if (transformed) {
        // The sentinels bound the world box: a corner beyond ±100000 does not
        // move the side that starts there.
        worldMin = Vector3(100000.0f, 100000.0f, 100000.0f);
        worldMax = Vector3(-100000.0f, -100000.0f, -100000.0f);
        const float* m = transform.m;
        for (int corner = 0; corner < 8; ++corner) {
            const float x = (corner & 1) ? localMax.x : localMin.x;
            const float y = (corner & 2) ? localMax.y : localMin.y;
            const float z = (corner & 4) ? localMax.z : localMin.z;
            const Vector3 p(m[0] * x + m[1] * y + m[2] * z + m[3], m[4] * x + m[5] * y + m[6] * z + m[7],
                            m[8] * x + m[9] * y + m[10] * z + m[11]);
            worldMin = Vector3(std::min(worldMin.x, p.x), std::min(worldMin.y, p.y), std::min(worldMin.z, p.z));
            worldMax = Vector3(std::max(worldMax.x, p.x), std::max(worldMax.y, p.y), std::max(worldMax.z, p.z));
        }
    } else {
        transform = Matrix4::Identity();
        secondTransform = Matrix4::Identity();
        worldMin = localMin;
        worldMax = localMax;
    }
    halfSize = (worldMax - worldMin) * 0.5f;
    center = worldMin + halfSize;
    radius = Sqrt(halfSize.x * halfSize.x + halfSize.y * halfSize.y + halfSize.z * halfSize.z);
}

bool BoundingBox::Overlaps(const BoundingBox& other) const
{
    return Abs(center.x - other.center.x) <= halfSize.x + other.halfSize.x &&
           Abs(center.y - other.center.y) <= halfSize.y + other.halfSize.y &&
           Abs(center.z - other.center.z) <= halfSize.z + other.halfSize.z;
}

bool BoundingBox::IntersectsSegment(const Ray& ray) const
{
    const Vector3 midpoint = ray.origin + ray.direction * 0.5f;
    const float L = Sqrt(Dot3D(ray.direction, ray.direction)) * 0.5f;
    Vector3 D = ray.direction;
    Normalize3D(D, 1.0f);
    const Vector3 T = center - midpoint;
    const Vector3& h = halfSize;

    if (Abs(T.x) > Abs(D.x) * L + h.x) return false;
    if (Abs(T.y) > Abs(D.y) * L + h.y) return false;
    if (Abs(T.z) > Abs(D.z) * L + h.z) return false;

    if (Abs(D.z * T.y - T.z * D.y) > h.y * Abs(D.z) + Abs(D.y) * h.z) return false;
    if (Abs(T.z * D.x - D.z * T.x) > Abs(D.z) * h.x + Abs(D.x) * h.z) return false;
    if (Abs(D.y * T.x - T.y * D.x) > h.y * Abs(D.x) + Abs(D.y) * h.x) return false;
    return true;
}

} // namespace ZorvaneEngine
