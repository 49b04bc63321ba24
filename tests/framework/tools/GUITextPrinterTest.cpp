// The typewriter text frame by frame: what it queues on its window while it
// erases and types, when it reports done, and where the growing text sits.
#include "framework/tools/GUITextPrinter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIMaterial.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlign.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/FontWriter.h"

namespace GameTools {
namespace {

using TestSupport::EngineTestEnvironment;
using ZorvaneEngine::ColorRGBA;
using ZorvaneEngine::GUITextItem;
using ZorvaneEngine::Vector2;

class GUITextPrinterTest : public ::testing::Test {
protected:
    GUITextPrinterTest()
    {
        // Not shown: drawing it only drops the frame's texts.
        window = engine->guiManager->CreateQuadWindow(0, Vector2(100, 200), Vector2(400, 60), nullptr, nullptr,
                                                      Vector2(1, 1));
        engine->timers->frameStep = 0.05f;
    }

    // One frame: the printer's update, then the text it queued ("" for
    // none).
    std::u16string Frame(GUITextPrinter& printer)
    {
        printer.Update();
        std::u16string text;
        if (window->GetTextCount() == 1)
            text = window->GetTextItems()[0]->text;
        EXPECT_LE(window->GetTextCount(), 1u);
        if (window->GetTextCount() == 1)
            item = *window->GetTextItems()[0];
        window->Draw();
        return text;
    }

    EngineTestEnvironment env;
    std::unique_ptr<ZorvaneEngine::Engine> engine = std::make_unique<ZorvaneEngine::Engine>(env.Settings());
    ZorvaneEngine::GUIWindow* window = nullptr;
    GUITextItem item;  // the last text queued
};

TEST_F(GUITextPrinterTest, ErasesWhatItShowsThenTypesTheNewText)
{
    const ColorRGBA white{1, 1, 1, 0.5f};
    GUITextPrinter printer(white, *engine, Vector2(0, 0), window, 28.0f);
    printer.SetText(u"ABC");
    EXPECT_FALSE(printer.done);

    // 28 characters a second at 0.05 s a frame: 1.4 characters a frame.
    struct Step {
        std::u16string queued;
        bool done;
    };
    const std::vector<Step> steps = {
        {u"", false},  // erasing the empty text: typing starts next frame
        {u"A", false}, {u"AB", false}, {u"ABC", true}, {u"ABC", true},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(Frame(printer), steps[i].queued) << "frame " << i;
        EXPECT_EQ(printer.done, steps[i].done) << "frame " << i;
    }
    EXPECT_FLOAT_EQ(printer.count, 3.0001f);
    EXPECT_EQ(item.font, 1);
    EXPECT_EQ(item.align, 0u);
    EXPECT_FALSE(item.isKey);
    EXPECT_EQ(item.size, -1.0f);
    EXPECT_EQ(item.color.a, 0.5f);

    printer.SetText(u"XY");
    EXPECT_FALSE(printer.done);
    const std::vector<Step> retype = {
        {u"A", false}, {u"", false}, {u"", false}, {u"X", false}, {u"XY", true},
    };
    for (size_t i = 0; i < retype.size(); ++i) {
        EXPECT_EQ(Frame(printer), retype[i].queued) << "frame " << i;
        EXPECT_EQ(printer.done, retype[i].done) << "frame " << i;
    }

    // The same text again leaves everything as it is; another one clears
    // done at once.
    printer.SetText(u"XY");
    EXPECT_TRUE(printer.done);
    EXPECT_EQ(Frame(printer), u"XY");
    printer.SetText(u"Z");
    EXPECT_FALSE(printer.done);
}

TEST_F(GUITextPrinterTest, WithoutAWindowNothingHappens)
{
    GUITextPrinter printer(ColorRGBA{1, 1, 1, 1}, *engine, Vector2(0, 0), nullptr, 28.0f);
    printer.SetText(u"ABC");
    printer.Update();
    EXPECT_EQ(printer.count, 0.0f);
    EXPECT_EQ(printer.shownText, u"");
    EXPECT_FALSE(printer.done);
}

// The growing text starts where the whole text starts when centred in the
// window, so it never moves as it grows.
TEST_F(GUITextPrinterTest, TheGrowingTextStaysWhereTheWholeTextIsCentred)
{
    std::vector<Tools::FontGlyph> glyphs;
    for (const char16_t code : std::u16string(u"ABCD")) {
        Tools::FontGlyph glyph;
        glyph.code = code;
        glyph.advance = 0.5f + 0.25f * (code - u'A');
        glyphs.push_back(glyph);
    }
    const std::string path = env.folder / "bin/data/ui/fonts/printer.fnt";
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(Tools::SaveFile(path, Tools::BuildFontFile(glyphs)));
    ZorvaneEngine::GUIFontManager& fonts = *engine->guiManager->GetFontManager();
    ZorvaneEngine::GUIFont* font =
        fonts.LoadFont(1, ZorvaneEngine::BuildGUIShaderDescriptor("", ""), "ui\\fonts\\printer.fnt");
    ASSERT_NE(font, nullptr);
    font->size = 20.0f;

    GUITextPrinter printer(ColorRGBA{1, 1, 1, 1}, *engine, Vector2(0, 0), window, 28.0f);
    printer.SetText(u"ABCD");
    Frame(printer);

    const Vector2 centred =
        fonts.GetTextPosition(ZorvaneEngine::TextAlign::Center, 1, Vector2(0, 0), 0.0f, u"ABCD", *window);
    ASSERT_GT(centred.x, window->position.x + 1.0f);  // really moved in from the left edge
    for (const char16_t* prefix : {u"A", u"AB", u"ABCD"}) {
        EXPECT_EQ(Frame(printer), prefix);
        const Vector2 pen = fonts.GetTextPosition(item.align, 1, item.offset, 0.0f, item.text, *window);
        EXPECT_FLOAT_EQ(pen.x, centred.x) << "prefix of " << item.text.size();
        EXPECT_FLOAT_EQ(pen.y, centred.y) << "prefix of " << item.text.size();
    }
}

} // namespace
} // namespace GameTools
