#pragma once
// Numbers written into and read from the bytes of a file a test damages,
// little-endian as the engine's binary files store them.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ByteEdits {

inline void PutU16(std::vector<uint8_t>& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

inline void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void PutF32(std::vector<uint8_t>& bytes, size_t at, float value)
{
    PutU32(bytes, at, std::bit_cast<uint32_t>(value));
}

inline uint32_t GetU32(const std::vector<uint8_t>& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    return value;
}

} // namespace ByteEdits
