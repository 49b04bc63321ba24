#pragma once
// The mouse logic every button shares, apart from its window and sounds: a
// press on the button latches it, the latch follows the cursor off and back
// on, and releasing over the button clicks it for one frame. Disabling leaves
// the latch alone, so a button re-enabled under a still-latched press clicks
// on the first frame the mouse button is up.
#include "engine/gui/ButtonState.h"

namespace ZorvaneEngine {

// The sounds one frame of a button asks for.
struct ButtonSounds {
    bool hover = false;
    bool click = false;
};

struct ButtonMouse {
    // One frame of an enabled, visible button. hovered is this frame's hit
    // test, down the mouse button held (or tapped this frame), pressed that
    // it went down this frame. The click sound goes with the press, not the
    // release.
    ButtonSounds Step(bool hovered, bool down, bool pressed);
    void SetEnabled(bool enabled);

    ButtonState state = ButtonStateNormal;
    bool latched = false;
    // True at first: a button made under the cursor makes no hover sound.
    bool hoveredLastFrame = true;
    // Valid from this frame's GUI update to the next.
    bool clicked = false;
};

// The art frame of a check box: 0-2 unchecked, 3-5 checked (normal, hover,
// pressed), 6 disabled unchecked, 7 disabled checked.
uint32_t CheckBoxFrameIndex(ButtonState state, bool checked);

} // namespace ZorvaneEngine
