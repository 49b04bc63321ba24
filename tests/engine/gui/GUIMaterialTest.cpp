// Interface pictures become materials: blending from the opacity name, one
// clamped stage from the diffuse name, and "32bit" for the picture's own
// alpha.
#include <gtest/gtest.h>

#include <string>

#include "engine/gui/GUIMaterial.h"

namespace ZorvaneEngine {
namespace {

TEST(GUIMaterialTest, DescriptorsOfInterfacePictures)
{
    struct Case {
        std::string opacity;
        std::string diffuse;
        uint32_t flags;
        uint32_t sourceBlend;
        uint32_t destinationBlend;
        uint32_t stageCount;
        std::string stageDiffuse;
        std::string stageOpacity;
    };
    const Case cases[] = {
        {"", "a.jpg", 0, 0, 0, 1, "a.jpg", ""},
        {"32bit", "a.jpg", ShaderAlphaBlend, 4, 5, 1, "a.jpg", ""},
        // Any name containing it stands for the diffuse picture's alpha.
        {"ui\\cursor_32bit.tga", "ui\\Cursor.tga", ShaderAlphaBlend, 4, 5, 1, "ui\\cursor.tga", ""},
        {"ui\\A_alpha.jpg", "ui\\A.jpg", ShaderAlphaBlend, 4, 5, 1, "ui\\a.jpg", "ui\\a_alpha.jpg"},
        {"x_alpha.jpg", "", ShaderAlphaBlend, 4, 5, 0, "", ""},
        {"", "", 0, 0, 0, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("opacity \"" + c.opacity + "\", diffuse \"" + c.diffuse + "\"");
        const ShaderDescriptor d = BuildGUIShaderDescriptor(c.opacity, c.diffuse);
        EXPECT_EQ(d.flags, c.flags);
        EXPECT_EQ(d.sourceBlend, c.sourceBlend);
        EXPECT_EQ(d.destinationBlend, c.destinationBlend);
        ASSERT_EQ(d.stageCount, c.stageCount);
        if (c.stageCount == 0) continue;
        const ShaderStage& stage = d.stages[0];
        EXPECT_EQ(stage.diffuse, c.stageDiffuse);
        EXPECT_EQ(stage.opacity, c.stageOpacity);
        EXPECT_EQ(stage.animation, AnimationNone);
        EXPECT_EQ(stage.flags, 0u);  // interface pictures are not mip-mapped
        EXPECT_EQ(stage.addressU, 0u);
        EXPECT_EQ(stage.addressV, 0u);
        EXPECT_TRUE(BuildGUIShaderDescriptor(c.opacity, c.diffuse) ==
                    MakeGUIShaderDescriptor(c.opacity, c.diffuse));
    }
}

TEST(GUIMaterialTest, TheInterfaceSwitchDecidesMipMapping)
{
    GUITextureMipMapping = true;
    const ShaderDescriptor mipMapped = BuildGUIShaderDescriptor("", "a.jpg");
    GUITextureMipMapping = false;
    EXPECT_EQ(mipMapped.stages[0].flags, StageMipMapping);
    EXPECT_EQ(BuildGUIShaderDescriptor("", "a.jpg").stages[0].flags, 0u);
}

} // namespace
} // namespace ZorvaneEngine
