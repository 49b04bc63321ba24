#pragma once
// An image's pixels as bytes, to compare whole pictures.
#include <cstdint>
#include <vector>

#include "engine/graphics/Image.h"

namespace ZorvaneEngine {

inline std::vector<uint8_t> BytesOf(const Image& image)
{
    return std::vector<uint8_t>(image.GetPixels(), image.GetPixels() + image.GetSize());
}

} // namespace ZorvaneEngine
