#pragma once
// Points moved by the engine's matrices, and the check that two vectors
// agree within a tolerance.
#include <gtest/gtest.h>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

// A point through a row-major matrix whose fourth column is the offset.
inline Vector3 Transform(const Matrix4& m, const Vector3& p)
{
    return {m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3], m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7],
            m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11]};
}

inline void ExpectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

} // namespace ZorvaneEngine
