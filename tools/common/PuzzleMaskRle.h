#pragma once
// The run-length coding of puzzle masks and cut-line maps (the game's
// decoder is game/gameplay/PuzzleMaskRle.h). A control byte n
// with bit 7 set repeats the next byte (n & 0x7F) + 2 times (2 to 129); a
// control byte below 0x80 copies the next n + 1 bytes (1 to 128) as they are.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Tools {

// Greedy coding: every run of two or more equal bytes becomes one repeat
// (split at 129), everything between runs goes into literals of up to 128.
std::vector<uint8_t> EncodePuzzleRle(const std::vector<uint8_t>& bytes);

} // namespace Tools
