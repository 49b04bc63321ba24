#pragma once
// The puzzle file of a level ("APPZF" version 108): the picture size, one
// record per piece (blocked flag, rectangle, links, coded mask) and the coded
// cut-line map. Rows count from the bottom of the picture everywhere.
#include <cstdint>
#include <vector>

namespace Tools {

struct PuzzlePiece {
    bool blocked = false;
    int32_t x = 0;  // lower-left corner of the rectangle, picture pixels
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    // The pieces that keep this piece's slot blocked until they are placed.
    std::vector<uint32_t> links;
    // width × height entries, rows from the bottom; non-zero = in the piece.
    std::vector<uint8_t> mask;
};

struct Puzzle {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<PuzzlePiece> pieces;
    // width × height strengths, rows from the bottom: 255 on a cut line.
    std::vector<uint8_t> cutLines;
};

// One bit per mask entry, pixel n = x + y × width in bit n mod 8 of byte
// n / 8, least significant bit first.
std::vector<uint8_t> PackMaskBits(const std::vector<uint8_t>& mask);

// Throws std::invalid_argument when a mask or the cut-line map does not have
// the size of its rectangle or picture.
std::vector<uint8_t> BuildPuzzleFile(const Puzzle& puzzle);

} // namespace Tools
