#include "engine/graphics/Shader.h"

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/TextUtils.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/TextureManager.h"

namespace ZorvaneEngine {

Shader::Shader(const ShaderDescriptor& description, MessageManager* log, FileManager* files,
               RenderSystem* renderer, TextureManager* textures)
    : log(log), files(files), renderer(renderer), textures(textures),
      stageCount(description.stageCount)
{
    for (uint32_t s = 0; s < stageCount; ++s) {
        LoadTextures(s, description.stages[s]);
    }
}

Shader::~Shader()
{
    for (std::vector<Texture2D*>& table : frames) {
        for (Texture2D* texture : table) {
            textures->ReleaseTexture(texture);
        }
    }
}

void Shader::SetTexture(uint32_t stage, uint32_t frame, Texture2D* texture)
{
    if (stage >= stageCount || frame >= frames[stage].size()) {
        textures->ReleaseTexture(texture);
        return;
    }
    Texture2D*& entry = frames[stage][frame];
    if (entry != texture) {
        textures->ReleaseTexture(entry);
    }
    entry = texture;
}

void Shader::LoadTextures(uint32_t stage, const ShaderStage& description)
{
    std::vector<Texture2D*>& table = frames[stage];
    table.assign(description.HasFramePictures() ? description.frameCount : 1, nullptr);
    if (description.flags & StageNoTextures) {
        return;
    }
    const bool diffusePerFrame = description.animation == AnimationDiffuse ||
                                 description.animation == AnimationDiffuseAndOpacity;
    const bool opacityPerFrame = description.animation == AnimationOpacity ||
                                 description.animation == AnimationDiffuseAndOpacity;
    for (uint32_t i = 0; i < table.size(); ++i) {
        std::string diffuse = description.diffuse;
        if (diffusePerFrame) {
            diffuse = FramePictureName(diffuse, i, description.frameCount);
        }
        std::string opacity = description.opacity;
        if (opacityPerFrame) {
            opacity = FramePictureName(opacity, i, description.frameCount);
        }
        diffuse = ExistingPictureName(ToLowerCase(AddDataFolderPrefix(diffuse)));
        if (!opacity.empty()) {
            opacity = ExistingPictureName(ToLowerCase(AddDataFolderPrefix(opacity)));
        }
        table[i] = textures->GetTexture(diffuse, opacity, (description.flags & StageMipMapping) != 0);
    }
}

std::string Shader::FramePictureName(const std::string& name, uint32_t frame, uint32_t frameCount) const
{
    const uint32_t digits = static_cast<uint32_t>(UIntToText(frameCount).size());
    const std::string extension = GetFileExtension(name);
    const size_t cut = digits + extension.size() + 1;
    // The number replaces characters of the file's own name, never of its
    // folder; a name without room for it is used for every frame.
    const size_t separator = name.find_last_of("\\/");
    const size_t ownLength = separator == std::string::npos ? name.size() : name.size() - separator - 1;
    if (ownLength < cut) {
        if (frame == 0) {
            log->Error("Shader: \"" + name + "\" has no room for a frame number of " +
                       UIntToText(digits) + " digits");
        }
        return name;
    }
    return name.substr(0, name.size() - cut) + UIntToText(frame, digits) + "." + extension;
}

std::string Shader::ExistingPictureName(const std::string& name) const
{
    if (!HasFileExtension(name, "jpg") || files->FileExists(name)) {
        return name;
    }
    std::string candidate = name;
    for (const char* extension : {"jp2", "bmp"}) {
        SetFileExtension(candidate, extension);
        if (files->FileExists(candidate)) {
            return candidate;
        }
    }
    SetFileExtension(candidate, "jpg");
    return candidate;
}

void Shader::Apply(Shader& shader, ShaderUser& user)
{
    RenderSystem* renderer = shader.renderer;
    if (user.flags & ShaderAlphaBlend) {
        renderer->SetAlphaBlend(true);
        renderer->SetBlend(user.sourceBlend, user.destinationBlend);
    } else {
        renderer->SetAlphaBlend(false);
    }
    const uint32_t deviceStages = renderer->GetStageCount();
    uint32_t j = 0;
    for (; j < user.stageCount && j < shader.stageCount && j < deviceStages; ++j) {
        const ShaderStage& stage = user.stages[j];
        const std::vector<Texture2D*>& table = shader.frames[j];
        const uint32_t frame = stage.currentFrame < table.size() ? stage.currentFrame : 0;
        renderer->SetTexture(j, table.empty() ? nullptr : table[frame]);
        renderer->SetTextureFilter(j, (stage.flags & StageMipMapping) ? FilterTrilinear : FilterBilinear);
        renderer->SetTextureAdressU(j, stage.addressU);
        renderer->SetTextureAdressV(j, stage.addressV);
        renderer->SetTextureMatrix(j, stage.scaleU, stage.scaleV, stage.offsetU, stage.offsetV);
    }
    for (; j < deviceStages; ++j) {
        renderer->SetTexture(j, nullptr);
    }
}

} // namespace ZorvaneEngine
