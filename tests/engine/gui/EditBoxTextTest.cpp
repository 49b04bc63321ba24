#include "engine/gui/EditBoxText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ZorvaneEngine {
namespace {

// Every character 10 units wide; '#' has no glyph, nor has the space.
class FixedWidthFont : public EditBoxMeasure {
public:
    float MeasureText(const std::u16string& text) const override
    {
        return 10.0f * static_cast<float>(text.size());
    }
    bool HasGlyph(char16_t character) const override
    {
        return character != u'#' && character != u' ';
    }
};

struct Key {
    uint16_t code;
    bool isCharacter;
};

Key Char(char16_t c) { return {c, true}; }
constexpr Key Backspace{EditKeyBackspace, false};
constexpr Key Delete{EditKeyDelete, false};
constexpr Key Insert{EditKeyInsert, false};
constexpr Key Left{EditKeyLeft, false};
constexpr Key Right{EditKeyRight, false};
constexpr Key Home{EditKeyHome, false};
constexpr Key End{EditKeyEnd, false};

std::vector<Key> Typed(const std::u16string& text)
{
    std::vector<Key> keys;
    for (char16_t c : text) keys.push_back(Char(c));
    return keys;
}

std::vector<Key> operator+(std::vector<Key> a, const std::vector<Key>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class EditBoxTextTest : public ::testing::Test {
protected:
    FixedWidthFont font;
};

TEST_F(EditBoxTextTest, KeySequencesEditTextAndCaret)
{
    const struct {
        const char* name;
        int32_t maxCharacters;
        float maxWidth;
        std::u16string start;  // set first with SetText
        std::vector<Key> keys;
        std::u16string text;
        int32_t caret;
        int changes;  // key events that changed the text
    } cases[] = {
        {"a full box rests on its last character", 3, 1000, u"", Typed(u"abcd"), u"abc", 2, 3},
        {"backspace in a full box takes the last character", 3, 1000, u"",
         Typed(u"abcd") + std::vector<Key>{Backspace}, u"ab", 2, 4},
        {"backspace on the last character takes it, not the one before", 10, 1000, u"abcd",
         {Left, Backspace}, u"abc", 3, 1},
        {"backspace at the end takes the character before", 10, 1000, u"abcd", {Backspace},
         u"abc", 3, 1},
        {"backspace at the start does nothing", 10, 1000, u"abc", {Home, Backspace}, u"abc", 0, 0},
        {"delete at the end does nothing", 10, 1000, u"abc", {Delete}, u"abc", 3, 0},
        {"delete at the start takes the first character", 10, 1000, u"abc", {Home, Delete},
         u"bc", 0, 1},
        {"typing in the middle inserts", 10, 1000, u"ac", {Left, Char(u'b')}, u"abc", 2, 1},
        {"the width limit rejects a character", 10, 30, u"abc", Typed(u"d"), u"abc", 3, 0},
        {"overwrite replaces even at the width limit", 10, 30, u"abc",
         {Home, Insert, Char(u'x'), Char(u'y')}, u"xyc", 2, 2},
        {"overwrite at the end appends only within the limits", 10, 30, u"ab",
         {Insert, Char(u'c'), Char(u'd')}, u"abc", 3, 1},
        {"insert toggles back", 10, 1000, u"abc", {Home, Insert, Insert, Char(u'x')}, u"xabc", 1,
         1},
        {"a character without glyph is ignored, a space is taken", 10, 1000, u"",
         Typed(u"a#b c"), u"ab c", 4, 4},
        {"moves stay inside the text", 10, 1000, u"ab", {Right, Home, Left, Right}, u"ab", 1, 0},
        {"no characters at all is taken as one", 0, 1000, u"", Typed(u"ab"), u"a", 0, 1},
    };

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditBoxText box(&font, c.maxCharacters, c.maxWidth, 1000.0f);
        box.SetText(c.start);
        int changes = 0;
        for (const Key& key : c.keys) changes += box.HandleKey(key.code, key.isCharacter) ? 1 : 0;
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.caret, c.caret);
        EXPECT_EQ(changes, c.changes);
    }
}

// Visible width 50: four characters and the caret fit.
TEST_F(EditBoxTextTest, TypingPastTheVisibleWidthKeepsTheCaretInView)
{
    EditBoxText box(&font, 40, 1000.0f, 50.0f);
    const std::u16string letters = u"abcdefghijkl";
    for (char16_t c : letters) {
        ASSERT_TRUE(box.HandleKey(c, true));
        EXPECT_LE(box.CaretOffset() + 10.0f, 50.0f) << "after " << char(c);
    }
    EXPECT_EQ(box.caret, 12);
    EXPECT_EQ(box.firstVisible, 8);
    EXPECT_EQ(box.VisibleText(), u"ijkl");
    EXPECT_FLOAT_EQ(box.CaretOffset(), 40.0f);
}

TEST_F(EditBoxTextTest, CaretMovesScrollTheViewByJumps)
{
    EditBoxText box(&font, 40, 1000.0f, 50.0f);
    box.SetText(u"abcdefghijkl");
    EXPECT_EQ(box.caret, 12);
    EXPECT_EQ(box.firstVisible, 8);

    // Left onto the first visible character goes back 5, then as far right
    // as the caret allows.
    for (int i = 0; i < 4; ++i) box.HandleKey(EditKeyLeft, false);
    EXPECT_EQ(box.caret, 8);
    EXPECT_EQ(box.firstVisible, 4);

    box.HandleKey(EditKeyHome, false);
    EXPECT_EQ(box.caret, 0);
    EXPECT_EQ(box.firstVisible, 0);
    EXPECT_EQ(box.VisibleText(), u"abcde");

    // In a view this narrow a jump of 5 would pass the caret: it stops there.
    for (int i = 0; i < 4; ++i) box.HandleKey(EditKeyRight, false);
    EXPECT_EQ(box.caret, 4);
    EXPECT_EQ(box.firstVisible, 4);
    box.HandleKey(EditKeyLeft, false);
    EXPECT_EQ(box.caret, 3);
    EXPECT_EQ(box.firstVisible, 0);

    // Never past the position that shows the end.
    box.SetText(u"abcdefg");
    box.HandleKey(EditKeyHome, false);
    for (int i = 0; i < 4; ++i) box.HandleKey(EditKeyRight, false);
    EXPECT_EQ(box.firstVisible, 3);

    box.HandleKey(EditKeyHome, false);
    box.HandleKey(EditKeyEnd, false);
    EXPECT_EQ(box.caret, 7);
    EXPECT_EQ(box.firstVisible, 3);
}

TEST_F(EditBoxTextTest, RightStaysWhileTheCaretFitsThenJumpsFive)
{
    // Seven characters and the caret fit.
    EditBoxText box(&font, 40, 1000.0f, 80.0f);
    box.SetText(u"abcdefghijklmnopqrst");
    EXPECT_EQ(box.firstVisible, 13);
    box.HandleKey(EditKeyHome, false);
    for (int i = 0; i < 6; ++i) box.HandleKey(EditKeyRight, false);
    EXPECT_EQ(box.caret, 6);
    EXPECT_EQ(box.firstVisible, 0);
    box.HandleKey(EditKeyRight, false);
    EXPECT_EQ(box.caret, 7);
    EXPECT_EQ(box.firstVisible, 5);
    EXPECT_FLOAT_EQ(box.CaretOffset(), 20.0f);
}

TEST_F(EditBoxTextTest, ScrollingStopsAtTheCaretWhenEvenTheCaretIsTooWide)
{
    // The caret alone (10) is wider than the view (5).
    EditBoxText box(&font, 10, 1000.0f, 5.0f);
    box.SetText(u"abc");
    EXPECT_EQ(box.firstVisible, 3);
    EXPECT_TRUE(box.HandleKey(u'd', true));
    EXPECT_LE(box.firstVisible, box.caret);
    box.HandleKey(EditKeyLeft, false);
    EXPECT_LE(box.firstVisible, box.caret);
    EXPECT_EQ(box.VisibleText(), u"");
}

TEST_F(EditBoxTextTest, CaretBlinksEveryFourTenthsOfASecond)
{
    EXPECT_TRUE(EditBoxText::CaretShown(0.0f));
    EXPECT_TRUE(EditBoxText::CaretShown(0.39f));
    EXPECT_FALSE(EditBoxText::CaretShown(0.41f));
    EXPECT_TRUE(EditBoxText::CaretShown(0.81f));
}

} // namespace
} // namespace ZorvaneEngine
