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

std::map<int32_t, CursorPicture>& Cursors()
{
    static std::map<int32_t, CursorPicture> cursors;
    return cursors;
}

bool IsEmpty(const IconPicture& picture)
{
    return picture.pixels == nullptr || picture.width == 0 || picture.height == 0;
}

} // namespace

void AddIconResource(int32_t id, const IconPicture& picture)
{
    std::lock_guard<std::mutex> lock(resourcesMutex);
    if (IsEmpty(picture)) {
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

void AddCursorResource(int32_t id, const CursorPicture& cursor)
{
    std::lock_guard<std::mutex> lock(resourcesMutex);
    if (IsEmpty(cursor.picture)) {
        Cursors().erase(id);
        return;
    }
    Cursors()[id] = cursor;
}

bool FindCursorResource(int32_t id, CursorPicture& cursor)
{
    std::lock_guard<std::mutex> lock(resourcesMutex);
    const auto found = Cursors().find(id);
    if (found == Cursors().end())
        return false;
    cursor = found->second;
    return true;
}

} // namespace Platform
