#include <gtest/gtest.h>

#include <cmath>

#include "engine/core/BoundingBox.h"
#include "engine/core/Containers.h"
#include "engine/core/MathTypes.h"
#include "engine/core/Plane.h"

namespace ZorvaneEngine {
namespace {

Matrix4 Translation(float x, float y, float z)
{
    Matrix4 m = Matrix4::Identity();
    m[3] = x;
    m[7] = y;
    m[11] = z;
    return m;
}

Matrix4 Scale(float s)
{
    Matrix4 m = Matrix4::Identity();
    m[0] = m[5] = m[10] = s;
    return m;
}

void ExpectVector(const Vector3& actual, const Vector3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

TEST(GeometryTest, MatrixProductsInStorageOrder)
{
    Matrix4 out;
    MultiplyMatrix(out, Translation(1, 2, 3), Translation(4, 5, 6));
    EXPECT_EQ(out[3], 5.0f);
    EXPECT_EQ(out[7], 7.0f);
    EXPECT_EQ(out[11], 9.0f);

    EXPECT_EQ(MultiplyMatrix(out, Translation(1, 0, 0), Scale(2))[3], 1.0f);
    EXPECT_EQ(MultiplyMatrix(out, Scale(2), Translation(1, 0, 0))[3], 2.0f);

    // A general product, then the same with the output aliasing either input.
    Matrix4 a, b;
    for (int i = 0; i < 16; ++i) {
        a[i] = static_cast<float>(i + 1);
        b[i] = static_cast<float>(16 - i) * 0.5f;
    }
    Matrix4 expected;
    MultiplyMatrix(expected, a, b);
    EXPECT_EQ(expected[0], 1 * 8.0f + 2 * 6.0f + 3 * 4.0f + 4 * 2.0f);
    Matrix4 left = a, right = b;
    MultiplyMatrix(left, left, b);
    MultiplyMatrix(right, a, right);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(left[i], expected[i]) << i;
        EXPECT_EQ(right[i], expected[i]) << i;
    }
}

TEST(GeometryTest, VectorAndScalarFunctions)
{
    EXPECT_EQ(Clamp(0, 1, 1.5f), 1.0f);
    EXPECT_EQ(Clamp(0, 1, -2.0f), 0.0f);
    EXPECT_EQ(Clamp(0, 1, 0.25f), 0.25f);

    Vector2 out;
    Lerp2D(Vector2(0, 10), Vector2(4, 20), 0.25f, out);
    EXPECT_EQ(out.x, 1.0f);
    EXPECT_EQ(out.y, 12.5f);
    EXPECT_EQ(Length3D(Vector3(2, 3, 6)), 7.0f);

    struct Case {
        Vector3 in;
        float length;
        Vector3 expected;
    };
    const Case cases[] = {
        {{3, 4, 0}, 10, {6, 8, 0}},
        {{0, 0, 2}, 1, {0, 0, 1}},
        {{0, 0, 0}, 1, {0, 0, 0}},
        {{0.00005f, 0, 0}, 1, {0.00005f, 0, 0}},  // shorter than the tolerance: unchanged
    };
    for (const Case& c : cases) {
        Vector3 v = c.in;
        Normalize3D(v, c.length);
        ExpectVector(v, c.expected);
    }
    Vector2 flat(0, -3);
    Normalize2D(flat, 2);
    EXPECT_EQ(flat.y, -2.0f);

    EXPECT_FALSE(ColorsDiffer(ColorRGBA(1, 0.5f, 0, 1), ColorRGBA(1, 0.50005f, 0, 1)));
    EXPECT_TRUE(ColorsDiffer(ColorRGBA(1, 0.5f, 0, 1), ColorRGBA(1, 0.5f, 0, 0.999f)));
    const float grey[3] = {0.5f, 0.5f, 0.5f}, white[3] = {1, 1, 1}, nearWhite[3] = {1, 1, 0.99995f};
    EXPECT_TRUE(RGBColorsDiffer(grey, white));
    EXPECT_FALSE(RGBColorsDiffer(nearWhite, white));
}

TEST(GeometryTest, BoundingBoxUpdate)
{
    BoundingBox box(Vector3(-1, -1, -1), Vector3(1, 1, 1));
    EXPECT_EQ(box.transform[0], 1.0f);  // the untransformed update sets identity
    EXPECT_EQ(box.secondTransform[15], 1.0f);
    ExpectVector(box.worldMax, Vector3(1, 1, 1));

    box.transform = Translation(10, 0, 0);
    box.Update(true);
    ExpectVector(box.worldMin, Vector3(9, -1, -1));
    ExpectVector(box.worldMax, Vector3(11, 1, 1));
    ExpectVector(box.center, Vector3(10, 0, 0));
    ExpectVector(box.halfSize, Vector3(1, 1, 1));
    EXPECT_NEAR(box.radius, std::sqrt(3.0f), 1e-6f);

    BoundingBox rotated(Vector3(0, 0, 0), Vector3(2, 1, 1));
    rotated.transform = Matrix4::Identity();
    rotated.transform[0] = 0;
    rotated.transform[1] = -1;
    rotated.transform[4] = 1;
    rotated.transform[5] = 0;
    rotated.Update(true);
    ExpectVector(rotated.worldMin, Vector3(-1, 0, 0));
    ExpectVector(rotated.worldMax, Vector3(0, 2, 1));

    // Corners beyond the sentinel leave that side of the world box at it.
    BoundingBox far(Vector3(200000, 0, 0), Vector3(300000, 1, 1));
    far.transform = Matrix4::Identity();
    far.Update(true);
    EXPECT_EQ(far.worldMin.x, 100000.0f);
    EXPECT_EQ(far.worldMax.x, 300000.0f);

    BoundingBox copy = box;
    ExpectVector(copy.center, box.center);
    EXPECT_EQ(copy.transform[3], 10.0f);
}

TEST(GeometryTest, BoundingBoxOverlapAndSegment)
{
    const BoundingBox unit(Vector3(-1, -1, -1), Vector3(1, 1, 1));
    EXPECT_TRUE(unit.Overlaps(BoundingBox(Vector3(1, -1, -1), Vector3(3, 1, 1))));   // touching faces
    EXPECT_FALSE(unit.Overlaps(BoundingBox(Vector3(1.001f, -1, -1), Vector3(3, 1, 1))));

    struct Case {
        Vector3 origin, direction;
        bool hits;
    };
    const Case cases[] = {
        {{-5, 0, 0}, {10, 0, 0}, true},
        {{-5, 0, 0}, {3, 0, 0}, false},   // ends at x = -2
        {{-5, 2, 0}, {10, 0, 0}, false},  // passes above
        {{-3, -3, 0}, {6, 6, 0}, true},   // diagonal through the centre
        {{-3, 0, -3}, {6, 0, 6}, true},
        {{-1.5f, 0.6f, 0}, {0.9f, 0.9f, 0}, false},  // only a cross axis separates it
        {{0, 0, 0}, {0, 0, 0}, true},     // a point inside
    };
    for (const Case& c : cases) {
        EXPECT_EQ(unit.IntersectsSegment(Ray{c.origin, c.direction}), c.hits)
            << c.origin.x << "," << c.origin.y << " + " << c.direction.x << "," << c.direction.y;
    }
}

TEST(GeometryTest, Planes)
{
    Plane fromPoints;
    fromPoints.SetFromPoints(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0));
    ExpectVector(fromPoints.normal, Vector3(0, 0, -1));
    EXPECT_EQ(fromPoints.d, 0.0f);

    const Plane plane(Vector3(0, 0, 5), Vector3(0, 0, 2));
    ExpectVector(plane.normal, Vector3(0, 0, 1));
    EXPECT_EQ(plane.d, -5.0f);

    float t = 99;
    EXPECT_TRUE(plane.IntersectRay(Ray{{0, 0, 0}, {0, 0, 1}}, t));
    EXPECT_EQ(t, 5.0f);
    EXPECT_FALSE(plane.IntersectRay(Ray{{0, 0, 0}, {0, 0, -1}}, t));
    EXPECT_EQ(t, -5.0f);
    t = 99;
    EXPECT_FALSE(plane.IntersectRay(Ray{{0, 0, 0}, {1, 0, 0}}, t));
    EXPECT_EQ(t, 99.0f);

    Plane degenerate(Vector3(1, 1, 1), Vector3(0, 0, 0));
    EXPECT_EQ(degenerate.d, 0.0f);  // a zero normal is not normalised
}

TEST(GeometryTest, PointInTriangle)
{
    struct Case {
        Vector3 v0, v1, v2, p;
        bool inside;
    };
    const Vector3 o(0, 0, 0), x(1, 0, 0), y(0, 1, 0), xy(1, 1, 0);
    const Case cases[] = {
        {o, x, y, {0.25f, 0.25f, 0}, true},
        {o, x, y, {0.75f, 0.75f, 0}, false},
        {o, x, y, {1, 0, 0}, true},       // a corner
        {o, x, y, {0.5f, 0.5f, 0}, true}, // on the edge, s + t = 1
        {o, x, y, {-0.1f, 0.5f, 0}, false},
        {o, x, xy, {0.75f, 0.25f, 0}, true},  // c.u is not zero: the second branch
        {o, x, xy, {0.25f, 0.75f, 0}, false},
        // Triangles facing x and y project onto the other two axes.
        {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0.2f, 0.2f}, true},
        {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0.2f, 0, 0.9f}, false},
        {o, o, o, {0, 0, 0}, false},      // degenerate: no crash
    };
    for (const Case& c : cases) {
        Plane plane;
        plane.SetFromPoints(c.v0, c.v1, c.v2);
        EXPECT_EQ(IsPointInTriangle(plane, c.p, c.v0, c.v1, c.v2), c.inside)
            << c.p.x << "," << c.p.y << "," << c.p.z;
    }
}

struct Counted {
    explicit Counted(int& count) : count(count) { ++count; }
    virtual ~Counted() { --count; }
    int& count;
};
struct Derived : Counted {
    using Counted::Counted;
};

TEST(GeometryTest, DeleteAllFreesEveryElement)
{
    int count = 0;
    std::vector<Counted*> items = {new Counted(count), nullptr, new Derived(count)};
    DeleteAll(items);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(items.empty());

    std::vector<std::vector<int>*> lists = {new std::vector<int>(3), nullptr};
    DeleteAllVectors(lists);
    EXPECT_TRUE(lists.empty());
}

} // namespace
} // namespace ZorvaneEngine
