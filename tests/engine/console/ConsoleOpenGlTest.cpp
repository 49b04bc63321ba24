// The console on the real OpenGL driver (headless: SDL's offscreen video
// driver on Mesa): a font rendered from DejaVu Sans Mono by the font tools,
// a dark translucent panel picture, the log and a command typed into it,
// and the screen taken by the engine's own screenshot command. The panel
// hangs from the top edge, text shows on it, the scene shows below it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "engine/Engine.h"
#include "engine/console/Console.h"
#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIMaterial.h"
#include "platform/input/ScanCodes.h"
#include "platform/input/scripted/ScriptedInput.h"
#include "platform/system/SteppedClockSystem.h"
#include "platform/system/TemporaryFolder.h"
#include "platform/window/Messages.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/FontCharacters.h"
#include "tools/common/FontWriter.h"
#include "tools/common/FreeTypeRasterizer.h"

namespace ZorvaneEngine {
namespace {

TEST(ConsoleOpenGl, PanelTextAndSceneOnScreen)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    TestSupport::TemporaryFolder folder;
    TestSupport::SteppedClock clock;
    TestSupport::ScopedEnvironment dataHome{"XDG_DATA_HOME", (folder / "home").c_str()};
    Platform::ScriptedInput input;
    Platform::ScopedInput installedInput{input};

    // The console font and panel picture, as the data build would make them.
    Tools::RasterFont raster;
    std::vector<char16_t> missing;
    std::string error;
    ASSERT_TRUE(Tools::RasterizeFont("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 16,
                                     Tools::DefaultFontCharacters(), raster, missing, error))
        << error;
    const Tools::FontAtlas atlas = Tools::BuildFontAtlas(raster);
    std::filesystem::create_directories(folder / "data/ui/fonts");
    ASSERT_TRUE(Tools::SaveFile(folder / "data/ui/fonts/mono.fnt", Tools::BuildFontFile(atlas.glyphs)));
    {
        MessageManager log("", "", "test", false, false);
        FileManager files("", &log, folder.Path());
        ASSERT_TRUE(Image::Save(&log, &files, atlas.texture, "data\\ui\\fonts\\mono.tga"));
        Image picture;
        picture.Create(64, 64, 32, &log);
        for (uint32_t y = 0; y < 64; ++y)
            for (uint32_t x = 0; x < 64; ++x) {
                uint8_t* p = picture.GetRow(y) + x * 4;
                p[0] = 10;
                p[1] = 20;
                p[2] = static_cast<uint8_t>(60 + y);
                p[3] = 230;
            }
        ASSERT_TRUE(Image::Save(&log, &files, picture, "data\\ui\\console\\console.tga"));
    }

    EngineSettings settings;
    settings.title = "Tangrove";
    settings.version = 103;
    settings.baseFolder = folder.Path();
    settings.configName = "console";
    settings.configFolder = folder / "user";
    settings.videoMode = "1024x768x32";
    settings.videoModeGiven = true;
    settings.fullscreenGiven = true;
    settings.keepWindowSize = true;
    auto engine = std::make_unique<Engine>(settings);
    ASSERT_TRUE(engine->renderer->IsReady());
    engine->renderer->clearColor = ColorRGBA(0.2f, 0.5f, 0.2f, 1);
    engine->guiManager->GetCamera()->orthoWidth = 800;
    engine->guiManager->GetCamera()->orthoHeight = 600;
    GUIFont* font = engine->guiManager->GetFontManager()->LoadFont(
        0, BuildGUIShaderDescriptor("32bit", "ui\\fonts\\mono.tga"), "ui\\fonts\\mono.fnt");
    font->size = static_cast<float>(raster.ascent + raster.descent);
    engine->CreateConsole(engine->GetVersionString(), BuildGUIShaderDescriptor("32bit", "ui\\console\\console.tga"),
                          0, "~", 0.95f, 308, 1000);

    const auto frame = [&](uint32_t message, uint16_t code) {
        if (message != 0) engine->window->WindowProc(message, code, 0);
        clock.Step();
        engine->Update();
        engine->EndFrame();
    };
    engine->log->Warning("A warning from the engine");
    engine->log->Error("An error from the engine");
    input.PushRecord(Platform::DeviceKind::SysKeyboard, Platform::DIK_GRAVE, 0x80);
    frame(0, 0);
    input.PushRecord(Platform::DeviceKind::SysKeyboard, Platform::DIK_GRAVE, 0);
    // The slide runs on the test's clock.
    for (int i = 0; i < 2000 && engine->console->GetState() != Console::Shown; ++i) frame(0, 0);
    ASSERT_EQ(engine->console->GetState(), Console::Shown);
    for (char c : std::string("v_gamma")) frame(Platform::WM_CHAR, static_cast<uint16_t>(c));
    frame(Platform::WM_KEYDOWN, Console::KeyEnter);
    for (char c : std::string("say hello")) frame(Platform::WM_CHAR, static_cast<uint16_t>(c));
    frame(Platform::WM_KEYDOWN, Console::KeyEnter);
    for (char c : std::string("r_s")) frame(Platform::WM_CHAR, static_cast<uint16_t>(c));
    frame(Platform::WM_KEYDOWN, Console::KeyTab);
    engine->config->SetCommandDone("sc_take_screenshot", false);
    frame(0, 0);
    engine.reset();

    MessageManager log("", "", "test", false, false);
    FileManager files("", &log, folder.Path());
    Image screen;
    ASSERT_TRUE(Image::Load(&log, &files, screen, folder / "user/ScreenCaptures/picture000.bmp"));
    ASSERT_EQ(screen.GetWidth(), 1024u);
    ASSERT_EQ(screen.GetHeight(), 768u);
    const auto at = [&](uint32_t x, uint32_t y) { return screen.GetRow(y) + x * 3; };
    // The panel: 308 of the 600 GUI units from the top, 395 of 768 rows.
    uint32_t panelPixels = 0;
    uint32_t inkPixels = 0;
    for (uint32_t y = 768 - 390; y < 768; ++y)
        for (uint32_t x = 0; x < 1024; ++x) {
            const uint8_t* p = at(x, y);
            if (p[2] > p[1] && p[1] < 60) ++panelPixels;
            if (p[0] > 200 && p[1] > 200 && p[2] > 200) ++inkPixels;
        }
    EXPECT_GT(panelPixels, 1024u * 390 * 8 / 10);
    EXPECT_GT(inkPixels, 1000u);
    // Below the panel, the scene's clear colour.
    for (uint32_t y : {10u, 300u}) {
        const uint8_t* p = at(512, y);
        EXPECT_EQ(p[0], 51);
        EXPECT_EQ(p[1], 127);
        EXPECT_EQ(p[2], 51);
    }
}

} // namespace
} // namespace ZorvaneEngine
