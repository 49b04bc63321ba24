#include "engine/core/TextUtils.h"

#include "platform/system/System.h"

namespace ZorvaneEngine {

std::string GetApplicationFolder()
{
    std::string path = Platform::GetSystem().GetModuleFileName();
    const size_t separator = path.find_last_of("\\/");
    if (separator != std::string::npos) path.erase(separator);
    return path;
}

} // namespace ZorvaneEngine
