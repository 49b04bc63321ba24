#pragma once
// Turns one sound file into raw PCM for a sound buffer: the format (data size
// in bytes, channels, bits per sample, rate), the next bytes, and a rewind to
// the first sample. WAV, Ogg Vorbis, and a reader of 8 bytes of silence that
// stands in for any file that cannot be played.
#include <cstdint>
#include <memory>
#include <string>

namespace ZorvaneEngine {

class FileBinary;
class FileManager;
class MessageManager;

class SoundFileReader {
public:
    virtual ~SoundFileReader();

    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    // Back to the first sample.
    virtual void Rewind() = 0;
    // Writes up to size bytes of PCM, stores how many in bytesRead, and sets
    // end when nothing remains after this read. Asking for 0 bytes gives 0
    // bytes and end. Never throws: a short file ends the data.
    virtual void Read(void* destination, uint32_t size, uint32_t* bytesRead, bool* end) = 0;

    uint32_t GetDataSize() const { return dataSize; }
    uint32_t GetChannels() const { return channels; }
    uint32_t GetBitsPerSample() const { return bitsPerSample; }
    uint32_t GetSampleRate() const { return sampleRate; }
    const std::string& GetName() const { return name; }
    // "data\" + name, the form the error texts quote.
    const std::string& GetPath() const { return path; }

protected:
    // Opens "data\" + name for reading; raises FileError when it cannot.
    SoundFileReader(const std::string& name, FileManager* files, MessageManager* log);
    // No file, empty name and path.
    SoundFileReader(FileManager* files, MessageManager* log);

    // The error the constructors of the file readers raise.
    [[noreturn]] void Fail(const std::string& reason);

    MessageManager* log;
    FileManager* files;
    std::string name;
    std::string path;
    std::unique_ptr<FileBinary> file;
    uint32_t dataSize = 0;
    uint32_t channels = 0;
    uint32_t bitsPerSample = 0;
    uint32_t sampleRate = 0;
};

// The reader a sound buffer uses for a file name: silence for an empty name;
// by the extension of the lower-cased name, "wav" or "ogg"; silence for any
// other extension (logged as an unknown type) and for a file whose reader
// fails (its error logged). Never fails.
std::unique_ptr<SoundFileReader> OpenSoundFileReader(const std::string& name, FileManager* files,
                                                     MessageManager* log);

} // namespace ZorvaneEngine
