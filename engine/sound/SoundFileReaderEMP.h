#pragma once
// 8 bytes of 8-bit silence, mono at 22050 Hz: what plays in place of a file
// that is missing, damaged or of an unknown type. Opens no file.
#include "engine/sound/SoundFileReader.h"

namespace ZorvaneEngine {

class SoundFileReaderEMP : public SoundFileReader {
public:
    static constexpr uint32_t Length = 8;
    // The middle of the unsigned 8-bit range.
    static constexpr uint8_t Silence = 0x80;

    SoundFileReaderEMP(FileManager* files, MessageManager* log);

    void Rewind() override;
    void Read(void* destination, uint32_t size, uint32_t* bytesRead, bool* end) override;

private:
    uint32_t position = 0;
};

} // namespace ZorvaneEngine
