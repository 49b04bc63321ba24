#pragma once
// Screenshots of the game window into picture files and recordings of it
// into AVI movies, driven by configuration commands: "sc_take_screenshot"
// (in the format of "sc_take_screenshot_format": 0 BMP, 1 TGA, other JPEG),
// "sc_take_screenshot_tga" (a BMP file), "sc_take_screenshot_jpg" (a TGA
// file), "sc_start_movie_record" and "sc_stop_movie_record". The engine
// runs Update once a frame after the picture has been presented.
//
// Every capture goes to "ScreenCaptures" in the folder of the configuration
// file (the user's folder), as "picture" or "movie" and the first free
// number from 000 to 999. A movie gets one frame per game frame and plays
// at 33 frames a second. Failures are logged as errors; nothing is thrown.
// Main thread only.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/capture/AviTypes.h"
#include "platform/capture/Capture.h"

namespace ZorvaneEngine {

class Config;
class FileManager;
class Image;
class MessageManager;
class Window;

class ScreenCapture {
public:
    static constexpr uint32_t MovieRate = 33;

    ScreenCapture(MessageManager* log, FileManager* files, Config* config, Window* window);
    // Ends a recording; the window is not needed for that.
    virtual ~ScreenCapture();

    ScreenCapture(const ScreenCapture&) = delete;
    ScreenCapture& operator=(const ScreenCapture&) = delete;

    void Update();

    bool AreMoviesPossible() const { return moviesPossible; }
    bool IsRecording() const { return recording; }
    uint32_t GetFrameIndex() const { return frameIndex; }
    // The last screenshot or movie name chosen (a full path); empty before.
    const std::string& GetFileName() const { return fileName; }
    const std::string& GetFolder() const { return folder; }

private:
    void ChooseScreenshotName();
    // The first free stem + NNN + "." + extension; false when all are taken.
    bool ChooseName(const std::string& stem, const std::string& extension);
    void StartMovieRecord();
    void StopMovieRecord();
    // The window's current picture as the frame (and, when given, as a
    // picture of 24 bits). False, with the error logged and a recording
    // stopped, when no frame of the window's size could be had.
    bool CaptureFrame(Image* image);
    bool MakeFrameBitmap(Image* image, const Platform::WindowBitmap& bitmap);
    bool CopyWindow(Platform::WindowBitmap& bitmap);
    void ReleaseFrame();
    // Tells the window to step aside, or to come back, around a codec
    // dialog; nothing when the platform shows none.
    void PostToWindow(uint32_t message, uint64_t parameter);

    MessageManager* log;
    FileManager* files;
    Config* config;
    Window* window;
    bool moviesPossible = false;
    bool screenshotRequested = false;
    int32_t screenshotFormat = 0;
    std::string fileName;
    bool recording = false;
    uint32_t frameIndex = 0;
    Platform::AviStreamInfo streamInfo;
    Platform::AviFile* aviFile = nullptr;
    Platform::AviStream* videoStream = nullptr;
    Platform::AviStream* compressedStream = nullptr;
    Platform::AviCompressOptions compressOptions;
    // The current window copy as a packed bitmap: the 40-byte header, then
    // the pixels.
    std::vector<uint8_t> frame;
    Platform::BitmapInfoHeader frameHeader;
    Platform::WindowBitmap copy;
    std::string folder;
};

} // namespace ZorvaneEngine
