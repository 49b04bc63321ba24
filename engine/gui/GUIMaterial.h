#pragma once
// Materials of flat interface pictures (fonts, cursor, logos, totems): a
// diffuse picture, optionally blended through an opacity picture.
#include <string>

#include "engine/graphics/ShaderDescriptor.h"

namespace ZorvaneEngine {

// Whether the stages these builders make are mip-mapped. Off from the
// start; the game switches it off again before it builds any interface
// material, since interface pictures are drawn at their own size.
extern bool GUITextureMipMapping;

// The default description: no stages, no blending.
ShaderDescriptor MakeDefaultShaderDescriptor();

// Mind the order: the OPACITY picture comes first. A non-empty opacity name
// turns on blending by source alpha; an opacity name containing "32bit"
// means the diffuse picture's own alpha and adds no opacity picture. An
// empty diffuse name gives no stage at all.
ShaderDescriptor BuildGUIShaderDescriptor(const std::string& opacity, const std::string& diffuse);
// The same.
ShaderDescriptor MakeGUIShaderDescriptor(const std::string& opacity, const std::string& diffuse);

} // namespace ZorvaneEngine
