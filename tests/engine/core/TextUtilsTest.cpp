#include "engine/core/TextUtils.h"

#include <gtest/gtest.h>

#include "engine/core/CodePage.h"

namespace ZorvaneEngine {
namespace {

// The active page is process-wide: each test that changes it puts it back.
class ActivePage {
public:
    explicit ActivePage(CodePageId page) : previous(GetActiveCodePage()) { SetActiveCodePage(page); }
    ~ActivePage() { SetActiveCodePage(previous); }

private:
    CodePageId previous;
};

TEST(TextUtilsTest, NumberFormats)
{
    struct Case {
        std::string actual, expected;
    };
    const Case cases[] = {
        {IntToText(7), "7"},
        {IntToText(7, 3), "007"},
        {IntToText(-5, 3), "-005"},
        {IntToText(3, 2), "03"},
        {IntToText(0), "0"},  // plain format: "%.0i" would print nothing
        {IntToText(INT32_MIN), "-2147483648"},
        {UIntToText(4294967295u), "4294967295"},
        {UIntToText(42, 5), "00042"},
        {FloatToText(0.5f, 6), "0.500000"},
        {FloatToText(1.0f, 6), "1.000000"},
        {FloatToText(3.14159f, 2), "3.14"},
        {FloatToText(7.0f, 0), "7"},
        {FloatToText(-0.26f, 1), "-0.3"},
        {HexToText(255), "000000FF"},
        {HexToText(0xDEADBEEF), "DEADBEEF"},
        {BoolToText(true), "1"},
        {BoolToText(false), "0"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
    EXPECT_EQ(IntToWideText(-5, 3), u"-005");
    EXPECT_EQ(UIntToWideText(9, 2), u"09");
    // A precision beyond the 64-character buffer is cut, not allocated.
    EXPECT_EQ(IntToText(1, 4000000000u).size(), 63u);
}

TEST(TextUtilsTest, TextToBoolFollowsAtoi)
{
    EXPECT_TRUE(TextToBool("2"));
    EXPECT_TRUE(TextToBool("-1"));
    EXPECT_TRUE(TextToBool(" 1"));
    EXPECT_FALSE(TextToBool("yes"));
    EXPECT_FALSE(TextToBool("0"));
    EXPECT_FALSE(TextToBool(""));
}

TEST(TextUtilsTest, ReplacingResumesBehindTheInsertedText)
{
    std::string narrow = "aaa";
    ReplaceAll(narrow, "a", "aa");
    EXPECT_EQ(narrow, "aaaaaa");

    std::u16string wide = u"x.y.z";
    ReplaceAll(wide, u".", u"..");
    EXPECT_EQ(wide, u"x..y..z");

    // An empty pattern leaves the text as it is instead of looping.
    ReplaceAll(narrow, "", "b");
    EXPECT_EQ(narrow, "aaaaaa");
    ReplaceAllNoCase(wide, u"", u"b");
    EXPECT_EQ(wide, u"x..y..z");

    EXPECT_EQ(ReplaceAllInCopy(u"ab ab", u"ab", u"c"), u"c c");
    EXPECT_EQ(RemoveAllInCopy(u"a-b-c", u"-"), u"abc");
}

TEST(TextUtilsTest, ReplaceAllNoCaseFillsPlaceholders)
{
    std::u16string text = u"Hi %Profile_Name%! Bye %profile_name%.";
    ReplaceAllNoCase(text, u"%PROFILE_NAME%", u"%Profile_Name% Anna");
    // The replacement is put in unchanged and not searched again.
    EXPECT_EQ(text, u"Hi %Profile_Name% Anna! Bye %Profile_Name% Anna.");

    std::u16string shorter = u"[X][x]";
    ReplaceAllNoCase(shorter, u"[x]", u"");
    EXPECT_EQ(shorter, u"");
}

TEST(TextUtilsTest, Trimming)
{
    EXPECT_EQ(TrimRightCopy(std::string("  a  ")), "  a");
    EXPECT_EQ(TrimRightCopy(std::u16string(u"  a  ")), u"  a");
    EXPECT_EQ(TrimLeftCopy(u"\t\r\n a "), u"a ");
    EXPECT_EQ(Trim(u"  a  "), u"a");
    EXPECT_EQ(Trim(u" \u00A0a\u00A0 "), u"\u00A0a\u00A0");  // the no-break space stays
    EXPECT_EQ(Trim(u"   "), u"");

    std::string narrow = " \v\fab c\t";
    TrimLeft(narrow);
    EXPECT_EQ(narrow, "ab c\t");
    TrimRight(narrow);
    EXPECT_EQ(narrow, "ab c");

    std::string command = "\\\\\\exit\\";
    StripLeadingBackslashes(command);
    EXPECT_EQ(command, "exit\\");
}

TEST(TextUtilsTest, CaseFoldingFollowsTheActivePage)
{
    {
        ActivePage page(CodePageId::Identity);
        EXPECT_EQ(ToUpperCase("abc"), "ABC");
        // The "C" locale has no case outside ASCII.
        EXPECT_EQ(ToLowerCase(std::string("A\xC4")), "a\xC4");
        EXPECT_EQ(ToLowerCase(std::u16string(u"AÄ")), u"aÄ");
    }
    {
        ActivePage page(CodePageId::Windows1252);
        EXPECT_EQ(ToLowerCase(std::u16string(u"ÄÖÜ")), u"äöü");
        EXPECT_EQ(ToLowerCase(std::u16string(u"ЖЁ")), u"ЖЁ");  // units above 255 stay
        EXPECT_EQ(ToLowerCase(std::string("\xC4\x8A")), "\xE4\x9A");  // Ä, Š
        EXPECT_EQ(ToUpperCase(std::string("\xE4\xFF\xDF")), "\xC4\x9F\xDF");  // ä, ÿ; ß stays
    }
    {
        ActivePage page(CodePageId::Windows1251);
        EXPECT_EQ(ToLowerCase(std::string("\xC0\xA8")), "\xE0\xB8");  // А, Ё
        std::string text = "\xFF";  // я
        ToUpperCaseInPlace(text);
        EXPECT_EQ(text, "\xDF");
    }
    {
        ActivePage page(CodePageId::Windows1250);
        EXPECT_EQ(ToLowerCase(std::string("\xC8\x8A")), "\xE8\x9A");  // Č, Š
    }
}

TEST(TextUtilsTest, NarrowAndWideConversion)
{
    {
        ActivePage page(CodePageId::Identity);
        EXPECT_EQ(ToWide(std::string("\x80\xE4")), u"\u0080\u00E4");
        EXPECT_EQ(ToNarrow(u"a\u00FF\u20ACb"), "a\xFF" "b");
    }
    {
        ActivePage page(CodePageId::Windows1252);
        EXPECT_EQ(ToWide(std::string("\x80\x81\xE4")), u"\u20AC\u0081ä");  // 0x81 is undefined
        EXPECT_EQ(ToNarrow(u"aЖb"), "ab");
        EXPECT_EQ(ToNarrow(u"€ä"), "\x80\xE4");
        std::string out = "old";
        ConvertToNarrow(std::u16string(u"a\0b", 3), out);
        EXPECT_EQ(out, "a");
    }
    {
        ActivePage page(CodePageId::Windows1251);
        EXPECT_EQ(ToWide(std::string("\xC6")), u"Ж");
        EXPECT_EQ(ToNarrow(u"aЖä"), "a\xC6");
    }
    {
        ActivePage page(CodePageId::Windows1250);
        EXPECT_EQ(ToWide(std::string("\x8A\xE8")), u"Šč");
        EXPECT_EQ(ToNarrow(u"Šč"), "\x8A\xE8");
    }
    std::u16string out = u"old";
    ConvertToWide(std::string("a\0b", 3), out);
    EXPECT_EQ(out, u"a");
}

TEST(TextUtilsTest, EveryPageRoundTripsItsBytes)
{
    for (CodePageId id : {CodePageId::Identity, CodePageId::Windows1250, CodePageId::Windows1251,
                          CodePageId::Windows1252}) {
        ActivePage page(id);
        std::string all;
        for (int i = 1; i < 256; ++i) all.push_back(static_cast<char>(i));
        EXPECT_EQ(ToNarrow(ToWide(all)), all) << static_cast<int>(id);
    }
}

TEST(TextUtilsTest, Utf8Conversion)
{
    const std::u16string wide = u"aä€\U0001F600";
    const std::string utf8 = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(WideToUtf8(wide), utf8);
    EXPECT_EQ(Utf8ToWide(utf8), wide);
    // Damaged input becomes replacement characters, never a crash.
    EXPECT_EQ(WideToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToWide("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(Utf8ToWide("\xC0\x80x"), u"\uFFFD\uFFFDx");  // overlong form
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
}

} // namespace
} // namespace ZorvaneEngine
