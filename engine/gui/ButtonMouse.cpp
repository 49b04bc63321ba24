#include "engine/gui/ButtonMouse.h"

namespace ZorvaneEngine {

ButtonSounds ButtonMouse::Step(bool hovered, bool down, bool pressed)
{
    ButtonSounds sounds;
    clicked = false;
    if (hovered && pressed && !latched) {
        latched = true;
        sounds.click = true;
    }
    if (latched) {
        if (down) {
            state = hovered ? ButtonStatePressed : ButtonStateNormal;
        } else {
            clicked = hovered;
            latched = false;
        }
    }
    // Also in the frame of the release: the state shows hover at once.
    if (!latched) {
        state = hovered ? ButtonStateHover : ButtonStateNormal;
        sounds.hover = hovered && !hoveredLastFrame;
    }
    hoveredLastFrame = hovered;
    return sounds;
}

void ButtonMouse::SetEnabled(bool enabled)
{
    if (enabled && state == ButtonStateDisabled) state = ButtonStateNormal;
    else if (!enabled && state != ButtonStateDisabled) state = ButtonStateDisabled;
}

uint32_t CheckBoxFrameIndex(ButtonState state, bool checked)
{
    if (state == ButtonStateDisabled) return checked ? 7 : 6;
    return (checked ? 3 : 0) + static_cast<uint32_t>(state);
}

} // namespace ZorvaneEngine
