#include "platform/capture/Capture.h"

#include "platform/capture/AviFile.h"
#include "platform/capture/real/RealCapture.h"

namespace Platform {

Capture::Capture() : movieSizeLimit(AviWriter::kDefaultSizeLimit) {}

bool Capture::AVISaveOptions(WindowHandle, uint32_t, AviStream*, AviCompressOptions& options)
{
    options = AviCompressOptions();
    options.type = streamtypeVIDEO;
    options.handler = kFullFramesHandler;
    return true;
}

// The library keeps no state of its own between files.
void Capture::AVIFileInit() {}
void Capture::AVIFileExit() {}

int32_t Capture::AVIFileOpen(AviFile** file, const std::string& path, uint32_t mode)
{
    if (file == nullptr) return AVIERR_BADPARAM;
    *file = nullptr;
    if ((mode & (OF_WRITE | OF_CREATE)) != (OF_WRITE | OF_CREATE)) return AVIERR_UNSUPPORTED;
    std::unique_ptr<AviWriter> writer = AviWriter::Create(path, movieSizeLimit);
    if (!writer) return AVIERR_FILEOPEN;
    *file = new AviFile(std::move(writer));
    return AVIERR_OK;
}

int32_t Capture::AVIFileCreateStream(AviFile* file, AviStream** stream, const AviStreamInfo& info)
{
    if (file == nullptr || stream == nullptr) return AVIERR_BADPARAM;
    *stream = nullptr;
    if (file->hasStream || info.type != streamtypeVIDEO) return AVIERR_UNSUPPORTED;
    file->hasStream = true;
    file->GetWriter().SetStreamInfo(info);
    *stream = new AviStream(file, nullptr);
    return AVIERR_OK;
}

int32_t Capture::AVIMakeCompressedStream(AviStream** compressed, AviStream* source,
                                         const AviCompressOptions& options)
{
    if (compressed == nullptr || source == nullptr) return AVIERR_BADPARAM;
    *compressed = nullptr;
    if (options.handler != 0 && options.handler != kFullFramesHandler) return AVIERR_UNSUPPORTED;
    *compressed = new AviStream(nullptr, source);
    return AVIERR_OK;
}

int32_t Capture::AVIStreamSetFormat(AviStream* stream, int32_t position, const void* format,
                                    int32_t size)
{
    if (stream == nullptr || position != 0 || size < 0) return AVIERR_BADPARAM;
    return stream->GetFile()->GetWriter().SetFormat(format, static_cast<uint32_t>(size));
}

int32_t Capture::AVIStreamWrite(AviStream* stream, int32_t start, int32_t samples, const void* data,
                                int32_t bytes, uint32_t flags)
{
    if (stream == nullptr || samples != 1 || bytes < 0) return AVIERR_BADPARAM;
    AviStream& target = stream->Target();
    // Frames are appended; there is no writing over or ahead of them.
    if (start < 0 || static_cast<uint32_t>(start) != target.length) return AVIERR_BADPARAM;
    const int32_t result =
        target.GetFile()->GetWriter().WriteFrame(data, static_cast<uint32_t>(bytes), flags);
    if (result == AVIERR_OK) ++target.length;
    return result;
}

uint32_t Capture::AVIStreamRelease(AviStream* stream)
{
    return stream != nullptr ? stream->Release() : 0;
}

uint32_t Capture::AVIFileRelease(AviFile* file)
{
    return file != nullptr ? file->Release() : 0;
}

namespace {

Capture& Real()
{
    static RealCapture real;
    return real;
}

constinit Installed<Capture> installed{&Real};

} // namespace

Capture& GetCapture()
{
    return installed.Get();
}

Capture* SetCapture(Capture* capture)
{
    return installed.Set(capture);
}

} // namespace Platform
