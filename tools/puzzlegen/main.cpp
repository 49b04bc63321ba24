// puzzlegen TABLE OUT_FOLDER [--only PREFIX] [--preview FOLDER]
// Makes the puzzle folders that TABLE lists below OUT_FOLDER: each one's
// picture (theme.jpg), its pieces (puzzle.pzf) and its board colours
// (puzzle.ini). One puzzle per line of the table:
//   folder photo zoom pick columns rows blocked links seed
// photo: the photograph to cut the picture from; zoom and pick choose the
// section (1 and 0: the most detailed section as large as fits); columns ×
// rows pieces; blocked pieces with links each (0: one or two); the seed
// shapes the cut. "#" starts a comment. --only makes the folders whose name
// starts with PREFIX; --preview also writes a picture of the pieces pulled
// apart per puzzle, to look at.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine/graphics/Image.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/ImageFile.h"
#include "tools/common/JigsawCutter.h"
#include "tools/common/PhotoCrop.h"
#include "tools/common/PuzzleWriter.h"

namespace {

using ZorvaneEngine::Image;

constexpr uint32_t PictureWidth = 560;
constexpr uint32_t PictureHeight = 420;

// Board tint, outline and highlight colours of every level.
const char* const BoardColours = "255 255 255\n40 30 20\n255 255 160\n";

struct Entry {
    std::string folder;
    std::string photo;
    Tools::CropChoice crop;
    uint32_t columns = 0;
    uint32_t rows = 0;
    uint32_t blocked = 0;
    uint32_t links = 0;
    uint64_t seed = 0;
};

bool ReadTable(const std::string& path, std::vector<Entry>& entries, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!Tools::LoadFile(path, bytes)) {
        error = "cannot read " + path;
        return false;
    }
    std::istringstream text(std::string(bytes.begin(), bytes.end()));
    std::string line;
    for (int number = 1; std::getline(text, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream fields(line);
        Entry entry;
        if (!(fields >> entry.folder)) {
            continue;
        }
        std::string rest;
        if (!(fields >> entry.photo >> entry.crop.zoom >> entry.crop.pick >> entry.columns >> entry.rows >>
              entry.blocked >> entry.links >> entry.seed) ||
            (fields >> rest)) {
            error = path + ":" + std::to_string(number) + ": expected folder photo zoom pick columns rows blocked links seed";
            return false;
        }
        entries.push_back(entry);
    }
    return true;
}

// Two views to look at: above, the picture with its cut lines as the board
// draws them over the picture; below, the pieces pulled apart, blocked ones
// darkened, each edge softened by the cut-line map as the game does.
Image Preview(const Image& theme, const Tools::JigsawCut& cut, const Tools::Puzzle& puzzle) {
    const uint32_t gap = 32;
    const uint32_t apartHeight = cut.height + gap * (cut.rows + 1);
    Image canvas;
    canvas.Create(cut.width + gap * (cut.columns + 1), apartHeight + cut.height + gap, 24, nullptr);
    canvas.Fill({0.95f, 0.89f, 0.76f, 1});
    const float outline[3] = {40, 30, 20};
    for (uint32_t y = 0; y < cut.height; ++y) {
        for (uint32_t x = 0; x < cut.width; ++x) {
            const float line = puzzle.cutLines[static_cast<size_t>(y) * cut.width + x] / 255.0f;
            const uint8_t* source = theme.GetRow(y) + x * 3;
            uint8_t* target = canvas.GetRow(apartHeight + y) + (x + gap) * 3;
            for (int k = 0; k < 3; ++k) {
                target[k] = static_cast<uint8_t>(line * outline[k] + (1 - line) * source[k]);
            }
        }
    }
    for (size_t i = 0; i < puzzle.pieces.size(); ++i) {
        const Tools::PuzzlePiece& piece = puzzle.pieces[i];
        const uint32_t column = static_cast<uint32_t>(i) % cut.columns;
        const uint32_t row = static_cast<uint32_t>(i) / cut.columns;
        for (int32_t y = 0; y < piece.height; ++y) {
            for (int32_t x = 0; x < piece.width; ++x) {
                if (!piece.mask[static_cast<size_t>(y * piece.width + x)]) {
                    continue;
                }
                const uint32_t px = static_cast<uint32_t>(piece.x + x);
                const uint32_t py = static_cast<uint32_t>(piece.y + y);
                const float alpha = (255 - puzzle.cutLines[static_cast<size_t>(py) * cut.width + px]) / 255.0f;
                const float shade = piece.blocked ? 0.4f : 1.0f;
                const uint8_t* source = theme.GetRow(py) + px * 3;
                uint8_t* target = canvas.GetRow(py + gap * (row + 1)) + (px + gap * (column + 1)) * 3;
                for (int k = 0; k < 3; ++k) {
                    target[k] = static_cast<uint8_t>(alpha * shade * source[k] + (1 - alpha) * target[k]);
                }
            }
        }
    }
    return canvas;
}

bool MakePuzzle(const Entry& entry, const std::string& outFolder, const std::string& previewFolder, std::string& error) {
    Image photo;
    if (!Tools::LoadImageFile(entry.photo, photo, error)) {
        return false;
    }
    Image theme = Tools::CropDetailed(photo, PictureWidth, PictureHeight, entry.crop);
    Tools::GradeWarm(theme);

    const Tools::JigsawCut cut = Tools::CutJigsaw(PictureWidth, PictureHeight, entry.columns, entry.rows, entry.seed);
    const Tools::Puzzle puzzle = Tools::BuildJigsawPuzzle(cut, entry.blocked, entry.links, entry.seed);

    const std::string folder = outFolder + "/" + entry.folder;
    std::filesystem::create_directories(folder);
    if (!Tools::SaveImageFile(folder + "/theme.jpg", theme, error)) {
        return false;
    }
    const std::string colours = BoardColours;
    if (!Tools::SaveFile(folder + "/puzzle.pzf", Tools::BuildPuzzleFile(puzzle)) ||
        !Tools::SaveFile(folder + "/puzzle.ini", std::vector<uint8_t>(colours.begin(), colours.end()))) {
        error = "cannot write the files of " + folder;
        return false;
    }
    if (!previewFolder.empty()) {
        std::filesystem::create_directories(previewFolder);
        // The JPEG as saved, so the preview shows what the game shows.
        Image saved;
        if (!Tools::LoadImageFile(folder + "/theme.jpg", saved, error) ||
            !Tools::SaveImageFile(previewFolder + "/" + entry.folder + ".jpg", Preview(saved, cut, puzzle), error)) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string only;
    std::string preview;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--only" || args[i] == "--preview") && i + 1 < args.size()) {
            (args[i] == "--only" ? only : preview) = args[i + 1];
            ++i;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        std::fprintf(stderr, "usage: puzzlegen TABLE OUT_FOLDER [--only PREFIX] [--preview FOLDER]\n");
        return 2;
    }
    try {
        std::vector<Entry> entries;
        std::string error;
        if (!ReadTable(positional[0], entries, error)) {
            std::fprintf(stderr, "puzzlegen: %s\n", error.c_str());
            return 1;
        }
        size_t count = 0;
        for (const Entry& entry : entries) {
            if (entry.folder.rfind(only, 0) != 0) {
                continue;
            }
            bool made = false;
            try {
                made = MakePuzzle(entry, positional[1], preview, error);
            } catch (const std::exception& exception) {
                error = exception.what();
            }
            if (!made) {
                std::fprintf(stderr, "puzzlegen: %s: %s\n", entry.folder.c_str(), error.c_str());
                return 1;
            }
            ++count;
        }
        std::printf("puzzlegen: %zu puzzles\n", count);
    } catch (const std::exception& exception) {
        std::fprintf(stderr, "puzzlegen: %s\n", exception.what());
        return 1;
    }
    return 0;
}
