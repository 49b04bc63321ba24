#pragma once
// RIFF/WAVE files of 16-bit PCM, for sound data and for test fixtures.
#include <cstdint>
#include <vector>

namespace Tools {

// interleaved holds frames of channels samples each. The chunks are "fmt "
// (16 bytes, PCM) and "data"; every chunk size is even because the samples
// are 2 bytes each.
std::vector<uint8_t> BuildWaveFile(const std::vector<int16_t>& interleaved, uint16_t channels, uint32_t rate);

} // namespace Tools
