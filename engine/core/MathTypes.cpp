#include "engine/core/MathTypes.h"

#include <cmath>

namespace ZorvaneEngine {

float Abs(float value) { return std::fabs(value); }

float Sqrt(float value) { return std::sqrt(value); }

float Clamp(float lo, float hi, float x)
{
    const float upper = x < hi ? x : hi;
    return lo > upper ? lo : upper;
}

Vector2& Lerp2D(const Vector2& a, const Vector2& b, float t, Vector2& out)
{
    out.x = a.x * (1.0f - t) + b.x * t;
    out.y = a.y * (1.0f - t) + b.y * t;
    return out;
}

float Length3D(const Vector3& v) { return Sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

float Dot3D(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector3 Cross3D(const Vector3& a, const Vector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

void Normalize2D(Vector2& v, float length)
{
    const float s = Sqrt(v.x * v.x + v.y * v.y) / length;
    if (Abs(s) < kTolerance) return;
    v.x /= s;
    v.y /= s;
}

void Normalize3D(Vector3& v, float length)
{
    const float s = Sqrt(v.x * v.x + v.y * v.y + v.z * v.z) / length;
    if (Abs(s) < kTolerance) return;
    v.x /= s;
    v.y /= s;
    v.z /= s;
}

Matrix4& MultiplyMatrix(Matrix4& out, const Matrix4& a, const Matrix4& b)
{
    // Into a temporary first: callers compute m = n × m in place.
    Matrix4 product;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[4 * i + k] * b.m[4 * k + j];
            product.m[4 * i + j] = sum;
        }
    }
    out = product;
    return out;
}

bool ColorsDiffer(const ColorRGBA& a, const ColorRGBA& b)
{
    return Abs(a.r - b.r) > kTolerance || Abs(a.g - b.g) > kTolerance ||
           Abs(a.b - b.b) > kTolerance || Abs(a.a - b.a) > kTolerance;
}

bool RGBColorsDiffer(const float* a, const float* b)
{
    return Abs(a[0] - b[0]) > kTolerance || Abs(a[1] - b[1]) > kTolerance ||
           Abs(a[2] - b[2]) > kTolerance;
}

} // namespace ZorvaneEngine
