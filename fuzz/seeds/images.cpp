// Pictures of every depth the readers take, written by the engine's own
// writers, progressive JPEGs from the tools, and a run-length TGA built here,
// since no writer makes one.
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/graphics/Image.h"
#include "fuzz/seeds/Seeds.h"
#include "fuzz/support/FuzzSupport.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/ImageFile.h"
#include "tools/common/ProgressiveJpeg.h"

namespace {

using ZorvaneEngine::Image;

// A picture with a different value in every channel of every pixel.
Image Picture(uint32_t width, uint32_t height, uint32_t bits)
{
    Image image;
    image.Create(width, height, bits, &FuzzSupport::Log());
    uint8_t* p = image.GetPixels();
    for (size_t i = 0; i < image.GetSize(); ++i) {
        p[i] = static_cast<uint8_t>(i * 37 + i / 7);
    }
    return image;
}

std::vector<uint8_t> Written(const Image& image, const std::string& extension)
{
    const std::string path = FuzzSupport::Folder() + "/seed." + extension;
    std::string error;
    std::vector<uint8_t> bytes;
    if (!Tools::SaveImageFile(path, image, error) || !Tools::LoadFile(path, bytes)) {
        throw std::runtime_error("cannot write a ." + extension + " seed: " + error);
    }
    return bytes;
}

void AddPictures(FuzzSeeds::Seeds& seeds, const std::string& extension, std::initializer_list<uint32_t> depths)
{
    for (const uint32_t bits : depths) {
        const std::string depth = std::to_string(bits);
        seeds.Add("odd" + depth + "." + extension, Written(Picture(5, 3, bits), extension));
        seeds.Add("square" + depth + "." + extension, Written(Picture(16, 16, bits), extension));
    }
}

// A TGA of type 10 (run-length) with 24-bit pixels: a run, then literals.
std::vector<uint8_t> RunLengthTga(bool topLeft)
{
    Tools::BinaryWriter w;
    const uint8_t header[18] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 2, 0, 24,
                                static_cast<uint8_t>(topLeft ? 0x20 : 0)};
    w.Bytes(header, sizeof header);
    w.U8(0x80 | 4);  // five pixels of one value
    w.Bytes("\x10\x20\x30", 3);
    w.U8(2);  // three literal pixels
    w.Bytes("\x01\x02\x03\x04\x05\x06\x07\x08\x09", 9);
    return w.Data();
}

} // namespace

TANGROVE_FUZZ_SEEDS(bmp)
{
    AddPictures(seeds, "bmp", {8, 24, 32});
}

TANGROVE_FUZZ_SEEDS(tga)
{
    AddPictures(seeds, "tga", {8, 24, 32});
    seeds.Add("runs.tga", RunLengthTga(false));
    seeds.Add("runs-top.tga", RunLengthTga(true));
}

TANGROVE_FUZZ_SEEDS(jpeg)
{
    AddPictures(seeds, "jpg", {8, 24});
    seeds.Add("progressive.jpg", Tools::EncodeProgressiveJpeg(Picture(24, 17, 24)));
    seeds.Add("progressive-grey.jpg", Tools::EncodeProgressiveJpeg(Picture(9, 30, 8)));
    seeds.Add("repeated-scans.jpg", Tools::EncodeRepeatedScanJpeg(Picture(16, 8, 8), 4));
}
