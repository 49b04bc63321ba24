#pragma once
// The axis-aligned box a model carries: its local box, the owner's transform,
// and the world box that Update derives from them.
#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

struct BoundingBox {
    Vector3 localMin;
    Vector3 localMax;
    Matrix4 transform;        // copied in by the owner
    Matrix4 secondTransform;  // identity after an untransformed update; else the owner's
    Vector3 worldMin;
    Vector3 worldMax;
    Vector3 center;
    Vector3 halfSize;
    float radius = 0.0f;  // the length of the half size

    BoundingBox() = default;
    BoundingBox(const Vector3& minimum, const Vector3& maximum);

    // transformed: map the local box's eight corners through the transform and
    // take the box around them; otherwise the world box is the local box and
    // both matrices become identity.
    void Update(bool transformed);
    // Touching boxes overlap.
    bool Overlaps(const BoundingBox& other) const;
    // Whether the segment origin .. origin + direction meets the world box.
    bool IntersectsSegment(const Ray& ray) const;
};

} // namespace ZorvaneEngine
