#include "engine/graphics/Skeleton.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/engine/graphics/VectorChecks.h"

namespace ZorvaneEngine {
namespace {

const float kHalfRoot2 = std::sqrt(0.5f);

TEST(SkeletonTest, BoneMatricesAndBox)
{
    Skeleton skeleton(nullptr, 2);
    ASSERT_EQ(skeleton.GetBoneCount(), 2);

    // Scale, then translate; the box follows the bone.
    Bone& moved = skeleton.GetBone(0);
    moved.position = Vector3(1, 2, 3);
    moved.scale = Vector3(2, 2, 2);
    moved.box.localMin = Vector3(-1, -1, -1);
    moved.box.localMax = Vector3(1, 1, 1);

    // The extra rotation turns the animated one: 90° about x first, then 90°
    // about z. The other order would send x to z.
    Bone& turned = skeleton.GetBone(1);
    turned.rotation = Quaternion(kHalfRoot2, 0, 0, kHalfRoot2);
    turned.extraRotation = Quaternion(0, 0, kHalfRoot2, kHalfRoot2);
    turned.scale = Vector3(1, 1, 1);
    turned.position = Vector3(0, 0, 1);
    turned.extraOffset = Vector3(5, 0, 0);

    skeleton.Update();

    Matrix4 expected = Matrix4::Identity();
    expected[0] = expected[5] = expected[10] = 2.0f;
    expected[3] = 1.0f;
    expected[7] = 2.0f;
    expected[11] = 3.0f;
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(moved.matrix[i], expected[i]) << i;
    ExpectNear(moved.box.worldMin, Vector3(-1, 0, 1), 1e-6f);
    ExpectNear(moved.box.worldMax, Vector3(3, 4, 5), 1e-6f);

    ExpectNear(Transform(turned.matrix, Vector3(1, 0, 0)), Vector3(5, 1, 1), 1e-6f);
    ExpectNear(Transform(turned.matrix, Vector3(0, 1, 0)), Vector3(5, 0, 2), 1e-6f);
    // Normals turn without the translation.
    ExpectNear(Transform(turned.rotationMatrix, Vector3(0, 1, 0)), Vector3(0, 0, 1), 1e-6f);
}

TEST(SkeletonTest, PoseBetweenTwoFrames)
{
    Skeleton skeleton(nullptr, 3);
    const Quaternion identity(0, 0, 0, 1);
    const std::vector<BoneKey> from = {
        {Vector3(0, 0, 0), identity, Vector3(1, 1, 1)},
        {Vector3(0, 0, 0), identity, Vector3(1, 1, 1)},
        {Vector3(0, 0, 0), identity, Vector3(1, 1, 1)},
    };
    const std::vector<BoneKey> to = {
        // Half-way to a half turn about z: a quarter turn.
        {Vector3(4, 8, 12), Quaternion(0, 0, 1, 0), Vector3(3, 5, 9)},
        // −identity is the same rotation: no turn at all on the way.
        {Vector3(0, 0, 0), Quaternion(0, 0, 0, -1), Vector3(1, 1, 1)},
        // Nearly equal rotations blend linearly.
        {Vector3(0, 0, 0), Quaternion(0, 0, 0.0001f, 1), Vector3(1, 1, 1)},
    };
    skeleton.SetPose(from, to, 0.25f);
    ExpectNear(skeleton.GetBone(0).position, Vector3(1, 2, 3), 1e-6f);
    ExpectNear(skeleton.GetBone(0).scale, Vector3(1.5f, 2, 3), 1e-6f);

    skeleton.SetPose(from, to, 0.5f);
    const Quaternion& quarter = skeleton.GetBone(0).rotation;
    EXPECT_NEAR(quarter.x, 0.0f, 1e-6f);
    EXPECT_NEAR(quarter.y, 0.0f, 1e-6f);
    EXPECT_NEAR(quarter.z, kHalfRoot2, 1e-6f);
    EXPECT_NEAR(quarter.w, kHalfRoot2, 1e-6f);
    const Quaternion& same = skeleton.GetBone(1).rotation;
    EXPECT_EQ(same.w, 1.0f);
    EXPECT_EQ(same.z, 0.0f);
    const Quaternion& near = skeleton.GetBone(2).rotation;
    EXPECT_EQ(near.z, 0.00005f);
    EXPECT_EQ(near.w, 1.0f);

    // The pose drives the matrices: a quarter turn about z sends x to y.
    skeleton.Update();
    ExpectNear(Transform(skeleton.GetBone(0).matrix, Vector3(1, 0, 0)), Vector3(2, 7, 6), 1e-6f);
}

} // namespace
} // namespace ZorvaneEngine
