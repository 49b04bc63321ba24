#pragma once
// Pictures written by the tools through the engine's own writers, so that
// what a tool writes is what the game reads.
#include <string>

namespace ZorvaneEngine { class Image; }

namespace Tools {

// The format follows the extension ("tga", "bmp", "jpg"). A relative path is
// taken from the current folder. False with error set on failure.
bool SaveImageFile(const std::string& path, const ZorvaneEngine::Image& image, std::string& error);
// The engine's readers, by extension; rows from the bottom as ever.
bool LoadImageFile(const std::string& path, ZorvaneEngine::Image& image, std::string& error);

} // namespace Tools
