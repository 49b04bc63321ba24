#pragma once
// Ogg Vorbis files decoded by libvorbisfile into 16-bit signed little-endian
// PCM. The decoder reads the engine's file through callbacks of our own.
#include <memory>

#include "engine/sound/SoundFileReader.h"

struct OggVorbis_File;

namespace ZorvaneEngine {

struct SoundFileReaderOGGCallbacks;

class SoundFileReaderOGG : public SoundFileReader {
public:
    // Failed decodes in a row after which a read gives up on the stream:
    // damaged data must end the sound, not spin.
    static constexpr int MaxFailedDecodes = 16;

    // Raises FileError when the file cannot be opened or is not a Vorbis
    // stream of one or two channels whose length can be found.
    SoundFileReaderOGG(const std::string& name, FileManager* files, MessageManager* log);
    ~SoundFileReaderOGG() override;

    void Rewind() override;
    void Read(void* destination, uint32_t size, uint32_t* bytesRead, bool* end) override;

private:
    friend struct SoundFileReaderOGGCallbacks;

    struct DecoderDeleter {
        void operator()(OggVorbis_File* decoder) const;
    };

    // Set only once the decoder is open, so that a failed open is never
    // cleared as an open one.
    std::unique_ptr<OggVorbis_File, DecoderDeleter> decoder;
    // The decoder's own position, which may stand at the end of the file:
    // the file's position stops at its last byte, and the decoder learns the
    // stream's length by seeking to the end and asking where it is.
    uint64_t streamPosition = 0;
};

} // namespace ZorvaneEngine
