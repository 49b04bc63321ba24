#include "tools/common/PuzzleMaskRle.h"

#include <algorithm>

namespace Tools {

namespace {

constexpr size_t LongestRepeat = 129;
constexpr size_t LongestLiteral = 128;

size_t RunLength(const std::vector<uint8_t>& bytes, size_t at) {
    size_t end = at + 1;
    while (end < bytes.size() && bytes[end] == bytes[at] && end - at < LongestRepeat) {
        ++end;
    }
    return end - at;
}

} // namespace

std::vector<uint8_t> EncodePuzzleRle(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> coded;
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t run = RunLength(bytes, at);
        if (run >= 2) {
            coded.push_back(static_cast<uint8_t>(0x80 | (run - 2)));
            coded.push_back(bytes[at]);
            at += run;
            continue;
        }
        // A literal ends where the next run of two begins.
        size_t end = at + 1;
        while (end < bytes.size() && end - at < LongestLiteral && RunLength(bytes, end) < 2) {
            ++end;
        }
        coded.push_back(static_cast<uint8_t>(end - at - 1));
        coded.insert(coded.end(), bytes.begin() + static_cast<ptrdiff_t>(at), bytes.begin() + static_cast<ptrdiff_t>(end));
        at = end;
    }
    return coded;
}

} // namespace Tools
