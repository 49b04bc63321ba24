#include "framework/BinaryFields.h"

#include <bit>

#include "engine/core/FileBinary.h"

namespace GameFramework {

uint8_t ReadU8(ZorvaneEngine::FileBinary& file)
{
    uint8_t value = 0;
    file.Read(&value, 1);
    return value;
}

uint32_t ReadU32(ZorvaneEngine::FileBinary& file)
{
    uint8_t b[4];
    file.Read(b, 4);
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
           static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
}

int32_t ReadI32(ZorvaneEngine::FileBinary& file)
{
    return static_cast<int32_t>(ReadU32(file));
}

float ReadF32(ZorvaneEngine::FileBinary& file)
{
    return std::bit_cast<float>(ReadU32(file));
}

std::u16string ReadWideText(ZorvaneEngine::FileBinary& file)
{
    constexpr size_t kLongest = 254;
    std::u16string text;
    file.ReadWideString(text);
    if (text.size() > kLongest) text.resize(kLongest);
    return text;
}

void WriteU8(ZorvaneEngine::FileBinary& file, uint8_t value)
{
    file.Write(&value, 1);
}

void WriteU32(ZorvaneEngine::FileBinary& file, uint32_t value)
{
    const uint8_t b[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    file.Write(b, 4);
}

void WriteI32(ZorvaneEngine::FileBinary& file, int32_t value)
{
    WriteU32(file, static_cast<uint32_t>(value));
}

void WriteF32(ZorvaneEngine::FileBinary& file, float value)
{
    WriteU32(file, std::bit_cast<uint32_t>(value));
}

} // namespace GameFramework
