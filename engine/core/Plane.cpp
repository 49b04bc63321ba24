#include "engine/core/Plane.h"

#include <algorithm>

namespace ZorvaneEngine {

Plane::Plane(const Vector3& point, const Vector3& normal) : normal(normal), d(-Dot3D(normal, point))
{
    Normalize();
}

void Plane::SetFromPoints(const Vector3& p0, const Vector3& p1, const Vector3& p2)
{
    normal = Cross3D(p2 - p0, p1 - p0);
    d = -Dot3D(normal, p0);
    Normalize();
}

void Plane::Normalize()
{
    const float l = Sqrt(Dot3D(normal, normal));
    if (Abs(l) < kTolerance) return;
    normal = Vector3(normal.x / l, normal.y / l, normal.z / l);
    d /= l;
}

bool Plane::IntersectRay(const Ray& ray, float& t) const
{
    const float k = Dot3D(normal, ray.direction);
    if (Abs(k) < kTolerance) return false;
    t = -(Dot3D(normal, ray.origin) + d) / k;
    return t > 0.0f;
}

bool IsPointInTriangle(const Plane& plane, const Vector3& P, const Vector3& V0, const Vector3& V1,
                       const Vector3& V2)
{
    // Project onto the two axes the normal leans on least.
    const float nx = Abs(plane.normal.x);
    const float ny = Abs(plane.normal.y);
    const float nz = Abs(plane.normal.z);
    const float largest = std::max(nx, std::max(ny, nz));
    auto project = [&](const Vector3& v) {
        if (Abs(largest - nx) < kTolerance) return Vector2(v.y, v.z);
        if (Abs(largest - ny) < kTolerance) return Vector2(v.x, v.z);
        return Vector2(v.x, v.y);
    };
    const Vector2 p0 = project(V0);
    const Vector2 pp = project(P);
    const Vector2 p1 = project(V1);
    const Vector2 p2 = project(V2);
    const Vector2 p(pp.x - p0.x, pp.y - p0.y);
    const Vector2 b(p1.x - p0.x, p1.y - p0.y);
    const Vector2 c(p2.x - p0.x, p2.y - p0.y);

    // p = s·b + t·c; a degenerate triangle gives inf or NaN and so false.
    float s, t;
    if (Abs(c.x) < kTolerance) {
        s = p.x / b.x;
        if (!(s >= 0.0f && s <= 1.0f)) return false;
        t = (p.y - s * b.y) / c.y;
    } else {
        s = (c.x * p.y - c.y * p.x) / (c.x * b.y - c.y * b.x);
        if (!(s >= 0.0f && s <= 1.0f)) return false;
        t = (p.x - b.x * s) / c.x;
    }
    return t >= 0.0f && s + t <= 1.0f;
}

} // namespace ZorvaneEngine
