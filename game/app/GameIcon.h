#pragma once
// The window icon the program carries under its resource id: pixels drawn by
// tools/iconbuild at build time and compiled into the executable, 4 bytes a
// pixel (red, green, blue, alpha), rows from the top.
#include <cstdint>

namespace ActionPuzzle {

constexpr int32_t kGameIconId = 101;
constexpr uint32_t kGameIconSide = 64;
extern const uint8_t kGameIconPixels[kGameIconSide * kGameIconSide * 4];

} // namespace ActionPuzzle
