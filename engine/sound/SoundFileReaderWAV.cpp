#include "engine/sound/SoundFileReaderWAV.h"

#include <algorithm>

#include "engine/core/FileBinary.h"

namespace ZorvaneEngine {

namespace {

constexpr uint32_t FourCC(const char (&text)[5]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(text[0])) |
           static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(text[3])) << 24;
}

uint32_t LittleU32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

uint16_t LittleU16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

uint32_t ReadU32(FileBinary& file) {
    uint8_t bytes[4];
    file.Read(bytes, 4);
    return LittleU32(bytes);
}

constexpr uint32_t RiffTag = FourCC("RIFF");
constexpr uint32_t WaveForm = FourCC("WAVE");
constexpr uint32_t FormatId = FourCC("fmt ");
constexpr uint32_t DataId = FourCC("data");
constexpr uint32_t RiffHeaderSize = 12;
constexpr uint32_t FormatSize = 16;
constexpr uint16_t FormatPcm = 1;

// RIFF keeps every chunk at an even offset: a chunk of odd size is followed
// by a pad byte that its size does not count.
uint64_t BodyWithPad(uint32_t size) {
    return static_cast<uint64_t>(size) + (size & 1u);
}

} // namespace

SoundFileReaderWAV::SoundFileReaderWAV(const std::string& name, FileManager* files, MessageManager* log)
    : SoundFileReader(name, files, log) {
    const uint32_t tag = ReadU32(*file);
    const uint32_t riffSize = ReadU32(*file);
    const uint32_t form = ReadU32(*file);
    if (tag != RiffTag || riffSize == 0 || form != WaveForm) {
        Fail("no RIFF header");
    }
    if (!FindFormatChunk()) {
        Fail("no format chunk");
    }
    if (!FindDataChunk()) {
        Fail("no data chunk");
    }
}

bool SoundFileReaderWAV::ReadChunkHeader(uint32_t& id, uint32_t& size) {
    uint8_t header[8];
    uint32_t got = 0;
    file->Read(header, sizeof header, &got);
    if (got < sizeof header) {
        return false;
    }
    id = LittleU32(header);
    size = LittleU32(header + 4);
    return true;
}

bool SoundFileReaderWAV::Skip(uint64_t count) {
    // In 64 bits and only forwards: a size near 2^32 from a damaged file must
    // neither wrap round onto an earlier chunk nor walk backwards.
    const uint64_t target = static_cast<uint64_t>(file->GetPosition()) + count;
    if (target > file->GetSize()) {
        file->Seek(0, FileBinary::SeekEnd);
        return false;
    }
    if (count > 0) {
        file->Seek(static_cast<int64_t>(target), FileBinary::SeekStart);
    }
    return true;
}

bool SoundFileReaderWAV::FindFormatChunk() {
    file->Seek(RiffHeaderSize, FileBinary::SeekStart);
    uint32_t id = 0;
    uint32_t size = 0;
    // Every turn moves forward by at least the 8 header bytes, so the walk
    // ends at the end of the file.
    while (ReadChunkHeader(id, size)) {
        if (id == FormatId && size >= FormatSize) {
            uint8_t format[FormatSize];
            uint32_t got = 0;
            file->Read(format, FormatSize, &got);
            if (got < FormatSize) {
                return false;
            }
            const uint16_t formatTag = LittleU16(format);
            channels = LittleU16(format + 2);
            sampleRate = LittleU32(format + 4);
            bitsPerSample = LittleU16(format + 14);
            // No channels or no rate would reach the mixer as a division by
            // zero; neither can be played.
            if (formatTag != FormatPcm || channels == 0 || channels > 2 || sampleRate == 0 ||
                (bitsPerSample != 8 && bitsPerSample != 16)) {
                return false;
            }
            return Skip(BodyWithPad(size) - FormatSize);
        }
        if (!Skip(BodyWithPad(size))) {
            return false;
        }
    }
    return false;
}

bool SoundFileReaderWAV::FindDataChunk() {
    file->Seek(RiffHeaderSize, FileBinary::SeekStart);
    uint32_t id = 0;
    uint32_t size = 0;
    while (ReadChunkHeader(id, size)) {
        if (id == DataId) {
            // The size is not checked against the file: reads stop where the
            // file does.
            dataSize = size;
            bytesRemaining = size;
            dataOffset = file->GetPosition();
            return true;
        }
        if (!Skip(BodyWithPad(size))) {
            return false;
        }
    }
    return false;
}

void SoundFileReaderWAV::Read(void* destination, uint32_t size, uint32_t* bytesRead, bool* end) {
    if (size == 0) {
        *bytesRead = 0;
        *end = true;
        return;
    }
    const uint32_t wanted = std::min(size, bytesRemaining);
    bytesRemaining -= wanted;
    uint32_t got = 0;
    if (wanted > 0) {
        file->Read(destination, wanted, &got);
    }
    if (got < wanted) {
        bytesRemaining = 0;
    }
    *bytesRead = got;
    *end = bytesRemaining == 0;
}

void SoundFileReaderWAV::Rewind() {
    bytesRemaining = dataSize;
    // A "data" header that ends the file has nothing after it; seeking there
    // would clamp back onto the header's last byte and play it.
    if (dataOffset < file->GetSize()) {
        file->Seek(dataOffset, FileBinary::SeekStart);
    } else {
        bytesRemaining = 0;
    }
}

} // namespace ZorvaneEngine
