#include "engine/sound/SoundFileReaderOGG.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "engine/core/FileBinary.h"

namespace ZorvaneEngine {

// The stdio-like functions the decoder reads through. No exception may cross
// the decoder's C frames, and errno is how it tells a failed read from the
// end of the file.
struct SoundFileReaderOGGCallbacks {
    static size_t Read(void* destination, size_t size, size_t count, void* source) {
        auto* reader = static_cast<SoundFileReaderOGG*>(source);
        if (size == 0 || count == 0) {
            return 0;
        }
        try {
            FileBinary& file = *reader->file;
            const uint64_t fileSize = file.GetSize();
            if (reader->streamPosition >= fileSize) {
                errno = 0;
                return 0;
            }
            const uint64_t wanted = count > std::numeric_limits<uint32_t>::max() / size
                                        ? std::numeric_limits<uint32_t>::max()
                                        : static_cast<uint64_t>(size) * count;
            const uint32_t length = static_cast<uint32_t>(std::min(wanted, fileSize - reader->streamPosition));
            if (file.GetPosition() != reader->streamPosition) {
                file.Seek(static_cast<int64_t>(reader->streamPosition), FileBinary::SeekStart);
            }
            uint32_t got = 0;
            file.Read(destination, length, &got);
            reader->streamPosition += got;
            if (got == 0) {
                errno = EIO;
            }
            return got / size;
        } catch (...) {
            errno = EIO;
            return 0;
        }
    }

    // Any target from 0 to the end of the file is accepted; a read from the
    // end gives nothing. A target past the end fails, as the file's own seek
    // would: the decoder's search for a sample in a damaged stream can aim
    // near 2^63 and then step back 64 KB at a time, which is endless unless
    // its first seek fails.
    static int Seek(void* source, ogg_int64_t offset, int whence) {
        auto* reader = static_cast<SoundFileReaderOGG*>(source);
        int64_t base = 0;
        switch (whence) {
        case SEEK_SET:
            base = 0;
            break;
        case SEEK_CUR:
            base = static_cast<int64_t>(reader->streamPosition);
            break;
        case SEEK_END:
            base = reader->file->GetSize();
            break;
        default:
            return -1;
        }
        int64_t target = 0;
        if (__builtin_add_overflow(base, offset, &target) || target < 0 ||
            target > static_cast<int64_t>(reader->file->GetSize())) {
            return -1;
        }
        reader->streamPosition = static_cast<uint64_t>(target);
        return 0;
    }

    // The reader closes its file itself.
    static int Close(void*) {
        return 0;
    }

    static long Tell(void* source) {
        return static_cast<long>(static_cast<SoundFileReaderOGG*>(source)->streamPosition);
    }
};

void SoundFileReaderOGG::DecoderDeleter::operator()(OggVorbis_File* state) const {
    ov_clear(state);
    delete state;
}

SoundFileReaderOGG::SoundFileReaderOGG(const std::string& name, FileManager* files, MessageManager* log)
    : SoundFileReader(name, files, log) {
    const ov_callbacks callbacks{SoundFileReaderOGGCallbacks::Read, SoundFileReaderOGGCallbacks::Seek,
                                 SoundFileReaderOGGCallbacks::Close, SoundFileReaderOGGCallbacks::Tell};
    auto state = std::make_unique<OggVorbis_File>();
    // A failed open has already cleared the state.
    if (ov_open_callbacks(this, state.get(), nullptr, 0, callbacks) < 0) {
        Fail("incorrect format");
    }
    decoder.reset(state.release());

    const vorbis_info* info = ov_info(decoder.get(), -1);
    if (info == nullptr || info->channels < 1 || info->channels > 2 || info->rate < 1) {
        Fail("incorrect format");
    }
    channels = static_cast<uint32_t>(info->channels);
    sampleRate = static_cast<uint32_t>(info->rate);
    bitsPerSample = 16;

    const ogg_int64_t samples = ov_pcm_total(decoder.get(), -1);
    if (samples < 0) {
        Fail("incorrect format");
    }
    // Sizes are 32-bit wherever the data goes next.
    const uint64_t bytes = static_cast<uint64_t>(samples) * channels * 2;
    if (bytes > std::numeric_limits<uint32_t>::max()) {
        Fail("incorrect format");
    }
    dataSize = static_cast<uint32_t>(bytes);
}

SoundFileReaderOGG::~SoundFileReaderOGG() = default;

void SoundFileReaderOGG::Read(void* destination, uint32_t size, uint32_t* bytesRead, bool* end) {
    auto* bytes = static_cast<char*>(destination);
    uint32_t filled = 0;
    bool finished = size == 0;
    int failures = 0;
    // The decoder writes whole sample frames only; a smaller rest stays empty.
    const uint32_t frameBytes = channels * 2;
    while (size - filled >= frameBytes) {
        const int length = static_cast<int>(std::min<uint32_t>(size - filled, std::numeric_limits<int>::max()));
        int section = 0;
        const long result = ov_read(decoder.get(), bytes + filled, length, 0, 2, 1, &section);
        if (result == 0) {
            finished = true;
            break;
        }
        if (result < 0) {
            // A hole (a lost page) is skipped; anything else, or holes that
            // never stop, ends the stream.
            if (result != OV_HOLE || ++failures > MaxFailedDecodes) {
                finished = true;
                break;
            }
            continue;
        }
        failures = 0;
        filled += static_cast<uint32_t>(result);
    }
    *bytesRead = filled;
    *end = finished;
}

void SoundFileReaderOGG::Rewind() {
    ov_pcm_seek(decoder.get(), 0);
}

} // namespace ZorvaneEngine
