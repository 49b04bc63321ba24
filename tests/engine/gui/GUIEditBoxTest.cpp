// The edit box on its window: key and character messages of the window
// through the controls, the texts it queues for the frame and the blinking caret, with
// a font whose every glyph is 10 units wide.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "tests/engine/gui/GUIFixture.h"
#include "platform/window/Messages.h"
#include "tools/common/FontWriter.h"

namespace ZorvaneEngine {
namespace {

class GUIEditBoxTest : public GUIFixture {
protected:
    void SetUp() override
    {
        GUIFixture::SetUp();
        std::vector<Tools::FontGlyph> glyphs;
        for (char16_t c = u'a'; c <= u'z'; ++c) {
            Tools::FontGlyph glyph;
            glyph.code = c;
            glyph.advance = 1.0f;
            glyphs.push_back(glyph);
        }
        Put("mono.fnt", Tools::BuildFontFile(glyphs));
        font = gui->GetFontManager()->LoadFont(3, ShaderDescriptor(), "mono.fnt");
        font->size = 10.0f;
        timers->GetMainTimer()->SetTime(0.2f);  // the caret's shown half
    }
    // Six characters and the caret fit the visible width.
    // On a copy of a quad with vertex colours, so the window has an alpha.
    GUIEditBox* MakeBox(int32_t maxCharacters = 40, float maxWidth = 1000.0f, int32_t fontId = 3)
    {
        GUIWindow* art = Quad(GUIWindowFlags::VertexColor, {0, 0}, {1, 1});
        const ColorRGBA red(1, 0, 0, 0.8f);
        return gui->CreateEditBox(Shown | GUIWindowFlags::VertexColor, {100, 100}, {300, 30},
                                  art->model, fontId, red, {5, 8}, maxCharacters, maxWidth, 70.0f,
                                  nullptr);
    }

    // One frame in which the window received the messages.
    void Receive(const std::vector<std::pair<uint32_t, uint16_t>>& messages)
    {
        for (const auto& [message, wParam] : messages) window->WindowProc(message, wParam, 1);
        gui->Update();
        gui->Draw();
        controls->EndFrame();
    }
    // A key goes down; Backspace also makes a control character, which is
    // no text.
    void Key(uint16_t virtualKey)
    {
        if (virtualKey == 0x08) {
            Receive({{Platform::WM_KEYDOWN, virtualKey}, {Platform::WM_CHAR, 0x08}});
        } else {
            Receive({{Platform::WM_KEYDOWN, virtualKey}});
        }
    }
    // Each character a frame: its key goes down, then the character comes.
    void Type(const std::u16string& text)
    {
        for (char16_t c : text) {
            Receive({{Platform::WM_KEYDOWN, static_cast<uint16_t>(std::toupper(c & 0x7F))},
                   {Platform::WM_CHAR, c}});
        }
    }

    // The texts the box queued in this frame's update.
    std::vector<GUITextItem> Queued(GUIEditBox* box)
    {
        gui->Update();
        std::vector<GUITextItem> items;
        for (uint32_t i = 0; i < box->GetTextCount(); ++i) items.push_back(*box->GetTextItems()[i]);
        gui->Draw();
        controls->EndFrame();
        return items;
    }

    GUIFont* font = nullptr;  // the font manager's
};

TEST_F(GUIEditBoxTest, TypedCharactersAndEditingKeysReachTheText)
{
    GUIEditBox* box = MakeBox(5);
    Type(u"abc");
    Key(0x25);  // Left
    Type(u"x#");       // '#' has no glyph
    EXPECT_EQ(box->text, u"abxc");
    EXPECT_EQ(box->caret, 3);
    Key(0x2E);  // Delete
    Key(0x24);  // Home
    Key(0x2D);  // Insert: overwrite
    Type(u"q");
    Key(0x23);  // End
    Type(u"yz");
    Key(0x08);  // Backspace in the full box takes the character under the caret
    EXPECT_EQ(box->text, u"qbxy");
    EXPECT_EQ(box->caret, 4);

    // An inactive box takes no keys.
    box->active = false;
    Type(u"k");
    EXPECT_EQ(box->text, u"qbxy");
}

TEST_F(GUIEditBoxTest, TheVisibleTextAndTheCaretAreQueuedEachFrame)
{
    GUIEditBox* box = MakeBox();
    box->SetColor(ColorRGBA(1, 1, 1, 0.5f));
    Type(u"abcdefghij");
    EXPECT_EQ(box->firstVisible, 4);

    std::vector<GUITextItem> items = Queued(box);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, u"efghij");
    EXPECT_EQ(items[0].font, 3);
    EXPECT_EQ(items[0].size, -1.0f);
    EXPECT_FALSE(items[0].isKey);
    EXPECT_EQ(items[0].offset.x, 5.0f);
    EXPECT_EQ(items[0].offset.y, 8.0f);
    // The window's alpha fades the text.
    EXPECT_NEAR(items[0].color.a, 0.4f, 0.002f);  // vertex colours keep 8 bits
    EXPECT_EQ(items[0].color.r, 1.0f);
    EXPECT_EQ(items[1].text, u"_");
    EXPECT_EQ(items[1].offset.x, 65.0f);  // after six characters
    EXPECT_EQ(items[1].offset.y, 8.0f);

    // The caret's dark half, then an inactive box: text only.
    timers->GetMainTimer()->SetTime(0.6f);
    EXPECT_EQ(Queued(box).size(), 1u);
    timers->GetMainTimer()->SetTime(1.0f);
    EXPECT_EQ(Queued(box).size(), 2u);
    box->active = false;
    EXPECT_EQ(Queued(box).size(), 1u);

    // Hidden, it queues nothing and takes no keys.
    box->active = true;
    box->SetVisible(false);
    Type(u"k");
    EXPECT_EQ(Queued(box).size(), 0u);
    EXPECT_EQ(box->text, u"abcdefghij");
}

TEST_F(GUIEditBoxTest, ABoxWhoseFontIsMissingTakesNothingAndDrawsNothing)
{
    GUIEditBox* box = MakeBox(40, 1000.0f, 7);
    EXPECT_EQ(box->font, nullptr);
    Type(u"abc");
    EXPECT_EQ(box->text, u"");
    EXPECT_EQ(Queued(box).size(), 0u);
}

} // namespace
} // namespace ZorvaneEngine
