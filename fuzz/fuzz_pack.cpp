// Pack archives: the directory read at opening, then every entry below
// "data" looked up and read back.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/Error.h"
#include "engine/core/PackFile.h"
#include "fuzz/support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzSupport::WriteFile("input.pak", FuzzSupport::WithOwnSize(data, size));
    try {
        ZorvaneEngine::PackFile pack(&FuzzSupport::Log(), path);
        std::vector<std::string> names;
        pack.ListFiles(names, "*", "data");
        pack.ListFiles(names, "*.ini", "data\\ui");
        for (const std::string& name : names) {
            uint32_t entrySize = 0;
            if (pack.GetSize(name, entrySize)) {
                std::vector<uint8_t> bytes(entrySize);
                pack.Read(name, bytes.data());
            }
        }
    } catch (const ZorvaneEngine::Error&) {
        // A damaged archive is refused: the outcome wanted.
    }
    FuzzSupport::EndInput();
    return 0;
}
