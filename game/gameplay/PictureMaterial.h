#pragma once
// Materials that show a picture made in memory rather than read from a file:
// the pages of a texture pack and the board pictures of a level. The texture
// is registered under the stage's name, so a second material of the same
// name (a level started again while the last one's resources still live)
// shares the first one's texture instead of making another.
#include <memory>
#include <string>

namespace ZorvaneEngine {
class Engine;
class Image;
class ShaderUser;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

// A material user with one clamped stage named textureName (lower case) in
// the interface materials' way; blended by source alpha when alphaBlend. The
// picture becomes the stage's texture, or is dropped when an equal material
// already has one.
ZorvaneEngine::ShaderUser* CreatePictureShaderUser(ZorvaneEngine::Engine& engine, const std::string& textureName,
                                                   bool alphaBlend, std::unique_ptr<ZorvaneEngine::Image> picture);

} // namespace ActionPuzzle
