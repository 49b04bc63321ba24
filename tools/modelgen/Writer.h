#pragma once
// Where modelgen's files go: below the stage root, as the game opens them
// ("<root>/data/<folder>/<name>"), with an optional preview folder that gets
// a PNG of every picture written.
#include <string>
#include <vector>

#include "tools/common/MaterialWriter.h"
#include "tools/common/ModelWriter.h"
#include "tools/common/ParticleSystemWriter.h"
#include "tools/common/art/Atlas.h"
#include "tools/common/art/Raster.h"
#include "tools/modelgen/Table.h"

namespace ModelGen {

class Writer {
public:
    Writer(std::string stageRoot, std::string previewFolder);

    // A picture beside the entry's model. With alpha: a run-length TGA
    // (name ends in ".tga"); without: a JPEG (".jpg").
    void Picture(const std::string& folder, const std::string& file, const Tools::Art::Canvas& canvas, bool alpha);
    // An 8-bit grey JPEG of the canvas' alpha.
    void AlphaPicture(const std::string& folder, const std::string& file, const Tools::Art::Canvas& canvas);
    void Model(const std::string& folder, const std::string& name, const Tools::Model& model);
    void Material(const std::string& folder, const std::string& name, const Tools::Material& material);
    void Particles(const std::string& folder, const std::string& name, const Tools::ParticleSystem& system);
    void Bytes(const std::string& folder, const std::string& file, const std::vector<uint8_t>& bytes);

    size_t FileCount() const { return files; }

private:
    std::string PathOf(const std::string& folder, const std::string& file) const;

    std::string root;
    std::string preview;
    size_t files = 0;
};

// The material of interface art: the picture's own alpha, blended with the
// source alpha so that it fades; no mip maps (drawn at its own size).
Tools::Material BlendedMaterial(const std::string& picture);
// Additive light for glows and sparks.
Tools::Material AdditiveMaterial(const std::string& picture);

// A quad over the box, one morph frame per atlas cell (static with one cell).
Tools::Model StateQuads(const Box& box, const std::vector<Tools::Art::Cell>& cells, float fps = 0.0f);

// Draws each state at twice the scale and filters it down to one texel per
// unit times density; packs the frames; writes picture, material and model.
void WriteStates(Writer& out, const Entry& entry, const std::vector<Tools::Art::Canvas>& frames);

// A model that only carries its box: a quad with the shared transparent
// material, in case anything ever draws it.
void WriteInvisible(Writer& out, const Entry& entry, int frames = 1);

// The scale to draw an entry's art at (pixels per unit, before filtering):
// its texel density times its supersampling (option supersample, 2 unless
// given; large smooth art draws at 1, its edges already smoothed by their
// distance).
float DrawScale(const Entry& entry);
// Filters a canvas drawn at DrawScale down to the entry's texel density.
Tools::Art::Canvas Finish(const Entry& entry, const Tools::Art::Canvas& drawn);

} // namespace ModelGen
