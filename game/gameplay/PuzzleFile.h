#pragma once
// The body of a puzzle file ("puzzle.pzf", after its 13-byte header "APPZF"
// version 108), little-endian:
//   f32 picture width, f32 picture height, u32 piece count N,
//   N pieces: u32 blocked (0 or 1), i32 x, y, width, height of the piece's
//     rectangle (lower-left corner, rows from the picture's bottom), u32 link
//     count M, M u32 piece indices, u32 K, K bytes of the coded mask (one
//     bit per pixel, pixel n = x + y × width in bit n mod 8 of byte n / 8),
//   u32 L, L bytes of the coded cut-line map (one byte per picture pixel).
// The masks and the map are coded as in PuzzleMaskRle.h.
//
// Everything read is checked against the picture the puzzle belongs to and
// against what is left of the file, so that a damaged file is refused with
// a FileError instead of reading outside a picture or asking for memory
// that no puzzle needs.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class FileBinary;
}

namespace ActionPuzzle {

struct PuzzlePiece {
    uint32_t blocked = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> links;
    // width × height entries, rows from the bottom; 1 where the pixel
    // belongs to the piece.
    std::vector<uint8_t> mask;
};

struct PuzzleFileContents {
    // As stored; the reader warns through no one, the caller compares it.
    ZorvaneEngine::Vector2 pictureSize;
    std::vector<PuzzlePiece> pieces;
    // One byte per pixel of the picture, rows from the bottom.
    std::vector<uint8_t> cutLines;
};

// The pieces of a puzzle may together cover its picture at most this many
// times: a cut covers it once, the rectangles of interlocking pieces
// overlap a little.
constexpr uint32_t PuzzleMaxCoverage = 8;
// The largest piece rectangle on either side: every piece picture must fit
// an atlas page with its border.
constexpr int32_t PuzzleMaxPieceSide = 1020;

// Reads the body of the open file, positioned after the header, for a
// picture of pictureWidth × pictureHeight pixels. Raises FileError naming
// path for a body that is cut short or damaged: a count larger than the
// rest of the file can hold, a blocked value other than 0 and 1, a piece
// rectangle empty, larger than 1020 pixels or outside the picture, a link
// to a piece that does not exist, a coding that overflows its mask or map or
// stops inside a run, pieces covering the picture more than 8 times.
void ReadPuzzleFile(ZorvaneEngine::FileBinary& file, const std::string& path, uint32_t pictureWidth,
                    uint32_t pictureHeight, PuzzleFileContents& out);

} // namespace ActionPuzzle
