#include "tools/common/ProgressiveJpeg.h"

#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

#include "engine/graphics/Image.h"

namespace Tools {

namespace {

// The library's own error handler ends the program; pictures here come from
// our code, so a failure is a fault of the caller.
std::vector<uint8_t> Encode(const ZorvaneEngine::Image& image, const jpeg_scan_info* script, int scanCount)
{
    if (image.GetBits() != 8 && image.GetBits() != 24) {
        throw std::invalid_argument("progressive JPEG of a picture that is neither 8 nor 24 bits");
    }
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&info, &buffer, &length);
    const bool grey = image.GetBits() == 8;
    info.image_width = image.GetWidth();
    info.image_height = image.GetHeight();
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    if (script != nullptr) {
        info.scan_info = script;
        info.num_scans = scanCount;
    } else {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // The top scanline is the picture's last row.
        JSAMPROW row = const_cast<JSAMPROW>(image.GetRow(info.image_height - 1 - info.next_scanline));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + length);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

} // namespace

std::vector<uint8_t> EncodeProgressiveJpeg(const ZorvaneEngine::Image& image)
{
    return Encode(image, nullptr, 0);
}

std::vector<uint8_t> EncodeRepeatedScanJpeg(const ZorvaneEngine::Image& grey, uint32_t scans)
{
    if (grey.GetBits() != 8 || scans < 2) {
        throw std::invalid_argument("repeated scans need an 8-bit picture and at least 2 scans");
    }
    // Component 0, spectral range, no successive approximation.
    static const jpeg_scan_info script[2] = {{1, {0, 0, 0, 0}, 0, 0, 0, 0}, {1, {0, 0, 0, 0}, 1, 63, 0, 0}};
    std::vector<uint8_t> file = Encode(grey, script, 2);

    // The last scan runs from its start-of-scan marker to the end-of-image
    // marker. Inside entropy-coded data a 0xFF byte is always followed by
    // 0x00, so the marker bytes cannot be data.
    size_t lastScan = file.size();
    for (size_t i = 0; i + 1 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] == 0xDA) {
            lastScan = i;
        }
    }
    const size_t end = file.size() - 2;
    if (lastScan >= end || file[end] != 0xFF || file[end + 1] != 0xD9) {
        throw std::logic_error("the encoder wrote no scan before the end of the picture");
    }
    const std::vector<uint8_t> scan(file.begin() + static_cast<std::ptrdiff_t>(lastScan),
                                    file.begin() + static_cast<std::ptrdiff_t>(end));
    std::vector<uint8_t> out(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(end));
    out.reserve(out.size() + (scans - 2) * scan.size() + 2);
    for (uint32_t i = 2; i < scans; ++i) {
        out.insert(out.end(), scan.begin(), scan.end());
    }
    out.push_back(0xFF);
    out.push_back(0xD9);
    return out;
}

} // namespace Tools
