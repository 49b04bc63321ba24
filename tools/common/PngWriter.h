#pragma once
// PNG files for looking at pictures (contact sheets, screenshots): RGB or
// RGBA, 8 bits per channel, stored without compression, so no library is
// needed. The game itself never reads PNG.
#include <cstdint>
#include <string>
#include <vector>

namespace ZorvaneEngine { class Image; }

namespace Tools {

// 24- or 32-bit pictures (8-bit ones are written as grey RGB); the image's
// bottom row becomes the file's last row, as a viewer expects.
std::vector<uint8_t> BuildPngFile(const ZorvaneEngine::Image& image);
bool SavePngFile(const std::string& path, const ZorvaneEngine::Image& image);

} // namespace Tools
