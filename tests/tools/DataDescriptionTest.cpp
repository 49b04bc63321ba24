#include "tools/common/DataDescription.h"

#include <gtest/gtest.h>

#include <string>

namespace Tools {
namespace {

TEST(DataDescriptionTest, MaterialTextGivesTheStructsBytes) {
    const char* text =
        "\xEF\xBB\xBF"
        "material   # a comment\r\n"
        "flags 1\n"
        "blend 4 5\n"
        "diffuse 0.5 0.25 1 1\n"
        "power 2\n"
        "value2 3\n"
        "\n"
        "stage\n"
        "  flags 0x3\n"
        "  texture fire.tga\n"
        "  opacity fire_a.jpg\n"
        "  animation grid 4 2 8 4\n"
        "  address clamp wrap\n"
        "stage\n"
        "  texture ui\\back.jpg\n"
        "  scale 2 1\n"
        "  offset 0 0.25\n";
    Material material;
    material.flags = 1;
    material.sourceBlend = 4;
    material.destinationBlend = 5;
    material.diffuse = {0.5f, 0.25f, 1, 1};
    material.power = 2;
    material.secondValue = 3;
    MaterialStage grid;
    grid.flags = 3;
    grid.diffuse = "fire.tga";
    grid.opacity = "fire_a.jpg";
    grid.animation = StageAnimation::Grid;
    grid.cols = 4;
    grid.rows = 2;
    grid.frameCount = 8;
    grid.speed = 4;
    grid.addressU = 0;
    MaterialStage plain;
    plain.diffuse = "ui\\back.jpg";
    plain.scaleU = 2;
    plain.offsetV = 0.25f;
    material.stages = {grid, plain};
    EXPECT_EQ(BuildDescribedFile(text), BuildMaterialFile(material));
}

TEST(DataDescriptionTest, ModelTextGivesTheStructsBytes) {
    // Two morph frames of a quad and a box: the state frames of a button.
    const char* morph =
        "model\n"
        "flags morph list visible 0x800\n"
        "speed 0\n"
        "frame\n"
        "quad 0 0 120 40 0 0 0.5 1\n"
        "box 0 0 -1 1 1 0\n"
        "frame\n"
        "quad 0 0 120 40 0.5 0 1 1 0\n"
        "box 0 0 -1 1 1 0\n";
    Mesh first = QuadMesh(0, 0, 120, 40, 0, 0, 0.5f, 1);
    AppendMesh(first, BoxMesh({0, 0, -1}, {1, 1, 0}));
    Mesh second = QuadMesh(0, 0, 120, 40, 0.5f, 0, 1, 1);
    AppendMesh(second, BoxMesh({0, 0, -1}, {1, 1, 0}));
    const uint32_t flags = ModelFlag::Morph | ModelFlag::List | ModelFlag::Visible | ModelFlag::FixedDepthKey;
    EXPECT_EQ(BuildDescribedFile(morph), BuildModelFile(MeshModel(flags, {first, second})));

    // A strip from single vertices, given its box, in the older version.
    const char* strip =
        "model\n"
        "version 201\n"
        "flags static\n"
        "vertex 0 0 0  0 0 1  0 0\n"
        "vertex 1 0 0  0 0 1  1 0\n"
        "vertex 0 1 0  0 0 1  0 1\n"
        "indices 0 1 2\n"
        "bounds -5 -5 -5 5 5 5\n";
    Model model;
    model.version = 201;
    model.flags = ModelFlag::Static;
    model.frames = {{{{0, 0, 0}, {0, 0, 1}, 0, 0}, {{1, 0, 0}, {0, 0, 1}, 1, 0}, {{0, 1, 0}, {0, 0, 1}, 0, 1}}};
    model.indices = {0, 1, 2};
    model.boxes = {{{-5, -5, -5}, {5, 5, 5}}};
    EXPECT_EQ(BuildDescribedFile(strip), BuildModelFile(model));

    const char* skinned =
        "model\n"
        "flags skinned list\n"
        "speed 5\n"
        "frames 2\n"
        "bone arm on -1 -1 -1 1 1 1 7 8 9\n"
        "key 0 0 0 0 0 0 1 1 1 1\n"
        "key 1 2 3 0 0 0 1 2 2 2\n"
        "skinvertex 0.25 0.75 0 1 1 0 0 0 0 1\n"
        "skinvertex 0 0\n"
        "skinvertex 1 1\n"
        "indices 0 1 2\n"
        "bounds -1 -1 -1 1 1 1\n";
    Model skin;
    skin.flags = ModelFlag::Skinned | ModelFlag::List;
    skin.speed = 5;
    skin.skinFrameCount = 2;
    Bone bone;
    bone.name = "arm";
    bone.excludeFromBounds = true;
    bone.boxMinimum = {-1, -1, -1};
    bone.boxMaximum = {1, 1, 1};
    bone.pivot = {7, 8, 9};
    skin.bones = {bone};
    BoneKey key;
    key.position = {1, 2, 3};
    key.scale = {2, 2, 2};
    skin.boneKeys = {BoneKey{}, key};
    skin.skinVertices = {{0.25f, 0.75f, {{0, 1, {1, 0, 0}, {0, 0, 1}}}}, {0, 0, {}}, {1, 1, {}}};
    skin.indices = {0, 1, 2};
    skin.boxes = {{{-1, -1, -1}, {1, 1, 1}}};
    EXPECT_EQ(BuildDescribedFile(skinned), BuildModelFile(skin));
}

TEST(DataDescriptionTest, ParticleTextGivesTheStructsBytes) {
    const char* text =
        "particles\n"
        "pool 40\n"
        "duration 2\n"
        "gravity off 0\n"
        "floor off 0 1\n"
        "dieslow off 0\n"
        "interpolate off\n"
        "rate 20 0 0 0 0 5\n"
        "lifetime 1.5\n"
        "direction 0 1 0\n"
        "dirspread 0.5 0 0  0.5 0 0  0.5 0 0  0 0 0  0 0 0  0 0 0\n"
        "color 1 1 1 1  1 1 1 1  1 1 1 1  1 1 1 0.5  1 1 1 0.25  1 1 1 0\n"
        "size 8\n"
        "speedspread 0.25\n"
        "spawn box\n"
        "box -10 -10 0 10 10 0\n";
    ParticleSystem system;
    system.poolSize = 40;
    system.duration = 2;
    system.gravityOn = false;
    system.gravity = 0;
    system.floorOn = false;
    system.floorHeight = 0;
    system.bounce = 1;
    system.dieWhenSlow = false;
    system.minimumBounceSpeed = 0;
    system.interpolateEmission = false;
    system.rate = {20, 0, 0, 0, 0, 5};
    system.lifetime.fill(1.5f);
    system.direction.fill({0, 1, 0});
    system.directionSpread = {{{0.5f, 0, 0}, {0.5f, 0, 0}, {0.5f, 0, 0}, {}, {}, {}}};
    system.color = {{{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 0.5f}, {1, 1, 1, 0.25f}, {1, 1, 1, 0}}};
    system.size.fill(8);
    system.speedSpread.fill(0.25f);
    system.spawnShape = SpawnShape::Box;
    system.boxMinimum = {-10, -10, 0};
    system.boxMaximum = {10, 10, 0};
    EXPECT_EQ(BuildDescribedFile(text), BuildParticleSystemFile(system));
    // Nothing given: the engine's built-in system.
    EXPECT_EQ(BuildDescribedFile("particles\n"), BuildParticleSystemFile(ParticleSystem{}));
}

TEST(DataDescriptionTest, ErrorsNameTheLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "line 1: the description is empty"},
        {"# only a comment\nmesh\n", "line 2: the first line must be material, model or particles"},
        {"material extra\n", "line 1: material takes 0 values"},
        {"material\nflags 1\ncolour 1 1 1 1\n", "line 3: unknown material line: colour"},
        {"material\nstage\nstage\nstage\n", "line 4: a material has at most two stages"},
        {"material\nstage\nanimation grid 4 2 8\n", "line 3: animation takes 5 values"},
        {"material\nstage\nanimation spin 4 1\n", "line 3: unknown animation: spin"},
        {"model\nquad 0 0 1 1,5\n", "line 2: not a number: 1,5"},
        {"model\nflags static lst\n", "line 2: unknown model flag: lst"},
        {"model\nindices 0 -1\n", "line 2: not a whole number from 0 to 4294967295: -1"},
        {"model\nskinvertex 0 0 70000 1 0 0 0 0 0 1\n", "line 2: bone number above 65535"},
        {"particles\nrate 1 2\n", "line 2: rate takes 1 or 6 values"},
        {"particles\ngravity maybe 1\n", "line 2: expected on or off: maybe"},
        {"particles\nspawn ring\n", "line 2: spawn takes point, box or list"},
    };
    for (const auto& c : cases) {
        try {
            BuildDescribedFile(c.text);
            ADD_FAILURE() << "no error for: " << c.text;
        } catch (const DescriptionError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
    // Values the writers refuse still fail, though the text parses.
    EXPECT_THROW(BuildDescribedFile("particles\nduration 0\n"), std::invalid_argument);
    EXPECT_THROW(BuildDescribedFile("model\nflags morph list\nquad 0 0 1 1\nframe\nbox 0 0 0 1 1 1\n"),
                 std::invalid_argument);
}

} // namespace
} // namespace Tools
