#pragma once
// What the screen capture asks of the platform, by the original names: the
// Video for Windows version, the GDI copy of a window's client area, and the
// AVI file functions with their compression dialog. The AVI functions are
// built here over our own AVI writer (AviWriter.h) and write uncompressed
// frames, the only codec there is; the real capture (RealCapture.h) copies
// the picture the OpenGL driver last presented, the scripted one
// (ScriptedCapture.h) serves tests.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Installed.h"
#include "platform/capture/AviTypes.h"
#include "platform/window/WindowHandle.h"

namespace Platform {

class AviFile;
class AviStream;

// A window copy as a 32-bit bitmap gives it back: B, G, R and an unused 0
// byte per pixel, rows bottom-up, no padding.
struct WindowBitmap {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> pixels;
};

class Capture {
public:
    virtual ~Capture() = default;

    // VideoForWindowVersion: the major and minor numbers in the upper 16
    // bits (0x010A for 1.10).
    virtual uint32_t VideoForWindowsVersion() = 0;
    // The copy of the client area from (0, 0) to (width, height) into a
    // bitmap (CreateCompatibleDC, CreateCompatibleBitmap, BitBlt, GetDIBits).
    // The bitmap has the size of what the window shows, which may differ
    // from the size asked for; false when nothing could be copied.
    virtual bool CopyWindow(WindowHandle window, uint32_t width, uint32_t height,
                            WindowBitmap& bitmap) = 0;
    // Whether AVISaveOptions shows a dialog that the game's window would
    // cover: only then does the window step aside while it is open.
    virtual bool HasCompressionDialog() = 0;
    // The choice of a codec for the stream; false when the user cancelled.
    // Without a dialog, full uncompressed frames are chosen at once.
    virtual bool AVISaveOptions(WindowHandle owner, uint32_t flags, AviStream* stream,
                                AviCompressOptions& options);

    virtual void AVIFileInit();
    virtual void AVIFileExit();
    // OF_WRITE | OF_CREATE: a new movie at path (its folder must exist).
    virtual int32_t AVIFileOpen(AviFile** file, const std::string& path, uint32_t mode);
    // The one video stream of the file.
    virtual int32_t AVIFileCreateStream(AviFile* file, AviStream** stream, const AviStreamInfo& info);
    // A stream that codes what is written to it into source. Full frames
    // (handler 0 or "DIB ") are the only codec; others are AVIERR_UNSUPPORTED.
    virtual int32_t AVIMakeCompressedStream(AviStream** compressed, AviStream* source,
                                            const AviCompressOptions& options);
    // The frame format (BITMAPINFOHEADER and colour table) at sample 0.
    virtual int32_t AVIStreamSetFormat(AviStream* stream, int32_t position, const void* format,
                                       int32_t size);
    // One frame appended at sample start (the stream's length).
    virtual int32_t AVIStreamWrite(AviStream* stream, int32_t start, int32_t samples,
                                   const void* data, int32_t bytes, uint32_t flags);
    // Each returns the references left. The file is completed and takes
    // its name when its last reference (its streams' included) goes.
    virtual uint32_t AVIStreamRelease(AviStream* stream);
    virtual uint32_t AVIFileRelease(AviFile* file);

    // How large a movie may grow (AviWriter's limit unless a test lowers it).
    uint64_t movieSizeLimit;

protected:
    Capture();
};

// The implementation in use: the real one unless a test installed another.
Capture& GetCapture();
// Installs a replacement (null restores the real one); returns the previous.
Capture* SetCapture(Capture* capture);
using ScopedCapture = ScopedInstall<Capture, &SetCapture>;

} // namespace Platform
