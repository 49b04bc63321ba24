#include "tools/modelgen/Writer.h"

#include <filesystem>
#include <stdexcept>

#include "engine/graphics/Image.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/ImageFile.h"
#include "tools/common/PngWriter.h"

namespace ModelGen {

using Tools::Art::Canvas;

namespace {

// The picture over a soft meadow green, enlarged when small, as a person
// looks at it.
ZorvaneEngine::Image PreviewOf(const Canvas& canvas, bool alpha) {
    const int zoom = canvas.width * canvas.height <= 256 * 256 ? 3 : (canvas.width <= 512 ? 2 : 1);
    Canvas shown(canvas.width * zoom, canvas.height * zoom, 1.0f);
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const bool check = ((x / 16) + (y / 16)) % 2 == 0;
            Tools::Art::Color back = check ? Tools::Art::Hex(0x7FA88C) : Tools::Art::Hex(0x6F9A80);
            const Tools::Art::Color& p = canvas.At(x / zoom, y / zoom);
            const float a = alpha ? p.a : 1.0f;
            shown.At(x, y) = {p.r + back.r * (1 - a), p.g + back.g * (1 - a), p.b + back.b * (1 - a), 1.0f};
        }
    }
    return shown.ToImage(false);
}

} // namespace

Writer::Writer(std::string stageRoot, std::string previewFolder)
    : root(std::move(stageRoot)), preview(std::move(previewFolder)) {}

std::string Writer::PathOf(const std::string& folder, const std::string& file) const {
    // The folder "." is the data folder itself.
    const std::string path = root + "/data/" + (folder == "." ? "" : folder + "/") + file;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return path;
}

void Writer::Bytes(const std::string& folder, const std::string& file, const std::vector<uint8_t>& bytes) {
    const std::string path = PathOf(folder, file);
    if (!Tools::SaveFile(path, bytes)) throw std::runtime_error("cannot write " + path);
    ++files;
}

void Writer::Picture(const std::string& folder, const std::string& file, const Canvas& canvas, bool alpha) {
    const ZorvaneEngine::Image image = canvas.ToImage(alpha);
    if (alpha) {
        Bytes(folder, file, Tools::BuildRunLengthTga(image));
    } else {
        std::string error;
        if (!Tools::SaveImageFile(PathOf(folder, file), image, error)) throw std::runtime_error(error);
        ++files;
    }
    if (!preview.empty()) {
        std::string flat = folder + "_" + file;
        for (char& c : flat) if (c == '/') c = '_';
        std::filesystem::create_directories(preview);
        Tools::SavePngFile(preview + "/" + flat + ".png", PreviewOf(canvas, alpha));
    }
}

void Writer::AlphaPicture(const std::string& folder, const std::string& file, const Canvas& canvas) {
    std::string error;
    if (!Tools::SaveImageFile(PathOf(folder, file), Tools::Art::AlphaImage(canvas), error)) {
        throw std::runtime_error(error);
    }
    ++files;
}

void Writer::Model(const std::string& folder, const std::string& name, const Tools::Model& model) {
    Bytes(folder, name + ".mlf", Tools::BuildModelFile(model));
}

void Writer::Material(const std::string& folder, const std::string& name, const Tools::Material& material) {
    Bytes(folder, name + ".srf", Tools::BuildMaterialFile(material));
}

void Writer::Particles(const std::string& folder, const std::string& name, const Tools::ParticleSystem& system) {
    Bytes(folder, name + ".psf", Tools::BuildParticleSystemFile(system));
}

Tools::Material BlendedMaterial(const std::string& picture) {
    Tools::Material material;
    material.flags = 1;
    material.sourceBlend = 4;
    material.destinationBlend = 5;
    Tools::MaterialStage stage;
    stage.flags = 0;
    stage.diffuse = picture;
    stage.addressU = 0;
    stage.addressV = 0;
    material.stages.push_back(stage);
    return material;
}

Tools::Material AdditiveMaterial(const std::string& picture) {
    Tools::Material material = BlendedMaterial(picture);
    material.destinationBlend = 1;
    return material;
}

Tools::Model StateQuads(const Box& box, const std::vector<Tools::Art::Cell>& cells, float fps) {
    std::vector<Tools::Mesh> frames;
    for (const Tools::Art::Cell& cell : cells) {
        frames.push_back(Tools::QuadMesh(box.x0, box.y0, box.x1, box.y1, cell.u0, cell.v0, cell.u1, cell.v1));
    }
    const uint32_t kind = frames.size() > 1 ? Tools::ModelFlag::Morph : Tools::ModelFlag::Static;
    return Tools::MeshModel(kind | Tools::ModelFlag::List, frames, fps);
}

float DrawScale(const Entry& entry) {
    return static_cast<float>(entry.Integer("supersample", 2)) * entry.Number("density", 1.0f);
}

Canvas Finish(const Entry& entry, const Canvas& drawn) {
    return drawn.Downsample(entry.Integer("supersample", 2));
}

void WriteStates(Writer& out, const Entry& entry, const std::vector<Canvas>& frames) {
    std::vector<Canvas> finished;
    for (const Canvas& frame : frames) finished.push_back(Finish(entry, frame));
    const Tools::Art::Atlas atlas = Tools::Art::PackFrames(finished);
    const std::string picture = entry.name + ".tga";
    out.Picture(entry.folder, picture, atlas.picture, true);
    out.Material(entry.folder, entry.name, BlendedMaterial(picture));
    out.Model(entry.folder, entry.name, StateQuads(entry.box, atlas.cells));
}

void WriteInvisible(Writer& out, const Entry& entry, int frames) {
    out.Material(entry.folder, entry.name, BlendedMaterial("ui\\menus\\textures\\clear.tga"));
    std::vector<Tools::Art::Cell> cells(static_cast<size_t>(std::max(frames, 1)));
    out.Model(entry.folder, entry.name, StateQuads(entry.box, cells));
}

} // namespace ModelGen
