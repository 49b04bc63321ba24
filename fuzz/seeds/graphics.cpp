// Materials, models, particle systems and fonts from the tools' writers,
// covering each kind of stage animation, vertex data and spawn shape.
#include <string>
#include <vector>

#include "fuzz/seeds/Seeds.h"
#include "tools/common/FontWriter.h"
#include "tools/common/MaterialWriter.h"
#include "tools/common/ModelWriter.h"
#include "tools/common/ParticleSystemWriter.h"

namespace {

Tools::MaterialStage Stage(Tools::StageAnimation animation, const std::string& diffuse, const std::string& opacity)
{
    Tools::MaterialStage stage;
    stage.animation = animation;
    stage.diffuse = diffuse;
    stage.opacity = opacity;
    stage.frameCount = animation == Tools::StageAnimation::None ? 1 : 4;
    stage.speed = 12.5f;
    stage.cols = 2;
    stage.rows = 2;
    stage.addressU = 0;
    stage.scaleU = 2.0f;
    stage.offsetV = 0.25f;
    return stage;
}

} // namespace

TANGROVE_FUZZ_SEEDS(material)
{
    using A = Tools::StageAnimation;
    Tools::Material plain;
    seeds.Add("plain.srf", Tools::BuildMaterialFile(plain));

    Tools::Material one;
    one.stages = {Stage(A::None, "wood.tga", "")};
    seeds.Add("one.srf", Tools::BuildMaterialFile(one));

    Tools::Material blended;
    blended.flags = 1;
    blended.sourceBlend = 5;
    blended.destinationBlend = 6;
    blended.stages = {Stage(A::Grid, "sparks.tga", "32bit"), Stage(A::BothPerFrame, "fire.tga", "fire_a.tga")};
    blended.stages[1].flags |= Tools::StageFlag::RandomStart;
    seeds.Add("animated.srf", Tools::BuildMaterialFile(blended));

    Tools::Material frames;
    frames.stages = {Stage(A::DiffusePerFrame, "anim\\glow.jpg", ""), Stage(A::OpacityPerFrame, "a.bmp", "m.bmp")};
    seeds.Add("frames.srf", Tools::BuildMaterialFile(frames));
}

TANGROVE_FUZZ_SEEDS(model)
{
    namespace MF = Tools::ModelFlag;
    seeds.Add("quad.mlf", Tools::BuildModelFile(Tools::MeshModel(MF::Static | MF::List, {Tools::QuadMesh(0, 0, 1, 1)})));
    seeds.Add("box.mlf",
              Tools::BuildModelFile(Tools::MeshModel(MF::Static | MF::List | MF::VertexColor | MF::BoxFromVertices,
                                                     {Tools::BoxMesh({-1, -1, -1}, {1, 2, 3})})));
    Tools::Model strip = Tools::MeshModel(MF::Static, {Tools::QuadMesh(0, 0, 1, 1)});
    strip.indices = {0, 1, 3, 2};
    seeds.Add("strip.mlf", Tools::BuildModelFile(strip));
    seeds.Add("morph.mlf",
              Tools::BuildModelFile(Tools::MeshModel(
                  MF::Morph | MF::List, {Tools::QuadMesh(0, 0, 1, 1), Tools::QuadMesh(2, 0, 3, 1), Tools::QuadMesh(0, 2, 1, 3)},
                  10.0f)));

    for (const uint32_t version : {202u, 201u}) {
        Tools::Model m;
        m.version = version;
        m.flags = MF::Skinned | MF::List;
        m.speed = 5;
        m.skinFrameCount = 2;
        m.bones = {{false, "a", {0.5f, 0, 0}, {-1, -1, -1}, {1, 1, 1}, {}},
                   {true, "b", {}, {-50, -50, -50}, {50, 50, 50}, {}}};
        Tools::BoneKey moved;
        moved.position = {1, 2, 3};
        moved.scale = {2, 2, 2};
        moved.rotation[2] = 0.7071f;
        moved.rotation[3] = 0.7071f;
        m.boneKeys = {moved, Tools::BoneKey{}, Tools::BoneKey{}, moved};
        m.skinVertices = {{0.25f, 0.75f, {{0, 0.5f, {1, 0, 0}, {0, 0, 1}}, {1, 0.5f, {0, 1, 0}, {0, 1, 0}}}},
                          {0.5f, 0.5f, {}},
                          {1.0f, 0.0f, {{1, 1.0f, {0, 1, 0}, {0, 1, 0}}}}};
        m.indices = {0, 1, 2};
        m.boxes = {{{-1, 0, 1}, {3, 4, 5}}};
        seeds.Add("skinned" + std::to_string(version) + ".mlf", Tools::BuildModelFile(m));
    }
}

TANGROVE_FUZZ_SEEDS(particle)
{
    Tools::ParticleSystem plain;
    seeds.Add("plain.psf", Tools::BuildParticleSystemFile(plain));

    Tools::ParticleSystem busy;
    busy.poolSize = 300;
    busy.spawnShape = Tools::SpawnShape::Box;
    busy.floorOn = true;
    busy.floorHeight = -1.0f;
    busy.bounce = 0.5f;
    for (uint32_t i = 0; i < 6; ++i) {
        busy.rate[i] = 50.0f * static_cast<float>(i + 1);
        busy.lifetime[i] = 1.0f + static_cast<float>(i);
        busy.lifetimeSpread[i] = 0.5f;
        busy.speed[i] = 3.0f;
        busy.speedSpread[i] = 1.0f;
        busy.size[i] = 0.1f * static_cast<float>(i + 1);
    }
    seeds.Add("busy.psf", Tools::BuildParticleSystemFile(busy));

    Tools::ParticleSystem old = busy;
    old.version = 203;
    for (float& spread : old.speedSpread) {
        spread = 0.0f;
    }
    old.spawnShape = Tools::SpawnShape::PointList;
    seeds.Add("old.psf", Tools::BuildParticleSystemFile(old));
}

TANGROVE_FUZZ_SEEDS(font)
{
    std::vector<Tools::FontGlyph> glyphs;
    const std::u16string codes = u" ATaegr\u00C4\u00E4\u20AC\u2026";
    float u = 0.0f;
    for (const char16_t code : codes) {
        Tools::FontGlyph glyph;
        glyph.code = code;
        glyph.u = u;
        glyph.v = 0.5f;
        glyph.du = 0.05f;
        glyph.dv = 0.25f;
        glyph.advance = 0.4f + u;
        glyphs.push_back(glyph);
        u += 0.0625f;
    }
    seeds.Add("some.fnt", Tools::BuildFontFile(glyphs));
    seeds.Add("empty.fnt", Tools::BuildFontFile({}));
}
