// Material files: a two-stage file read and drawn through the scripted
// device, and the default material for a missing or damaged file.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "engine/core/Error.h"
#include "tests/engine/graphics/DeviceCallLines.h"
#include "tests/engine/graphics/MaterialFixture.h"

namespace ZorvaneEngine {
namespace {

using namespace Platform;

// A blended material in "fx": a plain stage with its own addressing and
// texture matrix, over a 4 × 2 grid of 8 frames at 4 frames per second.
Tools::Material GlowMaterial()
{
    Tools::Material material;
    material.flags = 1;
    material.diffuse = {0.5f, 0.25f, 1, 1};
    material.emissive = {0, 0, 0.125f, 1};
    material.power = 2;
    material.secondValue = 3;
    material.sourceBlend = 4;
    material.destinationBlend = 5;
    Tools::MaterialStage plain;
    plain.flags = Tools::StageFlag::MipMaps;
    plain.diffuse = "Glow.TGA";  // beside the material
    plain.opacity = "glow_a.tga";
    plain.addressU = 0;
    plain.addressV = 1;
    plain.scaleU = 2;
    plain.scaleV = 3;
    plain.offsetU = 0.5f;
    plain.offsetV = 0.25f;
    Tools::MaterialStage grid;
    grid.flags = 0;
    grid.animation = Tools::StageAnimation::Grid;
    grid.frameCount = 8;
    grid.speed = 4;
    grid.cols = 4;
    grid.rows = 2;
    grid.diffuse = "ui\\sparks.jpg";  // has a folder: taken as it is
    grid.addressU = 1;
    grid.addressV = 0;
    material.stages = {plain, grid};
    return material;
}

std::string TextureTransform(uint32_t stage, float scaleU, float scaleV, float offsetU, float offsetV)
{
    std::string line = "Device::SetTransform " + std::to_string(D3DTRANSFORMSTATE_TEXTURE0 + stage);
    for (float v : {scaleU, 0.0f, 0.0f, 0.0f, 0.0f, scaleV, 0.0f, 0.0f, offsetU, offsetV, 1.0f, 0.0f,
                    0.0f, 0.0f, 0.0f, 1.0f}) {
        line += " " + RendererFixture::Number(v);
    }
    return line;
}

class MaterialFileTest : public MaterialFixture {};

TEST_F(MaterialFileTest, TwoStageMaterialLoadsItsPicturesAndPushesItsStates)
{
    Put("data/fx/glow.srf", Tools::BuildMaterialFile(GlowMaterial()));
    PutPicture("data/fx/glow.tga", 24);
    PutPicture("data/fx/glow_a.tga", 8);
    // The grid's "jpg" is missing but a "bmp" of the same name exists.
    PutPicture("data/ui/sparks.bmp", 24);

    ShaderUser* user = materials->LoadShader("fx\\glow.srf");
    ASSERT_EQ(user->stageCount, 2u);
    EXPECT_EQ(user->diffuse.g, 0.25f);
    EXPECT_EQ(user->emissive.b, 0.125f);
    EXPECT_EQ(user->power, 2.0f);
    EXPECT_EQ(user->secondValue, 3.0f);
    EXPECT_EQ(user->stages[0].frameCount, 0u);
    EXPECT_EQ(user->stages[1].frameCount, 8u);
    EXPECT_EQ(user->stages[1].speed, 4.0f);
    EXPECT_EQ(user->stages[1].cols, 4u);
    EXPECT_EQ(user->stages[1].rows, 2u);
    EXPECT_EQ(user->stages[0].diffuse, "fx\\glow.tga");
    EXPECT_EQ(user->stages[0].opacity, "fx\\glow_a.tga");
    EXPECT_EQ(user->stages[1].diffuse, "ui\\sparks.jpg");
    EXPECT_EQ(TextureKeys(), (std::vector<std::string>{
                                 "diffuse_data\\fx\\glow.tga_plus_opacity_data\\fx\\glow_a.tga_with_mip_mapping",
                                 "diffuse_data\\ui\\sparks.bmp"}));
    EXPECT_EQ(TakeLog(), std::vector<std::string>{});

    // A quarter second at 4 frames per second: the grid's second cell,
    // column 1 of the top row.
    Step(user, 0.25f);
    graphics.ClearCalls();
    Shader::Apply(*user->GetShader(), *user);
    std::vector<std::string> calls;
    for (const std::string& call : TakeCalls("Device::")) {
        if (call.rfind("Device::SetTexture ", 0) != 0) {
            calls.push_back(call);
        }
    }
    EXPECT_EQ(calls, (std::vector<std::string>{
                         RS(D3DRENDERSTATE_ALPHABLENDENABLE, 1),
                         RS(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA),
                         RS(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA),
                         // Mip-mapped stage: filter 2; clamped u.
                         TSS(0, D3DTSS_MAGFILTER, D3DTFG_LINEAR),
                         TSS(0, D3DTSS_MINFILTER, D3DTFN_LINEAR),
                         TSS(0, D3DTSS_MIPFILTER, D3DTFP_LINEAR),
                         TSS(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP),
                         TextureTransform(0, 2, 3, 0.5f, 0.25f),
                         // Grid stage: filter 1 and wrapped u as before; clamped v.
                         TSS(1, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP),
                         TextureTransform(1, 0.2475f, 0.495f, 0.25125f, 0.5025f),
                     }));
    const Shader& shader = *user->GetShader();
    EXPECT_EQ(renderer->GetStates().texture[0], shader.GetFrames(0)[0]);
    EXPECT_EQ(renderer->GetStates().texture[1], shader.GetFrames(1)[0]);

    // The default material turns blending off and leaves both stages empty.
    ShaderUser* plain = materials->CreateShaderUser(ShaderDescriptor(0));
    Shader::Apply(*plain->GetShader(), *plain);
    EXPECT_EQ(TakeCalls("Device::"), (std::vector<std::string>{RS(D3DRENDERSTATE_ALPHABLENDENABLE, 0),
                                                     "Device::SetTexture 0 0", "Device::SetTexture 1 0"}));

    materials->RemoveShader(plain);
    materials->RemoveShader(user);
    EXPECT_EQ(TextureKeys(), std::vector<std::string>{});
    EXPECT_EQ(materials->GetShaderCount(), 0u);
}

TEST_F(MaterialFileTest, MissingOrDamagedFileGivesTheDefaultMaterial)
{
    const std::vector<uint8_t> good = Tools::BuildMaterialFile(GlowMaterial());
    const auto patchU32 = [](std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
        std::memcpy(&bytes[offset], &value, 4);
    };
    const auto resize = [&](std::vector<uint8_t>& bytes, size_t size) {
        bytes.resize(size);
        patchU32(bytes, 0, static_cast<uint32_t>(size));
    };
    // Stage 0 starts at byte 101 and is not animated: flags, animation, then
    // the diffuse name's length byte at 109. Stage 1 (the grid) starts at
    // 109 + 9 + 11 + 8 + 16 = 153: flags, animation at 157, frames at 161,
    // speed, cols at 169, rows at 173.
    const std::string prefix = "Incorrect \"data\\fx\\bad.srf\" ";
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
        std::string error;  // the logged text, or its beginning
    };
    const Case cases[] = {
        {"wrong magic", [](auto& b) { b[8] = 'X'; }, prefix + "file format"},
        {"size one short", [](auto& b) { b.push_back(0); }, prefix + "file format"},
        {"older version", [&](auto& b) { patchU32(b, 9, 210); }, prefix + "format version, current is 211"},
        {"cut short", [&](auto& b) { resize(b, 140); }, "Failed to read "},
        {"three stages", [&](auto& b) { patchU32(b, 97, 3); }, prefix + "file format"},
        {"name past the end", [](auto& b) { b[109] = 250; }, "Failed to read 250 bytes from "},
        {"grid of no frames", [&](auto& b) { patchU32(b, 161, 0); }, prefix + "file format"},
        {"grid of no columns", [&](auto& b) { patchU32(b, 169, 0); }, prefix + "file format"},
        {"grid of no rows", [&](auto& b) { patchU32(b, 173, 0); }, prefix + "file format"},
        {"per-frame pictures of no frames",
         [&](auto& b) {
             patchU32(b, 157, 2);
             patchU32(b, 161, 0);
         },
         prefix + "file format"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = good;
        c.damage(bytes);
        Put("data/fx/bad.srf", bytes);
        ShaderUser* user = materials->LoadShader("fx\\bad.srf");
        EXPECT_EQ(user->stageCount, 0u);
        EXPECT_EQ(user->flags, 0u);
        const std::vector<std::string> lines = TakeLog();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].rfind("2 " + c.error, 0), 0u) << lines[0];
        materials->RemoveShader(user);
    }

    // One picture per frame costs a texture each: a thousand frames are
    // taken, one more is refused. The creator fills these frames itself,
    // so nothing is loaded.
    Tools::Material many;
    Tools::MaterialStage frames;
    frames.flags = Tools::StageFlag::TexturesFromCode;
    frames.animation = Tools::StageAnimation::DiffusePerFrame;
    frames.frameCount = ShaderDescriptor::MaxFramePictures;
    frames.diffuse = "fire0000.tga";
    many.stages = {frames};
    Put("data/fx/many.srf", Tools::BuildMaterialFile(many));
    EXPECT_EQ(materials->LoadShader("fx\\many.srf")->stageCount, 1u);
    many.stages[0].frameCount = ShaderDescriptor::MaxFramePictures + 1;
    Put("data/fx/bad.srf", Tools::BuildMaterialFile(many));
    EXPECT_EQ(materials->LoadShader("fx\\bad.srf")->stageCount, 0u);
    EXPECT_EQ(TakeLog(), std::vector<std::string>{"2 " + prefix + "file format"});

    ShaderUser* missing = materials->LoadShader("fx\\none.srf");
    EXPECT_EQ(missing->stageCount, 0u);
    const std::vector<std::string> lines = TakeLog();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("2 Failed to open \"", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("none.srf"), std::string::npos) << lines[0];
    // Every default material is one shader.
    EXPECT_EQ(materials->GetShaderCount(), 2u);
}

} // namespace
} // namespace ZorvaneEngine
