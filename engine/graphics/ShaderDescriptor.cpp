#include "engine/graphics/ShaderDescriptor.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "engine/core/EngineFileHeader.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/TextUtils.h"

namespace ZorvaneEngine {

namespace {

uint32_t ReadU32(FileBinary& file)
{
    uint8_t bytes[4];
    file.Read(bytes, 4);
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

float ReadF32(FileBinary& file)
{
    const uint32_t bits = ReadU32(file);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

ColorRGBA ReadColor(FileBinary& file)
{
    ColorRGBA color;
    color.r = ReadF32(file);
    color.g = ReadF32(file);
    color.b = ReadF32(file);
    color.a = ReadF32(file);
    return color;
}

// A bare picture name lives beside the material file. Beside a material at
// the top of the data folder the name stays bare: a leading "\" would make
// it "data\\name".
std::string BesideMaterial(const std::string& name, const std::string& materialFolder)
{
    if (name.empty() || materialFolder.empty() || !GetFileFolder(name).empty() ||
        name[0] == '\\' || name[0] == '/') {
        return name;
    }
    return materialFolder + "\\" + name;
}

void HashText(uint32_t& hash, const std::string& text)
{
    // FNV-1a, with a zero byte after each text so that names cannot run into
    // each other.
    for (unsigned char c : text) {
        hash = (hash ^ c) * 16777619u;
    }
    hash *= 16777619u;
}

} // namespace

ShaderDescriptor::ShaderDescriptor(uint32_t flags) : flags(flags)
{
    UpdateHash();
}

ShaderDescriptor::ShaderDescriptor(const std::string& fileName, MessageManager* log, FileManager* files)
    : ShaderDescriptor(0)
{
    try {
        Read(fileName, files);
    } catch (const FatalError&) {
        throw;
    } catch (const Error& error) {
        log->Error(error.message);
        throw Error(error.message);
    }
}

ShaderDescriptor::ShaderDescriptor(const std::string& diffuseName, const std::string& opacityName,
                                   StageAnimation animation, uint32_t cols, uint32_t rows,
                                   uint32_t frameCount, float speed, bool clamp)
    : ShaderDescriptor(0)
{
    if (!opacityName.empty()) {
        flags = ShaderAlphaBlend;
        sourceBlend = 4;       // source alpha
        destinationBlend = 5;  // inverse source alpha
    }
    const std::string opacity = ToLowerCase(opacityName) == "32bit" ? std::string() : opacityName;
    AddStage(animation, diffuseName, StageMipMapping, cols, rows, frameCount, speed, opacity,
             clamp ? 0 : 1);
}

ShaderDescriptor::~ShaderDescriptor() = default;

void ShaderDescriptor::Read(const std::string& fileName, FileManager* files)
{
    const std::string name = AddDataFolderPrefix(fileName);
    std::unique_ptr<FileBinary> file = files->OpenFile(name, false);
    ReadEngineFileHeader(*file, name, "ZVSRF", FileVersion);
    const FileError badFormat("Incorrect \"" + name + "\" file format");

    flags = ReadU32(*file);
    diffuse = ReadColor(*file);
    ambient = ReadColor(*file);
    specular = ReadColor(*file);
    emissive = ReadColor(*file);
    power = ReadF32(*file);
    secondValue = ReadF32(*file);
    sourceBlend = ReadU32(*file);
    destinationBlend = ReadU32(*file);
    const uint32_t count = ReadU32(*file);
    if (count > MaxStages) {
        throw badFormat;
    }

    const std::string folder = GetFileFolder(fileName);
    for (uint32_t s = 0; s < count; ++s) {
        const uint32_t stageFlags = ReadU32(*file);
        const uint32_t animation = ReadU32(*file);
        uint32_t frameCount = 1;
        float speed = 0.0f;
        uint32_t cols = 1;
        uint32_t rows = 1;
        if (animation != AnimationNone) {
            frameCount = ReadU32(*file);
            speed = ReadF32(*file);
            if (animation == AnimationGrid) {
                cols = ReadU32(*file);
                rows = ReadU32(*file);
            }
            // The animation step divides by the frame count and the grid size.
            if (frameCount == 0 || cols == 0 || rows == 0) {
                throw badFormat;
            }
            if (animation >= AnimationDiffuse && animation <= AnimationDiffuseAndOpacity &&
                frameCount > MaxFramePictures) {
                throw badFormat;
            }
        }
        std::string diffuseName;
        std::string opacityName;
        file->ReadString(diffuseName);
        file->ReadString(opacityName);
        const uint32_t addressU = ReadU32(*file);
        const uint32_t addressV = ReadU32(*file);
        const float scaleU = ReadF32(*file);
        const float scaleV = ReadF32(*file);
        const float offsetU = ReadF32(*file);
        const float offsetV = ReadF32(*file);

        const uint32_t index = AddStage(static_cast<StageAnimation>(animation),
                                        BesideMaterial(diffuseName, folder), stageFlags, cols, rows,
                                        frameCount, speed, BesideMaterial(opacityName, folder), addressU);
        ShaderStage& stage = stages[index];
        stage.addressU = addressU;
        stage.addressV = addressV;
        stage.scaleU = scaleU;
        stage.scaleV = scaleV;
        stage.offsetU = offsetU;
        stage.offsetV = offsetV;
    }
}

uint32_t ShaderDescriptor::AddStage(StageAnimation animation, const std::string& diffuseName,
                                    uint32_t stageFlags, uint32_t cols, uint32_t rows,
                                    uint32_t frameCount, float speed, const std::string& opacityName,
                                    uint32_t addressMode)
{
    if (stageCount >= MaxStages) {
        throw FatalError("Shader Stages: buffer is overflowed");
    }
    ShaderStage& stage = stages[stageCount];
    stage = ShaderStage();
    stage.flags = stageFlags;
    stage.animation = animation;
    stage.cols = std::max(cols, 1u);
    stage.rows = std::max(rows, 1u);
    if (animation == AnimationNone) {
        stage.frameCount = 0;
    } else if (stage.HasFramePictures()) {
        stage.frameCount = std::clamp(frameCount, 1u, MaxFramePictures);
    } else {
        stage.frameCount = std::max(frameCount, 1u);
    }
    stage.speed = speed;
    stage.diffuse = ToLowerCase(diffuseName);
    stage.opacity = ToLowerCase(opacityName);
    stage.addressU = addressMode;
    stage.addressV = addressMode;
    UpdateHash();
    return stageCount++;
}

bool ShaderDescriptor::operator==(const ShaderDescriptor& other) const
{
    if (hash != other.hash || (flags & ~ShaderAlphaBlend) != (other.flags & ~ShaderAlphaBlend) ||
        stageCount != other.stageCount) {
        return false;
    }
    // Mip-mapping and the random start are each user's own.
    constexpr uint32_t ownFlags = StageMipMapping | StageRandomStart;
    for (uint32_t s = 0; s < stageCount; ++s) {
        const ShaderStage& a = stages[s];
        const ShaderStage& b = other.stages[s];
        if ((a.flags & ~ownFlags) != (b.flags & ~ownFlags)) {
            return false;
        }
        if ((a.HasFramePictures() || b.HasFramePictures()) &&
            (a.animation != b.animation || a.frameCount != b.frameCount)) {
            return false;
        }
        if (a.diffuse != b.diffuse || a.opacity != b.opacity) {
            return false;
        }
    }
    return true;
}

void ShaderDescriptor::UpdateHash()
{
    uint32_t value = 2166136261u;
    for (uint32_t s = 0; s < stageCount; ++s) {
        HashText(value, stages[s].diffuse);
        HashText(value, stages[s].opacity);
    }
    hash = value;
}

} // namespace ZorvaneEngine
