// mapgen LEVELS_FOLDER MAP_FILE [TOTEM_TABLE TOTEM_FOLDER]
// Writes the level map of the catalogue in LEVELS_FOLDER (stages_info.ini and
// stage<i>.ini, read as the game reads them): one element per level along a
// path winding up the map. With a totem table, also the mini game's totem
// pictures of every stage, totem_<s>.jpg and totem_<s>_alpha.jpg, from lines
//   stage photo zoom pick RRGGBB
// (the scenery's photograph and section, and the paint colour); "#" starts a
// comment.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/FileBinary.h"
#include "engine/core/FileTextual.h"
#include "engine/graphics/Image.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/ImageFile.h"
#include "tools/common/MapWriter.h"
#include "tools/common/PhotoCrop.h"
#include "tools/mapgen/TotemPainter.h"

namespace {

using ZorvaneEngine::Image;

constexpr uint32_t TotemTexture = 512;
constexpr uint32_t TotemPicture = 300;

std::unique_ptr<ZorvaneEngine::FileTextual> OpenText(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!Tools::LoadFile(path, bytes)) {
        throw std::runtime_error("cannot read " + path);
    }
    auto file = std::make_unique<ZorvaneEngine::FileBinary>(nullptr, path, std::move(bytes));
    auto text = std::make_unique<ZorvaneEngine::FileTextual>(nullptr, ZorvaneEngine::FileTextual::ModeRead,
                                                             ZorvaneEngine::FileTextual::EncodingAnsi, std::move(file));
    text->Init();
    return text;
}

// The level count of every stage, read token by token like the game.
std::vector<uint32_t> ReadCatalogue(const std::string& folder) {
    const auto stages = OpenText(folder + "/stages_info.ini");
    const int32_t count = stages->ReadInt();
    if (count < 1 || count > 64) {
        throw std::runtime_error(folder + "/stages_info.ini: the stage count must be 1 to 64");
    }
    std::vector<uint32_t> levels;
    for (int32_t stage = 0; stage < count; ++stage) {
        const auto file = OpenText(folder + "/stage" + std::to_string(stage) + ".ini");
        const int32_t levelCount = file->ReadInt();
        if (levelCount < 1 || levelCount > 1000) {
            throw std::runtime_error("stage " + std::to_string(stage) + ": the level count must be 1 to 1000");
        }
        levels.push_back(static_cast<uint32_t>(levelCount));
    }
    return levels;
}

void MakeTotems(const std::string& table, const std::string& outFolder) {
    std::vector<uint8_t> bytes;
    if (!Tools::LoadFile(table, bytes)) {
        throw std::runtime_error("cannot read " + table);
    }
    std::filesystem::create_directories(outFolder);
    std::istringstream text(std::string(bytes.begin(), bytes.end()));
    std::string line;
    for (int number = 1; std::getline(text, line); ++number) {
        std::istringstream fields(line.substr(0, line.find('#')));
        uint32_t stage = 0;
        std::string photoPath;
        Tools::CropChoice crop;
        std::string paint;
        if (!(fields >> stage)) {
            continue;
        }
        if (!(fields >> photoPath >> crop.zoom >> crop.pick >> paint) || paint.size() != 6) {
            throw std::runtime_error(table + ":" + std::to_string(number) + ": expected stage photo zoom pick RRGGBB");
        }
        const unsigned long rgb = std::stoul(paint, nullptr, 16);
        const std::array<float, 3> colour = {static_cast<float>((rgb >> 16) & 255) / 255.0f,
                                             static_cast<float>((rgb >> 8) & 255) / 255.0f,
                                             static_cast<float>(rgb & 255) / 255.0f};
        Image photo;
        std::string error;
        if (!Tools::LoadImageFile(photoPath, photo, error)) {
            throw std::runtime_error(error);
        }
        Image scenery = Tools::CropDetailed(photo, TotemPicture, TotemPicture, crop);
        Tools::GradeWarm(scenery);
        const MapGen::TotemPictures totem = MapGen::PaintTotem(scenery, TotemPicture, colour);

        // The picture takes the texels from the first row and column, which
        // the game keeps at the bottom left; the rest of the texture is unused.
        Image colourTexture;
        colourTexture.Create(TotemTexture, TotemTexture, 24, nullptr);
        colourTexture.Fill({0.35f, 0.23f, 0.12f, 1});
        totem.colour.BlitTo(colourTexture, 0, 0);
        Image alphaTexture;
        alphaTexture.Create(TotemTexture, TotemTexture, 8, nullptr);
        alphaTexture.Fill({0, 0, 0, 1});
        totem.alpha.BlitTo(alphaTexture, 0, 0);
        const std::string base = outFolder + "/totem_" + std::to_string(stage);
        if (!Tools::SaveImageFile(base + ".jpg", colourTexture, error) ||
            !Tools::SaveImageFile(base + "_alpha.jpg", alphaTexture, error)) {
            throw std::runtime_error(error);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: mapgen LEVELS_FOLDER MAP_FILE [TOTEM_TABLE TOTEM_FOLDER]\n");
        return 2;
    }
    try {
        const std::vector<uint32_t> levels = ReadCatalogue(argv[1]);
        const std::string mapFile = argv[2];
        const std::filesystem::path mapFolder = std::filesystem::path(mapFile).parent_path();
        if (!mapFolder.empty()) {
            std::filesystem::create_directories(mapFolder);
        }
        if (!Tools::SaveFile(mapFile, Tools::BuildMapFile(Tools::SerpentineMap(levels)))) {
            std::fprintf(stderr, "mapgen: cannot write %s\n", mapFile.c_str());
            return 1;
        }
        if (argc == 5) {
            MakeTotems(argv[3], argv[4]);
        }
    } catch (const std::exception& exception) {
        std::fprintf(stderr, "mapgen: %s\n", exception.what());
        return 1;
    }
    return 0;
}
