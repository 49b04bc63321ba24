#pragma once
// Material files ("ZVSRF", version 211): blending, the four material colours
// and up to two texture stages, each optionally animated.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/MathTypes.h"

namespace Tools {

constexpr uint32_t MaterialVersion = 211;

namespace StageFlag {
constexpr uint32_t MipMaps = 0x1;
constexpr uint32_t RandomStart = 0x2;
constexpr uint32_t TexturesFromCode = 0x4;  // the creator stores the textures itself
} // namespace StageFlag

enum class StageAnimation : uint32_t {
    None = 0,
    Grid = 1,              // cols × rows cells of one picture, top-left cell first
    DiffusePerFrame = 2,   // fire00.tga, fire01.tga, ...: as many digits as the frame count has
    OpacityPerFrame = 3,
    BothPerFrame = 4,
};

struct MaterialStage {
    uint32_t flags = StageFlag::MipMaps;
    StageAnimation animation = StageAnimation::None;
    // Stored only for an animated stage; cols and rows only for a grid.
    uint32_t frameCount = 1;
    float speed = 0.0f;  // frames per second
    uint32_t cols = 1;
    uint32_t rows = 1;
    // A bare name is taken from the material file's folder.
    std::string diffuse;
    std::string opacity;  // empty: none, or the diffuse picture's own alpha
    uint32_t addressU = 1;  // 0 clamp, otherwise wrap
    uint32_t addressV = 1;
    float scaleU = 1.0f;
    float scaleV = 1.0f;
    float offsetU = 0.0f;
    float offsetV = 0.0f;
};

struct Material {
    uint32_t flags = 0;  // bit 0: alpha blending with the two blend factors
    ZorvaneEngine::ColorRGBA diffuse{1, 1, 1, 1};
    ZorvaneEngine::ColorRGBA ambient{1, 1, 1, 1};
    ZorvaneEngine::ColorRGBA specular{1, 1, 1, 1};
    ZorvaneEngine::ColorRGBA emissive{0, 0, 0, 1};
    float power = 0.0f;
    float secondValue = 0.0f;
    uint32_t sourceBlend = 0;       // renderer blend values: 4 source alpha,
    uint32_t destinationBlend = 0;  // 5 inverse source alpha
    std::vector<MaterialStage> stages;  // at most two
};

// The whole file. Throws std::invalid_argument for what the engine cannot
// use: more than two stages, an unknown animation, an animated stage without
// frames, a grid without cols or rows; std::length_error for a name past 255
// bytes.
std::vector<uint8_t> BuildMaterialFile(const Material& material);

} // namespace Tools
