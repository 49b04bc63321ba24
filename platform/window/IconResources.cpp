#include "platform/window/IconResources.h"

#include <map>
#include <mutex>

namespace Platform {

namespace {

std::mutex resourcesMutex;

std::map<int32_t, IconPicture>& Resources()
{
    static std::map<int32_t, IconPicture> resources;
    return resources;
}

} // namespace

void AddIconResource(int32_t id, const IconPicture& picture)
{
    std::lock_guard<std::mutex> lock(resourcesMutex);
    if (picture.pixels == nullptr || picture.width == 0 || picture.height == 0) {
        Resources().erase(id);
        return;
    }
    Resources()[id] = picture;
}

bool FindIconResource(int32_t id, IconPicture& picture)
{
    std::lock_guard<std::mutex> lock(resourcesMutex);
    const auto found = Resources().find(id);
    if (found == Resources().end()) {
        return false;
    }
    picture = found->second;
    return true;
}

} // namespace Platform
