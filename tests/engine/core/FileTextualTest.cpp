#include "engine/core/FileTextual.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/core/CodePage.h"
#include "engine/core/Error.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/BinaryWriter.h"

namespace ZorvaneEngine {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::unique_ptr<FileTextual> Reader(const Bytes& bytes) {
    auto text = std::make_unique<FileTextual>(nullptr, FileTextual::ModeRead, FileTextual::EncodingAnsi,
                                              std::make_unique<FileBinary>(nullptr, "t", bytes));
    text->Init();
    return text;
}

// Every narrow read until the reader reports the end.
std::vector<std::string> ReadAll(const Bytes& bytes, bool token) {
    auto text = Reader(bytes);
    std::vector<std::string> results;
    std::string item;
    while (text->ReadString(item, token) && results.size() < 1000) {
        results.push_back(item);
    }
    return results;
}

std::vector<std::u16string> ReadAllWide(const Bytes& bytes, bool stripComments) {
    auto text = Reader(bytes);
    std::vector<std::u16string> results;
    std::u16string item;
    while (text->ReadWideString(item, stripComments) && results.size() < 1000) {
        results.push_back(item);
    }
    return results;
}

TEST(FileTextualTest, NarrowLinesAndTokens) {
    struct Case {
        std::string bytes;
        bool token;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        // The comment swallows the rest of its line; the line end and the
        // blank before it each leave an empty token.
        {"width 800 // c\r\nx", true, {"width", "800", "", "", "x"}},
        {"width 800 // c\r\nx", false, {"width 800 ", "x"}},
        // Only a token that starts with "//" opens a comment.
        {"800// x\nz", true, {"800", "x", "z"}},
        {"a\r\nb", false, {"a", "b"}},
        {"a\r\n", false, {"a", ""}},
        {"a", false, {"a"}},
        {"", false, {""}},
        {"a\nb\rc\n\nd", false, {"a", "b", "c", "", "d"}},
        {"\xFF" "A", false, {"\xFF" "A"}},
        {"\xEF\xBB" "A", false, {"\xEF\xBB" "A"}},
        {"a\tb  c", true, {"a", "b", "", "c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.token ? "tokens of " : "lines of ") << testing::PrintToString(c.bytes));
        EXPECT_EQ(ReadAll(BytesOf(c.bytes), c.token), c.expected);
    }
}

TEST(FileTextualTest, EncodingsFromTheByteOrderMark) {
    struct Case {
        Bytes bytes;
        int32_t encoding;
        std::vector<std::u16string> expected;
    };
    const Case cases[] = {
        {{0xFF, 0xFE, 'A', 0, 0x0D, 0, 0x0A, 0, 'B', 0}, FileTextual::EncodingUtf16LittleEndian, {u"A", u"B"}},
        {{0xFE, 0xFF, 0, 'A', 0, 0x0A, 0x04, 0x16}, FileTextual::EncodingUtf16BigEndian, {u"A", u"\u0416"}},
        {{0xEF, 0xBB, 0xBF, 0xC3, 0xA9, 0x0A, 0xA9, 0x0A, 0xE2, 0x82, 0xAC, 0x0A, 0xF0, 'x'},
         FileTextual::EncodingUtf8,
         {u"\u00E9", u"\uFFFD", u"\u20AC", u"\uFFFDx"}},
        {{0xFF, 'A', 0xE9}, FileTextual::EncodingAnsi, {u"\u00FFA\u00E9"}},
        {{0xFF, 0xFE}, FileTextual::EncodingUtf16LittleEndian, {u""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(Reader(c.bytes)->GetEncoding(), c.encoding);
        EXPECT_EQ(ReadAllWide(c.bytes, false), c.expected);
    }
}

TEST(FileTextualTest, WideTextThatTheCodePageCannotHoldBecomesQuestionMarks) {
    auto text = Reader({0xFF, 0xFE, 0x16, 0x04, 'a', 0, 0xE9, 0, ' ', 0, '/', 0, '/', 0, 'x', 0});
    std::string line;
    ASSERT_TRUE(text->ReadString(line, false));
    EXPECT_EQ(line, "?a\xE9 ");
    EXPECT_TRUE(text->IsLossy());

    auto clean = Reader(BytesOf("// only a comment\nword"));
    ASSERT_TRUE(clean->ReadString(line, false));
    EXPECT_EQ(line, "");
    std::u16string wide;
    ASSERT_TRUE(clean->ReadWideString(wide, true));
    EXPECT_EQ(wide, u"word");
    EXPECT_FALSE(clean->IsLossy());
}

TEST(FileTextualTest, NumbersSkipEmptyTokens) {
    auto ints = Reader(BytesOf("3 // x\r\n 5"));
    EXPECT_EQ(ints->ReadInt(), 3);
    EXPECT_EQ(ints->ReadInt(), 5);
    EXPECT_EQ(ints->ReadInt(), 0);

    auto floats = Reader(BytesOf("1.5\t\t-2e1\r\n99999999999"));
    EXPECT_FLOAT_EQ(floats->ReadFloat(), 1.5f);
    EXPECT_FLOAT_EQ(floats->ReadFloat(), -20.0f);
    EXPECT_EQ(floats->ReadInt(), INT32_MAX);
    EXPECT_FLOAT_EQ(floats->ReadFloat(), 0.0f);
}

TEST(FileTextualTest, TokenReadsTellTheEndOfTheFileApart) {
    auto tokens = Reader(BytesOf("alpha  beta\r\n\t// note\r\ngamma\r\n\r\n"));
    std::string token;
    for (const char* expected : {"alpha", "beta", "gamma"}) {
        ASSERT_TRUE(tokens->ReadToken(token));
        EXPECT_EQ(token, expected);
    }
    EXPECT_FALSE(tokens->ReadToken(token));
    EXPECT_FALSE(tokens->ReadToken(token));

    auto ints = Reader(BytesOf("-7 x \r\n"));
    int32_t value = 99;
    ASSERT_TRUE(ints->ReadInt(value));
    EXPECT_EQ(value, -7);
    ASSERT_TRUE(ints->ReadInt(value));
    EXPECT_EQ(value, 0);  // no number
    value = 99;
    EXPECT_FALSE(ints->ReadInt(value));
    EXPECT_EQ(value, 99);
}

TEST(FileTextualTest, ReadAllTextJoinsLinesAndKeepsComments) {
    std::u16string all;
    Reader(BytesOf("a // c\r\nb\n\nc"))->ReadAllText(all);
    EXPECT_EQ(all, u"a // c\r\nb\r\n\r\nc");

    Reader({0xFF, 0xFE, 'x', 0, 0x0A, 0, 0x16, 0x04})->ReadAllText(all);
    EXPECT_EQ(all, u"x\r\n\u0416");
}

TEST(FileTextualTest, LinesAcrossBufferRefills) {
    // 11-byte lines do not divide the 1024-byte buffer, so line ends and
    // CR LF pairs fall across refills.
    std::string content;
    for (int i = 0; i < 300; ++i) {
        content += "line " + std::to_string(1000 + i) + "\r\n";
    }
    const std::vector<std::string> lines = ReadAll(BytesOf(content), false);
    ASSERT_EQ(lines.size(), 301u);
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(lines[i], "line " + std::to_string(1000 + i));
    }
    EXPECT_EQ(lines[300], "");
}

class FileTextualWriteTest : public ::testing::Test {
protected:
    Bytes Write(int32_t encoding, const std::function<void(FileTextual&)>& write) {
        const std::string path = folder / "written.txt";
        {
            FileTextual text(nullptr, FileTextual::ModeWrite, encoding,
                             std::make_unique<FileBinary>(nullptr, path, true, false));
            text.Init();
            write(text);
            text.Flush();
        }
        Bytes bytes;
        EXPECT_TRUE(Tools::LoadFile(path, bytes));
        return bytes;
    }

    TestSupport::TemporaryFolder folder;
};

TEST_F(FileTextualWriteTest, EachEncoding) {
    struct Case {
        int32_t encoding;
        Bytes expected;
    };
    // "é" is byte 0xE9 in the identity page and in 1252; 0x80 is "€" in 1252.
    const Case cases[] = {
        {FileTextual::EncodingAnsi, {0xE9, 0x80, 0x0D, 0x0A}},
        {FileTextual::EncodingUtf16BigEndian, {0xFE, 0xFF, 0x00, 0xE9, 0x20, 0xAC, 0x00, 0x0D, 0x00, 0x0A}},
        {FileTextual::EncodingUtf16LittleEndian, {0xFF, 0xFE, 0xE9, 0x00, 0xAC, 0x20, 0x0D, 0x00, 0x0A, 0x00}},
        {FileTextual::EncodingUtf8, {0xEF, 0xBB, 0xBF, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0x0D, 0x0A}},
    };
    const CodePageId previous = GetActiveCodePage();
    SetActiveCodePage(CodePageId::Windows1252);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.encoding);
        EXPECT_EQ(Write(c.encoding, [](FileTextual& text) {
                      text.WriteString("\xE9\x80");
                      text.WriteNewLine();
                  }),
                  c.expected);
    }
    SetActiveCodePage(previous);
}

TEST_F(FileTextualWriteTest, LongTextRoundTrips) {
    std::string line(700, 'a');
    for (size_t i = 0; i < line.size(); ++i) {
        line[i] = static_cast<char>('a' + i % 26);
    }
    for (int32_t encoding = 0; encoding <= 3; ++encoding) {
        SCOPED_TRACE(encoding);
        const Bytes bytes = Write(encoding, [&](FileTextual& text) {
            for (int i = 0; i < 3; ++i) {
                text.WriteString(line);
                text.WriteNewLine();
            }
        });
        EXPECT_EQ(ReadAll(bytes, false), std::vector<std::string>({line, line, line, ""}));
    }
}

TEST(FileTextualTest, WriteFailureIsRaisedByFlushAndSwallowedOnDestruction) {
    // A file opened for reading refuses writes.
    auto text = std::make_unique<FileTextual>(nullptr, FileTextual::ModeWrite, FileTextual::EncodingAnsi,
                                              std::make_unique<FileBinary>(nullptr, "r", Bytes()));
    text->Init();
    text->WriteString("abc");
    try {
        text->Flush();
        ADD_FAILURE() << "Flush reported no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.message, "Failed to write 3 bytes from \"r\" file");
    }
    text->WriteString("more");
    EXPECT_NO_THROW(text.reset());
}

} // namespace
} // namespace ZorvaneEngine
