#include "tools/common/PuzzleWriter.h"

#include <stdexcept>

#include "tools/common/BinaryWriter.h"
#include "tools/common/PuzzleMaskRle.h"

namespace Tools {

namespace {

constexpr uint32_t PuzzleVersion = 108;

void WriteCoded(BinaryWriter& writer, const std::vector<uint8_t>& bytes) {
    const std::vector<uint8_t> coded = EncodePuzzleRle(bytes);
    writer.U32(static_cast<uint32_t>(coded.size()));
    writer.Bytes(coded.data(), coded.size());
}

} // namespace

std::vector<uint8_t> PackMaskBits(const std::vector<uint8_t>& mask) {
    std::vector<uint8_t> bits((mask.size() + 7) / 8, 0);
    for (size_t n = 0; n < mask.size(); ++n) {
        if (mask[n] != 0) {
            bits[n / 8] = static_cast<uint8_t>(bits[n / 8] | 1u << (n % 8));
        }
    }
    return bits;
}

std::vector<uint8_t> BuildPuzzleFile(const Puzzle& puzzle) {
    if (puzzle.cutLines.size() != static_cast<size_t>(puzzle.width) * puzzle.height) {
        throw std::invalid_argument("the cut-line map does not cover the picture");
    }
    BinaryWriter writer;
    BeginEngineFile(writer, "APPZF", PuzzleVersion);
    writer.F32(static_cast<float>(puzzle.width));
    writer.F32(static_cast<float>(puzzle.height));
    writer.U32(static_cast<uint32_t>(puzzle.pieces.size()));
    for (const PuzzlePiece& piece : puzzle.pieces) {
        if (piece.width <= 0 || piece.height <= 0 ||
            piece.mask.size() != static_cast<size_t>(piece.width) * static_cast<size_t>(piece.height)) {
            throw std::invalid_argument("a piece mask does not fill its rectangle");
        }
        writer.U32(piece.blocked ? 1 : 0);
        writer.I32(piece.x);
        writer.I32(piece.y);
        writer.I32(piece.width);
        writer.I32(piece.height);
        writer.U32(static_cast<uint32_t>(piece.links.size()));
        for (const uint32_t link : piece.links) {
            writer.U32(link);
        }
        WriteCoded(writer, PackMaskBits(piece.mask));
    }
    WriteCoded(writer, puzzle.cutLines);
    EndEngineFile(writer);
    return writer.Data();
}

} // namespace Tools
