// Screenshots and a movie of a known frame on the real OpenGL driver
// (SDL's offscreen video driver on Mesa): a red GUI panel over the left half
// of the 800 × 600 GUI area, the clear colour on the right. The picture
// files are read back by the engine's readers, the movie by ffprobe and
// ffmpeg.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/graphics/ScreenCapture.h"
#include "engine/gui/GUIManager.h"
#include "platform/capture/AviFixture.h"
#include "platform/system/TemporaryFolder.h"

namespace ZorvaneEngine {
namespace {

TEST(ScreenCaptureOpenGl, PicturesAndMovieShowTheFrameOnScreen)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    TestSupport::TemporaryFolder folder;
    TestSupport::ScopedEnvironment dataHome{"XDG_DATA_HOME", (folder / "home").c_str()};
    EngineSettings settings;
    settings.title = "Capture";
    settings.version = 100;
    settings.baseFolder = folder.Path();
    settings.configName = "capture";
    settings.configFolder = folder / "user";
    settings.videoMode = "1024x768x32";
    settings.videoModeGiven = true;
    settings.fullscreenGiven = true;
    settings.keepWindowSize = true;
    auto engine = std::make_unique<Engine>(settings);
    ASSERT_TRUE(engine->renderer->IsReady());
    engine->renderer->clearColor = ColorRGBA(0.2f, 0.2f, 0.2f, 1);
    engine->guiManager->GetCamera()->orthoWidth = 800;
    engine->guiManager->GetCamera()->orthoHeight = 600;
    GUIWindow* panel = engine->guiManager->CreateQuadWindow(
        GUIWindowFlags::Visible | GUIWindowFlags::VertexColor, {0, 0}, {400, 600}, nullptr, nullptr, {1, 1});
    panel->SetColor(ColorRGBA(1, 0, 0, 1));

    const auto frame = [&](std::initializer_list<const char*> commands) {
        engine->Update();
        for (const char* command : commands) engine->config->SetCommandDone(command, false);
        engine->EndFrame();
    };
    const std::string captures = folder / "user/ScreenCaptures/";
    frame({"sc_take_screenshot"});
    frame({"sc_take_screenshot_jpg"});
    frame({"sc_start_movie_record"});
    frame({});
    frame({"sc_stop_movie_record"});
    engine.reset();

    // Bottom-up rows of R, G, B: the left half red, the right the clear
    // colour, JPEG within its loss.
    for (const char* name : {"picture000.bmp", "picture000.tga"}) {
        SCOPED_TRACE(name);
        MessageManager log("", "", "test", false, false);
        FileManager files("", &log, folder.Path());
        Image image;
        ASSERT_TRUE(Image::Load(&log, &files, image, captures + name));
        ASSERT_EQ(image.GetWidth(), 1024u);
        ASSERT_EQ(image.GetHeight(), 768u);
        for (uint32_t y : {10u, 700u}) {
            const uint8_t* row = image.GetRow(y);
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(row + 100 * 3), 3), std::string("\xFF\0\0", 3));
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(row + 900 * 3), 3), std::string("\x33\x33\x33", 3));
        }
    }

    const std::string movie = captures + "movie000.avi";
    auto probe = TestSupport::Probe(movie);
    EXPECT_EQ(probe["width"], "1024");
    EXPECT_EQ(probe["height"], "768");
    EXPECT_EQ(probe["r_frame_rate"], "33/1");
    EXPECT_EQ(probe["nb_read_frames"], "2");
    const std::string picture = TestSupport::DecodeFrame(movie, 1);
    ASSERT_EQ(picture.size(), 1024u * 768 * 3);
    EXPECT_EQ(picture.substr(100 * 3, 3), std::string("\xFF\0\0", 3));
    EXPECT_EQ(picture.substr(900 * 3, 3), std::string("\x33\x33\x33", 3));
}

} // namespace
} // namespace ZorvaneEngine
