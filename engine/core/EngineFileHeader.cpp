#include "engine/core/EngineFileHeader.h"

#include <cstring>

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/TextUtils.h"

namespace ZorvaneEngine {

EngineFileHeader EngineFileHeader::Read(FileBinary& file) {
    uint8_t bytes[Size];
    file.Read(bytes, Size);
    EngineFileHeader header;
    header.fileSize = static_cast<uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16) |
                      static_cast<uint32_t>(bytes[3]) << 24;
    std::memcpy(header.magic, bytes + 4, 5);
    header.version = static_cast<uint32_t>(bytes[9] | bytes[10] << 8 | bytes[11] << 16) |
                     static_cast<uint32_t>(bytes[12]) << 24;
    return header;
}

bool EngineFileHeader::HasMagic(const char expected[5]) const {
    return std::memcmp(magic, expected, 5) == 0;
}

void ReadEngineFileHeader(FileBinary& file, const std::string& name, const char magic[5], uint32_t version) {
    const EngineFileHeader header = EngineFileHeader::Read(file);
    if (!header.HasMagic(magic) || header.fileSize != file.GetSize()) {
        throw FileError("Incorrect \"" + name + "\" file format");
    }
    if (header.version != version) {
        throw FileError("Incorrect \"" + name + "\" format version, current is " + UIntToText(version));
    }
}

} // namespace ZorvaneEngine
