#pragma once
// What a material is: blending, the material colours and up to two texture
// stages, each with a diffuse and an optional opacity picture, optionally
// animated. Read from a material file ("ZVSRF", extension "srf") or built in
// code. Two descriptions that compare equal share one Shader, and with it
// every texture; what does not take part in the comparison (colours, blend
// factors, speed, grid size, addressing, texture matrix) stays with each
// user's own copy.
#include <cstdint>
#include <string>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class FileManager;
class MessageManager;

enum StageAnimation : uint32_t {
    AnimationNone = 0,
    AnimationGrid = 1,              // one picture of cols × rows cells, top-left first
    AnimationDiffuse = 2,           // one diffuse picture per frame
    AnimationOpacity = 3,           // one opacity picture per frame
    AnimationDiffuseAndOpacity = 4, // both per frame
};

// Descriptor flags.
constexpr uint32_t ShaderAlphaBlend = 0x1;  // per user: not part of the comparison

// Stage flags.
constexpr uint32_t StageMipMapping = 0x1;   // filter 2 and mip-mapped textures
constexpr uint32_t StageRandomStart = 0x2;  // the clock starts at a random frame
constexpr uint32_t StageNoTextures = 0x4;   // the creator stores the textures itself

struct ShaderStage {
    uint32_t flags = 0;
    uint32_t animation = AnimationNone;
    uint32_t cols = 1;
    uint32_t rows = 1;
    uint32_t frameCount = 0;  // 0 without animation, at least 1 with one
    float speed = 0.0f;       // frames per second
    std::string diffuse;      // lower case
    std::string opacity;      // lower case; empty: none
    uint32_t addressU = 1;    // 0 clamp, otherwise wrap
    uint32_t addressV = 1;
    float scaleU = 1.0f;
    float scaleV = 1.0f;
    float offsetU = 0.0f;
    float offsetV = 0.0f;
    uint32_t currentFrame = 0;  // set by ShaderUser::Update

    // Animations that load one picture per frame.
    bool HasFramePictures() const { return animation >= AnimationDiffuse && animation <= AnimationDiffuseAndOpacity; }
};

class ShaderDescriptor {
public:
    static constexpr uint32_t MaxStages = 2;
    static constexpr uint32_t FileVersion = 211;
    // Per-frame animations load one picture per frame; a stage asking for
    // more is refused, so a damaged count cannot make millions of textures.
    static constexpr uint32_t MaxFramePictures = 1000;

    // White diffuse, ambient and specular, black opaque emissive, power 0,
    // blend factors 0, no stages.
    explicit ShaderDescriptor(uint32_t flags = 0);
    ShaderDescriptor(const ShaderDescriptor&) = default;
    ShaderDescriptor& operator=(const ShaderDescriptor&) = default;
    // Reads the material file data\<fileName>. A file that cannot be read
    // or is damaged is logged at the error level and raises Error.
    ShaderDescriptor(const std::string& fileName, MessageManager* log, FileManager* files);
    // One mip-mapped stage. A non-empty opacity name turns blending on with
    // source alpha / inverse source alpha; "32bit" (any case) then stands for
    // the diffuse picture's own alpha and is stored as no opacity picture.
    ShaderDescriptor(const std::string& diffuse, const std::string& opacity, StageAnimation animation,
                     uint32_t cols, uint32_t rows, uint32_t frameCount, float speed, bool clamp);
    virtual ~ShaderDescriptor();

    // Adds a stage with both names lower-cased, the address mode on U and V,
    // scale 1 and offset 0, and returns its index. Raises FatalError "Shader
    // Stages: buffer is overflowed", unchanged, when two stages exist. An
    // animated stage gets at least one frame, a grid at least one column and
    // one row: the animation step divides by them.
    uint32_t AddStage(StageAnimation animation, const std::string& diffuse, uint32_t stageFlags,
                      uint32_t cols, uint32_t rows, uint32_t frameCount, float speed,
                      const std::string& opacity, uint32_t addressMode);

    // Whether two descriptions can share one Shader.
    bool operator==(const ShaderDescriptor& other) const;
    // The bucket key: a function of the stage names alone.
    void UpdateHash();

    uint32_t flags;
    ColorRGBA diffuse{1, 1, 1, 1};
    ColorRGBA ambient{1, 1, 1, 1};
    ColorRGBA specular{1, 1, 1, 1};
    ColorRGBA emissive{0, 0, 0, 1};
    float power = 0.0f;
    float secondValue = 0.0f;
    uint32_t sourceBlend = 0;
    uint32_t destinationBlend = 0;
    uint32_t stageCount = 0;
    ShaderStage stages[MaxStages];
    uint32_t hash = 0;

private:
    void Read(const std::string& fileName, FileManager* files);
};

} // namespace ZorvaneEngine
