#pragma once
// Our own writer of AVI files: one video stream of uncompressed frames, laid
// out as the AVI file functions lay it out: the header list ("avih", then
// "strh", "strf" of the stream), a "movi" list of "00db" chunks in the order
// written, and an "idx1" index. The file is written through the platform's
// safe write: it appears under its name only when Finish completed it, so a
// killed program leaves no broken movie behind. A write the disk refuses
// (full, or past the size a file may have) ends the movie: Finish cuts the
// file back to its last whole frame and completes it with the frames before.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/capture/AviTypes.h"

namespace Platform {

class File;

class AviWriter {
public:
    // Readers take the sizes of the file's chunks as signed 32-bit numbers:
    // a movie stays below 2 GiB.
    static constexpr uint64_t kDefaultSizeLimit = 0x7FF00000;

    // Null when the file cannot be created (a missing folder, say).
    static std::unique_ptr<AviWriter> Create(const std::string& path,
                                             uint64_t sizeLimit = kDefaultSizeLimit);
    // A movie not finished is abandoned; its name keeps what it held.
    ~AviWriter();

    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    // Both before the first frame. The format is a BITMAPINFOHEADER of
    // uncompressed pixels and its colour table; AVIERR_BADFORMAT otherwise.
    void SetStreamInfo(const AviStreamInfo& info);
    int32_t SetFormat(const void* format, uint32_t size);

    // Appends a frame of exactly the format's image size. AVIERR_BADFORMAT
    // before a format or for another size (a window that changed size);
    // AVIERR_FILEWRITE when the file would pass its size limit or the disk
    // refused the bytes; every later frame is refused too. A failed frame
    // leaves the frames before it intact.
    int32_t WriteFrame(const void* data, uint32_t bytes, uint32_t flags);

    // Writes the index and the final counts into the headers and gives the
    // file its name. When the disk refuses them, frames are dropped from the
    // end until they fit. False when no movie could be completed; nothing
    // is left under the name then.
    bool Finish();

    uint32_t GetFrameCount() const { return static_cast<uint32_t>(index.size()); }

private:
    struct IndexEntry {
        uint32_t flags;
        uint32_t offset;  // of the chunk, from the "movi" list's type
        uint32_t size;
    };

    AviWriter(std::unique_ptr<File> file, uint64_t sizeLimit);
    // The header list and the start of "movi", with the counts so far.
    std::vector<uint8_t> Headers() const;
    bool WriteAt(uint64_t offset, const std::vector<uint8_t>& bytes);
    bool Append(const void* data, size_t size);
    // The index after the last frame, then the headers with the final
    // counts, flushed to the disk.
    bool WriteIndexAndHeaders();

    std::unique_ptr<File> file;
    uint64_t sizeLimit;
    AviStreamInfo info;
    std::vector<uint8_t> format;
    BitmapInfoHeader header;
    bool started = false;  // the headers are on disk: no more format changes
    bool failed = false;
    uint64_t moviType = 0;  // offset of the "movi" list's type
    uint64_t end = 0;       // where the next chunk goes
    uint32_t largestChunk = 0;
    std::vector<IndexEntry> index;
};

} // namespace Platform
