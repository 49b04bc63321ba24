#include "engine/gui/SliderTrack.h"

#include <algorithm>
#include <cmath>

namespace ZorvaneEngine {

uint32_t SliderStepAt(float cursor, float sliderOrigin, float trackStart, float trackEnd,
                      float thumbExtent, uint32_t steps, bool reversed)
{
    if (steps < 2) return 0;
    const float length = trackEnd - trackStart;
    // A track shorter than one unit divides by 1, never by zero.
    const float divisor = length >= 1.0f ? length : 1.0f;
    float t = (cursor - sliderOrigin - trackStart - thumbExtent * 0.5f) / divisor;
    t = std::clamp(t, 0.0f, 1.0f);
    if (reversed) t = 1.0f - t;
    const float v = static_cast<float>(steps - 1) * t;
    const float whole = std::floor(v);
    uint32_t position = static_cast<uint32_t>(whole);
    if (v - whole >= 0.5f) ++position;
    return std::min(position, steps - 1);
}

float SliderTrackFraction(uint32_t position, uint32_t steps, bool reversed)
{
    if (steps < 2) return 0.0f;
    const float t = static_cast<float>(position) / static_cast<float>(steps - 1);
    return reversed ? 1.0f - t : t;
}

uint32_t ArrowRepeat::Advance(float frameStep)
{
    uint32_t due = 0;
    timer += frameStep;
    while (timer > 0.0001f) {
        timer -= RepeatPeriod;
        ++due;
    }
    return due;
}

uint32_t StepUp(uint32_t position, uint32_t step, uint32_t steps)
{
    const uint32_t last = steps > 0 ? steps - 1 : 0;
    const uint64_t raised = uint64_t{position} + step;
    return raised > last ? last : static_cast<uint32_t>(raised);
}

uint32_t StepDown(uint32_t position, uint32_t step, uint32_t steps)
{
    const uint32_t last = steps > 0 ? steps - 1 : 0;
    const int64_t lowered = std::max<int64_t>(int64_t{position} - int64_t{step}, 0);
    return std::min(static_cast<uint32_t>(lowered), last);
}

} // namespace ZorvaneEngine
