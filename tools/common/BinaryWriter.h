#pragma once
// Builds a little-endian binary file in memory: the integers, floats and the
// two binary string forms the engine reads, with back-patching of fields
// whose value is known only at the end (sizes, offsets).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Tools {

// Whole files through the platform layer. SaveFile replaces the file only
// when every byte was written.
bool SaveFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool LoadFile(const std::string& path, std::vector<uint8_t>& bytes);

class BinaryWriter {
public:
    void U8(uint8_t value);
    void U16(uint16_t value);
    void U32(uint32_t value);
    void I32(int32_t value);
    void F32(float value);
    void Bytes(const void* source, size_t count);
    // The characters alone, no count and no terminator.
    void Chars(std::string_view text);
    // A count byte, then the bytes. Throws std::length_error past 255 bytes.
    void NarrowString(std::string_view text);
    // A count byte (length + 1), the UTF-16 units and a zero unit. Throws
    // std::length_error past 254 units.
    void WideString(std::u16string_view text);

    // Overwrites four bytes written earlier.
    void PatchU32(size_t offset, uint32_t value);

    size_t Size() const { return bytes.size(); }
    const std::vector<uint8_t>& Data() const { return bytes; }
    std::vector<uint8_t>& Data() { return bytes; }

    bool Save(const std::string& path) const { return SaveFile(path, bytes); }

private:
    std::vector<uint8_t> bytes;
};

// Writes the engine data-file header: a size placeholder, the five magic
// characters and the version. The writer must be empty.
void BeginEngineFile(BinaryWriter& writer, const char magic[5], uint32_t version);
// Stores the writer's final size in the header's size field.
void EndEngineFile(BinaryWriter& writer);

} // namespace Tools
