#include "tools/common/MaterialWriter.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/WriterTestSupport.h"
#include "tools/common/BinaryWriter.h"

namespace Tools {
namespace {

// A blended material: a 4 × 2 grid stage of 8 frames over a plain stage.
Material TwoStageMaterial() {
    Material material;
    material.flags = 1;
    material.diffuse = {0.5f, 0.25f, 1, 1};
    material.power = 2;
    material.secondValue = 3;
    material.sourceBlend = 4;
    material.destinationBlend = 5;
    MaterialStage grid;
    grid.flags = StageFlag::MipMaps | StageFlag::RandomStart;
    grid.animation = StageAnimation::Grid;
    grid.cols = 4;
    grid.rows = 2;
    grid.frameCount = 8;
    grid.speed = 4;
    grid.diffuse = "fire.tga";
    grid.opacity = "fire_a.jpg";
    grid.addressU = 0;
    MaterialStage plain;
    plain.diffuse = "ui\\back.jpg";
    plain.scaleU = 2;
    plain.offsetV = 0.25f;
    material.stages = {grid, plain};
    return material;
}

TEST(MaterialWriterTest, TwoStagesInFileOrder) {
    const std::vector<uint8_t> bytes = BuildMaterialFile(TwoStageMaterial());

    BinaryWriter expected;
    BeginEngineFile(expected, "ZVSRF", 211);
    expected.U32(1);
    for (const float value : {0.5f, 0.25f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f,
                              0.0f, 0.0f, 0.0f, 1.0f, 2.0f, 3.0f}) {
        expected.F32(value);  // diffuse, ambient, specular, emissive, power, second value
    }
    expected.U32(4);
    expected.U32(5);
    expected.U32(2);
    // Grid stage: flags, animation, frames, speed, cols, rows, names, address, scale, offset.
    expected.U32(3);
    expected.U32(1);
    expected.U32(8);
    expected.F32(4);
    expected.U32(4);
    expected.U32(2);
    expected.NarrowString("fire.tga");
    expected.NarrowString("fire_a.jpg");
    expected.U32(0);
    expected.U32(1);
    for (const float value : {1.0f, 1.0f, 0.0f, 0.0f}) {
        expected.F32(value);
    }
    // Plain stage: no frame count, speed, cols or rows; no opacity picture.
    expected.U32(1);
    expected.U32(0);
    expected.NarrowString("ui\\back.jpg");
    expected.NarrowString("");
    expected.U32(1);
    expected.U32(1);
    for (const float value : {2.0f, 1.0f, 0.0f, 0.25f}) {
        expected.F32(value);
    }
    EndEngineFile(expected);

    EXPECT_EQ(bytes, expected.Data());
    ExpectHeader(bytes, "ZVSRF", 211);
    EXPECT_EQ(U32At(bytes, 97), 2u);   // stage count
    EXPECT_EQ(U32At(bytes, 109), 8u);  // the grid's frame count after stage flags and animation
    EXPECT_EQ(bytes.size(), 101u + 68 + 45);
}

TEST(MaterialWriterTest, PerFrameAnimationsStoreFramesAndSpeedOnly) {
    for (const StageAnimation animation :
         {StageAnimation::DiffusePerFrame, StageAnimation::OpacityPerFrame, StageAnimation::BothPerFrame}) {
        Material material;
        material.stages.resize(1);
        material.stages[0].animation = animation;
        material.stages[0].frameCount = 12;
        material.stages[0].speed = 10;
        material.stages[0].cols = 7;  // not stored
        const std::vector<uint8_t> bytes = BuildMaterialFile(material);
        ASSERT_EQ(bytes.size(), 101u + 8 + 8 + 2 + 24);
        EXPECT_EQ(U32At(bytes, 105), static_cast<uint32_t>(animation));
        EXPECT_EQ(U32At(bytes, 109), 12u);
        EXPECT_EQ(F32At(bytes, 113), 10.0f);
        EXPECT_EQ(bytes[117], 0);  // empty diffuse name
    }
    EXPECT_EQ(BuildMaterialFile(Material{}).size(), 101u);
}

TEST(MaterialWriterTest, RejectsWhatTheEngineCannotUse) {
    struct Case {
        const char* what;
        void (*spoil)(Material&);
    };
    const Case cases[] = {
        {"third stage", [](Material& m) { m.stages.push_back({}); }},
        {"unknown animation", [](Material& m) { m.stages[1].animation = static_cast<StageAnimation>(5); }},
        {"animated without frames", [](Material& m) { m.stages[0].frameCount = 0; }},
        {"per-frame without frames",
         [](Material& m) {
             m.stages[1].animation = StageAnimation::DiffusePerFrame;
             m.stages[1].frameCount = 0;
         }},
        {"grid without cols", [](Material& m) { m.stages[0].cols = 0; }},
        {"grid without rows", [](Material& m) { m.stages[0].rows = 0; }},
    };
    for (const Case& c : cases) {
        Material material = TwoStageMaterial();
        c.spoil(material);
        EXPECT_THROW(BuildMaterialFile(material), std::invalid_argument) << c.what;
    }
    Material material = TwoStageMaterial();
    material.stages[0].diffuse.assign(256, 'x');
    EXPECT_THROW(BuildMaterialFile(material), std::length_error);
    // Unused animation values of a plain stage are not checked.
    material = TwoStageMaterial();
    material.stages[1].frameCount = 0;
    material.stages[1].cols = 0;
    EXPECT_NO_THROW(BuildMaterialFile(material));
}

} // namespace
} // namespace Tools
