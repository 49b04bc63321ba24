#include "tools/common/WaveFileWriter.h"

#include <limits>
#include <stdexcept>

#include "tools/common/BinaryWriter.h"

namespace Tools {

std::vector<uint8_t> BuildWaveFile(const std::vector<int16_t>& interleaved, uint16_t channels, uint32_t rate) {
    if (channels == 0 || interleaved.size() % channels != 0) {
        throw std::invalid_argument("the samples do not fill whole frames");
    }
    // 36 bytes of headers precede the samples inside the RIFF size.
    if (interleaved.size() > (std::numeric_limits<uint32_t>::max() - 36) / 2) {
        throw std::length_error("too many samples for one WAVE file");
    }
    const uint32_t dataSize = static_cast<uint32_t>(interleaved.size() * 2);
    const uint16_t blockAlign = static_cast<uint16_t>(channels * 2);
    BinaryWriter w;
    w.Chars("RIFF");
    w.U32(36 + dataSize);
    w.Chars("WAVE");
    w.Chars("fmt ");
    w.U32(16);
    w.U16(1);
    w.U16(channels);
    w.U32(rate);
    w.U32(rate * blockAlign);
    w.U16(blockAlign);
    w.U16(16);
    w.Chars("data");
    w.U32(dataSize);
    w.Data().reserve(w.Size() + dataSize);
    for (const int16_t sample : interleaved) {
        w.U16(static_cast<uint16_t>(sample));
    }
    return w.Data();
}

} // namespace Tools
