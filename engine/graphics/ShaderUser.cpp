#include "engine/graphics/ShaderUser.h"

#include <cmath>

#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/Shader.h"

namespace ZorvaneEngine {

namespace {

// Brings a clock into [0, frames]. Exactly the frame count stays: it is not
// past the end, and the frame choice takes it modulo the count. The
// remainder is exact, so a huge step cannot stall the frame the way
// subtracting the count from a float too large to change would; a speed
// below zero runs the animation backwards through the same range.
float WrapClock(float clock, float frames)
{
    if (!std::isfinite(clock)) {
        return 0.0f;
    }
    if (clock > frames) {
        const float rest = std::fmod(clock, frames);
        return rest == 0.0f ? frames : rest;
    }
    if (clock < 0.0f) {
        return std::fmod(clock, frames) + frames;
    }
    return clock;
}

} // namespace

ShaderUser::ShaderUser(const ShaderDescriptor& description, MessageManager* log, TimerManager* timers,
                       Shader* shader)
    : ShaderDescriptor(description), log(log), timers(timers), shader(shader)
{
    for (uint32_t s = 0; s < stageCount; ++s) {
        if (stages[s].flags & StageRandomStart) {
            clocks[s] = RandomFloat() * static_cast<float>(stages[s].frameCount);
        }
    }
    ++shader->userCount;
}

ShaderUser::~ShaderUser()
{
    if (--shader->userCount == 0) {
        delete shader;
    }
}

void ShaderUser::Update()
{
    const float step = timers->frameStep;
    for (uint32_t s = 0; s < stageCount; ++s) {
        ShaderStage& stage = stages[s];
        // Zero frames or an empty grid come only from fields changed after
        // the stage was added; such a stage stands still on its first frame.
        if (stage.animation == AnimationNone || stage.frameCount == 0 ||
            (stage.animation == AnimationGrid && (stage.cols == 0 || stage.rows == 0))) {
            stage.currentFrame = 0;
            continue;
        }
        const float frames = static_cast<float>(stage.frameCount);
        clocks[s] = WrapClock(clocks[s] + step * stage.speed, frames);
        // At most the frame count, which fits: the count is a u32.
        uint64_t frame = static_cast<uint64_t>(clocks[s]);
        if (frame >= stage.frameCount) {
            frame %= stage.frameCount;
        }
        if (stage.animation == AnimationGrid) {
            // More frames than cells start over at the first cell, so the
            // row never falls below the picture.
            const uint64_t cell = frame % (static_cast<uint64_t>(stage.cols) * stage.rows);
            const uint32_t column = static_cast<uint32_t>(cell % stage.cols);
            const uint32_t row = stage.rows - 1 - static_cast<uint32_t>(cell / stage.cols);
            // Each cell is sampled 0.005 of a cell inside its edges, so
            // filtering never picks up the neighbouring cell.
            stage.scaleU = (1.0f / static_cast<float>(stage.cols)) * 0.99f;
            stage.scaleV = (1.0f / static_cast<float>(stage.rows)) * 0.99f;
            stage.offsetU = (static_cast<float>(column) + 0.005f) * stage.scaleU / 0.99f;
            stage.offsetV = (static_cast<float>(row) + 0.005f) * stage.scaleV / 0.99f;
            stage.currentFrame = 0;
        } else if (stage.HasFramePictures()) {
            stage.currentFrame = static_cast<uint32_t>(frame);
        }
    }
}

} // namespace ZorvaneEngine
