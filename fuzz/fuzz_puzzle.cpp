// A level's puzzle file ("puzzle.pzf") as the level's keeper reads it: the
// versioned header, then the pieces and the cut-line map checked against a
// picture of 64 × 48 pixels, and the pieces that load laid out on atlas
// pages. Whatever the bytes, the file either loads or is refused with a
// FileError; a loaded puzzle's masks and map have the sizes of their
// rectangles and picture, and every piece lands on a page.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/core/Error.h"
#include "engine/graphics/Image.h"
#include "framework/VersionedFile.h"
#include "fuzz/support/FuzzSupport.h"
#include "game/gameplay/PuzzleFile.h"
#include "game/gameplay/TexturePack.h"

namespace {

constexpr uint32_t PictureWidth = 64;
constexpr uint32_t PictureHeight = 48;

void LayOut(const ActionPuzzle::PuzzleFileContents& puzzle)
{
    if (puzzle.pieces.empty()) {
        return;
    }
    std::vector<std::unique_ptr<ZorvaneEngine::Image>> pictures;
    std::vector<ActionPuzzle::TexturePackItem> items;
    for (const ActionPuzzle::PuzzlePiece& piece : puzzle.pieces) {
        auto picture = std::make_unique<ZorvaneEngine::Image>();
        picture->Create(static_cast<uint32_t>(piece.width), static_cast<uint32_t>(piece.height), 32, nullptr);
        items.push_back({"", picture.get()});
        pictures.push_back(std::move(picture));
    }
    std::vector<ActionPuzzle::PackItem> packed;
    std::vector<ActionPuzzle::TexturePackPage> pages;
    ActionPuzzle::LayOutTexturePack(FuzzSupport::Log(), items, packed, pages);
    size_t placed = 0;
    for (const ActionPuzzle::TexturePackPage& page : pages) {
        placed += page.items.size();
        for (const ActionPuzzle::PackItem* item : page.items) {
            if (item->x < 0 || item->y < 0 || item->right > static_cast<int32_t>(page.width) ||
                item->bottom > static_cast<int32_t>(page.height))
                std::abort();
        }
    }
    if (placed != items.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzSupport::WriteFile("puzzle.pzf", FuzzSupport::WithOwnSize(data, size));
    ActionPuzzle::PuzzleFileContents puzzle;
    bool loaded = false;
    try {
        GameFramework::VersionedFile file(&FuzzSupport::Files(), "APPZF", 108);
        file.Open(GameFramework::VersionedFile::ModeRead, path);
        ActionPuzzle::ReadPuzzleFile(*file.GetFile(), path, PictureWidth, PictureHeight, puzzle);
        file.Close();
        loaded = true;
    } catch (const ZorvaneEngine::FileError&) {
    }
    if (loaded) {
        if (puzzle.cutLines.size() != size_t{PictureWidth} * PictureHeight)
            std::abort();
        for (const ActionPuzzle::PuzzlePiece& piece : puzzle.pieces) {
            if (piece.mask.size() != static_cast<size_t>(piece.width) * static_cast<size_t>(piece.height))
                std::abort();
            for (uint32_t link : piece.links) {
                if (link >= puzzle.pieces.size())
                    std::abort();
            }
        }
        LayOut(puzzle);
    }
    FuzzSupport::EndInput();
    return 0;
}
