#include "tools/common/ModelWriter.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/WriterTestSupport.h"
#include "tools/common/BinaryWriter.h"

namespace Tools {
namespace {

using ZorvaneEngine::Vector3;

void WriteVector(BinaryWriter& writer, float x, float y, float z) {
    writer.F32(x);
    writer.F32(y);
    writer.F32(z);
}

// A file vertex: u, v, normal, position.
void WriteQuadVertex(BinaryWriter& writer, float u, float v, float x, float y) {
    writer.F32(u);
    writer.F32(v);
    WriteVector(writer, 0, 0, 1);
    WriteVector(writer, x, y, 0);
}

TEST(ModelWriterTest, StaticQuadIs189Bytes) {
    const uint32_t flags = ModelFlag::Static | ModelFlag::List | ModelFlag::Visible;
    const Model model = MeshModel(flags, {QuadMesh(10, 20, 110, 60, 0, 0.5f, 0.25f, 1)});
    const std::vector<uint8_t> bytes = BuildModelFile(model);

    BinaryWriter expected;
    BeginEngineFile(expected, "ZVMLF", 202);
    expected.U32(flags);
    expected.U32(6);
    expected.U32(4);
    for (const uint16_t index : {0, 1, 2, 2, 3, 0}) {
        expected.U16(index);
    }
    WriteQuadVertex(expected, 0, 0.5f, 10, 20);
    WriteQuadVertex(expected, 0.25f, 0.5f, 110, 20);
    WriteQuadVertex(expected, 0.25f, 1, 110, 60);
    WriteQuadVertex(expected, 0, 1, 10, 60);
    WriteVector(expected, 10, 20, 0);
    WriteVector(expected, 110, 60, 0);
    EndEngineFile(expected);

    ASSERT_EQ(bytes.size(), 189u);
    EXPECT_EQ(bytes, expected.Data());
    ExpectHeader(bytes, "ZVMLF", 202);
}

TEST(ModelWriterTest, MorphFramesWithFrameCountSpeedAndOneBoxPerFrame) {
    const uint32_t flags = ModelFlag::Morph | ModelFlag::List;
    const Model model = MeshModel(flags, {QuadMesh(0, 0, 2, 1), QuadMesh(0, 0, 4, 3, 0.5f, 0, 1, 1)}, 8);
    const std::vector<uint8_t> bytes = BuildModelFile(model);

    BinaryWriter expected;
    BeginEngineFile(expected, "ZVMLF", 202);
    expected.U32(flags);
    expected.U32(2);
    expected.F32(8);
    expected.U32(6);
    expected.U32(4);
    for (const uint16_t index : {0, 1, 2, 2, 3, 0}) {
        expected.U16(index);
    }
    WriteQuadVertex(expected, 0, 0, 0, 0);
    WriteQuadVertex(expected, 1, 0, 2, 0);
    WriteQuadVertex(expected, 1, 1, 2, 1);
    WriteQuadVertex(expected, 0, 1, 0, 1);
    WriteQuadVertex(expected, 0.5f, 0, 0, 0);
    WriteQuadVertex(expected, 1, 0, 4, 0);
    WriteQuadVertex(expected, 1, 1, 4, 3);
    WriteQuadVertex(expected, 0.5f, 1, 0, 3);
    WriteVector(expected, 0, 0, 0);
    WriteVector(expected, 2, 1, 0);
    WriteVector(expected, 0, 0, 0);
    WriteVector(expected, 4, 3, 0);
    EndEngineFile(expected);
    EXPECT_EQ(bytes, expected.Data());
}

TEST(ModelWriterTest, IndexWidthFollowsTheIndexCount) {
    Model model;
    model.frames = {{ModelVertex{}, ModelVertex{{1, 1, 1}, {}, 0, 0}}};
    const size_t fixed = 13 + 4 + 8 + 2 * 32 + 24;
    for (const auto& [count, width] : {std::pair<size_t, size_t>{65535, 2}, {65536, 4}}) {
        model.indices.assign(count, 0);
        model.indices.back() = 1;
        const std::vector<uint8_t> bytes = BuildModelFile(model);
        ASSERT_EQ(bytes.size(), fixed + count * width) << count;
        EXPECT_EQ(U32At(bytes, 17), count);
        const size_t last = 25 + (count - 1) * width;
        EXPECT_EQ(width == 2 ? bytes[last] | bytes[last + 1] << 8 : U32At(bytes, last), 1u);
    }

    // An index above 65535 cannot be stored among 16-bit indices.
    model.frames[0].resize(70001);
    model.indices = {0, 1, 70000};
    EXPECT_THROW(BuildModelFile(model), std::invalid_argument);
    model.indices.assign(65536, 70000);
    EXPECT_NO_THROW(BuildModelFile(model));
}

Model SkinnedModel(uint32_t version) {
    Model model;
    model.version = version;
    model.flags = ModelFlag::Skinned | ModelFlag::List;
    model.speed = 5;
    model.skinFrameCount = 2;
    Bone bone;
    bone.excludeFromBounds = true;
    bone.name = "arm";
    bone.pivot = {7, 8, 9};
    bone.boxMinimum = {-1, -1, -1};
    bone.boxMaximum = {1, 1, 1};
    bone.unused[0] = 3;
    bone.unused[1] = 4;
    model.bones = {bone};
    BoneKey second;
    second.position = {1, 2, 3};
    second.scale = {2, 2, 2};
    model.boneKeys = {BoneKey{}, second};
    model.skinVertices = {{0.25f, 0.75f, {{0, 1, {1, 0, 0}, {0, 0, 1}}}}, {0, 0, {}}, {1, 1, {}}};
    model.indices = {0, 1, 2};
    model.boxes = {{{-1, -1, -1}, {1, 1, 1}}};
    return model;
}

TEST(ModelWriterTest, SkinnedModelWithBonesAndKeys) {
    const std::vector<uint8_t> bytes = BuildModelFile(SkinnedModel(202));

    BinaryWriter expected;
    BeginEngineFile(expected, "ZVMLF", 202);
    expected.U32(ModelFlag::Skinned | ModelFlag::List);
    expected.U32(2);
    expected.F32(5);
    expected.U16(1);
    expected.U8(1);
    expected.NarrowString("arm");
    WriteVector(expected, 7, 8, 9);
    WriteVector(expected, -1, -1, -1);
    WriteVector(expected, 1, 1, 1);
    expected.U16(3);
    expected.U16(4);
    for (const float value : {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f,    // frame 0
                              1.0f, 2.0f, 3.0f, 0.0f, 0.0f, 0.0f, 1.0f, 2.0f, 2.0f, 2.0f}) {  // frame 1
        expected.F32(value);
    }
    expected.U32(3);
    expected.U32(3);
    expected.U16(0);
    expected.U16(1);
    expected.U16(2);
    // u, v, weight count, then bone, weight, normal, position.
    expected.F32(0.25f);
    expected.F32(0.75f);
    expected.U16(1);
    expected.U16(0);
    expected.F32(1);
    WriteVector(expected, 0, 0, 1);
    WriteVector(expected, 1, 0, 0);
    for (const float uv : {0.0f, 1.0f}) {
        expected.F32(uv);
        expected.F32(uv);
        expected.U16(0);
    }
    WriteVector(expected, -1, -1, -1);
    WriteVector(expected, 1, 1, 1);
    EndEngineFile(expected);
    EXPECT_EQ(bytes, expected.Data());

    // Version 201 has no pivot: 12 bytes fewer per bone.
    const std::vector<uint8_t> old = BuildModelFile(SkinnedModel(201));
    ExpectHeader(old, "ZVMLF", 201);
    ASSERT_EQ(old.size(), bytes.size() - 12);
    EXPECT_EQ(F32At(old, 32), -1.0f);  // box minimum right after the name
}

TEST(ModelWriterTest, BoxMeshIsTheEngineBox) {
    const Mesh box = BoxMesh({0, 0, 0}, {1, 2, 3});
    ASSERT_EQ(box.vertices.size(), 24u);
    ASSERT_EQ(box.indices.size(), 36u);
    struct Expected {
        size_t index;
        Vector3 position;
        Vector3 normal;
        float u, v;
    };
    const Expected table[] = {
        {0, {0, 0, 0}, {0, 0, -1}, 1, 0},
        {13, {1, 2, 0}, {1, 0, 0}, 1, 0},
        {22, {0, 0, 3}, {-1, 0, 0}, 1, 1},
    };
    for (const Expected& e : table) {
        const ModelVertex& v = box.vertices[e.index];
        EXPECT_EQ(v.position.x, e.position.x) << e.index;
        EXPECT_EQ(v.position.y, e.position.y) << e.index;
        EXPECT_EQ(v.position.z, e.position.z) << e.index;
        EXPECT_EQ(v.normal.x, e.normal.x) << e.index;
        EXPECT_EQ(v.normal.z, e.normal.z) << e.index;
        EXPECT_EQ(v.u, e.u) << e.index;
        EXPECT_EQ(v.v, e.v) << e.index;
    }
    EXPECT_EQ(std::vector<uint32_t>(box.indices.begin() + 12, box.indices.begin() + 18),
              (std::vector<uint32_t>{8, 9, 10, 10, 11, 8}));

    // Appended after a quad: indices move past the quad's four vertices,
    // and the stored box covers both.
    Mesh mesh = QuadMesh(-1, -1, 0, 0);
    AppendMesh(mesh, box);
    EXPECT_EQ(mesh.indices[6], 4u);
    EXPECT_EQ(mesh.indices.back(), 24u);
    const std::vector<uint8_t> bytes = BuildModelFile(MeshModel(ModelFlag::Static | ModelFlag::List, {mesh}));
    const size_t boxAt = bytes.size() - 24;
    EXPECT_EQ(F32At(bytes, boxAt), -1.0f);
    EXPECT_EQ(F32At(bytes, boxAt + 8), 0.0f);
    EXPECT_EQ(F32At(bytes, boxAt + 16), 2.0f);
    EXPECT_EQ(F32At(bytes, boxAt + 20), 3.0f);
}

Model QuadModel() {
    return MeshModel(ModelFlag::Static | ModelFlag::List, {QuadMesh(0, 0, 1, 1)});
}

TEST(ModelWriterTest, RejectsWhatTheEngineCannotReadBack) {
    struct Case {
        const char* what;
        Model (*make)();
    };
    const Case cases[] = {
        {"two vertex kinds", [] { Model m = QuadModel(); m.flags |= ModelFlag::Morph; return m; }},
        {"static with two frames", [] { Model m = QuadModel(); m.frames.push_back(m.frames[0]); return m; }},
        {"morph frames of unequal length",
         [] { Model m = QuadModel(); m.flags = ModelFlag::Morph; m.frames.push_back({ModelVertex{}}); return m; }},
        {"morph without frames", [] { Model m = QuadModel(); m.flags = ModelFlag::Morph; m.frames.clear(); return m; }},
        {"index past the vertices", [] { Model m = QuadModel(); m.indices[5] = 4; return m; }},
        {"box count not one per frame", [] { Model m = QuadModel(); m.boxes.resize(2); return m; }},
        {"vertices the flags do not store", [] { Model m = QuadModel(); m.flags = ModelFlag::List; return m; }},
        {"skeleton on a static model", [] { Model m = QuadModel(); m.bones.resize(1); return m; }},
        {"unknown version", [] { Model m = QuadModel(); m.version = 203; return m; }},
        {"no indexed vertices and no box", [] { Model m = QuadModel(); m.indices.clear(); return m; }},
        {"skinned without frames", [] { Model m = SkinnedModel(202); m.skinFrameCount = 0; m.boneKeys.clear(); return m; }},
        {"skinned keys missing", [] { Model m = SkinnedModel(202); m.boneKeys.pop_back(); return m; }},
        {"skinned without a box", [] { Model m = SkinnedModel(202); m.boxes.clear(); return m; }},
        {"five weights", [] { Model m = SkinnedModel(202); m.skinVertices[0].weights.resize(5); return m; }},
        {"weight past the skeleton",
         [] { Model m = SkinnedModel(202); m.skinVertices[0].weights[0].bone = 1; return m; }},
        {"skinned with vertex frames",
         [] { Model m = SkinnedModel(202); m.frames = {{ModelVertex{}}}; return m; }},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(BuildModelFile(c.make()), std::invalid_argument) << c.what;
    }
    EXPECT_THROW(MeshModel(ModelFlag::Morph, {QuadMesh(0, 0, 1, 1), BoxMesh({}, {1, 1, 1})}), std::invalid_argument);

    // A flag word of 0 stores no vertex data: indices and vertices 0, the box given.
    Model empty;
    empty.flags = 0;
    empty.boxes = {{{-1, -1, -1}, {1, 1, 1}}};
    const std::vector<uint8_t> bytes = BuildModelFile(empty);
    ASSERT_EQ(bytes.size(), 13u + 4 + 8 + 24);
    EXPECT_EQ(U32At(bytes, 17), 0u);
    EXPECT_EQ(U32At(bytes, 21), 0u);
}

} // namespace
} // namespace Tools
