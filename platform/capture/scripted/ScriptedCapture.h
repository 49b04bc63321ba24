#pragma once
// A Capture for tests: a window copy made of a known pattern (or a failure,
// or a size of the test's choosing), a Video for Windows version, a codec
// dialog that may be cancelled and a frame write that may fail, all set by
// the test; and a journal of every call in order ("CopyWindow 64x48",
// "AVIStreamWrite 0 1 12288 0x10"). The movie files are written by the real
// AVI functions.
#include <functional>
#include <string>
#include <vector>

#include "platform/capture/Capture.h"

namespace Platform {

class ScriptedCapture final : public Capture {
public:
    ScriptedCapture();

    uint32_t version = 0x010A0000;
    bool failCopy = false;
    // The copy's size; 0 takes the size asked for.
    uint32_t copyWidth = 0;
    uint32_t copyHeight = 0;
    // Blue, green and red of the pixel at (x, y) from the bottom-left in
    // the copy made n-th (from 0). By default blue is x, green y and red n,
    // each modulo 256.
    std::function<void(uint32_t x, uint32_t y, uint32_t n, uint8_t bgr[3])> pattern;
    bool hasDialog = false;
    bool cancelDialog = false;
    // The number of the AVIStreamWrite (from 0) that fails; -1 none.
    int32_t failWriteAt = -1;

    std::vector<std::string> journal;
    AviStreamInfo lastStreamInfo;
    uint32_t copies = 0;

    uint32_t VideoForWindowsVersion() override;
    bool CopyWindow(WindowHandle window, uint32_t width, uint32_t height,
                    WindowBitmap& bitmap) override;
    bool HasCompressionDialog() override;
    bool AVISaveOptions(WindowHandle owner, uint32_t flags, AviStream* stream,
                        AviCompressOptions& options) override;
    void AVIFileInit() override;
    void AVIFileExit() override;
    int32_t AVIFileOpen(AviFile** file, const std::string& path, uint32_t mode) override;
    int32_t AVIFileCreateStream(AviFile* file, AviStream** stream, const AviStreamInfo& info) override;
    int32_t AVIMakeCompressedStream(AviStream** compressed, AviStream* source,
                                    const AviCompressOptions& options) override;
    int32_t AVIStreamSetFormat(AviStream* stream, int32_t position, const void* format,
                               int32_t size) override;
    int32_t AVIStreamWrite(AviStream* stream, int32_t start, int32_t samples, const void* data,
                           int32_t bytes, uint32_t flags) override;
    uint32_t AVIStreamRelease(AviStream* stream) override;
    uint32_t AVIFileRelease(AviFile* file) override;

private:
    int32_t writes = 0;
};

} // namespace Platform
