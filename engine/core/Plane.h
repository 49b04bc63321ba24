#pragma once
// A plane through the points p with normal · p + d = 0.
#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class Plane {
public:
    Plane() = default;
    Plane(const Vector3& point, const Vector3& normal);
    virtual ~Plane() = default;
    Plane(const Plane&) = default;
    Plane& operator=(const Plane&) = default;

    // normal = (p2 − p0) × (p1 − p0): the winding decides which side faces out.
    void SetFromPoints(const Vector3& p0, const Vector3& p1, const Vector3& p2);
    // Makes the normal unit length, d along with it; a near-zero normal stays.
    void Normalize();
    // t is written whenever the ray is not parallel to the plane; the result
    // is true only for a hit in front of the origin (t > 0).
    bool IntersectRay(const Ray& ray, float& t) const;

    Vector3 normal;
    float d = 0.0f;
};

// Whether P, a point of the triangle's plane, lies inside the triangle
// V0 V1 V2 (edges and corners included). The plane picks the two coordinates
// the test projects onto.
bool IsPointInTriangle(const Plane& plane, const Vector3& P, const Vector3& V0, const Vector3& V1,
                       const Vector3& V2);

} // namespace ZorvaneEngine
