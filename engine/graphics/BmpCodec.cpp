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
using ImageBytes::PutU32;
using ImageBytes::ReadU16;
using ImageBytes::ReadU32;

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t HeaderSize = FileHeaderSize + InfoHeaderSize;
constexpr uint32_t PixelsPerMetre = 2835;  // 72 dots per inch

// File rows are padded to a multiple of 4 bytes.
uint32_t RowStride(uint32_t rowBytes)
{
    return (rowBytes + 3) & ~3u;
}

} // namespace

void ReadBmp(MessageManager* log, FileManager* files, Image& image, const std::string& name)
{
    const std::unique_ptr<FileBinary> file = files->OpenFile(name, false, true);
    const uint32_t fileSize = file->GetSize();
    std::vector<uint8_t> bytes(std::max(fileSize, HeaderSize));
    file->Read(bytes.data(), HeaderSize);
    if (bytes[0] != 'B' || bytes[1] != 'M') {
        RaiseIncorrect(name);
    }
    file->Read(bytes.data() + HeaderSize, fileSize - HeaderSize);

    const uint32_t dataOffset = ReadU32(&bytes[10]);
    const uint32_t infoSize = ReadU32(&bytes[14]);
    // Signed: a negative height marks a top-down file, which is not taken.
    const int32_t width = static_cast<int32_t>(ReadU32(&bytes[18]));
    const int32_t height = static_cast<int32_t>(ReadU32(&bytes[22]));
    const uint32_t bitCount = ReadU16(&bytes[28]);
    const uint32_t compression = ReadU32(&bytes[30]);
    const uint32_t coloursUsed = ReadU32(&bytes[46]);
    if (infoSize < InfoHeaderSize || width <= 0 || height <= 0 || static_cast<uint32_t>(width) > Image::MaxDimension ||
        static_cast<uint32_t>(height) > Image::MaxDimension ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > Image::MaxPixels) {
        RaiseIncorrect(name);
    }
    if ((bitCount != 8 && bitCount != 24 && bitCount != 32) || compression != 0) {
        RaiseUnsupported(name);
    }

    const uint32_t w = static_cast<uint32_t>(width);
    const uint32_t h = static_cast<uint32_t>(height);
    const uint32_t rowBytes = w * (bitCount / 8);
    const uint64_t stride = RowStride(rowBytes);
    // The last row's padding may be missing from the file.
    const uint64_t pixelEnd = static_cast<uint64_t>(dataOffset) + stride * (h - 1) + rowBytes;
    const uint64_t headersEnd = static_cast<uint64_t>(FileHeaderSize) + infoSize;
    if (dataOffset < headersEnd || pixelEnd > fileSize) {
        RaiseIncorrect(name);
    }

    Image picture;
    picture.Create(w, h, bitCount == 32 ? 32 : 24, log);
    if (bitCount == 8) {
        // The palette follows the headers; it may be shorter than 256 entries,
        // and an index past its end is black.
        const uint32_t entries = coloursUsed == 0 ? 256 : coloursUsed;
        if (entries > 256 || headersEnd + 4ull * entries > dataOffset) {
            RaiseIncorrect(name);
        }
        uint8_t palette[256][3] = {};
        for (uint32_t k = 0; k < entries; ++k) {
            const uint8_t* entry = &bytes[headersEnd + 4 * k];
            // Entries are stored blue, green, red, reserved.
            palette[k][0] = entry[2];
            palette[k][1] = entry[1];
            palette[k][2] = entry[0];
        }
        for (uint32_t y = 0; y < h; ++y) {
            const uint8_t* in = &bytes[dataOffset + stride * y];
            uint8_t* out = picture.GetRow(y);
            for (uint32_t x = 0; x < w; ++x, out += 3) {
                std::memcpy(out, palette[in[x]], 3);
            }
        }
    } else {
        for (uint32_t y = 0; y < h; ++y) {
            std::memcpy(picture.GetRow(y), &bytes[dataOffset + stride * y], rowBytes);
        }
        picture.SwapRedBlue();
    }
    image = std::move(picture);
}

void WriteBmp(FileManager* files, const Image& image, const std::string& name)
{
    const uint32_t bits = image.GetBits();
    const uint32_t w = image.GetWidth();
    const uint32_t h = image.GetHeight();
    const uint32_t pixelBytes = image.GetPixelBytes();
    const uint32_t rowBytes = w * pixelBytes;
    const uint32_t stride = RowStride(rowBytes);
    const uint64_t imageSize = static_cast<uint64_t>(stride) * h;
    const uint32_t offset = HeaderSize + (bits == 8 ? 1024 : 0);
    if (imageSize + offset > 0xFFFFFFFFu) {
        RaiseSaveFailure(name);
    }

    std::vector<uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, offset + static_cast<uint32_t>(imageSize));
    PutU16(out, 0);
    PutU16(out, 0);
    PutU32(out, offset);
    PutU32(out, InfoHeaderSize);
    PutU32(out, w);
    PutU32(out, h);  // positive: the bottom row comes first
    PutU16(out, 1);
    PutU16(out, bits);
    PutU32(out, 0);
    PutU32(out, static_cast<uint32_t>(imageSize));
    PutU32(out, PixelsPerMetre);
    PutU32(out, PixelsPerMetre);
    PutU32(out, 0);
    PutU32(out, 0);
    if (bits == 8) {
        for (uint32_t k = 0; k < 256; ++k) {
            out.insert(out.end(), 4, static_cast<uint8_t>(k));
        }
    }
    for (uint32_t y = 0; y < h; ++y) {
        const uint8_t* row = image.GetRow(y);
        for (uint32_t x = 0; x < w; ++x, row += pixelBytes) {
            if (bits == 8) {
                out.push_back(row[0]);
                continue;
            }
            out.push_back(row[2]);
            out.push_back(row[1]);
            out.push_back(row[0]);
            if (bits == 32) {
                out.push_back(row[3]);
            }
        }
        out.insert(out.end(), stride - rowBytes, 0);
    }

    const std::unique_ptr<FileBinary> file = files->OpenFile(name, true);
    file->Write(out.data(), static_cast<uint32_t>(out.size()));
    file->Close();
}

} // namespace ZorvaneEngine::ImageCodecs
