#pragma once
// The value types every layer shares and the small numeric functions on them.
// Single precision throughout. Matrices act on column vectors: a point maps to
// (m0·x + m1·y + m2·z + m3, m4·x + ...), so the translation sits in m3, m7 and
// m11.
#include <cstdint>

namespace ZorvaneEngine {

// The tolerance used by nearly every comparison in the program.
constexpr float kTolerance = 0.0001f;

struct Vector2 {
    float x = 0.0f, y = 0.0f;

    Vector2() = default;
    Vector2(float x, float y) : x(x), y(y) {}
};

struct Vector3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;

    Vector3() = default;
    Vector3(float x, float y, float z) : x(x), y(y), z(z) {}

    Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
};

// Sixteen floats in storage order, four rows of four.
struct Matrix4 {
    float m[16] = {};

    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }

    static Matrix4 Identity()
    {
        Matrix4 result;
        result.m[0] = result.m[5] = result.m[10] = result.m[15] = 1.0f;
        return result;
    }
};

struct ColorRGBA {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;

    ColorRGBA() = default;
    ColorRGBA(float r, float g, float b, float a) : r(r), g(g), b(b), a(a) {}
};

// The segment from origin to origin + direction: the direction's length matters.
struct Ray {
    Vector3 origin;
    Vector3 direction;
};

float Abs(float value);
float Sqrt(float value);
// max(lo, min(hi, x)); note the order of the arguments.
float Clamp(float lo, float hi, float x);
Vector2& Lerp2D(const Vector2& a, const Vector2& b, float t, Vector2& out);
float Length3D(const Vector3& v);
float Dot3D(const Vector3& a, const Vector3& b);
Vector3 Cross3D(const Vector3& a, const Vector3& b);
// Scales the vector to the given length; one shorter than the tolerance
// (relative to that length) is left unchanged.
void Normalize2D(Vector2& v, float length);
void Normalize3D(Vector3& v, float length);
// out = a × b; out may be a or b.
Matrix4& MultiplyMatrix(Matrix4& out, const Matrix4& a, const Matrix4& b);
// True when any channel differs by more than the tolerance.
bool ColorsDiffer(const ColorRGBA& a, const ColorRGBA& b);
// The same for colours held as three floats (r, g, b).
bool RGBColorsDiffer(const float* a, const float* b);

} // namespace ZorvaneEngine
