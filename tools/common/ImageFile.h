#pragma once
// Pictures written by the tools through the engine's own writers, so that
// what a tool writes is what the game reads.
#include <cstdint>
#include <string>
#include <vector>

namespace ZorvaneEngine { class Image; }

namespace Tools {

// The format follows the extension ("tga", "bmp", "jpg"). A relative path is
// taken from the current folder. False with error set on failure.
bool SaveImageFile(const std::string& path, const ZorvaneEngine::Image& image, std::string& error);
// The engine's readers, by extension; rows from the bottom as ever.
bool LoadImageFile(const std::string& path, ZorvaneEngine::Image& image, std::string& error);

// A run-length coded TGA of a 24- or 32-bit picture, bottom row first: the
// large transparent or plain areas of interface art shrink to a few bytes,
// and the engine's reader decodes it as fast as a raw one.
std::vector<uint8_t> BuildRunLengthTga(const ZorvaneEngine::Image& image);

} // namespace Tools
