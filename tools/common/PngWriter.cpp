#include "tools/common/PngWriter.h"

#include <array>

#include "engine/graphics/Image.h"
#include "tools/common/BinaryWriter.h"

namespace Tools {

namespace {

const std::array<uint32_t, 256>& CrcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

uint32_t Crc(const uint8_t* data, size_t size, uint32_t crc = 0xFFFFFFFFu) {
    for (size_t i = 0; i < size; ++i) crc = CrcTable()[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void Chunk(std::vector<uint8_t>& out, const char type[5], const std::vector<uint8_t>& body) {
    PutBigEndian(out, static_cast<uint32_t>(body.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, Crc(out.data() + start, out.size() - start) ^ 0xFFFFFFFFu);
}

} // namespace

std::vector<uint8_t> BuildPngFile(const ZorvaneEngine::Image& image) {
    const uint32_t w = image.GetWidth();
    const uint32_t h = image.GetHeight();
    const uint32_t bytes = image.GetPixelBytes();
    const uint32_t channels = bytes == 4 ? 4 : 3;
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(h) * (w * channels + 1));
    for (uint32_t i = 0; i < h; ++i) {
        const uint8_t* row = image.GetRow(h - 1 - i);
        raw.push_back(0);  // no filter
        for (uint32_t x = 0; x < w; ++x, row += bytes) {
            if (bytes == 1) {
                raw.insert(raw.end(), 3, row[0]);
            } else {
                raw.insert(raw.end(), row, row + channels);
            }
        }
    }
    // zlib stream of stored deflate blocks of at most 65535 bytes.
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t offset = 0;
    do {
        const size_t n = std::min<size_t>(65535, raw.size() - offset);
        z.push_back(offset + n == raw.size() ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n));
        z.push_back(static_cast<uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<ptrdiff_t>(offset), raw.begin() + static_cast<ptrdiff_t>(offset + n));
        offset += n;
    } while (offset < raw.size());
    uint32_t a = 1, b = 0;
    for (const uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(z, (b << 16) | a);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, w);
    PutBigEndian(header, h);
    header.push_back(8);
    header.push_back(channels == 4 ? 6 : 2);
    header.push_back(0);
    header.push_back(0);
    header.push_back(0);
    Chunk(out, "IHDR", header);
    Chunk(out, "IDAT", z);
    Chunk(out, "IEND", {});
    return out;
}

bool SavePngFile(const std::string& path, const ZorvaneEngine::Image& image) {
    return SaveFile(path, BuildPngFile(image));
}

} // namespace Tools
