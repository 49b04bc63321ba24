#pragma once
// Reading fields back out of a written file at known offsets.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace Tools {

inline uint32_t U32At(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint32_t>(bytes.at(offset)) | static_cast<uint32_t>(bytes.at(offset + 1)) << 8 |
           static_cast<uint32_t>(bytes.at(offset + 2)) << 16 | static_cast<uint32_t>(bytes.at(offset + 3)) << 24;
}

inline float F32At(const std::vector<uint8_t>& bytes, size_t offset) {
    const uint32_t bits = U32At(bytes, offset);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The header's size field, magic and version.
inline void ExpectHeader(const std::vector<uint8_t>& bytes, const char* magic, uint32_t version) {
    ASSERT_GE(bytes.size(), 13u);
    EXPECT_EQ(U32At(bytes, 0), bytes.size());
    EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 9), magic);
    EXPECT_EQ(U32At(bytes, 9), version);
}

} // namespace Tools
