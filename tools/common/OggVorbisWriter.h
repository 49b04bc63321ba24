#pragma once
// Encodes 16-bit PCM as an Ogg Vorbis stream (variable bit rate), for sound
// data and for test fixtures.
#include <cstdint>
#include <vector>

namespace Tools {

// interleaved holds frames of channels samples each; quality runs from -0.1
// (smallest) to 1 (best). Fails on a format the encoder refuses.
bool EncodeOggVorbis(const std::vector<int16_t>& interleaved, int channels, long rate, float quality,
                     std::vector<uint8_t>& out);

} // namespace Tools
