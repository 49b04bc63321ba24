#include "engine/sound/SoundFileReaderEMP.h"

#include <algorithm>
#include <cstring>

namespace ZorvaneEngine {

SoundFileReaderEMP::SoundFileReaderEMP(FileManager* files, MessageManager* log) : SoundFileReader(files, log) {
    dataSize = Length;
    channels = 1;
    bitsPerSample = 8;
    sampleRate = 22050;
}

void SoundFileReaderEMP::Rewind() {
    position = 0;
}

void SoundFileReaderEMP::Read(void* destination, uint32_t size, uint32_t* bytesRead, bool* end) {
    const uint32_t count = std::min(size, Length - position);
    if (count > 0) {
        std::memset(destination, Silence, count);
    }
    position += count;
    *bytesRead = count;
    *end = size == 0 || position == Length;
}

} // namespace ZorvaneEngine
