#pragma once
// Picture sections for puzzles and totems, cut from photographs: the most
// detailed window of the photograph, scaled down with area averaging and
// graded a little toward the game's warm light.
#include <cstdint>

#include "engine/graphics/Image.h"

namespace Tools {

struct CropChoice {
    // 1 takes the largest window of the output's aspect that fits the
    // photograph; 2 a window half as wide, and so on.
    float zoom = 1;
    // 0 takes the most detailed window, 1 the most detailed one that
    // overlaps the first by less than a third, and so on.
    uint32_t pick = 0;
};

// A 24-bit picture of width × height from the photograph (24 or 32 bits).
// Detail is the mean gradient of the brightness over the window. Throws
// std::invalid_argument when the window would be smaller than the output
// (no enlarging) or the photograph has no such pick.
ZorvaneEngine::Image CropDetailed(const ZorvaneEngine::Image& photo, uint32_t width, uint32_t height,
                                  const CropChoice& choice);

// The warm grade: red up a little, blue down a little, a touch more
// contrast; never more than a few percent.
void GradeWarm(ZorvaneEngine::Image& picture);

} // namespace Tools
