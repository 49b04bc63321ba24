#pragma once
// The totem of a stage, as the mini game shows it: a carved wooden pole with
// spread wings and an owl-like head, painted in the stage's colour, standing
// over a section of the stage's scenery; and its silhouette.
#include <array>
#include <cstdint>

#include "engine/graphics/Image.h"

namespace MapGen {

struct TotemPictures {
    ZorvaneEngine::Image colour;  // 24 bits
    ZorvaneEngine::Image alpha;   // 8 bits, 255 inside the totem
};

// side × side pictures; the totem stands centred on the scenery, 7 parts wide
// for 12 high like the map's totem models, filling the height. The scenery
// must be 24 bits and side × side.
TotemPictures PaintTotem(const ZorvaneEngine::Image& scenery, uint32_t side, const std::array<float, 3>& paint);

} // namespace MapGen
