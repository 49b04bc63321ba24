#pragma once
// The interface pieces: window panels, buttons in their four states, check
// boxes, slider tracks and knobs, arrow buttons, text fields, HUD buttons
// and icons. Each is drawn for a widget of w × h units onto a canvas of that
// size at the given scale (pixels per unit), lower-left corner at (0, 0).
// The shapes keep a few units free at the right and bottom for their drop
// shadow, so the shadow stays inside the widget's box.
#include <cstdint>

#include "tools/common/art/Raster.h"

namespace Tools::Art {

enum class ControlState { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

enum class PanelKind {
    Window,     // carved frame, gold inlay, dark stained panel
    MainMenu,   // the same, slimmer frame, crest on top
    Inset,      // a recessed dark field inside another panel (lists, values)
    Parchment,  // a light sheet with a wooden rim (the map)
};

Canvas DrawPanel(float w, float h, PanelKind kind, float scale, uint32_t seed);
// An inset panel of values whose right-aligned column ends a little left of
// split (units from the left edge): a carved groove at split, and in the
// part to its right a small hourglass.
Canvas DrawValuesPanel(float w, float h, float split, float scale, uint32_t seed);

enum class ButtonKind { Plank, MainMenu };
Canvas DrawButton(float w, float h, ButtonKind kind, ControlState state, float scale);

// Frames 0 to 7 of a check box: unchecked normal, hover, pressed; checked
// normal, hover, pressed; disabled unchecked, disabled checked.
Canvas DrawCheckBox(float size, int frame, float scale);

enum class Direction { Up = 0, Right = 1, Down = 2, Left = 3 };
Canvas DrawArrowButton(float w, float h, Direction direction, ControlState state, float scale);

// A slider's groove between the arrow buttons at both ends (each `end` units
// long), states normal, hover, disabled.
Canvas DrawSliderTrack(float w, float h, bool vertical, float end, int state, float scale);
Canvas DrawSliderKnob(float w, float h, bool vertical, ControlState state, float scale);

// A recessed field for typed text, with a quill in its first `lead` units.
Canvas DrawTextField(float w, float h, float lead, float scale);

enum class HudIcon { Minimize, Close, FullScreen, Windowed };
Canvas DrawHudButton(float size, HudIcon icon, ControlState state, float scale);

// Adjusts a finished state picture: hover brighter, disabled greyed.
void ApplyStateTint(Canvas& canvas, ControlState state);

} // namespace Tools::Art
