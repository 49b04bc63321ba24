#pragma once
// RIFF/WAVE files of uncompressed PCM: 8 or 16 bits, mono or stereo. The
// "fmt " and "data" chunks may come in either order, with other chunks around
// them; each is found by walking the chunks from the start.
#include "engine/sound/SoundFileReader.h"

namespace ZorvaneEngine {

class SoundFileReaderWAV : public SoundFileReader {
public:
    // Raises FileError when the file cannot be opened, has no RIFF header,
    // or has no usable "fmt " or no "data" chunk.
    SoundFileReaderWAV(const std::string& name, FileManager* files, MessageManager* log);

    void Rewind() override;
    void Read(void* destination, uint32_t size, uint32_t* bytesRead, bool* end) override;

private:
    bool FindFormatChunk();
    bool FindDataChunk();
    // False when the file ends inside the 8 header bytes.
    bool ReadChunkHeader(uint32_t& id, uint32_t& size);
    // Moves forward over count bytes; false when that would pass the end of
    // the file, leaving the position on the last byte.
    bool Skip(uint64_t count);

    uint32_t dataOffset = 0;
    uint32_t bytesRemaining = 0;
};

} // namespace ZorvaneEngine
