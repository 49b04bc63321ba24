#include "engine/graphics/Texture2D.h"

#include "engine/core/Config.h"

namespace ZorvaneEngine {

Texture2D::Texture2D(MessageManager* log, Config* config, TextureManager* manager,
                     const std::string& key, bool mipMap)
    : log(log), config(config), manager(manager), key(key),
      mipMapped(mipMap && config != nullptr && config->mipMapping)
{
}

Texture2D::~Texture2D() = default;

} // namespace ZorvaneEngine
