#pragma once
// The run-length coding of a puzzle's piece masks and cut-line map. A
// control byte n with bit 7 set repeats the next byte (n & 0x7F) + 2 times
// (2 to 129); a control byte below 0x80 copies the next n + 1 bytes (1 to
// 128) as they are. Runs follow each other until the coded bytes end.
#include <cstddef>
#include <cstdint>

namespace ActionPuzzle {

// Decodes into the size bytes at out. A coding that ends early leaves the
// rest zero; false when a run would write past the end or lacks its bytes
// (then out holds what was decoded up to that run, the rest zero).
bool DecodePuzzleMaskRle(const uint8_t* coded, size_t codedSize, uint8_t* out, size_t size);

} // namespace ActionPuzzle
