#pragma once
// The 13 bytes every engine data file starts with (little-endian):
// u32 total file size, five magic characters, u32 format version.
#include <cstdint>
#include <string>

namespace ZorvaneEngine {

class FileBinary;

struct EngineFileHeader {
    static constexpr uint32_t Size = 13;

    uint32_t fileSize = 0;
    char magic[5] = {};
    uint32_t version = 0;

    // Reads the 13 bytes at the position; a short read raises FileError.
    static EngineFileHeader Read(FileBinary& file);
    bool HasMagic(const char expected[5]) const;
};

// Reads and checks the header of the file that was opened for name. Raises
// FileError "Incorrect "<name>" file format" when the magic differs or the
// size field is not the file's size, and "Incorrect "<name>" format version,
// current is <version>" when the version differs.
void ReadEngineFileHeader(FileBinary& file, const std::string& name, const char magic[5], uint32_t version);

} // namespace ZorvaneEngine
