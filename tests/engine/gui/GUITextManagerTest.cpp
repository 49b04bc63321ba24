#include "engine/gui/GUITextManager.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/core/CodePage.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "platform/system/TemporaryFolder.h"

namespace ZorvaneEngine {
namespace {

const std::string Bom8 = "\xEF\xBB\xBF";

std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

struct Lookup {
    std::string key;
    int32_t number;
    std::u16string expected;
};

class GUITextManagerTest : public ::testing::Test {
protected:
    // A table as the game names it: "ui\texts\ge\<name>.ini" below the data
    // folder.
    void Write(const std::string& name, const std::string& content) {
        TestSupport::WriteWholeFile(base / ("data/ui/texts/ge/" + name + ".ini"), content);
    }
    void Load(const std::string& name) { texts.LoadFile("ui\\texts\\ge\\" + name + ".ini"); }
    size_t Errors() const {
        size_t count = 0;
        for (const LogMessage& message : log.GetFrameMessages()) {
            count += message.level == 2 ? 1 : 0;
        }
        return count;
    }
    void Expect(const std::vector<Lookup>& lookups) {
        for (const Lookup& lookup : lookups) {
            EXPECT_EQ(texts.GetText(lookup.key, lookup.number), lookup.expected)
                << "key \"" << lookup.key << "\" number " << lookup.number;
        }
    }

    TestSupport::TemporaryFolder base;
    MessageManager log{"", "log", "Test", false, false};
    FileManager files{"Data", &log, base.Path()};
    GUITextManager texts{&log, &files};
};

TEST_F(GUITextManagerTest, KeyAndTextLines) {
    struct Case {
        const char* what;
        std::string content;
        std::vector<Lookup> lookups;
    };
    const std::vector<Case> cases = {
        {"empty lines before the text", "[A]\n\n\nText\n", {{"A", -1, u"Text"}}},
        {"the text line is never a key line", "[A]\n[B]\nText\n", {{"A", -1, u"[B]"}, {"B", -1, u"UNKNOWN"}}},
        {"inner blanks of a key stay", "[ a ]\nx\n", {{" A ", -1, u"x"}, {"A", -1, u"UNKNOWN"}}},
        {"key line trimmed, comment cut", "  [Title] // the caption\r\nx\r\n", {{"title", -1, u"x"}}},
        {"comment cut, trailing blank kept", "[A]\r\nWords // comment\r\n", {{"A", -1, u"Words "}}},
        {"a blanks-only line is a text", "[A]\n   \nx\n", {{"A", -1, u"   "}}},
        {"a comment-only line is empty", "[A]\n// note\n\nx\n", {{"A", -1, u"x"}}},
        {"too short or unclosed is no key", "[]\nx\n[\ny\n[A\nz\n", {{"", -1, u"UNKNOWN"}, {"[", -1, u"UNKNOWN"}}},
        {"a key at the end without text is dropped", "[A]\nx\n[B]\n\n", {{"A", -1, u"x"}, {"B", -1, u"UNKNOWN"}}},
        {"a key again in the same file", "[A]\nfirst\n[a]\nsecond", {{"A", -1, u"second"}}},
        {"numbered lines and placeholders", "[HELP_TEXT_3]\nthree\n[HELP_TEXT_]\nbase\n[C]\nKombo x%COMBO%!\n",
         {{"help_text_", 3, u"three"}, {"HELP_TEXT_", -1, u"base"}, {"HELP_TEXT_", 4, u"UNKNOWN"},
          {"c", -1, u"Kombo x%COMBO%!"}}},
        {"lines ending in CR alone", "[A]\rx\r[B]\ry", {{"A", -1, u"x"}, {"B", -1, u"y"}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        GUITextManager fresh{&log, &files};
        Write("t", Bom8 + test.content);
        fresh.LoadFile("ui\\texts\\ge\\t.ini");
        for (const Lookup& lookup : test.lookups) {
            EXPECT_EQ(fresh.GetText(lookup.key, lookup.number), lookup.expected) << "key \"" << lookup.key << "\"";
        }
    }
    EXPECT_EQ(Errors(), 0u);
}

// The same table in every encoding the reader accepts gives the same texts,
// letters beyond ASCII included.
TEST_F(GUITextManagerTest, Encodings) {
    const std::u16string content = u"[RESIZE]\r\nGröße ändern – „€“\r\n[Zurück]\r\nx\r\n[END]\r\nEnde";
    struct Case {
        const char* what;
        std::string bytes;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {"UTF-8", Bom8 + "[RESIZE]\r\nGr\xC3\xB6\xC3\x9F" "e \xC3\xA4ndern \xE2\x80\x93 \xE2\x80\x9E\xE2\x82\xAC"
                         "\xE2\x80\x9C\r\n[Zur\xC3\xBC" "ck]\r\nx\r\n[END]\r\nEnde",
         u"Größe ändern – „€“"},
        {"UTF-16 little-endian", Utf16(content, false), u"Größe ändern – „€“"},
        {"UTF-16 big-endian", Utf16(content, true), u"Größe ändern – „€“"},
        {"ANSI in code page 1252", "[RESIZE]\r\nGr\xF6\xDF" "e \xE4ndern \x96 \x84\x80\x93\r\n[Zur\xFC" "ck]\r\nx\r\n[END]\r\nEnde",
         u"Größe ändern – „€“"},
    };
    const CodePageId previous = GetActiveCodePage();
    SetActiveCodePage(CodePageId::Windows1252);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        GUITextManager fresh{&log, &files};
        Write("t", test.bytes);
        fresh.LoadFile("ui\\texts\\ge\\t.ini");
        EXPECT_EQ(fresh.GetText("resize"), test.expected);
        // Keys are narrow text in the active code page.
        EXPECT_EQ(fresh.GetText("zur\xFC" "ck"), u"x");
        EXPECT_EQ(fresh.GetText("END"), u"Ende");
    }
    SetActiveCodePage(previous);
}

// Tables load in order, each overriding what came before; a missing or
// damaged one costs at most its own texts.
TEST_F(GUITextManagerTest, OverrideOrderMissingAndDamagedFiles) {
    Write("game_title", Bom8 + "[GAME_TITLE]\nTangrove\n[OK]\nOkay\n");
    Write("common", Bom8 + "[OK]\nOK\n[BACK]\nZurück\n");
    Load("game_title");
    Load("missing");
    EXPECT_EQ(Errors(), 1u);
    Load("common");
    Expect({{"GAME_TITLE", -1, u"Tangrove"}, {"OK", -1, u"OK"}, {"BACK", -1, u"Zurück"}});

    // The last byte of a UTF-16 file alone, a UTF-8 sequence cut short, zero
    // bytes and stray continuation bytes: what comes before the damage is read.
    Write("odd", Utf16(u"[ODD]\nfine\n[HALF]\n", false) + "x");
    Write("cut", Bom8 + "[CUT]\nok\n[Y]\nGr\xC3");
    const char binary[] = "\x00\x01[BIN]\n\x80\xBF\x00zz\n[OK]\n\xFF\xFE\xFD";
    Write("binary", std::string(binary, sizeof binary - 1));
    Load("odd");
    Load("cut");
    Load("binary");
    Expect({{"ODD", -1, u"fine"}, {"HALF", -1, u"UNKNOWN"}, {"CUT", -1, u"ok"}, {"Y", -1, u"Gr"},
            {"OK", -1, u"\u00FF\u00FE\u00FD"}});
    EXPECT_EQ(Errors(), 1u);

    // A folder in place of a file cannot be opened: logged like a missing one.
    TestSupport::WriteWholeFile(base / "data/ui/texts/ge/folder.ini/inside", "");
    Load("folder");
    EXPECT_EQ(Errors(), 2u);

    // An absolute name is used as it is, not below the data folder.
    TestSupport::WriteWholeFile(base / "elsewhere.ini", "[OK]\nJa\n");
    texts.LoadFile(base / "elsewhere.ini");
    Expect({{"OK", -1, u"Ja"}, {"BACK", -1, u"Zurück"}, {"BIN", -1, u"UNKNOWN"}});
    EXPECT_EQ(Errors(), 2u);
}

} // namespace
} // namespace ZorvaneEngine
