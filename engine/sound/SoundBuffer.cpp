#include "engine/sound/SoundBuffer.h"

#include <cstring>

#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "engine/sound/SoundFileReader.h"

namespace ZorvaneEngine {

SoundBuffer::SoundBuffer(const std::string& name, MessageManager* log, FileManager* files)
    : log(log), files(files), name(ToLowerCase(name))
{
}

SoundBuffer::~SoundBuffer() = default;

void SoundBuffer::Close()
{
    reader.reset();
}

void SoundBuffer::OpenReader(const SoundBuffer* source)
{
    if (source) {
        dataSize = source->dataSize;
        sampleRate = source->sampleRate;
        bitsPerSample = source->bitsPerSample;
        channels = source->channels;
        streaming = false;
        return;
    }
    if (reader)
        return;
    reader = OpenSoundFileReader(name, files, log);
    dataSize = reader->GetDataSize();
    sampleRate = reader->GetSampleRate();
    bitsPerSample = reader->GetBitsPerSample();
    channels = reader->GetChannels();
    streaming = dataSize > StreamSize;
}

void SoundBuffer::Load(const SoundBuffer* source)
{
    OpenReader(source);
    CreateBuffer(source);
    if (source)
        return;
    if (streaming) {
        // The ring is filled when the stream first plays.
        loop = false;
        streamState = StreamState::Stopped;
        return;
    }
    if (dataSize == 0 || !FillBuffer(0, dataSize))
        log->Error("\"" + name + "\" sound file - incorrect format");
    reader.reset();
    std::vector<uint8_t>().swap(scratch);
}

bool SoundBuffer::FillBuffer(uint32_t chunk, uint32_t size)
{
    scratch.resize(size);
    uint32_t read = 0;
    bool end = true;
    if (reader) {
        reader->Read(scratch.data(), size, &read, &end);
        if (streaming && loop) {
            while (read < size) {
                reader->Rewind();
                uint32_t more = 0;
                reader->Read(scratch.data() + read, size - read, &more, &end);
                if (more == 0)
                    break;
                read += more;
            }
        }
    }
    if (read < size)
        std::memset(scratch.data() + read, bitsPerSample == 8 ? 0x80 : 0, size - read);
    if (!WriteBuffer(chunk, scratch.data(), size))
        return false;
    if (!streaming)
        return read == size;
    return loop || read > 0 || !end;
}

void SoundBuffer::Update()
{
    if (!streaming || streamState != StreamState::Playing)
        return;
    std::vector<uint32_t> chunks;
    UnqueueProcessedBuffers(&chunks);
    for (uint32_t chunk : chunks) {
        if (FillBuffer(chunk, ChunkSize))
            QueueBuffer(chunk);
    }
}

} // namespace ZorvaneEngine
