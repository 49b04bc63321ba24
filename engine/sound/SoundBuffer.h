#pragma once
// The samples of one sound file in one device buffer. A file of up to 1 MiB
// of PCM is decoded once into a static buffer; a longer one streams: it plays
// from a looping ring of 32 chunks of 32 KiB that are refilled from the file
// while it plays.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ZorvaneEngine {

class FileManager;
class MessageManager;
class SoundFileReader;

enum class StreamState : uint32_t { Stopped = 0, Paused = 1, Playing = 2 };

class SoundBuffer {
public:
    // PCM bytes above which a file streams; also the size of the ring.
    static constexpr uint32_t StreamSize = 0x100000;
    static constexpr uint32_t ChunkSize = 0x8000;
    static constexpr uint32_t ChunkCount = StreamSize / ChunkSize;

    // The name is stored lower-cased; nothing is opened until Load.
    SoundBuffer(const std::string& name, MessageManager* log, FileManager* files);
    virtual ~SoundBuffer();

    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // Once a frame: a playing stream refills the chunks it has played.
    virtual void Update();
    // Deletes the reader; the device side also gives up its buffers.
    virtual void Close();
    // Opens the reader (or takes the format of a static source whose sample
    // memory it will share), makes the device buffer and fills a static one.
    virtual void Load(const SoundBuffer* source);

    // Reads size bytes into the chunk (the whole data for a static buffer, as
    // chunk 0), looping a looping stream's reader and padding with silence.
    // False when a static buffer got fewer bytes than asked, when a stream
    // that does not loop has nothing left, or when the write failed.
    bool FillBuffer(uint32_t chunk, uint32_t size);

    MessageManager* log;
    FileManager* files;
    std::string name;
    uint32_t dataSize = 0;
    uint32_t sampleRate = 0;
    uint32_t bitsPerSample = 0;
    uint32_t channels = 0;
    bool streaming = false;
    bool loop = false;
    // Kept while a stream lives; a static buffer drops it once filled.
    std::unique_ptr<SoundFileReader> reader;
    std::vector<uint8_t> scratch;
    StreamState streamState = StreamState::Stopped;

    // The device side.
    virtual void CreateBuffer(const SoundBuffer* source) = 0;
    virtual void ReleaseBuffer() = 0;
    virtual bool WriteBuffer(uint32_t chunk, const uint8_t* bytes, uint32_t size) = 0;
    // Hands a refilled chunk back to the device.
    virtual void QueueBuffer(uint32_t chunk) = 0;
    // The chunks that have been played and may be refilled.
    virtual void UnqueueProcessedBuffers(std::vector<uint32_t>* chunks) = 0;

protected:
    // Chooses the reader by the name and takes its format, or takes the
    // source's format (no reader then).
    void OpenReader(const SoundBuffer* source);
};

} // namespace ZorvaneEngine
