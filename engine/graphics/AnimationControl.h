#pragma once
// The frame player of one model: named frame ranges, a fractional position
// advanced by the frame step, looping with an optional run limit, random
// pauses between runs, and ranges played backwards. Each Update hands out the
// frame to show, the frame to blend towards and the blend between them.
//
// Owners drive it through the public fields (range id, position, speed,
// looping, limits, pauses) and Play; the model calls Update once a frame.
#include <cstdint>
#include <map>

namespace ZorvaneEngine {

class MessageManager;
class TimerManager;

// first > last plays the frames backwards.
struct AnimationRange {
    int32_t id = 0;
    uint32_t first = 0;
    uint32_t last = 0;
};

class AnimationControl {
public:
    // The range of id −1 covers all frames and is current at the start.
    AnimationControl(uint32_t frameCount, MessageManager* log, TimerManager* timers);
    AnimationControl(const AnimationControl& other) = default;
    AnimationControl& operator=(const AnimationControl&) = delete;
    virtual ~AnimationControl();

    // One step of the frame step's length.
    void Update();
    // Starts the current range from the current position (set position 0
    // first to restart) and draws the first pause.
    void Play();
    // Adds the range unless its id is taken. Frames beyond the model's last
    // frame are brought back to it.
    void AddRange(AnimationRange range);

    uint32_t GetFrameCount() const { return frameCount; }
    const std::map<int32_t, AnimationRange>& GetRanges() const { return ranges; }

    float speed = 0.0f;     // frames per second
    float position = 0.0f;  // frames since the start of the current range
    bool looping = false;
    uint32_t loopLimit = 0;  // runs before it stops; 0 = endless
    uint32_t loopsDone = 0;
    // Seconds waited before each run of a looping range; both 0 = no pauses.
    float pauseMinimum = 0.0f;
    float pauseMaximum = 0.0f;
    float pauseLeft = 0.0f;  // counts down every update, also below 0
    bool interpolate = true;  // false: the blend handed out is always 0
    bool playing = false;
    int32_t currentRangeId = -1;

    // What the last Update produced: absolute frame numbers.
    uint32_t currentFrame = 0;
    uint32_t nextFrame = 0;
    float blend = 0.0f;  // 0 shows currentFrame, towards 1 shows nextFrame

private:
    // The current range; an id that names none falls back to all frames.
    AnimationRange CurrentRange() const;

    MessageManager* log;
    TimerManager* timers;
    uint32_t frameCount;
    std::map<int32_t, AnimationRange> ranges;
};

} // namespace ZorvaneEngine
