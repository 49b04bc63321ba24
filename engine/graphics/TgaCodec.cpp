#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/core/FileManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ImageBytes.h"
#include "engine/graphics/ImageCodecs.h"

namespace ZorvaneEngine::ImageCodecs {

namespace {

using ImageBytes::PutU16;
using ImageBytes::ReadU16;

constexpr uint32_t HeaderSize = 18;
constexpr uint8_t RunLengthType = 8;
constexpr uint8_t TopLeftOrigin = 0x20;
constexpr uint32_t LongestPacket = 128;

// Expands run-length packets into count pixels of pixelBytes each. Raises
// when the data ends before the picture is complete; a packet running past
// the last pixel is cut there.
std::vector<uint8_t> DecodeRuns(const uint8_t* data, size_t length, size_t count, uint32_t pixelBytes,
                                const std::string& name)
{
    // Every packet takes at least a header byte and one pixel value and gives
    // at most 128 pixels: a picture too large for the data is refused before
    // anything is allocated for it.
    const uint64_t fewestPackets = (count + LongestPacket - 1) / LongestPacket;
    if (fewestPackets * (1 + pixelBytes) > length) {
        RaiseIncorrect(name);
    }
    std::vector<uint8_t> pixels(count * pixelBytes);
    uint8_t* out = pixels.data();
    size_t produced = 0;
    size_t position = 0;
    while (produced < count) {
        if (position >= length) {
            RaiseIncorrect(name);
        }
        const uint8_t header = data[position++];
        const size_t run = std::min<size_t>((header & 0x7F) + 1, count - produced);
        if (header & 0x80) {
            if (length - position < pixelBytes) {
                RaiseIncorrect(name);
            }
            for (size_t i = 0; i < run; ++i, out += pixelBytes) {
                std::memcpy(out, data + position, pixelBytes);
            }
            position += pixelBytes;
        } else {
            const size_t bytes = run * pixelBytes;
            if (length - position < bytes) {
                RaiseIncorrect(name);
            }
            std::memcpy(out, data + position, bytes);
            out += bytes;
            position += bytes;
        }
        produced += run;
    }
    return pixels;
}

} // namespace

void ReadTga(MessageManager* log, FileManager* files, Image& image, const std::string& name)
{
    const std::unique_ptr<FileBinary> file = files->OpenFile(name, false, true);
    uint8_t header[HeaderSize];
    file->Read(header, HeaderSize);
    const uint32_t idLength = header[0];
    const uint8_t imageType = header[2];
    const uint32_t mapLength = ReadU16(&header[5]);
    const uint32_t mapEntryBits = header[7];
    const uint32_t width = ReadU16(&header[12]);
    const uint32_t height = ReadU16(&header[14]);
    const uint32_t depth = header[16];
    const uint8_t descriptor = header[17];
    if (width == 0 || height == 0 || width > Image::MaxDimension || height > Image::MaxDimension ||
        width * height > Image::MaxPixels) {
        RaiseIncorrect(name);
    }
    if (depth != 8 && depth != 16 && depth != 24 && depth != 32) {
        RaiseUnsupported(name);
    }

    // The id field and the colour map come first; a 15-bit map entry takes two
    // bytes, as 16-bit and 24-bit ones take whole bytes.
    const uint32_t skip = idLength + mapLength * ((mapEntryBits + 7) / 8);
    const uint32_t rest = file->GetSize() - HeaderSize;
    if (skip > rest) {
        RaiseIncorrect(name);
    }
    std::vector<uint8_t> data(rest);
    file->Read(data.data(), rest);

    const uint32_t pixelBytes = depth / 8;
    const size_t count = static_cast<size_t>(width) * height;
    const uint8_t* source = data.data() + skip;
    const size_t length = rest - skip;
    std::vector<uint8_t> decoded;
    if (imageType & RunLengthType) {
        decoded = DecodeRuns(source, length, count, pixelBytes, name);
        source = decoded.data();
    } else if (length < count * pixelBytes) {
        RaiseIncorrect(name);
    }

    Image picture;
    picture.Create(width, height, depth == 8 ? 8 : depth == 24 ? 24 : 32, log);
    const size_t sourceRowBytes = static_cast<size_t>(width) * pixelBytes;
    for (uint32_t i = 0; i < height; ++i) {
        const uint8_t* in = source + sourceRowBytes * i;
        uint8_t* out = picture.GetRow(height - 1 - i);
        if (depth == 8) {
            // A colour map, when present, is not applied: 8-bit pictures are
            // grey or opacity values.
            std::memcpy(out, in, width);
            continue;
        }
        for (uint32_t x = 0; x < width; ++x, in += pixelBytes) {
            if (depth == 16) {
                const uint32_t v = ReadU16(in);
                *out++ = static_cast<uint8_t>(((v >> 10) & 31) * 8);
                *out++ = static_cast<uint8_t>(((v >> 5) & 31) * 8);
                *out++ = static_cast<uint8_t>((v & 31) * 8);
                *out++ = (v & 0x8000) ? 255 : 0;
            } else {
                *out++ = in[2];
                *out++ = in[1];
                *out++ = in[0];
                if (depth == 32) {
                    *out++ = in[3];
                }
            }
        }
    }
    // The rows were stored top-down above; a file that starts at the bottom
    // row is turned round, so the result is bottom-up either way.
    if (!(descriptor & TopLeftOrigin)) {
        picture.FlipVertical();
    }
    image = std::move(picture);
}

void WriteTga(FileManager* files, const Image& image, const std::string& name)
{
    const uint32_t bits = image.GetBits();
    const uint32_t w = image.GetWidth();
    const uint32_t h = image.GetHeight();
    if (w > 0xFFFF || h > 0xFFFF) {
        RaiseSaveFailure(name);
    }
    const bool mapped = bits == 8;
    std::vector<uint8_t> out;
    out.reserve(HeaderSize + (mapped ? 768 : 0) + image.GetSize());
    out.push_back(0);
    out.push_back(mapped ? 1 : 0);
    out.push_back(mapped ? 1 : 2);
    PutU16(out, 0);
    PutU16(out, mapped ? 256 : 0);
    out.push_back(mapped ? 24 : 0);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU16(out, w);
    PutU16(out, h);
    out.push_back(static_cast<uint8_t>(bits));
    out.push_back(TopLeftOrigin);
    if (mapped) {
        for (uint32_t k = 0; k < 256; ++k) {
            out.insert(out.end(), 3, static_cast<uint8_t>(k));
        }
    }
    const uint32_t pixelBytes = image.GetPixelBytes();
    for (uint32_t i = 0; i < h; ++i) {
        const uint8_t* row = image.GetRow(h - 1 - i);
        if (mapped) {
            out.insert(out.end(), row, row + w);
            continue;
        }
        for (uint32_t x = 0; x < w; ++x, row += pixelBytes) {
            out.push_back(row[2]);
            out.push_back(row[1]);
            out.push_back(row[0]);
            if (bits == 32) {
                out.push_back(row[3]);
            }
        }
    }

    const std::unique_ptr<FileBinary> file = files->OpenFile(name, true);
    file->Write(out.data(), static_cast<uint32_t>(out.size()));
    file->Close();
}

} // namespace ZorvaneEngine::ImageCodecs
