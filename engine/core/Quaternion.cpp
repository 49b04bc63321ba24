#include "engine/core/Quaternion.h"

#include <cmath>

namespace ZorvaneEngine {

Quaternion MultiplyQuaternion(const Quaternion& a, const Quaternion& b)
{
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w,
            a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

Matrix4 QuaternionToMatrix(const Quaternion& q)
{
    const float lengthSquared = q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w;
    const float s = lengthSquared > 0.0f ? 2.0f / lengthSquared : 0.0f;
    Matrix4 r = Matrix4::Identity();
    r[0] = 1.0f - s * (q.y * q.y + q.z * q.z);
    r[1] = s * (q.x * q.y - q.w * q.z);
    r[2] = s * (q.x * q.z + q.w * q.y);
    r[4] = s * (q.x * q.y + q.w * q.z);
    r[5] = 1.0f - s * (q.x * q.x + q.z * q.z);
    r[6] = s * (q.y * q.z - q.w * q.x);
    r[8] = s * (q.x * q.z - q.w * q.y);
    r[9] = s * (q.y * q.z + q.w * q.x);
    r[10] = 1.0f - s * (q.x * q.x + q.y * q.y);
    return r;
}

Quaternion Slerp(const Quaternion& a, const Quaternion& b, float t)
{
    float cosine = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    Quaternion to = b;
    if (cosine < 0.0f) {
        // q and −q are one rotation; the other sign takes the shorter way.
        cosine = -cosine;
        to = Quaternion(-b.x, -b.y, -b.z, -b.w);
    }
    float scaleFrom = 1.0f - t;
    float scaleTo = t;
    // Below this the sine of the angle is too small to divide by.
    if (1.0f - cosine > 0.000001f) {
        const float omega = std::acos(cosine);
        const float sine = std::sin(omega);
        scaleFrom = std::sin((1.0f - t) * omega) / sine;
        scaleTo = std::sin(t * omega) / sine;
    }
    return {scaleFrom * a.x + scaleTo * to.x, scaleFrom * a.y + scaleTo * to.y,
            scaleFrom * a.z + scaleTo * to.z, scaleFrom * a.w + scaleTo * to.w};
}

} // namespace ZorvaneEngine
