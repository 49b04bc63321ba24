#pragma once
// The game's window icon: a golden puzzle piece on a round leaf-green disc
// in a wooden rim, lit from the top left. Drawn four times larger and
// averaged down, so every edge is smooth.
#include <cstdint>
#include <vector>

namespace Tools {

// side x side pixels, rows from the top, 4 bytes a pixel: red, green, blue
// and straight (not premultiplied) alpha; outside the disc is transparent.
std::vector<uint8_t> PaintGameIcon(uint32_t side);

} // namespace Tools
