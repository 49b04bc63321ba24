#include "framework/tools/RegistryReader.h"

#include <cstddef>

#include "platform/system/System.h"

namespace GameTools {

namespace {

constexpr size_t kBufferSize = 4096;

bool Query(Platform::RegistryRoot root, const std::string& keyPath, const std::string& valueName,
           std::string& text)
{
    std::string value;
    if (!Platform::GetSystem().RegQueryString(root, keyPath, valueName, value) || value.size() >= kBufferSize)
        return false;
    text = value.substr(0, value.find('\0'));
    return true;
}

} // namespace

bool ReadRegistryString(const std::string& keyPath, const std::string& valueName, std::string& text)
{
    return Query(Platform::RegistryRoot::LocalMachine, keyPath, valueName, text) ||
           Query(Platform::RegistryRoot::CurrentUser, keyPath, valueName, text);
}

} // namespace GameTools
