// Materials built in code: which descriptions share a shader, the pictures
// an animated stage asks for, the animation on the frame clock, and the
// users' lifecycle.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "engine/core/Error.h"
#include "engine/core/Random.h"
#include "tests/engine/graphics/MaterialFixture.h"

namespace ZorvaneEngine {
namespace {

class ShaderManagerTest : public MaterialFixture {};

// One blended stage with an opacity picture, a 4 × 2 grid of 8 frames.
ShaderDescriptor GridMaterial()
{
    ShaderDescriptor d("fx\\fire.tga", "fx\\fire_a.tga", AnimationGrid, 4, 2, 8, 4.0f, false);
    return d;
}

TEST_F(ShaderManagerTest, EqualDescriptionsShareOneShader)
{
    struct Case {
        const char* what;
        std::function<void(ShaderDescriptor&)> change;
        bool shares;
    };
    const Case cases[] = {
        {"colours and power",
         [](ShaderDescriptor& d) {
             d.diffuse = {0.5f, 0.5f, 0.5f, 1};
             d.power = 3;
         },
         true},
        {"blend factors and blending", [](ShaderDescriptor& d) {
             d.flags = 0;
             d.sourceBlend = 2;
         }, true},
        {"address, scale, offset",
         [](ShaderDescriptor& d) {
             d.stages[0].addressU = 0;
             d.stages[0].scaleV = 2;
             d.stages[0].offsetU = 0.5f;
         },
         true},
        {"grid size and speed",
         [](ShaderDescriptor& d) {
             d.stages[0].cols = 2;
             d.stages[0].speed = 10;
         },
         true},
        {"mip-mapping and random start", [](ShaderDescriptor& d) { d.stages[0].flags = StageRandomStart; }, true},
        {"other descriptor flags", [](ShaderDescriptor& d) { d.flags |= 0x10; }, false},
        {"textures from the creator", [](ShaderDescriptor& d) { d.stages[0].flags |= StageNoTextures; }, false},
        {"opacity picture",
         [](ShaderDescriptor& d) {
             d.stages[0].opacity = "fx\\other.tga";
             d.UpdateHash();
         },
         false},
        {"second stage",
         [](ShaderDescriptor& d) { d.AddStage(AnimationNone, "fx\\fire.tga", 0, 1, 1, 0, 0, "", 1); }, false},
        {"picture per frame", [](ShaderDescriptor& d) { d.stages[0].animation = AnimationDiffuse; }, false},
    };
    ShaderUser* base = materials->CreateShaderUser(GridMaterial());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShaderDescriptor d = GridMaterial();
        c.change(d);
        ShaderUser* user = materials->CreateShaderUser(d);
        EXPECT_EQ(user->GetShader() == base->GetShader(), c.shares);
        EXPECT_EQ(materials->GetShaderCount(), c.shares ? 1u : 2u);
        materials->RemoveShader(user);
        EXPECT_EQ(materials->GetShaderCount(), 1u);
    }

    // Per-frame pictures with other frame counts are other pictures.
    ShaderUser* twelve = materials->CreateShaderUser(
        ShaderDescriptor("fx\\fire00.tga", "", AnimationDiffuse, 1, 1, 12, 10, false));
    ShaderUser* ten = materials->CreateShaderUser(
        ShaderDescriptor("fx\\fire00.tga", "", AnimationDiffuse, 1, 1, 10, 20, true));
    ShaderUser* twelveAgain = materials->CreateShaderUser(
        ShaderDescriptor("FX\\Fire00.TGA", "", AnimationDiffuse, 1, 1, 12, 5, true));
    EXPECT_NE(twelve->GetShader(), ten->GetShader());
    EXPECT_EQ(twelve->GetShader(), twelveAgain->GetShader());

    // A shared shader, but each user blends and addresses its own way.
    ShaderDescriptor added = GridMaterial();
    added.sourceBlend = 9;
    added.stages[0].addressV = 0;
    ShaderUser* other = materials->CreateShaderUser(added);
    Shader::Apply(*other->GetShader(), *other);
    EXPECT_EQ(renderer->GetStates().sourceBlend, 9u);
    EXPECT_EQ(renderer->GetStates().addressV[0], 0u);
    Shader::Apply(*base->GetShader(), *base);
    EXPECT_EQ(renderer->GetStates().sourceBlend, 4u);
    EXPECT_EQ(renderer->GetStates().addressV[0], 1u);
}

TEST_F(ShaderManagerTest, PicturesTheStagesAskFor)
{
    const auto keys = [&](ShaderDescriptor d) {
        ShaderUser* user = materials->CreateShaderUser(d);
        std::vector<std::string> result = TextureKeys();
        materials->RemoveShader(user);
        EXPECT_EQ(TextureKeys(), std::vector<std::string>{});
        return result;
    };

    std::vector<std::string> expected;
    for (int i = 0; i < 12; ++i) {
        expected.push_back("diffuse_data\\fx\\fire" + std::string(i < 10 ? "0" : "") + std::to_string(i) +
                           ".tga_with_mip_mapping");
    }
    EXPECT_EQ(keys(ShaderDescriptor("fx\\fire00.tga", "", AnimationDiffuse, 1, 1, 12, 10, false)), expected);

    const std::vector<std::string> hundred =
        keys(ShaderDescriptor("fx\\fire000.tga", "", AnimationDiffuse, 1, 1, 100, 10, false));
    ASSERT_EQ(hundred.size(), 100u);
    EXPECT_EQ(hundred.front(), "diffuse_data\\fx\\fire000.tga_with_mip_mapping");
    EXPECT_EQ(hundred.back(), "diffuse_data\\fx\\fire099.tga_with_mip_mapping");

    // Opacity per frame: the diffuse picture stays one.
    EXPECT_EQ(keys(ShaderDescriptor("fx\\smoke.tga", "fx\\mask0.tga", AnimationOpacity, 1, 1, 2, 1, false)),
              (std::vector<std::string>{
                  "diffuse_data\\fx\\smoke.tga_plus_opacity_data\\fx\\mask0.tga_with_mip_mapping",
                  "diffuse_data\\fx\\smoke.tga_plus_opacity_data\\fx\\mask1.tga_with_mip_mapping"}));

    // A file name without room for the number: logged, and the one name
    // serves every frame.
    TakeLog();
    ShaderDescriptor shortName("fx\\f.tga", "", AnimationDiffuse, 1, 1, 12, 10, false);
    ShaderUser* user = materials->CreateShaderUser(shortName);
    const std::vector<std::string> lines = TakeLog();
    ASSERT_FALSE(lines.empty());  // the picture is missing, too
    EXPECT_EQ(lines[0], "2 Shader: \"fx\\f.tga\" has no room for a frame number of 2 digits");
    EXPECT_EQ(TextureKeys(), std::vector<std::string>{"diffuse_data\\fx\\f.tga_with_mip_mapping"});
    EXPECT_EQ(user->GetShader()->GetFrames(0).size(), 12u);
    materials->RemoveShader(user);

    // "32bit" blends with the diffuse picture's own alpha: no opacity picture.
    ShaderDescriptor ownAlpha("UI\\Logo.tga", "32BIT", AnimationNone, 1, 1, 1, 0, true);
    EXPECT_EQ(ownAlpha.flags, ShaderAlphaBlend);
    EXPECT_EQ(ownAlpha.sourceBlend, 4u);
    EXPECT_EQ(ownAlpha.destinationBlend, 5u);
    EXPECT_EQ(ownAlpha.stages[0].addressU, 0u);
    EXPECT_EQ(keys(ownAlpha), std::vector<std::string>{"diffuse_data\\ui\\logo.tga_with_mip_mapping"});

    // A missing "jpg" picture: "jp2", then "bmp", else the "jpg" name.
    struct Case {
        std::vector<std::string> present;
        std::string requested;
    };
    const Case cases[] = {
        {{"sky.bmp"}, "sky.bmp"},
        {{"sky.jp2", "sky.bmp"}, "sky.jp2"},
        {{"sky.jpg", "sky.bmp"}, "sky.jpg"},
        {{}, "sky.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.requested);
        TestSupport::TemporaryFolder own;
        files = std::make_unique<FileManager>("", &log, own.Path());
        materials = std::make_unique<ShaderManager>(&log, files.get(), &timers, config.get(), renderer.get());
        for (const std::string& name : c.present) {
            std::filesystem::create_directories(own / "data");
            ASSERT_TRUE(Tools::SaveFile(own / ("data/" + name), {0}));
        }
        EXPECT_EQ(keys(ShaderDescriptor("Sky.JPG", "sky.jpg", AnimationNone, 1, 1, 1, 0, false)),
                  std::vector<std::string>{"diffuse_data\\" + c.requested + "_plus_opacity_data\\" +
                                           c.requested + "_with_mip_mapping"});
        materials.reset();
    }
}

TEST_F(ShaderManagerTest, AnimationFollowsTheFrameClock)
{
    // Grid: 4 × 2 cells, 8 frames at 4 per second; row 1 is the top one.
    ShaderUser* grid = materials->CreateShaderUser(GridMaterial());
    struct GridStep {
        float seconds;
        float offsetU, offsetV;
    };
    const GridStep gridSteps[] = {
        {0.125f, 0.00125f, 0.5025f},  // clock 0.5: cell 0, top left
        {0.125f, 0.25125f, 0.5025f},  // 1.0: cell 1
        {0.875f, 0.00125f, 0.0025f},  // 4.5: cell 4, bottom left
        {0.875f, 0.00125f, 0.5025f},  // 8.0: not wrapped, the first cell again
        {0.25f, 0.25125f, 0.5025f},   // 9.0 wraps to 1.0
        {4.0f, 0.25125f, 0.5025f},    // 1.0 + 16: two rounds at once
    };
    for (const GridStep& s : gridSteps) {
        Step(grid, s.seconds);
        SCOPED_TRACE(grid->clocks[0]);
        const ShaderStage& stage = grid->stages[0];
        EXPECT_FLOAT_EQ(stage.scaleU, 0.2475f);
        EXPECT_FLOAT_EQ(stage.scaleV, 0.495f);
        EXPECT_FLOAT_EQ(stage.offsetU, s.offsetU);
        EXPECT_FLOAT_EQ(stage.offsetV, s.offsetV);
        EXPECT_EQ(stage.currentFrame, 0u);
    }

    // More frames than cells start over at the first cell.
    ShaderUser* overfull =
        materials->CreateShaderUser(ShaderDescriptor("fx\\fire.tga", "", AnimationGrid, 2, 2, 6, 1, false));
    Step(overfull, 4.5f);
    EXPECT_FLOAT_EQ(overfull->stages[0].offsetU, 0.0025f);
    EXPECT_FLOAT_EQ(overfull->stages[0].offsetV, 0.5025f);

    // One picture per frame: 12 frames at 8 per second.
    ShaderUser* frames = materials->CreateShaderUser(
        ShaderDescriptor("fx\\fire00.tga", "", AnimationDiffuse, 1, 1, 12, 8, false));
    struct FrameStep {
        float seconds;
        uint32_t frame;
    };
    const FrameStep frameSteps[] = {
        {0.0625f, 0}, {0.125f, 1}, {1.25f, 11}, {0.0625f, 0} /* clock exactly 12 */, {0.0625f, 0}, {0.25f, 2},
    };
    for (const FrameStep& s : frameSteps) {
        Step(frames, s.seconds);
        EXPECT_EQ(frames->stages[0].currentFrame, s.frame) << "clock " << frames->clocks[0];
    }
    // The device gets the current frame's texture.
    Shader::Apply(*frames->GetShader(), *frames);
    EXPECT_EQ(renderer->GetStates().texture[0], frames->GetShader()->GetFrames(0)[2]);

    // Backwards, too fast for any float to step through, or not a number:
    // the clock stays within the frames and the step ends.
    struct SpeedCase {
        float speed;
        int32_t frame;  // -1: any
    };
    const SpeedCase speeds[] = {
        {-8.0f, 11},
        {1e30f, -1},
        {std::numeric_limits<float>::quiet_NaN(), 0},
        {std::numeric_limits<float>::infinity(), 0},
    };
    for (const SpeedCase& s : speeds) {
        SCOPED_TRACE(s.speed);
        frames->clocks[0] = 0;
        frames->stages[0].speed = s.speed;
        Step(frames, 0.0625f);
        if (s.frame >= 0) {
            EXPECT_EQ(frames->stages[0].currentFrame, static_cast<uint32_t>(s.frame));
        }
        EXPECT_LT(frames->stages[0].currentFrame, 12u);
        EXPECT_GE(frames->clocks[0], 0.0f);
        EXPECT_LE(frames->clocks[0], 12.0f);
    }

    // A random start draws once from the shared generator for each stage
    // that asks for it, and for no other.
    ShaderDescriptor random("fx\\a.tga", "", AnimationGrid, 2, 2, 4, 1, false);
    random.stages[0].flags = StageRandomStart;
    random.AddStage(AnimationGrid, "fx\\b.tga", 0, 2, 2, 4, 1, "", 1);
    RandomSeed = 7;
    ShaderUser* started = materials->CreateShaderUser(random);
    const uint32_t seedAfter = RandomSeed;
    RandomSeed = 7;
    EXPECT_FLOAT_EQ(started->clocks[0], RandomFloat() * 4);
    EXPECT_EQ(RandomSeed, seedAfter);
    EXPECT_EQ(started->clocks[1], 0.0f);
}

TEST_F(ShaderManagerTest, UsersAndShadersComeAndGo)
{
    ShaderUser* first = materials->CreateShaderUser(GridMaterial());
    ShaderUser* second = materials->CreateShaderUser(GridMaterial());
    EXPECT_EQ(first->GetShader()->GetUserCount(), 2u);
    EXPECT_EQ(TextureKeys().size(), 1u);

    materials->RemoveShader(first);
    EXPECT_EQ(materials->GetShaderCount(), 1u);
    EXPECT_EQ(TextureKeys().size(), 1u);
    materials->RemoveShader(second);
    EXPECT_EQ(materials->GetShaderCount(), 0u);
    EXPECT_EQ(TextureKeys(), std::vector<std::string>{});
    materials->RemoveShader(nullptr);

    // A user the manager does not hold (any more) is fatal.
    ShaderUser* kept = materials->CreateShaderUser(GridMaterial());
    ShaderManager otherManager(&log, files.get(), &timers, config.get(), renderer.get());
    ShaderUser* foreign = otherManager.CreateShaderUser(GridMaterial());
    TakeLog();
    EXPECT_THROW(materials->RemoveShader(foreign), FatalError);
    EXPECT_EQ(TakeLog(), std::vector<std::string>{"3 Shader Manager: Failed to remove shader"});
    EXPECT_EQ(materials->GetUsers().size(), 1u);
    (void)kept;  // the manager deletes the users it still holds

    // A third stage is fatal and changes nothing.
    ShaderDescriptor two = GridMaterial();
    two.AddStage(AnimationNone, "fx\\b.tga", 0, 1, 1, 0, 0, "", 1);
    const uint32_t hash = two.hash;
    try {
        two.AddStage(AnimationNone, "fx\\c.tga", 0, 1, 1, 0, 0, "", 1);
        ADD_FAILURE() << "no error";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.message, "Shader Stages: buffer is overflowed");
    }
    EXPECT_EQ(two.stageCount, 2u);
    EXPECT_EQ(two.hash, hash);

    // A creator's own textures: the shader takes them over, hands back one
    // stored over, and one for a frame it does not have.
    ShaderDescriptor own("puzzle_1", "", AnimationNone, 1, 1, 1, 0, false);
    own.stages[0].flags |= StageNoTextures;
    ShaderUser* made = materials->CreateShaderUser(own);
    EXPECT_EQ(made->GetShader()->GetFrames(0), std::vector<Texture2D*>{nullptr});
    TextureManager* textures = materials->GetTextureManager();
    made->GetShader()->SetTexture(0, 0, textures->GetTexture("puzzle_1", "", true));
    made->GetShader()->SetTexture(0, 0, textures->GetTexture("puzzle_2", "", true));
    made->GetShader()->SetTexture(0, 1, textures->GetTexture("puzzle_3", "", true));
    EXPECT_EQ(TextureKeys(),
              (std::vector<std::string>{
                  "diffuse_data\\fx\\fire.tga_plus_opacity_data\\fx\\fire_a.tga_with_mip_mapping",
                  "diffuse_puzzle_2_with_mip_mapping"}));
    materials->RemoveShader(made);
    EXPECT_EQ(TextureKeys().size(), 1u);
}

} // namespace
} // namespace ZorvaneEngine
