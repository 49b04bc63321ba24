#include "game/gameplay/PuzzleFile.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/TextUtils.h"
#include "framework/BinaryFields.h"
#include "game/gameplay/PuzzleMaskRle.h"

namespace ActionPuzzle {

using ZorvaneEngine::FileBinary;
using ZorvaneEngine::FileError;
using ZorvaneEngine::UIntToText;

namespace {

// A piece record without links and mask.
constexpr uint32_t PieceRecordSize = 28;

uint32_t Remaining(const FileBinary& file)
{
    return file.GetSize() - file.GetPosition();
}

[[noreturn]] void Refuse(const std::string& path, const std::string& what)
{
    throw FileError("Puzzle \"" + path + "\": " + what);
}

std::string PieceText(size_t index)
{
    return "piece " + UIntToText(static_cast<uint32_t>(index));
}

// The coded bytes of length count, decoded into size bytes at out.
void ReadCoded(FileBinary& file, const std::string& path, const std::string& what, uint8_t* out, size_t size)
{
    const uint32_t length = GameFramework::ReadU32(file);
    if (length > Remaining(file)) {
        Refuse(path, what + " claims " + UIntToText(length) + " coded bytes, more than the file holds");
    }
    std::vector<uint8_t> coded(length);
    if (length > 0) {
        file.Read(coded.data(), length);
    }
    if (!DecodePuzzleMaskRle(coded.data(), coded.size(), out, size)) {
        Refuse(path, what + " is coded beyond its size or ends inside a run");
    }
}

} // namespace

void ReadPuzzleFile(FileBinary& file, const std::string& path, uint32_t pictureWidth, uint32_t pictureHeight,
                    PuzzleFileContents& out)
{
    out = PuzzleFileContents();
    out.pictureSize.x = GameFramework::ReadF32(file);
    out.pictureSize.y = GameFramework::ReadF32(file);
    const uint32_t count = GameFramework::ReadU32(file);
    if (count > Remaining(file) / PieceRecordSize) {
        Refuse(path, UIntToText(count) + " pieces cannot fit in the rest of the file");
    }
    const uint64_t pictureArea = uint64_t{pictureWidth} * pictureHeight;
    uint64_t coveredArea = 0;
    out.pieces.resize(count);
    for (size_t i = 0; i < count; ++i) {
        PuzzlePiece& piece = out.pieces[i];
        piece.blocked = GameFramework::ReadU32(file);
        piece.x = GameFramework::ReadI32(file);
        piece.y = GameFramework::ReadI32(file);
        piece.width = GameFramework::ReadI32(file);
        piece.height = GameFramework::ReadI32(file);
        if (piece.blocked > 1) {
            Refuse(path, PieceText(i) + " has the blocked value " + UIntToText(piece.blocked));
        }
        if (piece.width <= 0 || piece.height <= 0 || piece.width > PuzzleMaxPieceSide ||
            piece.height > PuzzleMaxPieceSide || piece.x < 0 || piece.y < 0 ||
            int64_t{piece.x} + piece.width > int64_t{pictureWidth} ||
            int64_t{piece.y} + piece.height > int64_t{pictureHeight}) {
            Refuse(path, PieceText(i) + " does not lie inside the picture");
        }
        const uint64_t area = uint64_t(piece.width) * uint64_t(piece.height);
        coveredArea += area;
        if (coveredArea > pictureArea * PuzzleMaxCoverage) {
            Refuse(path, "the pieces cover the picture more than " + UIntToText(PuzzleMaxCoverage) + " times");
        }

        const uint32_t linkCount = GameFramework::ReadU32(file);
        if (linkCount > Remaining(file) / 4) {
            Refuse(path, PieceText(i) + " claims " + UIntToText(linkCount) + " links, more than the file holds");
        }
        piece.links.resize(linkCount);
        for (uint32_t& link : piece.links) {
            link = GameFramework::ReadU32(file);
            if (link >= count) {
                Refuse(path, PieceText(i) + " links to piece " + UIntToText(link) + " of " + UIntToText(count));
            }
        }

        std::vector<uint8_t> bits((area + 7) / 8);
        ReadCoded(file, path, "the mask of " + PieceText(i), bits.data(), bits.size());
        piece.mask.resize(area);
        for (size_t n = 0; n < area; ++n) {
            piece.mask[n] = (bits[n / 8] >> (n % 8)) & 1u;
        }
    }
    out.cutLines.resize(pictureArea);
    ReadCoded(file, path, "the cut-line map", out.cutLines.data(), out.cutLines.size());
}

} // namespace ActionPuzzle
