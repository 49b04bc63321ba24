#pragma once
// The arithmetic of sliders and scroll bars along one axis of their track:
// where a dragged thumb lands, where a position is drawn, and the repeat of
// a held scroll arrow.
#include <cstdint>

namespace ZorvaneEngine {

// The step under the cursor while the thumb is dragged: the thumb's centre
// follows the cursor. cursor and sliderOrigin are absolute; trackStart and
// trackEnd are relative to the slider; thumbExtent is the thumb's width (or
// height for a vertical slider). Halves round up; the result is below steps.
uint32_t SliderStepAt(float cursor, float sliderOrigin, float trackStart, float trackEnd,
                      float thumbExtent, uint32_t steps, bool reversed);

// How far along the track (0 .. 1) the thumb of a position is drawn. Fewer
// than 2 steps have nowhere to go: 0.
float SliderTrackFraction(uint32_t position, uint32_t steps, bool reversed);

// A held scroll arrow: one step in the frame it is pressed, then one every
// RepeatPeriod seconds. Adds the frame step to the timer and returns the
// steps due in this frame. Single precision on purpose: the frames in which
// steps fall depend on it.
struct ArrowRepeat {
    static constexpr float RepeatPeriod = 0.15f;
    uint32_t Advance(float frameStep);
    float timer = 0.0f;  // seconds
};

// One arrow step up or down, kept inside 0 .. steps - 1.
uint32_t StepUp(uint32_t position, uint32_t step, uint32_t steps);
uint32_t StepDown(uint32_t position, uint32_t step, uint32_t steps);

} // namespace ZorvaneEngine
