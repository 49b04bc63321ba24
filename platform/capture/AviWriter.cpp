#include "platform/capture/AviWriter.h"

#include <cstdio>
#include <cstring>

#include "platform/system/FileSystem.h"

namespace Platform {

namespace {

constexpr uint32_t kAvihSize = 56;
constexpr uint32_t kStrhSize = 56;
constexpr uint32_t AVIF_HASINDEX = 0x10;
constexpr uint32_t kIndexEntrySize = 16;

class Bytes {
public:
    void U16(uint32_t v)
    {
        data.push_back(static_cast<uint8_t>(v));
        data.push_back(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void FourCC(const char* code) { data.insert(data.end(), code, code + 4); }
    void Raw(const std::vector<uint8_t>& bytes) { data.insert(data.end(), bytes.begin(), bytes.end()); }
    std::vector<uint8_t> data;
};

uint32_t Padded(uint32_t size)
{
    return size + (size & 1);
}

} // namespace

std::unique_ptr<AviWriter> AviWriter::Create(const std::string& path, uint64_t sizeLimit)
{
    std::unique_ptr<File> file = File::Open(path, File::Mode::Write);
    if (!file) return nullptr;
    return std::unique_ptr<AviWriter>(new AviWriter(std::move(file), sizeLimit));
}

AviWriter::AviWriter(std::unique_ptr<File> file, uint64_t sizeLimit)
    : file(std::move(file)), sizeLimit(sizeLimit)
{
}

AviWriter::~AviWriter() = default;

void AviWriter::SetStreamInfo(const AviStreamInfo& streamInfo)
{
    if (!started) info = streamInfo;
}

int32_t AviWriter::SetFormat(const void* data, uint32_t size)
{
    if (started || data == nullptr || size < BitmapInfoHeader::kSize) return AVIERR_BADFORMAT;
    BitmapInfoHeader h;
    const auto* b = static_cast<const uint8_t*>(data);
    std::memcpy(&h.size, b, 4);
    std::memcpy(&h.width, b + 4, 4);
    std::memcpy(&h.height, b + 8, 4);
    std::memcpy(&h.planes, b + 12, 2);
    std::memcpy(&h.bitCount, b + 14, 2);
    std::memcpy(&h.compression, b + 16, 4);
    std::memcpy(&h.sizeImage, b + 20, 4);
    std::memcpy(&h.clrUsed, b + 32, 4);
    const uint64_t rowBytes = (static_cast<uint64_t>(h.width) * h.bitCount + 31) / 32 * 4;
    const uint64_t rows = h.height < 0 ? -static_cast<int64_t>(h.height) : h.height;
    const bool sound = h.size == BitmapInfoHeader::kSize && h.width > 0 && h.height != 0 &&
                       h.planes == 1 && h.compression == BI_RGB &&
                       (h.bitCount == 8 || h.bitCount == 16 || h.bitCount == 24 || h.bitCount == 32) &&
                       h.sizeImage == rowBytes * rows && h.clrUsed <= 256 &&
                       size == BitmapInfoHeader::kSize + h.clrUsed * 4;
    if (!sound) return AVIERR_BADFORMAT;
    header = h;
    format.assign(b, b + size);
    return AVIERR_OK;
}

std::vector<uint8_t> AviWriter::Headers() const
{
    const uint32_t formatSize = Padded(static_cast<uint32_t>(format.size()));
    const uint32_t strlSize = 4 + 8 + kStrhSize + 8 + formatSize;
    const uint32_t hdrlSize = 4 + 8 + kAvihSize + 8 + strlSize;
    const uint32_t frames = GetFrameCount();
    const uint32_t scale = info.scale != 0 ? info.scale : 1;
    const uint32_t rate = info.rate != 0 ? info.rate : 1;
    const uint64_t moviSize = end - moviType;
    const uint64_t indexSize = static_cast<uint64_t>(frames) * kIndexEntrySize;
    const uint64_t fileSize = end + (started ? 8 + indexSize : 0);

    Bytes out;
    out.FourCC("RIFF");
    out.U32(static_cast<uint32_t>(fileSize - 8));
    out.FourCC("AVI ");
    out.FourCC("LIST");
    out.U32(hdrlSize);
    out.FourCC("hdrl");

    out.FourCC("avih");
    out.U32(kAvihSize);
    out.U32(static_cast<uint32_t>((1000000ull * scale + rate / 2) / rate));  // microseconds a frame
    out.U32(static_cast<uint32_t>(static_cast<uint64_t>(largestChunk) * rate / scale));
    out.U32(0);  // padding granularity
    out.U32(AVIF_HASINDEX);
    out.U32(frames);
    out.U32(0);  // initial frames
    out.U32(1);  // streams
    out.U32(largestChunk != 0 ? largestChunk : info.suggestedBufferSize);
    out.U32(static_cast<uint32_t>(header.width));
    out.U32(static_cast<uint32_t>(header.height < 0 ? -header.height : header.height));
    for (int i = 0; i < 4; ++i) out.U32(0);

    out.FourCC("LIST");
    out.U32(strlSize);
    out.FourCC("strl");
    out.FourCC("strh");
    out.U32(kStrhSize);
    out.U32(info.type);
    out.U32(info.handler);
    out.U32(info.flags);
    out.U16(info.priority);
    out.U16(info.language);
    out.U32(info.initialFrames);
    out.U32(scale);
    out.U32(rate);
    out.U32(info.start);
    out.U32(frames);
    out.U32(largestChunk != 0 ? largestChunk : info.suggestedBufferSize);
    out.U32(info.quality);
    out.U32(info.sampleSize);
    out.U16(static_cast<uint16_t>(info.frameLeft));
    out.U16(static_cast<uint16_t>(info.frameTop));
    out.U16(static_cast<uint16_t>(info.frameRight));
    out.U16(static_cast<uint16_t>(info.frameBottom));
    out.FourCC("strf");
    out.U32(static_cast<uint32_t>(format.size()));
    out.Raw(format);
    if (format.size() & 1) out.data.push_back(0);

    out.FourCC("LIST");
    out.U32(static_cast<uint32_t>(started ? moviSize : 4));
    out.FourCC("movi");
    return out.data;
}

bool AviWriter::WriteAt(uint64_t offset, const std::vector<uint8_t>& bytes)
{
    return file->Seek(static_cast<int64_t>(offset), SEEK_SET) && Append(bytes.data(), bytes.size()) &&
           file->Seek(static_cast<int64_t>(end), SEEK_SET);
}

bool AviWriter::Append(const void* data, size_t size)
{
    if (size != 0 && file->Write(data, size) != size) failed = true;
    return !failed;
}

int32_t AviWriter::WriteFrame(const void* data, uint32_t bytes, uint32_t flags)
{
    if (failed || !file) return AVIERR_FILEWRITE;
    if (format.empty() || bytes != header.sizeImage || data == nullptr) return AVIERR_BADFORMAT;
    if (!started) {
        const std::vector<uint8_t> headers = Headers();
        end = headers.size();
        moviType = end - 4;
        started = true;
        if (!Append(headers.data(), headers.size())) return AVIERR_FILEWRITE;
    }
    // The frame, the index entry it adds and the index's own header must
    // all fit below the limit.
    const uint64_t after = end + 8 + Padded(bytes) + 8 +
                           (static_cast<uint64_t>(GetFrameCount()) + 1) * kIndexEntrySize;
    if (after > sizeLimit) return AVIERR_FILEWRITE;

    Bytes chunk;
    chunk.FourCC("00db");
    chunk.U32(bytes);
    const uint8_t pad = 0;
    if (!Append(chunk.data.data(), chunk.data.size()) || !Append(data, bytes) ||
        ((bytes & 1) != 0 && !Append(&pad, 1)))
        return AVIERR_FILEWRITE;
    // A frame counts once it has left the stream's buffer: a movie cut
    // short ends at the last frame the disk took whole.
    if (!file->Flush()) {
        failed = true;
        return AVIERR_FILEWRITE;
    }
    index.push_back({flags, static_cast<uint32_t>(end - moviType), bytes});
    end += 8 + Padded(bytes);
    if (bytes > largestChunk) largestChunk = bytes;
    return AVIERR_OK;
}

bool AviWriter::WriteIndexAndHeaders()
{
    Bytes idx1;
    idx1.FourCC("idx1");
    idx1.U32(static_cast<uint32_t>(index.size() * kIndexEntrySize));
    for (const IndexEntry& entry : index) {
        idx1.FourCC("00db");
        idx1.U32(entry.flags & AVIIF_KEYFRAME);
        idx1.U32(entry.offset);
        idx1.U32(entry.size);
    }
    return Append(idx1.data.data(), idx1.data.size()) && WriteAt(0, Headers()) && file->Flush();
}

bool AviWriter::Finish()
{
    if (!file) return false;
    if (!failed && !started) {
        // A movie without frames still gets its headers.
        const std::vector<uint8_t> headers = Headers();
        end = headers.size();
        moviType = end - 4;
        started = true;
        Append(headers.data(), headers.size());
    }
    // After a refused write the file is cut back to its last whole frame.
    // When even the index does not fit, the last frame goes, which frees
    // far more than its index entry takes, and so on down to none.
    bool complete = !failed && WriteIndexAndHeaders();
    for (bool dropFrame = false; !complete; dropFrame = true) {
        if (dropFrame) {
            if (index.empty()) break;
            end = moviType + index.back().offset;
            index.pop_back();
        }
        if (!file->Truncate(static_cast<int64_t>(end))) break;
        failed = false;
        complete = WriteIndexAndHeaders();
    }
    const bool closed = complete && file->Close();
    file.reset();
    return closed;
}

} // namespace Platform
