#pragma once
// The six planes that bound what a camera sees, facing inward, so that a
// point inside gives a positive distance to each of them.
#include "engine/core/Plane.h"

namespace ZorvaneEngine {

struct BoundingBox;

class Frustum {
public:
    enum PlaneIndex { Right, Left, Bottom, Top, Far, Near, PlaneCount };

    Frustum() = default;
    virtual ~Frustum() = default;

    // The planes of view × projection, both in row-vector form, each
    // normalised so that its value at a point is the point's distance.
    static void Build(const Matrix4& projection, const Matrix4& view, Frustum& frustum);

    // False when the sphere around the box (its world centre and radius)
    // lies wholly behind one plane; a sphere that only touches a plane from
    // outside counts as outside.
    bool IsSphereVisible(const BoundingBox& box) const;

    Plane planes[PlaneCount];
};

} // namespace ZorvaneEngine
