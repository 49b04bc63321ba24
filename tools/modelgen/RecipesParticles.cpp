// Particle systems: the parameters come from a description file in
// data/particles (the zvbuild syntax), the sprite and its material from here.
#include <string>

#include "tools/common/BinaryWriter.h"
#include "tools/common/DataDescription.h"
#include "tools/common/art/Emblems.h"
#include "tools/modelgen/Recipes.h"

namespace ModelGen {

namespace {

using namespace Tools::Art;

void Particles(const Entry& entry, Writer& out) {
    const std::string path = entry.Text("description");
    std::vector<uint8_t> text;
    if (!Tools::LoadFile(path, text)) throw TableError(entry.Where() + ": cannot read " + path);
    const Tools::Description description =
        Tools::ParseDescription(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    if (description.kind != Tools::DescribedKind::ParticleSystem) {
        throw TableError(entry.Where() + ": " + path + " does not describe particles");
    }
    out.Particles(entry.folder, entry.name, description.particleSystem);

    const std::string sprite = entry.Text("sprite", "soft");
    const int pixels = entry.Integer("pixels", 64);
    const Canvas picture = sprite == "star" ? DrawStarSprite(pixels) : sprite == "petal" ? DrawPetalSprite(pixels) : DrawSoftSprite(pixels);
    const std::string file = entry.name + ".tga";
    out.Picture(entry.folder, file, picture, true);
    out.Material(entry.folder, entry.name, entry.Integer("additive", 0) != 0 ? AdditiveMaterial(file) : BlendedMaterial(file));
}

} // namespace

void AddParticleRecipes(RecipeBook& book) {
    book["particles"] = Particles;
}

} // namespace ModelGen
