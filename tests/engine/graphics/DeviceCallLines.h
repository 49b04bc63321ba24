#pragma once
// The scripted device's journal lines of the state calls a test expects.
#include <cstdint>
#include <string>

#include "platform/graphics/Direct3DTypes.h"

namespace ZorvaneEngine {

inline std::string RS(Platform::RenderStateType state, uint32_t value)
{
    return "Device::SetRenderState " + std::to_string(state) + " " + std::to_string(value);
}

inline std::string TSS(uint32_t stage, Platform::TextureStageStateType state, uint32_t value)
{
    return "Device::SetTextureStageState " + std::to_string(stage) + " " + std::to_string(state) +
           " " + std::to_string(value);
}

} // namespace ZorvaneEngine
