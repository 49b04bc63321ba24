#include "engine/graphics/AnimationControl.h"

#include <algorithm>
#include <cstdint>

#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"

namespace ZorvaneEngine {

namespace {

// Compared in double precision against the float fields; 0.0001f itself lies
// just below it.
constexpr double kEpsilon = 0.0001;

// The whole frames in a position, truncated towards zero. A position that an
// owner set below 0, or one that is not a number, is frame 0.
uint32_t WholeFrames(float position)
{
    if (!(position > 0.0f)) return 0;
    if (position >= 4294967296.0f) return UINT32_MAX;
    return static_cast<uint32_t>(position);
}

} // namespace

AnimationControl::AnimationControl(uint32_t frameCount, MessageManager* log, TimerManager* timers)
    : log(log), timers(timers), frameCount(frameCount)
{
    ranges[-1] = AnimationRange{-1, 0, frameCount > 0 ? frameCount - 1 : 0};
}

AnimationControl::~AnimationControl() = default;

void AnimationControl::AddRange(AnimationRange range)
{
    if (ranges.contains(range.id)) return;
    // A frame past the model's last would be read from beyond its frame data.
    const uint32_t lastFrame = frameCount > 0 ? frameCount - 1 : 0;
    range.first = std::min(range.first, lastFrame);
    range.last = std::min(range.last, lastFrame);
    ranges[range.id] = range;
}

AnimationRange AnimationControl::CurrentRange() const
{
    auto found = ranges.find(currentRangeId);
    if (found == ranges.end()) found = ranges.find(-1);
    return found->second;
}

void AnimationControl::Play()
{
    playing = true;
    loopsDone = 0;
    pauseLeft = RandomFloatRange(pauseMinimum, pauseMaximum);
}

void AnimationControl::Update()
{
    const AnimationRange range = CurrentRange();
    const bool backwards = range.first > range.last;
    const uint32_t low = backwards ? range.last : range.first;
    const uint32_t count = (backwards ? range.first - range.last : range.last - range.first) + 1;
    const float dt = timers->frameStep;

    blend = 0.0f;
    currentFrame = 0;
    nextFrame = 0;

    pauseLeft -= dt;
    // A looping range holds its position while a pause is being waited.
    if (playing && (!looping || pauseLeft < kEpsilon)) position += speed * dt;

    // Endless loops without pauses never end a run here: they wrap below.
    const bool lastRun = loopLimit != 0 && uint64_t{loopsDone} + 1 >= loopLimit;
    const bool pausesOn = pauseMaximum >= kEpsilon;
    const bool examineEnd = !looping || lastRun || pausesOn;

    if (examineEnd && static_cast<float>(count) <= position + 1.0f) {
        if (looping) {
            // Back to the first frame, with the next pause drawn unless one
            // is still being waited.
            if (pauseLeft < kEpsilon) pauseLeft = RandomFloatRange(pauseMinimum, pauseMaximum);
            currentFrame = 0;
            // A one-frame range has no frame 1 to blend towards.
            nextFrame = count > 1 ? 1 : 0;
            position = 0.0f;
            playing = pauseMaximum > kEpsilon;
        } else {
            currentFrame = count - 1;
            nextFrame = 0;
            position = static_cast<float>(count - 1);
            playing = false;
        }
    } else {
        uint32_t frame = WholeFrames(position);
        if (count > 1 && frame >= count - 1) {
            // The range wraps with period count − 1, so its last frame shows
            // only as the blend target of the frame before it.
            const uint32_t period = count - 1;
            const uint32_t wraps = frame / period;
            position -= static_cast<float>(wraps * period);
            loopsDone += wraps;
        }
        frame = WholeFrames(position);
        blend = position - static_cast<float>(frame);
        if (frame >= count) frame %= count;
        currentFrame = frame;
        nextFrame = frame + 1 < count ? frame + 1 : 0;
    }

    if (backwards) {
        blend = 1.0f - blend;
        const uint32_t current = currentFrame;
        currentFrame = count - 1 - nextFrame;
        nextFrame = count - 1 - current;
    }
    currentFrame += low;
    nextFrame += low;
    if (!interpolate) blend = 0.0f;
}

} // namespace ZorvaneEngine
