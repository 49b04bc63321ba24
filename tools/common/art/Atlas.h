#pragma once
// Frames of one model (button states, animation steps) laid out in one
// power-of-two picture, each with the texture rectangle that shows it.
#include <vector>

#include "tools/common/art/Raster.h"

namespace Tools::Art {

// A texture rectangle: (u0, v0) at the cell's lower-left corner, v upwards
// like the picture rows.
struct Cell {
    float u0 = 0.0f;
    float v0 = 0.0f;
    float u1 = 1.0f;
    float v1 = 1.0f;
};

struct Atlas {
    Canvas picture;
    std::vector<Cell> cells;  // one per frame, in frame order
};

// Lays the frames (all the size of the first) in a grid on the smallest
// power-of-two picture that holds them, a gutter of repeated edge pixels
// around each cell so that filtering never reaches a neighbour. A single
// frame that is already a power of two in both directions fills the picture.
// Throws std::invalid_argument for no frames, frames of different sizes or a
// picture past 2048 pixels.
Atlas PackFrames(const std::vector<Canvas>& frames);

// The smallest power of two at least n (and at least 4).
int PowerOfTwo(int n);

} // namespace Tools::Art
