#pragma once
// One file's bytes with a read/write position. A readable file is either held
// whole in memory (files up to 8 MiB, or any file when asked) or left on disk
// and read piecewise; a file opened for writing goes straight to disk.
// Also reads and writes the two string forms of the binary data formats.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Platform { class File; }

namespace ZorvaneEngine {

class MessageManager;

class FileBinary {
public:
    // Seek origins. Not C's order: the end comes before the current position.
    static constexpr int32_t SeekStart = 0;
    static constexpr int32_t SeekEnd = 1;
    static constexpr int32_t SeekCurrent = 2;

    // Files up to this size are read whole into memory.
    static constexpr uint32_t WholeFileLimit = 8388608;

    // Opens a file on disk. A name that is not absolute is taken below the
    // application folder. Raises FileError when it cannot be opened.
    FileBinary(MessageManager* log, const std::string& name, bool writing, bool loadWhole);
    // A file made of the given bytes.
    FileBinary(MessageManager* log, const std::string& name, std::vector<uint8_t> bytes);
    // A file written to replaces its target here, when every write
    // succeeded. Destroyed by an exception on its way out, it is abandoned
    // instead, so a save cut short keeps the last good file.
    virtual ~FileBinary();

    FileBinary(const FileBinary&) = delete;
    FileBinary& operator=(const FileBinary&) = delete;

    // Copies up to count bytes from the position and advances it. With
    // bytesRead a short read is reported there; without it, it raises
    // FileError naming count.
    void Read(void* destination, uint32_t count, uint32_t* bytesRead = nullptr);
    // A count byte n, then n bytes; the text ends at the first zero byte.
    void ReadString(std::string& out);
    // A count byte n, then n little-endian UTF-16 units, the last one zero.
    void ReadWideString(std::u16string& out);

    // Raises FileError unless every byte was written.
    void Write(const void* source, uint32_t count);
    // The count byte (length + 1), then the units and a zero unit. The count
    // byte holds at most 255 units, so longer texts keep their first 254.
    void WriteWideString(const std::u16string& text);

    // Moves to offset from the origin. The position is kept between 0 and the
    // last byte; a target outside that range is clamped and gives false. From
    // the end, the offset counts backwards: Seek(0, SeekEnd) of a 100-byte
    // file reaches 99 and gives false.
    bool Seek(int64_t offset, int32_t origin);

    // Completes a file opened for writing: it replaces its target only when
    // every byte reached the disk. Raises FileError otherwise, so a saver
    // learns of a failure the destructor could only swallow. Nothing more
    // can be written afterwards.
    void Close();
    // Drops a file being written without letting it replace its target, for
    // a saver that caught a failure half way: the last good file stays.
    // Nothing more can be written afterwards.
    void Abandon();

    uint32_t GetPosition() const { return position; }
    uint32_t GetSize() const { return size; }
    const std::string& GetName() const { return name; }
    // Whether the bytes are held in memory rather than read from disk.
    bool IsInMemory() const { return file == nullptr; }

private:
    [[noreturn]] void RaiseReadError(uint32_t count) const;

    MessageManager* log;
    std::string name;
    std::unique_ptr<Platform::File> file;
    bool writing = false;
    uint32_t size = 0;
    uint32_t position = 0;
    std::vector<uint8_t> data;
    int uncaughtAtOpening = 0;
};

} // namespace ZorvaneEngine
