#pragma once
// One piece of the console's output: a run of text in one colour, followed
// by a line break or continued on the same line by the next piece.
#include <string>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

struct ConsoleLine {
    ColorRGBA color{1, 1, 1, 1};
    std::u16string text;  // without the line break
    bool endsLine = false;
    float width = 0.0f;  // of the text in the console font, GUI units
};

} // namespace ZorvaneEngine
