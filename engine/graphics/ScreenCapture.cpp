#include "engine/graphics/ScreenCapture.h"

#include <cstring>
#include <new>

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/core/TextUtils.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "platform/system/FileSystem.h"
#include "platform/window/Messages.h"
#include "platform/window/Windowing.h"

namespace ZorvaneEngine {

using namespace Platform;

namespace {

const char* const kCopyFailed = "Failed to print image from screen";

// Where the configuration file lives, which is the user's own folder. A
// relative folder lies below the installation folder, as the
// configuration file itself does.
std::string CaptureFolder(const Config& config, const FileManager& files)
{
    std::string root = GetFileFolder(config.GetPath());
    if (!Platform::IsAbsolutePath(root) && !files.GetBaseFolder().empty())
        root = root.empty() ? files.GetBaseFolder() : files.GetBaseFolder() + "\\" + root;
    return MakeAbsolutePath(root.empty() ? "ScreenCaptures" : root + "\\ScreenCaptures");
}

void PutHeader(const BitmapInfoHeader& h, uint8_t* out)
{
    std::memcpy(out, &h.size, 4);
    std::memcpy(out + 4, &h.width, 4);
    std::memcpy(out + 8, &h.height, 4);
    std::memcpy(out + 12, &h.planes, 2);
    std::memcpy(out + 14, &h.bitCount, 2);
    std::memcpy(out + 16, &h.compression, 4);
    std::memcpy(out + 20, &h.sizeImage, 4);
    std::memcpy(out + 24, &h.xPelsPerMeter, 4);
    std::memcpy(out + 28, &h.yPelsPerMeter, 4);
    std::memcpy(out + 32, &h.clrUsed, 4);
    std::memcpy(out + 36, &h.clrImportant, 4);
}

} // namespace

ScreenCapture::ScreenCapture(MessageManager* log, FileManager* files, Config* config, Window* window)
    : log(log), files(files), config(config), window(window),
      folder(CaptureFolder(*config, *files))
{
    // Movies need Video for Windows 1.10 or later.
    moviesPossible = (GetCapture().VideoForWindowsVersion() >> 16) >= 0x010A;
}

ScreenCapture::~ScreenCapture()
{
    StopMovieRecord();
}

void ScreenCapture::Update()
{
    int32_t& savedFormat = config->screenshotFormat;
    if (savedFormat < 0) savedFormat = 0;

    // One screenshot a frame; the last pending command in this order sets
    // its format. The "_tga" command writes a BMP file and the "_jpg" one a
    // TGA file: their formats are 0 and 1.
    const struct {
        const char* command;
        int32_t format;  // -1: the saved format
    } requests[] = {{"sc_take_screenshot", -1}, {"sc_take_screenshot_tga", 0}, {"sc_take_screenshot_jpg", 1}};
    for (const auto& request : requests) {
        if (config->IsCommandDone(request.command)) continue;
        config->SetCommandDone(request.command, true);
        screenshotRequested = true;
        screenshotFormat = request.format < 0 ? savedFormat : request.format;
    }

    if (!config->IsCommandDone("sc_start_movie_record")) {
        config->SetCommandDone("sc_start_movie_record", true);
        StartMovieRecord();
    }
    if (!config->IsCommandDone("sc_stop_movie_record")) {
        config->SetCommandDone("sc_stop_movie_record", true);
        StopMovieRecord();
    }

    if (screenshotRequested) {
        screenshotRequested = false;
        // Named after the movie's start and stop: a movie started in the
        // same frame takes a name of its own and leaves this one alone.
        ChooseScreenshotName();
        Image image;
        const bool copied = CaptureFrame(&image);
        ReleaseFrame();
        // Without a copy, or without a free name, there is nothing to write.
        if (copied && !fileName.empty()) Image::Save(log, files, image, fileName);
        return;
    }
    if (!recording) return;
    if (!CaptureFrame(nullptr) || !recording) return;
    const int32_t result = GetCapture().AVIStreamWrite(
        compressedStream, static_cast<int32_t>(frameIndex), 1,
        frame.data() + BitmapInfoHeader::kSize + frameHeader.clrUsed * 4,
        static_cast<int32_t>(frameHeader.sizeImage), AVIIF_KEYFRAME);
    if (result != AVIERR_OK) {
        log->Error("Failed to write to avi stream");
        StopMovieRecord();
    }
    ReleaseFrame();
    ++frameIndex;
}

void ScreenCapture::ChooseScreenshotName()
{
    ChooseName("picture", screenshotFormat == 0 ? "bmp" : screenshotFormat == 1 ? "tga" : "jpg");
}

bool ScreenCapture::ChooseName(const std::string& stem, const std::string& extension)
{
    for (int32_t n = 0; n <= 999; ++n) {
        fileName = folder + "\\" + stem + IntToText(n, 3) + "." + extension;
        if (!FileExistsOnDisk(fileName)) {
            CreateDirectories(fileName);
            return true;
        }
    }
    // Every name is taken: the captures already there are kept.
    log->Error("No free name for a screen capture in \"" + folder + "\"");
    fileName.clear();
    return false;
}

void ScreenCapture::StartMovieRecord()
{
    if (!moviesPossible) {
        log->Error("Video For Windiws version is too old");
        return;
    }
    if (recording) {
        log->Error("AVI recording was already started");
        return;
    }
    if (!ChooseName("movie", "avi")) return;
    Capture& capture = GetCapture();
    PostToWindow(WM_SYSCOMMAND, SC_MINIMIZE);

    log->Message("AVI recording is starting...");
    recording = true;
    frameIndex = 0;
    capture.AVIFileInit();

    // The first frame gives the movie its size and format. Without it there
    // is no movie: the failed copy has stopped the recording already.
    if (!CaptureFrame(nullptr)) {
        PostToWindow(WM_SETFOCUS, 0);
        return;
    }

    int32_t result = capture.AVIFileOpen(&aviFile, fileName, OF_WRITE | OF_CREATE);
    if (result == AVIERR_OK) {
        streamInfo = AviStreamInfo();
        streamInfo.type = streamtypeVIDEO;
        streamInfo.handler = 0;
        streamInfo.scale = 1;
        // One frame is written per game frame, whatever the game's rate.
        streamInfo.rate = MovieRate;
        streamInfo.suggestedBufferSize = frameHeader.sizeImage;
        streamInfo.frameRight = frameHeader.width;
        streamInfo.frameBottom = frameHeader.height;
        result = capture.AVIFileCreateStream(aviFile, &videoStream, streamInfo);
    }
    if (result == AVIERR_OK) {
        compressOptions = AviCompressOptions();
        // A cancelled dialog is a failure.
        if (!capture.AVISaveOptions(nullptr, 0, videoStream, compressOptions)) result = AVIERR_BADPARAM;
    }
    if (result == AVIERR_OK)
        result = capture.AVIMakeCompressedStream(&compressedStream, videoStream, compressOptions);
    if (result == AVIERR_OK)
        result = capture.AVIStreamSetFormat(compressedStream, 0, frame.data(),
                                            static_cast<int32_t>(frameHeader.size + frameHeader.clrUsed * 4));
    if (result != AVIERR_OK) {
        log->Error("Failed to create avi stream");
        ReleaseFrame();
        StopMovieRecord();
        PostToWindow(WM_SETFOCUS, 0);
        return;
    }
    ReleaseFrame();
    PostToWindow(WM_SETFOCUS, 0);
}

void ScreenCapture::StopMovieRecord()
{
    if (!recording) return;
    recording = false;
    Capture& capture = GetCapture();
    if (videoStream != nullptr) {
        capture.AVIStreamRelease(videoStream);
        videoStream = nullptr;
    }
    if (compressedStream != nullptr) {
        capture.AVIStreamRelease(compressedStream);
        compressedStream = nullptr;
    }
    if (aviFile != nullptr) {
        capture.AVIFileRelease(aviFile);
        aviFile = nullptr;
    }
    capture.AVIFileExit();
    ReleaseFrame();
    log->Message("AVI record finished");
}

bool ScreenCapture::CaptureFrame(Image* image)
{
    if (!CopyWindow(copy)) return false;
    if (!MakeFrameBitmap(image, copy)) {
        log->Error(kCopyFailed);
        StopMovieRecord();
        return false;
    }
    // A copy of another size than the window's (a mode change on the way)
    // fits neither the movie nor the picture.
    if (frameHeader.width != static_cast<int32_t>(window->width) ||
        frameHeader.height != static_cast<int32_t>(window->height)) {
        log->Error(kCopyFailed);
        ReleaseFrame();
        if (image != nullptr) image->Release();
        StopMovieRecord();
        return false;
    }
    return true;
}

bool ScreenCapture::CopyWindow(WindowBitmap& bitmap)
{
    if (!GetCapture().CopyWindow(window->handle, window->width, window->height, bitmap) ||
        bitmap.width == 0 || bitmap.height == 0 ||
        bitmap.pixels.size() != static_cast<size_t>(bitmap.width) * bitmap.height * 4) {
        log->Error(kCopyFailed);
        StopMovieRecord();
        return false;
    }
    return true;
}

bool ScreenCapture::MakeFrameBitmap(Image* image, const WindowBitmap& bitmap)
{
    if (bitmap.width > INT32_MAX / 32 || bitmap.height > INT32_MAX) return false;
    frameHeader = BitmapInfoHeader();
    frameHeader.width = static_cast<int32_t>(bitmap.width);
    frameHeader.height = static_cast<int32_t>(bitmap.height);
    frameHeader.planes = 1;
    frameHeader.bitCount = 32;
    frameHeader.compression = BI_RGB;
    const uint64_t rowBytes = (static_cast<uint64_t>(bitmap.width) * 32 + 31) / 32 * 4;
    const uint64_t imageSize = rowBytes * bitmap.height;
    if (imageSize > UINT32_MAX - BitmapInfoHeader::kSize) return false;
    frameHeader.sizeImage = static_cast<uint32_t>(imageSize);
    // The memory of the last frame is reused: a recording copies a frame
    // of the same size every game frame.
    try {
        frame.resize(BitmapInfoHeader::kSize + frameHeader.sizeImage);
    } catch (const std::bad_alloc&) {
        ReleaseFrame();
        return false;
    }
    PutHeader(frameHeader, frame.data());
    std::memcpy(frame.data() + BitmapInfoHeader::kSize, bitmap.pixels.data(), bitmap.pixels.size());

    if (image != nullptr) {
        // B, G, R, unused becomes the picture's R, G, B, bottom-up.
        image->Create(bitmap.width, bitmap.height, 32, log);
        if (!image->IsEmpty()) {
            std::memcpy(image->GetPixels(), bitmap.pixels.data(), bitmap.pixels.size());
            image->Convert(24);
            image->SwapRedBlue();
        }
    }
    return true;
}

void ScreenCapture::ReleaseFrame()
{
    // A recording keeps the memory for its next frame; otherwise it goes.
    if (recording) return;
    std::vector<uint8_t>().swap(frame);
    std::vector<uint8_t>().swap(copy.pixels);
}

void ScreenCapture::PostToWindow(uint32_t message, uint64_t parameter)
{
    if (GetCapture().HasCompressionDialog())
        GetWindowing().PostMessage(window->handle, message, parameter, 0);
}

} // namespace ZorvaneEngine
