#pragma once
// Bits of a queued text's align word. Horizontal bits are tested in the order
// centre, left, right and vertical ones centre, top, bottom; an axis with
// none of its bits takes the text item's offset instead.
#include <cstdint>

namespace ZorvaneEngine {

struct TextAlign {
    static constexpr uint32_t CenterX = 0x1;
    static constexpr uint32_t CenterY = 0x2;
    static constexpr uint32_t Left = 0x4;
    static constexpr uint32_t Right = 0x8;
    static constexpr uint32_t Top = 0x10;
    static constexpr uint32_t Bottom = 0x20;

    static constexpr uint32_t Center = CenterX | CenterY;
};

} // namespace ZorvaneEngine
