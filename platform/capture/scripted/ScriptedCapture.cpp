#include "platform/capture/scripted/ScriptedCapture.h"

#include <cstdio>

namespace Platform {

namespace {

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

} // namespace

ScriptedCapture::ScriptedCapture()
{
    pattern = [](uint32_t x, uint32_t y, uint32_t n, uint8_t bgr[3]) {
        bgr[0] = static_cast<uint8_t>(x);
        bgr[1] = static_cast<uint8_t>(y);
        bgr[2] = static_cast<uint8_t>(n);
    };
}

uint32_t ScriptedCapture::VideoForWindowsVersion()
{
    journal.emplace_back("VideoForWindowsVersion");
    return version;
}

bool ScriptedCapture::CopyWindow(WindowHandle, uint32_t width, uint32_t height, WindowBitmap& bitmap)
{
    journal.emplace_back("CopyWindow " + std::to_string(width) + "x" + std::to_string(height));
    if (failCopy) return false;
    bitmap.width = copyWidth != 0 ? copyWidth : width;
    bitmap.height = copyHeight != 0 ? copyHeight : height;
    bitmap.pixels.assign(static_cast<size_t>(bitmap.width) * bitmap.height * 4, 0);
    uint8_t* p = bitmap.pixels.data();
    for (uint32_t y = 0; y < bitmap.height; ++y)
        for (uint32_t x = 0; x < bitmap.width; ++x, p += 4) pattern(x, y, copies, p);
    ++copies;
    return true;
}

bool ScriptedCapture::HasCompressionDialog()
{
    return hasDialog;
}

bool ScriptedCapture::AVISaveOptions(WindowHandle owner, uint32_t flags, AviStream* stream,
                                     AviCompressOptions& options)
{
    journal.emplace_back("AVISaveOptions");
    if (cancelDialog) return false;
    return Capture::AVISaveOptions(owner, flags, stream, options);
}

void ScriptedCapture::AVIFileInit()
{
    journal.emplace_back("AVIFileInit");
}

void ScriptedCapture::AVIFileExit()
{
    journal.emplace_back("AVIFileExit");
}

int32_t ScriptedCapture::AVIFileOpen(AviFile** file, const std::string& path, uint32_t mode)
{
    journal.emplace_back("AVIFileOpen " + path);
    return Capture::AVIFileOpen(file, path, mode);
}

int32_t ScriptedCapture::AVIFileCreateStream(AviFile* file, AviStream** stream, const AviStreamInfo& info)
{
    journal.emplace_back("AVIFileCreateStream");
    lastStreamInfo = info;
    return Capture::AVIFileCreateStream(file, stream, info);
}

int32_t ScriptedCapture::AVIMakeCompressedStream(AviStream** compressed, AviStream* source,
                                                 const AviCompressOptions& options)
{
    journal.emplace_back("AVIMakeCompressedStream");
    return Capture::AVIMakeCompressedStream(compressed, source, options);
}

int32_t ScriptedCapture::AVIStreamSetFormat(AviStream* stream, int32_t position, const void* format,
                                            int32_t size)
{
    journal.emplace_back("AVIStreamSetFormat " + std::to_string(position) + " " + std::to_string(size));
    return Capture::AVIStreamSetFormat(stream, position, format, size);
}

int32_t ScriptedCapture::AVIStreamWrite(AviStream* stream, int32_t start, int32_t samples,
                                        const void* data, int32_t bytes, uint32_t flags)
{
    journal.emplace_back("AVIStreamWrite " + std::to_string(start) + " " + std::to_string(samples) + " " +
                      std::to_string(bytes) + " " + Hex(flags));
    if (writes++ == failWriteAt) return AVIERR_FILEWRITE;
    return Capture::AVIStreamWrite(stream, start, samples, data, bytes, flags);
}

uint32_t ScriptedCapture::AVIStreamRelease(AviStream* stream)
{
    journal.emplace_back("AVIStreamRelease");
    return Capture::AVIStreamRelease(stream);
}

uint32_t ScriptedCapture::AVIFileRelease(AviFile* file)
{
    journal.emplace_back("AVIFileRelease");
    return Capture::AVIFileRelease(file);
}

} // namespace Platform
