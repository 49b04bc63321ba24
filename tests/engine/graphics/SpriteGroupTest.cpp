#include <gtest/gtest.h>

#include <numbers>

#include "tests/engine/graphics/SpriteFixture.h"

namespace ZorvaneEngine {
namespace {

class SpriteGroupTest : public SpriteFixture {
protected:
    // A camera at position looking along −forward, set directly so that the
    // test states the axes the sprites must face.
    Camera* MakeCamera(const Vector3& position, const Vector3& right, const Vector3& up,
                       const Vector3& forward)
    {
        Camera* camera = cameras->CreateCamera(false);
        Aim(camera, position, right, up, forward);
        return camera;
    }
    static void Aim(Camera* camera, const Vector3& position, const Vector3& right,
                    const Vector3& up, const Vector3& forward)
    {
        camera->position = position;
        camera->right = right;
        camera->up = up;
        camera->forward = forward;
    }

    // The four corners q + size × (−R−U, U−R, R−U, R+U).
    static void ExpectQuad(const Model& mesh, uint32_t k, const Vector3& q, float size,
                           const Vector3& r, const Vector3& u)
    {
        const Vector3 offsets[4] = {r * -1.0f - u, u - r, r - u, r + u};
        for (uint32_t j = 0; j < 4; ++j) {
            SCOPED_TRACE("quad " + std::to_string(k) + " corner " + std::to_string(j));
            ExpectNear(Position(mesh, 4 * k + j), q + offsets[j] * size);
        }
    }
};

TEST_F(SpriteGroupTest, NewGroupOwnsARegisteredMeshWithItsLayoutAndHandsOutSpritesFromTheBack)
{
    SpriteGroup* group = spriteGroups->CreateSpriteGroup(3, nullptr, nullptr);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(spriteGroups->groups.GetCount(), 1u);
    const Model& mesh = *group->mesh;
    EXPECT_EQ(mesh.name, "self_made");
    EXPECT_EQ(mesh.flags, 0x2C84A9u);
    EXPECT_EQ(models->models.GetCount(), 1u);
    EXPECT_EQ(group->camera, cameras->GetDefaultCamera());
    EXPECT_EQ(mesh.camera, cameras->GetDefaultCamera());

    const IndexBuffer& indices = *mesh.GetIndexBuffer();
    ASSERT_EQ(indices.GetCount(), 18u);
    EXPECT_FALSE(indices.Is32Bit());
    const uint32_t pattern[6] = {0, 1, 2, 2, 1, 3};
    const float uv[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (uint32_t i = 0; i < 3; ++i) {
        for (uint32_t j = 0; j < 6; ++j) EXPECT_EQ(indices.GetIndex(6 * i + j), 4 * i + pattern[j]);
        for (uint32_t j = 0; j < 4; ++j) {
            EXPECT_EQ(TexCoords(mesh, 4 * i + j).x, uv[j][0]);
            EXPECT_EQ(TexCoords(mesh, 4 * i + j).y, uv[j][1]);
        }
    }

    const ColorRGBA white(1, 1, 1, 1);
    EXPECT_EQ(group->AddSprite({1, 0, 0}, 1, white), 2u);
    EXPECT_EQ(group->AddSprite({2, 0, 0}, 1, white), 1u);
    EXPECT_EQ(group->AddSprite({3, 0, 0}, 1, white), 0u);
    // Full: 0 again, and sprite 0 keeps what it had.
    EXPECT_EQ(group->AddSprite({9, 9, 9}, 5, white), 0u);
    EXPECT_EQ(group->sprites[0].position.x, 3.0f);
    EXPECT_EQ(group->sprites[0].size, 1.0f);

    group->sprites[1].free = true;
    group->freeList.push_back(1);
    EXPECT_EQ(group->AddSprite({4, 0, 0}, 1, white), 1u);
    EXPECT_FALSE(group->sprites[1].free);

    // Ending the group ends its mesh.
    ASSERT_TRUE(spriteGroups->groups.Remove(group));
    delete group;
    EXPECT_EQ(models->models.GetCount(), 0u);
}

TEST_F(SpriteGroupTest, BuildTurnsTheQuadsToTheCameraAndDrawsTheFarthestFirst)
{
    // Looking down −x from x = 10: right is −z, up is y.
    Camera* camera = MakeCamera({10, 0, 0}, {0, 0, -1}, {0, 1, 0}, {1, 0, 0});
    SpriteGroup* group = spriteGroups->CreateSpriteGroup(4, nullptr, camera);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->mesh->camera, camera);
    const ColorRGBA white(1, 1, 1, 1);
    const Vector3 far(-5, 1, 2), near(0, 0, 0), freed(3, 3, 3);
    ASSERT_EQ(group->AddSprite(far, 0.5f, white), 3u);
    ASSERT_EQ(group->AddSprite(near, 1.0f, white), 2u);
    ASSERT_EQ(group->AddSprite(freed, 1.0f, white), 1u);
    group->sprites[1].free = true;

    group->Build();
    const Model& mesh = *group->mesh;
    EXPECT_EQ(mesh.GetIndexBuffer()->GetCount(), 12u);
    EXPECT_TRUE(mesh.GetIndexBuffer()->IsRangeDirty());
    EXPECT_EQ(group->sprites[3].viewDepth, 15.0f);
    EXPECT_EQ(group->sprites[2].viewDepth, 10.0f);
    ExpectQuad(mesh, 0, far, 0.5f, {0, 0, -1}, {0, 1, 0});
    ExpectQuad(mesh, 1, near, 1.0f, {0, 0, -1}, {0, 1, 0});
    ExpectNear(group->center, {-2.5f, 0.5f, 1.0f});
    EXPECT_EQ(Color(mesh, 0), 0xFFFFFFFFu);

    // From the other side the near sprite is the far one, and both quads
    // turn with the camera.
    Aim(camera, {-10, 0, 0}, {0, 0, 1}, {0, 1, 0}, {-1, 0, 0});
    group->Build();
    ExpectQuad(mesh, 0, near, 1.0f, {0, 0, 1}, {0, 1, 0});
    ExpectQuad(mesh, 1, far, 0.5f, {0, 0, 1}, {0, 1, 0});

    // Unsorted, the quads follow the sprite indices whatever the camera.
    group->sort = false;
    Aim(camera, {10, 0, 0}, {0, 0, -1}, {0, 1, 0}, {1, 0, 0});
    group->Build();
    ExpectQuad(mesh, 0, near, 1.0f, {0, 0, -1}, {0, 1, 0});
    ExpectQuad(mesh, 1, far, 0.5f, {0, 0, -1}, {0, 1, 0});
    // The index pattern was written once and the builds left it alone.
    EXPECT_EQ(mesh.GetIndexBuffer()->GetIndex(17), 11u);
}

TEST_F(SpriteGroupTest, BuildRotatesColoursEmptiesAndSkipsAnInvisibleMesh)
{
    Camera* camera = MakeCamera({0, 0, 10}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    SpriteGroup* group = spriteGroups->CreateSpriteGroup(2, nullptr, camera);
    ASSERT_NE(group, nullptr);
    const Model& mesh = *group->mesh;
    const Vector3 q(1, 2, 3);
    const uint32_t turned = group->AddSprite(q, 2, ColorRGBA(1, 0.5f, 0, 1));
    group->sprites[turned].angle = std::numbers::pi_v<float> / 2;
    group->groupColor = ColorRGBA(0.5f, 1, 1, 0.5f);

    group->Build();
    // The right axis turns toward the up axis: each corner lands where
    // another one was.
    const Vector3 unrotated[4] = {{-1, 0, 3}, {-1, 4, 3}, {3, 0, 3}, {3, 4, 3}};
    ExpectNear(Position(mesh, 0), unrotated[2]);
    ExpectNear(Position(mesh, 1), unrotated[0]);
    ExpectNear(Position(mesh, 2), unrotated[3]);
    ExpectNear(Position(mesh, 3), unrotated[1]);
    // Alpha 128, red 128, green 128, blue 0.
    for (uint32_t j = 0; j < 4; ++j) EXPECT_EQ(Color(mesh, j), 0x80808000u);

    // An angle of the tolerance or less is no rotation at all.
    group->sprites[turned].angle = -0.0001f;
    group->Build();
    for (uint32_t j = 0; j < 4; ++j) {
        EXPECT_EQ(Position(mesh, j).x, unrotated[j].x);
        EXPECT_EQ(Position(mesh, j).y, unrotated[j].y);
    }

    // Hidden: the build changes nothing, not even the centre.
    group->mesh->flags &= ~ModelFlags::Visible;
    group->sprites[turned].position = Vector3(50, 50, 50);
    group->AddSprite({7, 7, 7}, 1, ColorRGBA(1, 1, 1, 1));
    group->Build();
    EXPECT_EQ(mesh.GetIndexBuffer()->GetCount(), 6u);
    ExpectNear(group->center, q);
    ExpectNear(Position(mesh, 0), unrotated[0]);

    // Visible again with no live sprite: nothing to draw, centre at the origin.
    group->mesh->flags |= ModelFlags::Visible;
    group->sprites[0].free = group->sprites[1].free = true;
    group->Build();
    EXPECT_EQ(mesh.GetIndexBuffer()->GetCount(), 0u);
    ExpectNear(group->center, {0, 0, 0});
}

TEST_F(SpriteGroupTest, CopyShowsTheSameSpritesAndHandsOutTheSameFreeSprites)
{
    Camera* camera = MakeCamera({0, 0, 10}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    SpriteGroup* source = spriteGroups->CreateSpriteGroup(3, nullptr, camera);
    ASSERT_NE(source, nullptr);
    source->AddSprite({1, 0, 0}, 1, ColorRGBA(1, 0, 0, 1));
    source->AddSprite({0, 2, -1}, 0.5f, ColorRGBA(0, 1, 0, 1));
    source->groupColor = ColorRGBA(1, 1, 1, 0.5f);
    source->Build();

    SpriteGroup* copy = spriteGroups->CloneSpriteGroup(*source);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(spriteGroups->groups.GetCount(), 2u);
    EXPECT_EQ(models->models.GetCount(), 2u);
    EXPECT_NE(copy->mesh, source->mesh);
    EXPECT_EQ(copy->mesh->flags, source->mesh->flags);
    EXPECT_EQ(copy->mesh->camera, camera);
    EXPECT_EQ(copy->camera, camera);

    copy->Build();
    for (uint32_t v = 0; v < 8; ++v) {
        ExpectNear(Position(*copy->mesh, v), Position(*source->mesh, v));
        EXPECT_EQ(Color(*copy->mesh, v), Color(*source->mesh, v));
    }
    ExpectNear(copy->center, source->center);

    // The free sprites come in the same order, and a quad beyond those of
    // the source's last build has its indices in the copy.
    EXPECT_EQ(copy->AddSprite({5, 5, 5}, 1, ColorRGBA(1, 1, 1, 1)),
              source->AddSprite({5, 5, 5}, 1, ColorRGBA(1, 1, 1, 1)));
    copy->Build();
    ASSERT_EQ(copy->mesh->GetIndexBuffer()->GetCount(), 18u);
    EXPECT_EQ(copy->mesh->GetIndexBuffer()->GetIndex(17), 11u);

    // The manager's end deletes the groups, and they their meshes.
    spriteGroups.reset();
    EXPECT_EQ(models->models.GetCount(), 0u);
}

} // namespace
} // namespace ZorvaneEngine
