#pragma once
// A picture in main memory: width × height pixels of 8, 24 or 32 bits in one
// packed array without row padding. Row 0 is the bottom row. A 24-bit pixel
// is red, green, blue; a 32-bit pixel red, green, blue, alpha; an 8-bit pixel
// is one channel (grey, or an opacity value).
// Also the BMP, TGA and JPEG readers and writers, picked by file extension.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class FileManager;
class MessageManager;

class Image {
public:
    // The largest width or height a reader accepts, and the largest number of
    // pixels: no device takes bigger textures, and a damaged header must not
    // turn into a huge allocation.
    static constexpr uint32_t MaxDimension = 8192;
    static constexpr uint32_t MaxPixels = 4096 * 4096;

    Image() = default;
    Image(const Image& other);
    Image& operator=(const Image& other);
    Image(Image&& other) noexcept;
    Image& operator=(Image&& other) noexcept;
    virtual ~Image();

    // Replaces the picture by an uninitialised one; bits is 8, 24 or 32.
    // A width or height of 0 leaves the picture empty.
    void Create(uint32_t width, uint32_t height, uint32_t bits, MessageManager* log);
    // Frees the pixels: the picture becomes empty (size and depth 0).
    void Release();

    // Channels 0 to 1 (clamped) times 255, truncated; 8 bits take the grey of
    // the colour.
    void Fill(const ColorRGBA& color);
    // To 8, 24 or 32 bits, into target, or in place when target is null.
    // 8 to 24 gives (v, v, v) and 8 to 32 (v, v, v, v), so that 24 to 8 to 24
    // keeps a grey picture and 32 to 8 to 32 keeps the opacity.
    void Convert(uint32_t bits, Image* target = nullptr);
    // The same into target, leaving this picture as it is.
    void Convert(uint32_t bits, Image& target) const;
    void SwapRedBlue();
    void FlipVertical();
    // Bilinear scaling in 8.8 fixed point; equal sizes give a copy.
    void ResizeTo(Image& target, uint32_t width, uint32_t height) const;
    void Resize(uint32_t width, uint32_t height);
    // Copies this picture (converted to the target's depth) into target with
    // its bottom-left corner at column x, row y, clipped to the target.
    void BlitTo(Image& target, uint32_t x, uint32_t y) const;
    // The picture shown in place of one that failed to load: 64 × 64, 24
    // bits, yellow and black 8 × 8 cells, yellow in the corners.
    void MakeSubstitute(MessageManager* log);

    // By the extension of name: "bmp", "tga", "jpg" or "jpeg" (any case).
    // Failures are logged at the error level and give false; a failed load
    // leaves the image empty.
    static bool Load(MessageManager* log, FileManager* files, Image& image, const std::string& name);
    static bool Save(MessageManager* log, FileManager* files, const Image& image, const std::string& name);

    bool IsEmpty() const { return empty; }
    MessageManager* GetLog() const { return log; }
    uint32_t GetWidth() const { return width; }
    uint32_t GetHeight() const { return height; }
    uint32_t GetBits() const { return bits; }
    uint32_t GetPixelBytes() const { return bits / 8; }
    size_t GetSize() const { return static_cast<size_t>(width) * height * (bits / 8); }
    uint8_t* GetPixels() { return pixels.get(); }
    const uint8_t* GetPixels() const { return pixels.get(); }
    // The first byte of row y (0 = bottom).
    uint8_t* GetRow(uint32_t y) { return pixels.get() + static_cast<size_t>(y) * width * (bits / 8); }
    const uint8_t* GetRow(uint32_t y) const
    {
        return pixels.get() + static_cast<size_t>(y) * width * (bits / 8);
    }

private:
    bool empty = true;
    MessageManager* log = nullptr;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bits = 0;
    std::unique_ptr<uint8_t[]> pixels;
};

} // namespace ZorvaneEngine
