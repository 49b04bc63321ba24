// The registry's text store: sections and "Name=Value" lines searched for
// one value.
#include <cstdint>
#include <string>

#include "fuzz/support/FuzzSupport.h"
#include "platform/system/real/RegistryStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzSupport::WriteFile("registry.ini", data, size);
    std::string value;
    Platform::ReadRegistryFile(path, "SOFTWARE\\Quobin Games\\Tangrove", "Version", value);
    Platform::ReadRegistryFile(path, "SOFTWARE\\Quobin Games\\Tangrove", "Missing", value);
    FuzzSupport::EndInput();
    return 0;
}
