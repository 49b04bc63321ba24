// Screenshots and movies taken by the engine's frame through the scripted
// capture: a window copy of a known pattern (blue = x, green = y, red = the
// copy's number, from the bottom-left), the real AVI functions, and faults
// set by each test.
#include "engine/graphics/ScreenCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/input/Controls.h"
#include "platform/capture/AviFixture.h"
#include "platform/capture/scripted/ScriptedCapture.h"

namespace ZorvaneEngine {
namespace {

using Lines = std::vector<std::string>;

class ScreenCaptureTest : public ::testing::Test {
protected:
    void SetUp() override { Start(); }

    void Start() { engine = std::make_unique<Engine>(env.Settings()); }

    // One engine frame with the commands issued during it; the log lines
    // written by its end.
    Lines Frame(std::initializer_list<const char*> commands = {})
    {
        engine->Update();
        for (const char* command : commands) engine->config->SetCommandDone(command, false);
        engine->EndFrame();
        Lines lines;
        for (const LogMessage& message : engine->log->GetFrameMessages()) {
            // The text as the capture gave it: the log frames errors as
            // "\nError: <text>!".
            std::string text = message.text;
            while (!text.empty() && text.back() == '\n') text.pop_back();
            if (text.rfind("\nError: ", 0) == 0 && text.back() == '!')
                text = text.substr(8, text.size() - 9);
            lines.push_back(text);
        }
        return lines;
    }

    std::string Folder() const { return env.UserFolder() + "/ScreenCaptures"; }
    std::string PathOf(const std::string& name) const { return Folder() + "/" + name; }

    std::vector<std::string> Files() const
    {
        if (!std::filesystem::exists(Folder())) return {};
        return TestSupport::FolderEntries(Folder());
    }

    // The picture read back by the reader of its extension, checked against
    // the pattern of copy n at a few points; lossy pictures within 12.
    void ExpectPicture(const std::string& name, uint32_t n, int tolerance = 0)
    {
        SCOPED_TRACE(name);
        Image image;
        ASSERT_TRUE(Image::Load(engine->log.get(), engine->fileManager.get(), image, PathOf(name)));
        ASSERT_EQ(image.GetWidth(), 1024u);
        ASSERT_EQ(image.GetHeight(), 768u);
        for (uint32_t y : {0u, 100u, 767u}) {
            for (uint32_t x : {0u, 37u, 200u}) {
                const uint8_t* p = image.GetRow(y) + x * image.GetPixelBytes();
                EXPECT_NEAR(p[0], static_cast<int>(n % 256), tolerance) << x << "," << y;
                EXPECT_NEAR(p[1], static_cast<int>(y % 256), tolerance) << x << "," << y;
                EXPECT_NEAR(p[2], static_cast<int>(x % 256), tolerance) << x << "," << y;
            }
        }
    }

    uint32_t MovieFrames(const std::string& name) const
    {
        const std::string bytes = TestSupport::ReadWholeFile(PathOf(name));
        std::vector<TestSupport::AviChunk> chunks;
        EXPECT_TRUE(TestSupport::ListChunks(bytes, chunks)) << name;
        return chunks.empty() ? 0 : TestSupport::ReadU32(bytes, chunks[0].offset + 16);
    }

    size_t Count(const std::string& call) const
    {
        return static_cast<size_t>(std::count(capture.journal.begin(), capture.journal.end(), call));
    }

    TestSupport::EngineTestEnvironment env;
    Platform::ScriptedCapture capture;
    Platform::ScopedCapture scopedCapture{capture};
    std::unique_ptr<Engine> engine;
};

TEST_F(ScreenCaptureTest, ScreenshotsAreNamedAndWrittenByFormat)
{
    struct Step {
        const char* format;  // "sc_take_screenshot_format" before the frame
        std::vector<const char*> commands;
        const char* file;
    };
    // The "_tga" command writes BMP files and the "_jpg" one TGA files.
    const Step steps[] = {
        {"0", {"sc_take_screenshot"}, "picture000.bmp"},
        {"1", {"sc_take_screenshot"}, "picture000.tga"},
        {"2", {"sc_take_screenshot"}, "picture000.jpg"},
        {"-5", {"sc_take_screenshot"}, "picture001.bmp"},
        {"2", {"sc_take_screenshot_tga"}, "picture002.bmp"},
        {"2", {"sc_take_screenshot_jpg"}, "picture001.tga"},
        // One screenshot a frame; the last command in the fixed order wins.
        {"2", {"sc_take_screenshot_jpg", "sc_take_screenshot"}, "picture002.tga"},
    };
    std::vector<std::string> expected;
    uint32_t copy = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.file);
        engine->config->SetValue("sc_take_screenshot_format", step.format);
        engine->Update();
        for (const char* command : step.commands) engine->config->SetCommandDone(command, false);
        engine->EndFrame();
        expected.push_back(step.file);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Files(), expected);
        const bool jpeg = std::string(step.file).find(".jpg") != std::string::npos;
        ExpectPicture(step.file, copy++, jpeg ? 12 : 0);
    }
    // The negative format was stored back as 0.
    engine->config->SetValue("sc_take_screenshot_format", "-5");
    Frame({"sc_take_screenshot"});
    EXPECT_EQ(engine->config->GetValueString("sc_take_screenshot_format"), "0");
    EXPECT_EQ(engine->GetVersionString(), "Tangrove 1.03");
}

TEST_F(ScreenCaptureTest, PrintScreenAndTakenNames)
{
    // Numbers are counted per extension and gaps are filled.
    TestSupport::WriteWholeFile(PathOf("picture000.bmp"), "keep");
    TestSupport::WriteWholeFile(PathOf("picture002.bmp"), "keep");
    engine->Update();
    engine->input->SetKeyState(true, "PRINTSCRN");
    engine->EndFrame();
    EXPECT_TRUE(std::filesystem::exists(PathOf("picture001.bmp")));
    engine->config->SetValue("sc_take_screenshot_format", "1");
    Frame({"sc_take_screenshot"});
    EXPECT_TRUE(std::filesystem::exists(PathOf("picture000.tga")));

    // With every name taken, nothing is overwritten.
    for (int n = 1; n < 1000; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "picture%03d.tga", n);
        TestSupport::WriteWholeFile(PathOf(name), "keep");
    }
    const Lines lines = Frame({"sc_take_screenshot"});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "No free name for a screen capture in \"" + engine->screenCapture->GetFolder() + "\"");
    EXPECT_EQ(TestSupport::ReadWholeFile(PathOf("picture999.tga")), "keep");
}

TEST_F(ScreenCaptureTest, MovieTakesOneFramePerGameFrame)
{
    EXPECT_EQ(Frame({"sc_stop_movie_record"}), Lines{});  // not recording: nothing

    EXPECT_EQ(Frame({"sc_start_movie_record"}), Lines{"AVI recording is starting..."});
    ASSERT_TRUE(engine->screenCapture->IsRecording());
    const std::string movie = engine->screenCapture->GetFolder() + "\\movie000.avi";
    const std::vector<std::string> start = {"AVIFileInit", "CopyWindow 1024x768", "AVIFileOpen " + movie,
                                            "AVIFileCreateStream", "AVISaveOptions",
                                            "AVIMakeCompressedStream", "AVIStreamSetFormat 0 40",
                                            "CopyWindow 1024x768", "AVIStreamWrite 0 1 3145728 0x10"};
    ASSERT_GE(capture.journal.size(), start.size());
    EXPECT_EQ(std::vector<std::string>(capture.journal.end() - start.size(), capture.journal.end()), start);
    const Platform::AviStreamInfo& info = capture.lastStreamInfo;
    EXPECT_EQ(info.type, Platform::streamtypeVIDEO);
    EXPECT_EQ(info.handler, 0u);
    EXPECT_EQ(info.scale, 1u);
    EXPECT_EQ(info.rate, 33u);
    EXPECT_EQ(info.suggestedBufferSize, 1024u * 768 * 4);
    EXPECT_EQ(info.frameRight, 1024);
    EXPECT_EQ(info.frameBottom, 768);
    // No dialog on this platform: the window stays where it is.
    EXPECT_EQ(env.windowing.CountCalls("PostMessage"), 0);

    Frame();
    EXPECT_EQ(Frame({"sc_start_movie_record"}), Lines{"AVI recording was already started"});
    // A frame with a screenshot adds no movie frame.
    Frame({"sc_take_screenshot"});
    Frame();
    EXPECT_EQ(capture.journal.back(), "AVIStreamWrite 3 1 3145728 0x10");
    EXPECT_EQ(Count("AVIStreamWrite 3 1 3145728 0x10"), 1u);
    EXPECT_EQ(engine->screenCapture->GetFrameIndex(), 4u);

    EXPECT_EQ(Frame({"sc_stop_movie_record"}), Lines{"AVI record finished"});
    EXPECT_FALSE(engine->screenCapture->IsRecording());
    EXPECT_EQ(Files(), (std::vector<std::string>{"movie000.avi", "picture000.bmp"}));
    EXPECT_EQ(MovieFrames("movie000.avi"), 4u);
    // The second frame written was the window's third copy (the first went
    // to the movie's format).
    const std::string bytes = TestSupport::ReadWholeFile(PathOf("movie000.avi"));
    std::vector<TestSupport::AviChunk> chunks;
    ASSERT_TRUE(TestSupport::ListChunks(bytes, chunks));
    EXPECT_EQ(chunks[4].path, "movi/00db");
    EXPECT_EQ(bytes.substr(chunks[4].offset + 4 * 1024 * 5 + 4 * 7, 4), std::string("\x07\x05\x02\x00", 4));

    // A movie and a screenshot asked for in one frame each keep their name.
    Frame({"sc_take_screenshot", "sc_start_movie_record"});
    Frame({"sc_stop_movie_record"});
    EXPECT_EQ(Files(), (std::vector<std::string>{"movie000.avi", "movie001.avi", "picture000.bmp",
                                                 "picture001.bmp"}));
    ExpectPicture("picture001.bmp", capture.copies - 1);
    EXPECT_EQ(MovieFrames("movie001.avi"), 0u);
}

TEST_F(ScreenCaptureTest, FailuresEndTheRecordingAndAreLogged)
{
    struct Case {
        const char* name;
        void (*prepare)(Platform::ScriptedCapture&);
        Lines atStart;
        // The next frame's changes and lines; null when none.
        void (*next)(Platform::ScriptedCapture&, Engine&);
        Lines atNext;
        uint32_t framesInMovie;  // ~0u: no movie file
        uint32_t frameIndex;     // after the next frame
    };
    const Case cases[] = {
        {"old library", [](Platform::ScriptedCapture& c) { c.version = 0x01090000; },
         {"Video For Windiws version is too old"}, nullptr, {}, ~0u, 0},
        {"cancelled dialog",
         [](Platform::ScriptedCapture& c) {
             c.hasDialog = true;
             c.cancelDialog = true;
         },
         {"AVI recording is starting...", "Failed to create avi stream", "AVI record finished"}, nullptr, {},
         0, 0},
        // The first copy fails: no movie is begun without its format.
        {"first copy", [](Platform::ScriptedCapture& c) { c.failCopy = true; },
         {"AVI recording is starting...", "Failed to print image from screen", "AVI record finished"}, nullptr,
         {}, ~0u, 0},
        {"write", [](Platform::ScriptedCapture& c) { c.failWriteAt = 1; },
         {"AVI recording is starting..."}, [](Platform::ScriptedCapture&, Engine&) {},
         {"Failed to write to avi stream", "AVI record finished"}, 1, 2},
        // A copy of another size than the window (a mode change).
        {"size", [](Platform::ScriptedCapture&) {}, {"AVI recording is starting..."},
         [](Platform::ScriptedCapture& c, Engine&) { c.copyWidth = 800; },
         {"Failed to print image from screen", "AVI record finished"}, 1, 1},
        // The window and its picture change size together: the frame no
        // longer fits the movie.
        {"mode change", [](Platform::ScriptedCapture&) {}, {"AVI recording is starting..."},
         [](Platform::ScriptedCapture&, Engine& e) {
             e.window->width = 800;
             e.window->height = 600;
         },
         {"Failed to write to avi stream", "AVI record finished"}, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        engine.reset();
        std::filesystem::remove_all(Folder());
        capture = Platform::ScriptedCapture();
        c.prepare(capture);
        Start();
        EXPECT_EQ(Frame({"sc_start_movie_record"}), c.atStart);
        if (c.next != nullptr) {
            c.next(capture, *engine);
            EXPECT_EQ(Frame(), c.atNext);
            EXPECT_EQ(engine->screenCapture->GetFrameIndex(), c.frameIndex);
        }
        EXPECT_FALSE(engine->screenCapture->IsRecording());
        if (c.framesInMovie == ~0u) {
            EXPECT_EQ(Count("AVIFileOpen " + engine->screenCapture->GetFolder() + "\\movie000.avi"), 0u);
            EXPECT_FALSE(std::filesystem::exists(PathOf("movie000.avi")));
        } else {
            EXPECT_EQ(MovieFrames("movie000.avi"), c.framesInMovie);
        }
    }

    // A codec dialog hides the window while it is open and gives the focus
    // back after it.
    const std::vector<std::string>& calls = env.windowing.calls;
    const auto minimise = std::find_if(calls.begin(), calls.end(), [](const std::string& call) {
        return call.find("PostMessage(") == 0 && call.find(", 0x112, 0xf020, 0)") != std::string::npos;
    });
    ASSERT_NE(minimise, calls.end());
    EXPECT_NE(std::find_if(minimise, calls.end(),
                           [](const std::string& call) {
                               return call.find("PostMessage(") == 0 && call.find(", 0x7, 0x0, 0)") != std::string::npos;
                           }),
              calls.end());
}

TEST_F(ScreenCaptureTest, ScreenshotWithoutACopyWritesNothing)
{
    // An old library stops movies only.
    engine.reset();
    capture.version = 0x01000000;
    Start();
    Frame({"sc_take_screenshot"});
    EXPECT_EQ(Files(), std::vector<std::string>{"picture000.bmp"});

    capture.failCopy = true;
    engine->config->SetValue("sc_take_screenshot_format", "2");
    EXPECT_EQ(Frame({"sc_take_screenshot"}), Lines{"Failed to print image from screen"});
    capture.failCopy = false;
    capture.copyHeight = 600;
    EXPECT_EQ(Frame({"sc_take_screenshot"}), Lines{"Failed to print image from screen"});
    EXPECT_EQ(Files(), std::vector<std::string>{"picture000.bmp"});
}

} // namespace
} // namespace ZorvaneEngine
