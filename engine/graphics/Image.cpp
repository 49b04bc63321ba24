#include "engine/graphics/Image.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/TextUtils.h"
#include "engine/graphics/ImageCodecs.h"

namespace ZorvaneEngine {

namespace {

// The grey of a colour: the single-precision weights of the eye's response.
constexpr float GreenWeight = 0.707f;
constexpr float RedWeight = 0.222f;
constexpr float BlueWeight = 0.071f;

// A channel of 0 to 1 as a byte; values outside the range (over-bright
// colours, negative ones) saturate instead of wrapping.
uint8_t ChannelByte(float value)
{
    if (!(value > 0.0f)) {  // NaN too
        return 0;
    }
    return value >= 1.0f ? 255 : static_cast<uint8_t>(value * 255.0f);
}

void LogError(MessageManager* log, const std::string& text)
{
    if (log) {
        log->Error(text);
    }
}

enum class Codec { None, Bmp, Tga, Jpeg };

Codec CodecOf(const std::string& name)
{
    const std::string extension = ToLowerCase(GetFileExtension(name));
    if (extension == "bmp") {
        return Codec::Bmp;
    }
    if (extension == "tga") {
        return Codec::Tga;
    }
    if (extension == "jpg" || extension == "jpeg") {
        return Codec::Jpeg;
    }
    return Codec::None;
}

uint8_t GreyOfBytes(uint8_t red, uint8_t green, uint8_t blue)
{
    const float grey = GreenWeight * green + RedWeight * red + BlueWeight * blue;
    return static_cast<uint8_t>(std::clamp(grey, 0.0f, 255.0f));
}

} // namespace

Image::Image(const Image& other)
    : empty(other.empty), log(other.log), width(other.width), height(other.height), bits(other.bits)
{
    if (!other.empty) {
        pixels = std::make_unique_for_overwrite<uint8_t[]>(other.GetSize());
        std::memcpy(pixels.get(), other.pixels.get(), other.GetSize());
    }
}

Image& Image::operator=(const Image& other)
{
    if (this != &other) {
        Image copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Image::Image(Image&& other) noexcept
    : empty(other.empty), log(other.log), width(other.width), height(other.height), bits(other.bits),
      pixels(std::move(other.pixels))
{
    other.Release();
}

Image& Image::operator=(Image&& other) noexcept
{
    if (this != &other) {
        empty = other.empty;
        log = other.log;
        width = other.width;
        height = other.height;
        bits = other.bits;
        pixels = std::move(other.pixels);
        other.Release();
    }
    return *this;
}

Image::~Image() = default;

void Image::Create(uint32_t width, uint32_t height, uint32_t bits, MessageManager* log)
{
    Release();
    this->log = log;
    if (width == 0 || height == 0) {
        return;
    }
    this->width = width;
    this->height = height;
    this->bits = bits;
    pixels = std::make_unique_for_overwrite<uint8_t[]>(GetSize());
    empty = false;
}

void Image::Release()
{
    pixels.reset();
    empty = true;
    width = 0;
    height = 0;
    bits = 0;
}

void Image::Fill(const ColorRGBA& color)
{
    if (empty) {
        return;
    }
    uint8_t pixel[4] = {ChannelByte(color.r), ChannelByte(color.g), ChannelByte(color.b), ChannelByte(color.a)};
    if (bits == 8) {
        const float grey = GreenWeight * color.g + RedWeight * color.r + BlueWeight * color.b;
        pixel[0] = ChannelByte(grey);
    }
    const uint32_t step = GetPixelBytes();
    const size_t size = GetSize();
    for (size_t i = 0; i < size; i += step) {
        std::memcpy(pixels.get() + i, pixel, step);
    }
}

void Image::Convert(uint32_t bits, Image* target)
{
    if (target && target != this) {
        Convert(bits, *target);
    } else if (bits != this->bits) {
        Image converted;
        Convert(bits, converted);
        *this = std::move(converted);
    }
}

void Image::Convert(uint32_t bits, Image& target) const
{
    if (&target == this) {
        return;
    }
    if (bits == this->bits || empty || (bits != 8 && bits != 24 && bits != 32)) {
        target = *this;
        return;
    }
    target.Create(width, height, bits, log);
    const size_t count = static_cast<size_t>(width) * height;
    const uint8_t* from = pixels.get();
    uint8_t* to = target.pixels.get();
    const uint32_t fromStep = GetPixelBytes();
    const uint32_t toStep = bits / 8;
    for (size_t i = 0; i < count; ++i, from += fromStep, to += toStep) {
        if (this->bits == 8) {
            to[0] = to[1] = to[2] = from[0];
            if (bits == 32) {
                to[3] = from[0];
            }
        } else if (bits == 8) {
            to[0] = this->bits == 32 ? from[3] : GreyOfBytes(from[0], from[1], from[2]);
        } else {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            if (bits == 32) {
                to[3] = 255;
            }
        }
    }
}

void Image::SwapRedBlue()
{
    if (empty || bits == 8) {
        return;
    }
    const uint32_t step = GetPixelBytes();
    const size_t size = GetSize();
    for (size_t i = 0; i < size; i += step) {
        std::swap(pixels[i], pixels[i + 2]);
    }
}

void Image::FlipVertical()
{
    if (empty) {
        return;
    }
    const size_t rowBytes = static_cast<size_t>(width) * GetPixelBytes();
    for (uint32_t low = 0, high = height - 1; low < high; ++low, --high) {
        std::swap_ranges(GetRow(low), GetRow(low) + rowBytes, GetRow(high));
    }
}

void Image::ResizeTo(Image& target, uint32_t width, uint32_t height) const
{
    if (&target == this) {
        Image scaled;
        ResizeTo(scaled, width, height);
        target = std::move(scaled);
        return;
    }
    if (width == this->width && height == this->height) {
        target = *this;
        return;
    }
    if (empty) {
        target.Release();
        target.log = log;
        return;
    }
    target.Create(width, height, bits, log);
    if (target.empty) {
        return;
    }
    // Source positions in 1/256 of a pixel. 64-bit: (size - 1) × index × 256
    // passes 32 bits for pictures wider than 4096. A target dimension of 1
    // samples position 0 rather than dividing by zero.
    const uint64_t sourceWidth = this->width;
    const uint64_t sourceHeight = this->height;
    const uint32_t step = GetPixelBytes();
    const size_t sourceRowBytes = static_cast<size_t>(sourceWidth) * step;
    for (uint32_t i = 0; i < height; ++i) {
        uint64_t sy = height > 1 ? (sourceHeight - 1) * i * 256 / (height - 1) : 0;
        // The last row would land exactly on the last source row with no row
        // above it to blend with; one 256th below keeps it in the last pair.
        // A source of one row has no pair: it stays at 0.
        if (i == height - 1 && sy > 0) {
            --sy;
        }
        const uint32_t r = static_cast<uint32_t>(sy / 256);
        const uint32_t fy = static_cast<uint32_t>(sy % 256);
        const bool hasBelow = r + 1 < sourceHeight;
        const uint8_t* rowT = GetRow(r);
        const uint8_t* rowB = hasBelow ? rowT + sourceRowBytes : nullptr;
        uint8_t* out = target.GetRow(i);
        for (uint32_t j = 0; j < width; ++j) {
            const uint64_t sx = width > 1 ? (sourceWidth - 1) * j * 256 / (width - 1) : 0;
            const uint32_t c = static_cast<uint32_t>(sx / 256);
            const uint32_t fx = static_cast<uint32_t>(sx % 256);
            const bool hasRight = c + 1 < sourceWidth;
            const uint8_t* t = rowT + static_cast<size_t>(c) * step;
            const uint8_t* b = hasBelow ? rowB + static_cast<size_t>(c) * step : nullptr;
            for (uint32_t k = 0; k < step; ++k) {
                const uint32_t T = t[k];
                const uint32_t R = hasRight ? t[step + k] : 0;
                const uint32_t B = hasBelow ? b[k] : 0;
                const uint32_t D = hasRight && hasBelow ? b[step + k] : 0;
                *out++ = static_cast<uint8_t>(((R * (256 - fy) + D * fy) * fx + (B * fy + T * (256 - fy)) * (256 - fx)) /
                                              65536);
            }
        }
    }
}

void Image::Resize(uint32_t width, uint32_t height)
{
    Image scaled;
    ResizeTo(scaled, width, height);
    *this = std::move(scaled);
}

void Image::BlitTo(Image& target, uint32_t x, uint32_t y) const
{
    if (empty || target.empty) {
        return;
    }
    if (&target == this) {
        Image(*this).BlitTo(target, x, y);
        return;
    }
    if (bits != target.bits) {
        Image converted;
        Convert(target.bits, converted);
        converted.BlitTo(target, x, y);
        return;
    }
    const uint32_t copiedWidth = x >= target.width ? 0 : std::min(width, target.width - x);
    const uint32_t copiedHeight = y >= target.height ? 0 : std::min(height, target.height - y);
    const size_t rowBytes = static_cast<size_t>(copiedWidth) * GetPixelBytes();
    for (uint32_t r = 0; r < copiedHeight; ++r) {
        std::memcpy(target.GetRow(y + r) + static_cast<size_t>(x) * GetPixelBytes(), GetRow(r), rowBytes);
    }
}

void Image::MakeSubstitute(MessageManager* log)
{
    Create(64, 64, 24, log);
    Fill(ColorRGBA(0.0f, 0.0f, 0.0f, 1.0f));
    Image cell;
    cell.Create(8, 8, 24, log);
    cell.Fill(ColorRGBA(1.0f, 1.0f, 0.0f, 1.0f));
    for (uint32_t i = 0; i < 8; ++i) {
        for (uint32_t j = 0; j < 8; ++j) {
            if ((i + j) % 2 == 0) {
                cell.BlitTo(*this, 8 * i, 8 * j);
            }
        }
    }
}

bool Image::Load(MessageManager* log, FileManager* files, Image& image, const std::string& name)
{
    const Codec codec = CodecOf(name);
    if (codec == Codec::None) {
        LogError(log, "Unknown \"" + name + "\" image file type");
        image.Release();
        return false;
    }
    try {
        switch (codec) {
        case Codec::Bmp:
            ImageCodecs::ReadBmp(log, files, image, name);
            break;
        case Codec::Tga:
            ImageCodecs::ReadTga(log, files, image, name);
            break;
        default:
            ImageCodecs::ReadJpeg(log, files, image, name);
            break;
        }
    } catch (const Error& error) {
        // Whatever the picture held before, a failed load leaves it empty, so
        // that no caller mistakes it for the file's picture.
        LogError(log, error.message);
        image.Release();
        return false;
    }
    return true;
}

bool Image::Save(MessageManager* log, FileManager* files, const Image& image, const std::string& name)
{
    const Codec codec = CodecOf(name);
    if (codec == Codec::None) {
        LogError(log, "Unknown \"" + name + "\" image file type");
        return false;
    }
    // An empty picture (a failed capture, say) has nothing to write.
    if (image.IsEmpty()) {
        LogError(log, "Failed to save \"" + name + "\"");
        return false;
    }
    try {
        switch (codec) {
        case Codec::Bmp:
            ImageCodecs::WriteBmp(files, image, name);
            break;
        case Codec::Tga:
            ImageCodecs::WriteTga(files, image, name);
            break;
        default:
            ImageCodecs::WriteJpeg(log, files, image, name);
            break;
        }
    } catch (const Error& error) {
        LogError(log, error.message);
        return false;
    }
    return true;
}

} // namespace ZorvaneEngine
