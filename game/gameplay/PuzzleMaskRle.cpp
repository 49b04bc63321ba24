#include "game/gameplay/PuzzleMaskRle.h"

#include <cstring>

namespace ActionPuzzle {

bool DecodePuzzleMaskRle(const uint8_t* coded, size_t codedSize, uint8_t* out, size_t size)
{
    if (size > 0) {
        std::memset(out, 0, size);
    }
    size_t at = 0;
    size_t written = 0;
    while (at < codedSize) {
        const uint8_t control = coded[at++];
        if (control & 0x80) {
            const size_t count = (control & 0x7Fu) + 2;
            if (at >= codedSize || count > size - written) {
                return false;
            }
            std::memset(out + written, coded[at++], count);
            written += count;
        } else {
            const size_t count = control + 1u;
            if (count > codedSize - at || count > size - written) {
                return false;
            }
            std::memcpy(out + written, coded + at, count);
            at += count;
            written += count;
        }
    }
    return true;
}

} // namespace ActionPuzzle
