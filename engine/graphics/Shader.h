#pragma once
// The run-time side of one material description, shared by every user whose
// description compares equal: the textures of every stage and frame. It is
// made by the ShaderManager for the first user of a description and deleted
// with the last.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphics/ShaderDescriptor.h"

namespace ZorvaneEngine {

class FileManager;
class MessageManager;
class RenderSystem;
class ShaderUser;
class Texture2D;
class TextureManager;

class Shader {
public:
    // Loads the textures of every stage of the description.
    Shader(const ShaderDescriptor& description, MessageManager* log, FileManager* files,
           RenderSystem* renderer, TextureManager* textures);
    // Hands every texture back to the texture manager.
    virtual ~Shader();

    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    // Pushes the user's blending, its stages' textures of the current frame,
    // filters, addressing and texture matrices through the renderer's state
    // cache, and no texture on the renderer's further stages.
    static void Apply(Shader& shader, ShaderUser& user);

    // For a stage with StageNoTextures, whose creator supplies the textures:
    // stores a texture from the texture manager in the frame's entry and
    // takes over the caller's reference, released like the shader's own. A
    // texture already stored there is released, and so is the given one
    // when the shader has no such stage or frame.
    void SetTexture(uint32_t stage, uint32_t frame, Texture2D* texture);

    uint32_t GetStageCount() const { return stageCount; }
    // A stage's frame table: one entry, or one per frame for animations
    // with a picture per frame.
    const std::vector<Texture2D*>& GetFrames(uint32_t stage) const { return frames[stage]; }
    uint32_t GetUserCount() const { return userCount; }

private:
    friend class ShaderUser;

    void LoadTextures(uint32_t stage, const ShaderStage& description);
    // The picture of frame i: the frame number, zero-padded to the digits
    // of the frame count, replaces as many characters before the extension.
    std::string FramePictureName(const std::string& name, uint32_t frame, uint32_t frameCount) const;
    // A missing "jpg" picture is looked for as "jp2", then as "bmp".
    std::string ExistingPictureName(const std::string& name) const;

    MessageManager* log;
    FileManager* files;
    RenderSystem* renderer;
    TextureManager* textures;
    uint32_t stageCount = 0;
    std::vector<Texture2D*> frames[ShaderDescriptor::MaxStages];
    uint32_t userCount = 0;
};

} // namespace ZorvaneEngine
