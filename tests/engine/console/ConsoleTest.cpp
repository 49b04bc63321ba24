// The console on the engine (scripted window, input and renderer): a font
// of 10 units a glyph and 20 units a line, an 800 by 600 GUI area, the
// toggle key pressed on the scripted keyboard, and text typed as the
// window's character and key messages.
#include "engine/console/Console.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "engine/core/Window.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "platform/input/ScanCodes.h"
#include "platform/input/scripted/ScriptedInput.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/FontWriter.h"

namespace ZorvaneEngine {
namespace {

using Platform::Message;

const ColorRGBA kWhite(1, 1, 1, 1);
const ColorRGBA kGrey(0.5f, 0.5f, 0.5f, 1);
const ColorRGBA kRed(1, 0, 0, 1);
const ColorRGBA kGreen(0, 1, 0, 1);
const ColorRGBA kBlue(0, 0, 1, 1);

std::string Name(const ColorRGBA& c)
{
    if (c.r == 1 && c.g == 1 && c.b == 1) return "white";
    if (c.r == 0.5f && c.g == 0.5f && c.b == 0.5f) return "grey";
    if (c.r == 1 && c.g == 0 && c.b == 0) return "red";
    if (c.r == 0 && c.g == 1 && c.b == 0) return "green";
    if (c.r == 0 && c.g == 0 && c.b == 1) return "blue";
    return "other";
}

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<Tools::FontGlyph> glyphs;
        for (char16_t c = 0x20; c < 0x7F; ++c) glyphs.push_back({c, 0, 0, 0, 0, 0.5f});
        // A glyph wider than the screen on its own.
        glyphs.push_back({u'\u2588', 0, 0, 0, 0, 50.0f});
        std::filesystem::create_directories(env.folder / "bin/data");
        ASSERT_TRUE(Tools::SaveFile(env.folder / "bin/data/console.fnt", Tools::BuildFontFile(glyphs)));
    }

    // fontSize: the console font's size; its glyphs are half as wide.
    void Start(const std::string& ini = "", float fontSize = 20)
    {
        if (!ini.empty()) TestSupport::WriteWholeFile(env.IniPath(), ini);
        engine = std::make_unique<Engine>(env.Settings());
        engine->guiManager->GetCamera()->orthoWidth = 800;
        engine->guiManager->GetCamera()->orthoHeight = 600;
        GUIFont* font = engine->guiManager->GetFontManager()->LoadFont(0, ShaderDescriptor(), "console.fnt");
        font->size = fontSize;
        engine->CreateConsole(engine->GetVersionString(), ShaderDescriptor(), 0, "~", 0.95f, 308, 1000);
        console = engine->console.get();
        Frame();
    }

    // One frame of a tenth of a second, after the messages given.
    void Frame(std::initializer_list<Message> messages = {})
    {
        env.scripted.Advance(100);
        for (Message message : messages) {
            message.window = engine->window->handle;
            env.windowing.PostMessage(message.window, message.message, message.wParam, message.lParam);
        }
        Message message;
        while (env.windowing.PeekMessage(message)) env.windowing.DispatchMessage(message);
        engine->Update();
        texts.clear();
        for (uint32_t i = 0; i < console->GetPanel()->GetTextCount(); ++i) {
            const GUITextItem& item = *console->GetPanel()->GetTextItems()[i];
            texts.push_back(ToNarrow(item.text) + "@" + std::to_string(static_cast<int>(item.offset.x)) + "," +
                            std::to_string(static_cast<int>(item.offset.y)));
        }
        engine->EndFrame();
    }

    void Toggle()
    {
        input.PushRecord(Platform::DeviceKind::SysKeyboard, Platform::DIK_GRAVE, 0x80);
        Frame();
        input.PushRecord(Platform::DeviceKind::SysKeyboard, Platform::DIK_GRAVE, 0);
    }

    void Open()
    {
        Toggle();
        for (int i = 0; i < 10 && console->GetState() != Console::Shown; ++i) Frame();
        ASSERT_EQ(console->GetState(), Console::Shown);
    }

    void Key(uint16_t code) { Frame({Message{nullptr, Platform::WM_KEYDOWN, code, 0}}); }

    void Type(const std::string& text)
    {
        for (char c : text) Frame({Message{nullptr, Platform::WM_CHAR, static_cast<uint8_t>(c), 0}});
    }

    void Run(const std::string& line)
    {
        Type(line);
        Key(Console::KeyEnter);
    }

    std::string CommandLine() const { return ToNarrow(console->GetCommandLine()->text); }

    // The output from piece first on: "colour:text", "|" after a piece that
    // ends its line.
    std::vector<std::string> Output(size_t first) const
    {
        std::vector<std::string> pieces;
        const auto& output = console->GetOutput();
        for (size_t i = first; i < output.size(); ++i)
            pieces.push_back(Name(output[i].color) + ":" + WideToUtf8(output[i].text) + (output[i].endsLine ? "|" : ""));
        return pieces;
    }

    TestSupport::EngineTestEnvironment env;
    Platform::ScriptedInput input;
    Platform::ScopedInput scopedInput{input};
    std::unique_ptr<Engine> engine;
    Console* console = nullptr;
    std::vector<std::string> texts;  // the panel's texts of the last frame
};

TEST_F(ConsoleTest, SettingsAreRegisteredCheckedAndKept)
{
    Start();
    Config& config = *engine->config;
    EXPECT_EQ(config.GetDefaultString("ui_console_alpha"), "0.9500");
    EXPECT_EQ(config.GetDefaultString("ui_console_size"), "308.0000");
    EXPECT_EQ(config.GetDefaultString("ui_console_speed"), "1000.0000");
    EXPECT_EQ(config.GetDefaultString("ui_console_key"), "~");
    EXPECT_EQ(config.GetDefaultString("say"), "");
    engine.reset();

    // Saved values out of range give way to the console's own.
    struct Case {
        const char* ini;
        float alpha, height, speed;
    };
    const Case cases[] = {
        {"ui_console_alpha 0.5\r\nui_console_size 600\r\nui_console_speed 0\r\n", 0.5f, 600, 0},
        {"ui_console_alpha 0\r\nui_console_size 700\r\nui_console_speed -1\r\n", 0.95f, 308, 1000},
        {"ui_console_alpha 1.5\r\nui_console_size 0\r\n", 0.95f, 308, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        Start(c.ini);
        EXPECT_EQ(console->GetAlpha(), c.alpha);
        EXPECT_EQ(console->GetHeight(), c.height);
        EXPECT_EQ(console->GetSpeed(), c.speed);
        engine.reset();
    }

    // Gone with the console, the variables keep their values and are saved;
    // "say" is not saved.
    Start("ui_console_size 250\r\n");
    Run("say hi");
    engine->console.reset();
    EXPECT_EQ(engine->config->Execute("ui_console_size 100"), ConfigResult::UnknownName);
    EXPECT_EQ(engine->config->GetValueString("ui_console_size"), "250.000000");
    engine.reset();
    const std::string ini = TestSupport::ReadWholeFile(env.IniPath());
    EXPECT_NE(ini.find("ui_console_size 250.000000\r\n"), std::string::npos);
    EXPECT_NE(ini.find("ui_console_key ~\r\n"), std::string::npos);
    EXPECT_EQ(ini.find("say"), std::string::npos);
}

TEST_F(ConsoleTest, SlidesInAndOutOnItsKey)
{
    Start();
    GUIWindow* panel = console->GetPanel();
    EXPECT_EQ(console->GetState(), Console::Hidden);
    EXPECT_FALSE(panel->effectivelyVisible);
    EXPECT_EQ(panel->position.y, 600);

    // 1000 units a second, a tenth of a second a frame.
    Toggle();
    EXPECT_TRUE(panel->effectivelyVisible);
    std::vector<std::pair<int, float>> path{{console->GetState(), panel->position.y}};
    for (int i = 0; i < 3; ++i) {
        Frame();
        path.emplace_back(console->GetState(), panel->position.y);
    }
    EXPECT_EQ(path, (std::vector<std::pair<int, float>>{{0, 500}, {0, 400}, {0, 300}, {1, 292}}));
    EXPECT_TRUE(console->GetCommandLine()->active);
    EXPECT_NEAR(panel->GetColor().a, 0.95f, 1 / 255.0f);

    Toggle();
    EXPECT_EQ(console->GetState(), Console::SlidingOut);
    EXPECT_FALSE(console->GetCommandLine()->active);
    for (int i = 0; i < 4; ++i) Frame();
    EXPECT_EQ(console->GetState(), Console::Hidden);
    EXPECT_EQ(panel->position.y, 600);
    EXPECT_FALSE(panel->effectivelyVisible);

    // The key while sliding in turns the panel back where it is.
    Toggle();
    EXPECT_EQ(panel->position.y, 500);
    Frame();
    Toggle();
    EXPECT_EQ(console->GetState(), Console::SlidingOut);
    EXPECT_EQ(panel->position.y, 500);
    Frame();
    EXPECT_EQ(panel->position.y, 600);
    Frame();
    EXPECT_EQ(console->GetState(), Console::Hidden);
}

TEST_F(ConsoleTest, ShowsTheLogAndWrapsAtTheScreenWidth)
{
    Start();
    const size_t first = console->GetOutput().size();
    engine->log->Message("plain");
    engine->log->Warning("careful");
    engine->log->Error("bad");
    Frame();
    std::vector<std::string> colours;
    for (const std::string& piece : Output(first))
        if (piece.find("plain") != std::string::npos || piece.find("careful") != std::string::npos ||
            piece.find("bad") != std::string::npos)
            colours.push_back(piece.substr(0, piece.find(':')));
    EXPECT_EQ(colours, (std::vector<std::string>{"white", "grey", "red"}));

    const size_t next = console->GetOutput().size();
    console->AddText(std::u16string(100, u'a'), kWhite);
    console->AddText(u"bc", kGreen);
    console->AddText(u"d\nx\u2588y", kBlue);
    EXPECT_EQ(Output(next), (std::vector<std::string>{"white:" + std::string(80, 'a') + "|",
                                                      "white:" + std::string(20, 'a'), "green:bc", "blue:d|",
                                                      "blue:x|", "blue:\u2588|", "blue:y"}));
}

TEST_F(ConsoleTest, RunsTypedLinesThroughTheConfiguration)
{
    Start();
    Open();
    const size_t first = console->GetOutput().size();
    Run("v_gamma");
    EXPECT_EQ(CommandLine(), "");
    Run("foo");
    Run("say hello");
    Run("v_gamma 1.5");
    EXPECT_EQ(engine->config->gamma, 1.5f);
    EXPECT_EQ(Output(first),
              (std::vector<std::string>{"blue:]\\v_gamma|", "white:\"v_gamma\" is \"1.000000\", default is \"1.0\"|",
                                        "blue:]\\foo|", "white:Unknown command \"foo\"|", "blue:]\\say hello|",
                                        "white:Tamvik: \"", "green:hello", "white:\"|", "blue:]\\v_gamma 1.5|"}));

    // The history, walked with Up and Down.
    const std::vector<std::string> seen = [&] {
        std::vector<std::string> lines;
        for (uint16_t key : {Console::KeyUp, Console::KeyUp, Console::KeyDown, Console::KeyDown,
                             Console::KeyDown, Console::KeyUp}) {
            Key(key);
            lines.push_back(CommandLine());
        }
        return lines;
    }();
    EXPECT_EQ(seen, (std::vector<std::string>{"\\v_gamma 1.5", "\\say hello", "\\v_gamma 1.5", "", "",
                                              "\\v_gamma 1.5"}));
    Key(Console::KeyEscape);
    EXPECT_EQ(CommandLine(), "");

    // A line left typed in a closed console never runs.
    Type("exit");
    Toggle();
    for (int i = 0; i < 4; ++i) Frame();
    ASSERT_EQ(console->GetState(), Console::Hidden);
    Key(Console::KeyEnter);
    EXPECT_TRUE(engine->config->IsCommandDone("exit"));
}

TEST_F(ConsoleTest, TabCompletesNames)
{
    Start();
    Open();
    const size_t first = console->GetOutput().size();
    Type("R_S");
    Key(Console::KeyTab);
    EXPECT_EQ(CommandLine(), "\\r_show_");
    EXPECT_EQ(Output(first), (std::vector<std::string>{"blue:\\r_s|", "white:   r_show_faces_edges|",
                                                       "white:   r_show_faces_normals|", "white:   r_show_mip_maps|",
                                                       "white:   r_show_octree_nodes|"}));
    Key(Console::KeyEscape);
    Type("ex");
    Key(Console::KeyTab);
    EXPECT_EQ(CommandLine(), "\\exit ");
}

TEST_F(ConsoleTest, LaysOutLinesUpwardAndScrolls)
{
    Start();
    for (int i = 0; i < 20; ++i) console->AddText(u"line " + IntToWideText(i) + u"\n", kWhite);
    Open();
    // The version right-aligned across the 800 units, the prompt, then the
    // newest lines upward, 24 units apart from 4, up to half a line below
    // the top of the 308 units.
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[0], std::string(67, ' ') + "Tangrove 1.03@0,4");
    EXPECT_EQ(texts[1], "]@0,28");
    EXPECT_EQ(texts[2], "line 19@0,52");
    EXPECT_EQ(texts.back(), "line 10@0,268");
    EXPECT_EQ(console->GetCommandLine()->position.x, 10);

    Key(Console::KeyPageUp);
    Key(Console::KeyPageUp);
    EXPECT_EQ(console->GetScrollOffset(), 2u);
    Frame();
    EXPECT_EQ(texts[2], std::string(80, '^') + "@0,52");
    EXPECT_EQ(texts[3], "line 17@0,76");
    Key(Console::KeyPageDown);
    Frame();
    EXPECT_EQ(texts[3], "line 18@0,76");
    // Scrolled past the oldest line, the offset is taken back.
    for (int i = 0; i < 300; ++i) Key(Console::KeyPageUp);
    Frame();
    EXPECT_LT(console->GetScrollOffset(), console->GetOutput().size());
    EXPECT_EQ(texts.size(), 4u) << ::testing::PrintToString(texts);
}

// The version line is padded with blanks up to the right edge, at most up
// to 255 characters in all, and then one blank shorter.
TEST_F(ConsoleTest, TheVersionLineReachesTheRightEdgeOrTheLongestLine)
{
    struct Case {
        float fontSize;  // a glyph is half as wide
        size_t blanks;
    };
    for (const Case& c : {Case{20, 67}, Case{10, 147}, Case{2, 255 - 13 - 1}}) {
        SCOPED_TRACE(c.fontSize);
        engine.reset();
        Start("", c.fontSize);
        Open();
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0].substr(0, texts[0].find('@')), std::string(c.blanks, ' ') + "Tangrove 1.03");
    }
}

} // namespace
} // namespace ZorvaneEngine
