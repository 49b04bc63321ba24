// BMP pictures, read as a texture is read, then brought to 32 bits.
#include <cstdint>

#include "engine/graphics/Image.h"
#include "fuzz/support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::WriteFile("input.bmp", data, size);
    ZorvaneEngine::Image image;
    if (ZorvaneEngine::Image::Load(&FuzzSupport::Log(), &FuzzSupport::Files(), image, "input.bmp")) {
        image.Convert(32);
    }
    FuzzSupport::EndInput();
    return 0;
}
