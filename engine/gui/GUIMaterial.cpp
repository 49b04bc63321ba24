#include "engine/gui/GUIMaterial.h"

namespace ZorvaneEngine {

namespace {

// Blend factors of the renderer: source alpha, inverse source alpha.
constexpr uint32_t BlendSourceAlpha = 4;
constexpr uint32_t BlendInverseSourceAlpha = 5;
// Stage address mode: clamp on U and V.
constexpr uint32_t AddressClamp = 0;

} // namespace

bool GUITextureMipMapping = false;

ShaderDescriptor MakeDefaultShaderDescriptor()
{
    return ShaderDescriptor(0);
}

ShaderDescriptor BuildGUIShaderDescriptor(const std::string& opacity, const std::string& diffuse)
{
    ShaderDescriptor descriptor = MakeDefaultShaderDescriptor();
    if (!opacity.empty()) {
        descriptor.flags |= ShaderAlphaBlend;
        descriptor.sourceBlend = BlendSourceAlpha;
        descriptor.destinationBlend = BlendInverseSourceAlpha;
    }
    if (!diffuse.empty()) {
        const bool ownAlpha = opacity.find("32bit") != std::string::npos;
        descriptor.AddStage(AnimationNone, diffuse, GUITextureMipMapping ? StageMipMapping : 0, 1, 1,
                            1, 0.0f, ownAlpha ? std::string() : opacity, AddressClamp);
    }
    return descriptor;
}

ShaderDescriptor MakeGUIShaderDescriptor(const std::string& opacity, const std::string& diffuse)
{
    return BuildGUIShaderDescriptor(opacity, diffuse);
}

} // namespace ZorvaneEngine
