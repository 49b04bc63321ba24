#pragma once
// Cuts a picture into classic interlocking jigsaw pieces and turns the cut
// into a puzzle: piece rectangles and masks, the soft cut-line map, and the
// blocked pieces with their links.
//
// Every coordinate here has its origin at the picture's lower-left corner,
// rows counting upwards, as the game's pictures are stored.
#include <cstdint>
#include <vector>

#include "tools/common/PuzzleWriter.h"

namespace Tools {

struct JigsawCut {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t columns = 0;
    uint32_t rows = 0;
    // Piece of every pixel, width × height, rows from the bottom. Piece
    // column + row × columns sits in that cell of the grid, row 0 at the
    // bottom.
    std::vector<uint16_t> labels;
};

// A grid of columns × rows cells with jittered corners; every inner edge
// carries one tab or blank (a knob of cubic Bézier curves about a fifth of
// the edge wide, its side and shape drawn from the seed), the picture's
// border stays straight. Each pixel goes to the piece whose outline holds
// its centre; pixels cut off from the rest of their piece join a neighbour.
// Throws std::invalid_argument for an empty grid, cells under 8 pixels or
// more than 65535 pieces.
JigsawCut CutJigsaw(uint32_t width, uint32_t height, uint32_t columns, uint32_t rows, uint64_t seed);

// 255 × clamp(1.5 - d, 0, 1), rounded, with d the distance from a pixel's
// centre to the nearest centre of a pixel of another piece: a soft line
// about two pixels wide along every cut, nothing on the picture's border.
std::vector<uint8_t> CutLineMap(const JigsawCut& cut);

// The grid neighbours (left, right, below, above) of every piece.
std::vector<std::vector<uint32_t>> GridNeighbours(const JigsawCut& cut);

// The puzzle of a cut: one piece per grid cell in label order, its
// rectangle the bounding box of its pixels and its mask those pixels.
// blockedCount pieces, none next to another, start blocked; each is linked
// to linksPerBlocked of its neighbours (0: one or two, by the seed), all of
// them free, so no blocked piece waits for another. Throws
// std::invalid_argument when the blocked pieces or their links do not fit.
Puzzle BuildJigsawPuzzle(const JigsawCut& cut, uint32_t blockedCount, uint32_t linksPerBlocked, uint64_t seed);

} // namespace Tools
