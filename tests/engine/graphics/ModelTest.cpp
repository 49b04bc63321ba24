#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ShaderUser.h"
#include "tests/engine/ByteEdits.h"
#include "tests/engine/graphics/ModelFixture.h"
#include "tools/common/MaterialWriter.h"

namespace ZorvaneEngine {
namespace {

namespace MF = Tools::ModelFlag;

Tools::Model StaticQuad(uint32_t flags = MF::Static | MF::List)
{
    // Vertex 0: position (0, 0, 0), normal (0, 0, 1), uv (0.25, 0.75).
    return Tools::MeshModel(flags, {Tools::QuadMesh(0, 0, 2, 1, 0.25f, 0.75f, 1, 1)});
}

// Vertex 0 of frame f sits at x = xs[f].
Tools::Model MorphQuad(const std::vector<float>& xs, float speed)
{
    std::vector<Tools::Mesh> frames;
    for (float x : xs) frames.push_back(Tools::QuadMesh(x, 0, x + 1, 1));
    return Tools::MeshModel(MF::Morph | MF::List, frames, speed);
}

// Bone "a" at (1, 2, 3), scaled by 2, box −1 .. 1; bone "b" out of the
// model's box. Vertex 0 hangs on bone a at (1, 0, 0), vertex 1 has no
// weight, vertex 2 hangs on bone b.
Tools::Model SkinnedTriangle(uint32_t version)
{
    Tools::Model m;
    m.version = version;
    m.flags = MF::Skinned | MF::List;
    m.speed = 5;
    m.bones = {{false, "a", {}, {-1, -1, -1}, {1, 1, 1}, {}}, {true, "b", {}, {-50, -50, -50}, {50, 50, 50}, {}}};
    Tools::BoneKey a;
    a.position = {1, 2, 3};
    a.scale = {2, 2, 2};
    m.boneKeys = {a, Tools::BoneKey{}};
    m.skinVertices = {{0.25f, 0.75f, {{0, 1.0f, {1, 0, 0}, {0, 0, 1}}}},
                      {0.5f, 0.5f, {}},
                      {1.0f, 0.0f, {{1, 1.0f, {0, 1, 0}, {0, 1, 0}}}}};
    m.indices = {0, 1, 2};
    m.boxes = {{{-1, 0, 1}, {3, 4, 5}}};
    return m;
}

// A static strip of count indices over a quad's four vertices.
Tools::Model LongStrip(uint32_t count)
{
    Tools::Model m = Tools::MeshModel(MF::Static, {Tools::QuadMesh(0, 0, 1, 1)});
    m.indices.resize(count);
    const uint32_t order[4] = {0, 1, 3, 2};
    for (uint32_t i = 0; i < count; ++i) m.indices[i] = order[i % 4];
    return m;
}

using ByteEdits::PutU16;
using ByteEdits::PutU32;

class ModelTest : public ModelFixture {};

TEST_F(ModelTest, LoadsStaticMorphAndSkinnedFiles)
{
    Tools::Model flagsZero;
    flagsZero.flags = 0;
    flagsZero.boxes = {{{-1, -2, -3}, {1, 2, 3}}};

    struct Case {
        const char* name;
        Tools::Model file;
        uint32_t extraFlags;
        size_t fileSize;
        uint32_t flags;
        uint32_t indices, vertices, primitives, frames, bones;
        bool wideIndices;
        Vector3 boxMin, boxMax;
    };
    const Case cases[] = {
        {"static quad", StaticQuad(), 0, 189, 0x9, 6, 4, 2, 1, 0, false, {0, 0, 0}, {2, 1, 0}},
        {"with extra flags", StaticQuad(), 0x40020, 189, 0x40029, 6, 4, 2, 1, 0, false, {0, 0, 0}, {2, 1, 0}},
        {"morph, 2 frames", MorphQuad({0, 10}, 4), 0, 349, 0xA, 6, 4, 2, 2, 0, false, {0, 0, 0}, {1, 1, 0}},
        {"skinned", SkinnedTriangle(202), 0, 321, 0xC, 3, 3, 1, 1, 2, false, {-1, 0, 1}, {3, 4, 5}},
        {"skinned, no pivots", SkinnedTriangle(201), 0, 297, 0xC, 3, 3, 1, 1, 2, false, {-1, 0, 1}, {3, 4, 5}},
        {"flag word 0", flagsZero, 0, 49, 0x200000, 0, 0, 0, 1, 0, false, {-1, -2, -3}, {1, 2, 3}},
        {"65535 indices", LongStrip(65535), 0, 131247, 0x1, 65535, 4, 65533, 1, 0, false, {0, 0, 0}, {1, 1, 0}},
        {"70000 indices", LongStrip(70000), 0, 280177, 0x1, 70000, 4, 69998, 1, 0, true, {0, 0, 0}, {1, 1, 0}},
    };
    // The material comes from the file beside the model.
    Tools::Material material;
    material.flags = 1;
    material.sourceBlend = 4;
    material.destinationBlend = 5;
    Put("m.srf", Tools::BuildMaterialFile(material));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> bytes = Tools::BuildModelFile(c.file);
        EXPECT_EQ(bytes.size(), c.fileSize);
        Put("m.mlf", bytes);
        std::unique_ptr<Model> model(models->LoadUnregisteredModel("m.mlf", nullptr, c.extraFlags));
        EXPECT_EQ(TakeLog(), std::vector<std::string>{});
        EXPECT_EQ(model->name, "m.mlf");
        EXPECT_EQ(model->flags, c.flags);
        EXPECT_EQ(model->camera, cameras->GetDefaultCamera());
        EXPECT_EQ(model->GetMaterial()->flags, 1u);
        EXPECT_EQ(model->GetMaterial()->sourceBlend, 4u);
        EXPECT_EQ(model->GetIndexBuffer()->GetCount(), c.indices);
        EXPECT_EQ(model->GetIndexBuffer()->Is32Bit(), c.wideIndices);
        EXPECT_EQ(model->GetVertexBuffer()->GetCount(), c.vertices);
        EXPECT_EQ(model->GetPrimitiveCount(), c.primitives);
        EXPECT_EQ(model->GetDrawCount(), 0u);
        EXPECT_EQ(model->GetAnimation()->GetFrameCount(), c.frames);
        EXPECT_EQ(model->GetSkeleton() ? model->GetSkeleton()->GetBoneCount() : 0u, c.bones);
        ExpectVector(model->box.localMin, c.boxMin);
        ExpectVector(model->box.localMax, c.boxMax);
        ExpectVector(model->box.worldMax, c.boxMax);
        EXPECT_EQ(models->models.GetCount(), 0u);
    }
}

TEST_F(ModelTest, FileVerticesLandInTheBufferLayout)
{
    Put("quad.mlf", Tools::BuildModelFile(StaticQuad()));
    Put("skin.mlf", Tools::BuildModelFile(SkinnedTriangle(201)));
    Put("morph.mlf", Tools::BuildModelFile(MorphQuad({0, 10, 30}, 2)));

    std::unique_ptr<Model> quad(models->LoadUnregisteredModel("quad.mlf", nullptr, MF::VertexColor));
    ASSERT_EQ(quad->GetVertexBuffer()->GetStride(), 36u);
    ExpectVector(Position(*quad, 2), {2, 1, 0});
    ExpectVector(Normal(*quad, 2), {0, 0, 1});
    EXPECT_FLOAT_EQ(TexCoords(*quad, 0).x, 0.25f);
    EXPECT_FLOAT_EQ(TexCoords(*quad, 0).y, 0.75f);
    uint32_t color;
    std::memcpy(&color, quad->GetVertexBuffer()->GetVertices() + 36 * 3 + 24, 4);
    EXPECT_EQ(color, 0xFFFFFFFFu);

    // A skinned file puts only the texture coordinates into the buffer; the
    // weights keep the file's bone-space position and normal.
    std::unique_ptr<Model> skin(models->LoadUnregisteredModel("skin.mlf", nullptr, 0));
    EXPECT_FLOAT_EQ(TexCoords(*skin, 2).x, 1.0f);
    const SkinVertex& first = skin->GetSkinVertices()[0];
    ASSERT_EQ(first.weightCount, 1u);
    ExpectVector(first.weights[0].position, {1, 0, 0});
    ExpectVector(first.weights[0].normal, {0, 0, 1});
    EXPECT_EQ(skin->GetSkeleton()->GetBone(1).name, "b");
    EXPECT_EQ(skin->GetSkeleton()->GetBone(1).boundsExcluded, 1u);
    EXPECT_FLOAT_EQ(skin->GetBoneKeys()[0].scale.y, 2.0f);

    std::unique_ptr<Model> morph(models->LoadUnregisteredModel("morph.mlf", nullptr, 0));
    ASSERT_EQ(morph->GetMorphVertices().size(), 12u);
    ExpectVector(morph->GetMorphVertices()[8].position, {30, 0, 0});
    ASSERT_EQ(morph->GetFrameBoxes().size(), 3u);
    ExpectVector(morph->GetFrameBoxes()[2].localMax, {31, 1, 0});
    EXPECT_FLOAT_EQ(morph->GetAnimation()->speed, 2.0f);
}

TEST_F(ModelTest, DamagedFilesBecomeTheBoxWithOneError)
{
    // Offsets in the static quad: flags 13, index count 17, vertex count
    // 21, indices 25, vertices 37, box 165; 189 bytes.
    const std::vector<uint8_t> quad = Tools::BuildModelFile(StaticQuad());
    // Morph: frame count 17.
    const std::vector<uint8_t> morph = Tools::BuildModelFile(MorphQuad({0, 10}, 1));
    // Skinned: bone count 25; bones of 43 bytes from 27; keys from 113;
    // index count 193, vertex count 197, indices 201; vertex 0 from 207,
    // its weight count at 215 and its first weight's bone at 217.
    const std::vector<uint8_t> skin = Tools::BuildModelFile(SkinnedTriangle(202));
    Tools::Model bare;
    bare.flags = 0;
    bare.boxes = {{}};
    const std::vector<uint8_t> noVertices = Tools::BuildModelFile(bare);

    const std::string format = "Incorrect \"bad.mlf\" file format";
    struct Case {
        const char* name;
        std::vector<uint8_t> base;
        std::function<void(std::vector<uint8_t>&)> damage;
        std::string error;  // empty: only the start is known
    };
    const Case cases[] = {
        {"version 203", quad, [](auto& b) { PutU32(b, 9, 203); },
         "Incorrect \"bad.mlf\" format version, current is 202"},
        {"size field off by one", quad, [](auto& b) { PutU32(b, 0, 190); }, format},
        {"wrong magic", quad, [](auto& b) { b[8] = 'X'; }, format},
        {"cut in the flag word", quad, [](auto& b) { b.resize(15); PutU32(b, 0, 15); },
         "Failed to read 4 bytes from \"" + folder.Path() + "\\data\\bad.mlf\" file"},
        {"cut in the vertices", quad, [](auto& b) { b.resize(100); PutU32(b, 0, 100); }, format},
        {"index past the vertices", quad, [](auto& b) { PutU16(b, 25 + 2 * 5, 4); }, format},
        {"huge index count", quad, [](auto& b) { PutU32(b, 17, 0xFFFFFFFF); }, format},
        {"huge vertex count", quad, [](auto& b) { PutU32(b, 21, 0x08000000); }, format},
        {"animated with 0 frames", morph, [](auto& b) { PutU32(b, 17, 0); }, format},
        {"huge frame count", morph, [](auto& b) { PutU32(b, 17, 0x7FFFFFFF); }, format},
        {"huge bone count", skin, [](auto& b) { PutU16(b, 25, 0xFFFF); }, format},
        {"five weights", skin, [](auto& b) { PutU16(b, 215, 5); }, format},
        {"weight on a bone past the skeleton", skin, [](auto& b) { PutU16(b, 217, 2); }, format},
        {"skinned vertex count past the bytes", skin, [](auto& b) { PutU32(b, 197, 1000); }, format},
        {"vertices without data", noVertices, [](auto& b) { PutU32(b, 21, 0x40000000); }, format},
    };
    const uint32_t extra = ModelFlags::Visible | ModelFlags::GroupSecond;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes = c.base;
        c.damage(bytes);
        Put("bad.mlf", bytes);
        Model* model = models->LoadModel("bad.mlf", nullptr, extra);
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(TakeLog(), std::vector<std::string>{"2 " + c.error});
        EXPECT_EQ(model->name, "bad.mlf");
        // The 2 × 2 × 2 box, registered, with the extra flags through SetFlags.
        EXPECT_EQ(model->flags, 0x424C9u);
        EXPECT_EQ(model->GetPrimitiveCount(), 12u);
        ExpectVector(model->box.localMin, {-1, -1, -1});
        ExpectVector(model->box.localMax, {1, 1, 1});
        EXPECT_EQ(model->camera, cameras->GetDefaultCamera());
        EXPECT_TRUE(models->models.Remove(model));
        delete model;
    }

    // A file that is not there at all.
    std::unique_ptr<Model> missing(models->LoadUnregisteredModel("missing.mlf", nullptr, 0));
    const std::vector<std::string> lines = TakeLog();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("2 Failed to open", 0), 0u) << lines[0];
    EXPECT_EQ(missing->name, "missing.mlf");
    EXPECT_EQ(missing->GetVertexBuffer()->GetCount(), 24u);
    EXPECT_EQ(models->models.GetCount(), 0u);
}

TEST_F(ModelTest, BoxesAndExclusiveFlags)
{
    std::unique_ptr<Model> box(
        models->CreateBox({0, 0, 0}, {1, 2, 3}, nullptr, ModelFlags::TwoPasses | ModelFlags::GroupSecond));
    EXPECT_EQ(box->name, "box");
    // 0x422C9 with the extras: two passes replace cull mode 1, the second
    // group replaces the first.
    EXPECT_EQ(box->flags, 0x444C9u);
    EXPECT_EQ(box->GetPrimitiveCount(), 12u);
    EXPECT_EQ(box->GetVertexBuffer()->GetCount(), 24u);
    ExpectVector(box->box.localMin, {0, 0, 0});
    ExpectVector(box->box.localMax, {1, 2, 3});
    ExpectVector(Position(*box, 0), {0, 0, 0});
    ExpectVector(Normal(*box, 0), {0, 0, -1});
    EXPECT_FLOAT_EQ(TexCoords(*box, 0).x, 1.0f);
    ExpectVector(Position(*box, 13), {1, 2, 0});
    ExpectVector(Normal(*box, 13), {1, 0, 0});
    const IndexBuffer& indices = *box->GetIndexBuffer();
    std::vector<uint32_t> face2;
    for (uint32_t i = 12; i < 18; ++i) face2.push_back(indices.GetIndex(i));
    EXPECT_EQ(face2, (std::vector<uint32_t>{8, 9, 10, 10, 11, 8}));

    // Animation bits set later find no frames to blend: the box stays.
    box->SetFlags(ModelFlags::Morph | ModelFlags::Skinned);
    box->Update(false);
    ExpectVector(box->box.localMax, {1, 2, 3});
    ExpectVector(Position(*box, 13), {1, 2, 0});

    box->SetFlags(ModelFlags::Cull2);
    EXPECT_EQ(box->flags & ModelFlags::CullModes, ModelFlags::Cull2);
    box->SetFlags(ModelFlags::GroupFirst);
    EXPECT_EQ(box->flags & ModelFlags::Groups, ModelFlags::GroupFirst);
    EXPECT_EQ(models->models.GetCount(), 0u);
}

TEST_F(ModelTest, MorphAnimationAtChosenTimes)
{
    Put("m.mlf", Tools::BuildModelFile(MorphQuad({0, 10, 30}, 2)));
    std::unique_ptr<Model> model(models->LoadUnregisteredModel("m.mlf", nullptr, ModelFlags::Visible));
    AnimationControl& animation = *model->GetAnimation();
    animation.looping = true;
    animation.Play();

    // 2 frames per second in steps of 1/8 s: a quarter frame per update.
    timers->frameStep = 0.125f;
    struct Step {
        int updates;
        float x;       // vertex 0
        float boxMid;  // centre of the box along x
    };
    const Step steps[] = {{1, 2.5f, 3.0f}, {1, 5, 5.5f}, {2, 10, 10.5f}, {2, 20, 20.5f}, {2, 0, 0.5f}};
    for (const Step& s : steps) {
        for (int i = 0; i < s.updates; ++i) model->Update(false);
        SCOPED_TRACE(animation.position);
        EXPECT_FLOAT_EQ(Position(*model, 0).x, s.x);
        EXPECT_FLOAT_EQ(model->box.center.x, s.boxMid);
        EXPECT_FLOAT_EQ(model->box.halfSize.x, 0.5f);
    }

    // Half way between frames 0 and 1; a blend that moves by less than
    // 0.0001 leaves the vertices alone (the marker stays), a larger one not.
    model->Update(false);
    model->Update(false);
    ASSERT_FLOAT_EQ(Position(*model, 0).x, 5);
    float marker = -7;
    std::memcpy(model->GetVertexBuffer()->Lock(0, 1), &marker, 4);
    model->GetVertexBuffer()->Unlock();
    timers->frameStep = 0.00002f;
    model->Update(false);
    EXPECT_FLOAT_EQ(Position(*model, 0).x, -7);
    timers->frameStep = 0.125f;
    model->Update(false);
    EXPECT_NEAR(Position(*model, 0).x, 7.5f, 0.001f);

    // Without the visible flag the animation runs on, the vertices and the
    // box stay.
    model->flags &= ~ModelFlags::Visible;
    const float before = animation.position;
    model->Update(false);
    EXPECT_FLOAT_EQ(animation.position, before + 0.25f);
    EXPECT_NEAR(Position(*model, 0).x, 7.5f, 0.001f);
    EXPECT_NEAR(model->box.center.x, 8.0f, 0.001f);
}

TEST_F(ModelTest, SkinnedVerticesFollowTheirBones)
{
    Put("s.mlf", Tools::BuildModelFile(SkinnedTriangle(202)));
    std::unique_ptr<Model> model(models->LoadUnregisteredModel("s.mlf", nullptr, ModelFlags::Visible));
    model->Update(false);
    // Bone a: scale 2, then move by (1, 2, 3).
    ExpectVector(Position(*model, 0), {3, 2, 3});
    ExpectVector(Normal(*model, 0), {0, 0, 1});
    // No weight: nothing pulls the vertex anywhere.
    ExpectVector(Position(*model, 1), {0, 0, 0});
    ExpectVector(Normal(*model, 1), {0, 0, 0});
    ExpectVector(Position(*model, 2), {0, 1, 0});
    // The box covers bone a's box only; bone b is kept out.
    ExpectVector(model->box.localMin, {-1, 0, 1});
    ExpectVector(model->box.localMax, {3, 4, 5});
}

TEST_F(ModelTest, ColorReachesEveryVertex)
{
    Put("q.mlf", Tools::BuildModelFile(StaticQuad()));
    std::unique_ptr<Model> colored(models->LoadUnregisteredModel("q.mlf", nullptr, ModelFlags::VertexColor));
    colored->SetColor(ColorRGBA(1, 0, 0.5f, 0.25f));
    for (uint32_t v = 0; v < 4; ++v) {
        uint32_t color;
        std::memcpy(&color, colored->GetVertexBuffer()->GetVertices() + 36 * v + 24, 4);
        EXPECT_EQ(color, 0x40FF0080u) << v;
    }
    EXPECT_FALSE(colored->GetVertexBuffer()->IsLocked());

    // Without colours nothing is written: the texture coordinates stay.
    std::unique_ptr<Model> plain(models->LoadUnregisteredModel("q.mlf", nullptr, 0));
    plain->SetColor(ColorRGBA(1, 0, 0.5f, 0.25f));
    EXPECT_FLOAT_EQ(TexCoords(*plain, 0).x, 0.25f);
}

TEST_F(ModelTest, RayPicking)
{
    std::unique_ptr<Model> box(models->CreateBox({-1, -1, -1}, {1, 1, 1}, nullptr, 0));
    box->ApplyTransform(Translation(5, 0, 0));
    // A strip quad: lower-left, lower-right, upper-left, upper-right.
    Tools::Model strip = Tools::MeshModel(MF::Static, {Tools::QuadMesh(0, 0, 1, 1)});
    strip.indices = {0, 1, 3, 2};
    Put("strip.mlf", Tools::BuildModelFile(strip));
    std::unique_ptr<Model> quad(models->LoadUnregisteredModel("strip.mlf", nullptr, 0));
    ASSERT_EQ(quad->GetPrimitiveCount(), 2u);

    struct Case {
        const char* name;
        Model* model;
        Ray ray;
        bool hit;
    };
    const Case cases[] = {
        {"through the moved box", box.get(), {{5.5f, 0.5f, 10}, {0, 0, -20}}, true},
        {"where the box was", box.get(), {{0, 0, 10}, {0, 0, -20}}, false},
        {"a segment that ends short of the box", box.get(), {{5, 0, 10}, {0, 0, -5}}, false},
        {"from inside, out through a face", box.get(), {{5, 0, 0}, {0, 0, -20}}, true},
        {"slanted into a side", box.get(), {{0, 0.5f, 0.5f}, {10, 0, 0}}, true},
        {"second strip triangle", quad.get(), {{0.9f, 0.9f, 5}, {0, 0, -10}}, true},
        {"beside the strip", quad.get(), {{1.5f, 0.5f, 5}, {0, 0, -10}}, false},
        {"from the quad's plane, pointing away", quad.get(), {{0.5f, 0.5f, 0}, {0, 0, 5}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.model->IntersectRay(c.ray), c.hit);
    }

    box->ResetTransform();
    EXPECT_TRUE(box->IntersectRay({{0, 0, 10}, {0, 0, -20}}));
    EXPECT_FALSE(box->IntersectRay({{5.5f, 0.5f, 10}, {0, 0, -20}}));
    ExpectVector(box->box.worldMax, {1, 1, 1});
}

TEST_F(ModelTest, RenderPassesAndSkippedDraws)
{
    using namespace Platform;
    struct Case {
        const char* name;
        uint32_t extraFlags;
        float z;  // where the box sits in front of the camera (−z is ahead)
        std::vector<uint32_t> cullModes;  // one draw per pass
    };
    const Case cases[] = {
        {"one pass, cull mode 1", 0, -10, {D3DCULL_CW}},
        {"two passes", ModelFlags::TwoPasses, -10, {D3DCULL_CCW, D3DCULL_CW}},
        {"cull mode 2", ModelFlags::Cull2, -10, {D3DCULL_CCW}},
        {"stencil without a stencil buffer", ModelFlags::Stencil, -10, {}},
        {"behind the camera", 0, 10, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Model> box(models->CreateBox({-1, -1, -1}, {1, 1, 1}, nullptr, c.extraFlags));
        box->ApplyTransform(Translation(0, 0, c.z));
        box->Update(true);
        renderer->SetCullMode(CullNone);
        graphics.ClearCalls();
        box->Render();
        std::vector<uint32_t> culls;
        size_t draws = 0;
        for (const GraphicsCall& call : graphics.Calls()) {
            if (call.name == "Device::SetRenderState" &&
                call.args[0] == static_cast<double>(D3DRENDERSTATE_CULLMODE)) {
                culls.push_back(static_cast<uint32_t>(call.args[1]));
            }
            if (call.name == "Device::DrawIndexedPrimitive") {
                EXPECT_EQ(call.args[3], 36);
                ++draws;
            }
        }
        EXPECT_EQ(culls, c.cullModes);
        EXPECT_EQ(draws, c.cullModes.size());
        if (draws > 0) {
            // The box's lighting flag.
            EXPECT_TRUE(renderer->GetStates().lighting);
            EXPECT_TRUE(renderer->GetStates().normalizeNormals);
            EXPECT_FLOAT_EQ(box->depthKey, -c.z);
        }
    }
}

} // namespace
} // namespace ZorvaneEngine
