#include "game/gameplay/PictureMaterial.h"

#include "engine/Engine.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Shader.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/TextureManager.h"
#include "engine/gui/GUIMaterial.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

// The renderer's blend factors.
constexpr uint32_t BlendSourceAlpha = 4;
constexpr uint32_t BlendInverseSourceAlpha = 5;
constexpr uint32_t AddressClamp = 0;

} // namespace

ShaderUser* CreatePictureShaderUser(Engine& engine, const std::string& textureName, bool alphaBlend,
                                    std::unique_ptr<Image> picture)
{
    ShaderDescriptor description(alphaBlend ? ShaderAlphaBlend : 0);
    if (alphaBlend) {
        description.sourceBlend = BlendSourceAlpha;
        description.destinationBlend = BlendInverseSourceAlpha;
    }
    const bool mipMap = GUITextureMipMapping;
    // No file stands behind the name: the texture comes from the picture.
    description.AddStage(AnimationNone, textureName, (mipMap ? StageMipMapping : 0) | StageNoTextures, 1, 1, 1,
                         0.0f, "", AddressClamp);

    ShaderUser* user = engine.materials->CreateShaderUser(description);
    Shader* shader = user->GetShader();
    if (shader->GetFrames(0).empty() || shader->GetFrames(0)[0] == nullptr) {
        TextureManager* textures = engine.materials->GetTextureManager();
        // The texture manager keeps the picture for restoring the surface.
        Texture2D* texture = textures->CreateTexture(mipMap, nullptr, true, textureName, "", picture.release());
        shader->SetTexture(0, 0, texture);
    }
    return user;
}

} // namespace ActionPuzzle
