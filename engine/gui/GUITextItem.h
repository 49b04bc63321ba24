#pragma once
// One text queued on a GUI window for the current frame. The window owns its
// items and reuses them from frame to frame.
#include <cstdint>
#include <string>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

struct GUITextItem {
    uint32_t align = 0;  // TextAlign bits of the font code
    int32_t font = 0;    // font id in the font manager
    float angle = 0.0f;  // radians
    float size = -1.0f;  // text height; below 0: the font's own size
    Vector2 offset;
    ColorRGBA color{1, 1, 1, 1};
    std::u16string text;  // for a key item, filled when drawn
    std::string key;      // text-table key of a key item
    int32_t number = -1;  // line number of a key item; -1 none
    bool isKey = false;   // the text comes from the text table when drawn
};

} // namespace ZorvaneEngine
