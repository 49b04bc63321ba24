#pragma once
// Progressive JPEG files, which the engine's writer never makes (it writes
// baseline files): fixtures for the reader and seeds for its fuzzer.
#include <cstdint>
#include <vector>

namespace ZorvaneEngine { class Image; }

namespace Tools {

// An 8- or 24-bit picture in the library's standard progression: 6 scans in
// grey, 10 in colour, refining the coefficients bit by bit.
std::vector<uint8_t> EncodeProgressiveJpeg(const ZorvaneEngine::Image& image);

// An 8-bit picture in scans scans (at least 2): the DC coefficients, then
// every AC coefficient at full precision, that second scan repeated until the
// count is reached. A repetition is valid and decodes to the same picture,
// yet costs the decoder a pass over the whole picture: the shape of a file
// made to keep a reader busy. A flat picture makes each repetition a few
// dozen bytes.
std::vector<uint8_t> EncodeRepeatedScanJpeg(const ZorvaneEngine::Image& grey, uint32_t scans);

} // namespace Tools
