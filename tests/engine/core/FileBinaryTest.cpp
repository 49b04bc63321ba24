#include "engine/core/FileBinary.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "engine/core/Error.h"
#include "platform/system/FileSystem.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/BinaryWriter.h"

namespace ZorvaneEngine {
namespace {

using Bytes = std::vector<uint8_t>;

// Byte i of a patterned file: no run repeats within a seek's reach.
uint8_t PatternByte(uint32_t i) {
    return static_cast<uint8_t>((i * 7 + i / 251) % 256);
}

Bytes BytesOfOld() {
    return {'o', 'l', 'd'};
}

Bytes Pattern(uint32_t size) {
    Bytes bytes(size);
    for (uint32_t i = 0; i < size; ++i) {
        bytes[i] = PatternByte(i);
    }
    return bytes;
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.message;
    }
    return "(no error)";
}

class FileBinaryTest : public ::testing::Test {
protected:
    std::string WriteFile(const std::string& name, const Bytes& bytes) {
        const std::string path = folder / name;
        EXPECT_TRUE(Tools::SaveFile(path, bytes));
        return path;
    }

    TestSupport::TemporaryFolder folder;
};

TEST_F(FileBinaryTest, FilesUpToEightMebibytesAreHeldInMemory) {
    const std::string exact = WriteFile("exact.bin", Pattern(FileBinary::WholeFileLimit));
    const std::string larger = WriteFile("larger.bin", Pattern(FileBinary::WholeFileLimit + 1));

    EXPECT_TRUE(FileBinary(nullptr, exact, false, false).IsInMemory());
    EXPECT_TRUE(FileBinary(nullptr, larger, false, true).IsInMemory());

    FileBinary onDisk(nullptr, larger, false, false);
    EXPECT_FALSE(onDisk.IsInMemory());
    EXPECT_EQ(onDisk.GetSize(), FileBinary::WholeFileLimit + 1);
    uint8_t first[3] = {};
    onDisk.Read(first, 3);
    EXPECT_EQ(Bytes(first, first + 3), Bytes({PatternByte(0), PatternByte(1), PatternByte(2)}));
}

TEST_F(FileBinaryTest, ShortReadRaisesUnlessCounted) {
    FileBinary file(nullptr, "hundred", Pattern(100));
    uint8_t buffer[10] = {};

    ASSERT_TRUE(file.Seek(95, FileBinary::SeekStart));
    EXPECT_EQ(ErrorOf([&] { file.Read(buffer, 10); }), "Failed to read 10 bytes from \"hundred\" file");

    ASSERT_TRUE(file.Seek(95, FileBinary::SeekStart));
    uint32_t got = 99;
    file.Read(buffer, 10, &got);
    EXPECT_EQ(got, 5u);
    EXPECT_EQ(file.GetPosition(), 100u);
    EXPECT_EQ(buffer[4], PatternByte(99));

    // At the end nothing remains, rather than a wrapped-around count.
    file.Read(buffer, 10, &got);
    EXPECT_EQ(got, 0u);
    file.Read(buffer, 0);
}

struct SeekCase {
    uint32_t from;
    int64_t offset;
    int32_t origin;
    uint32_t position;
    bool result;
};

// The position never leaves 0..size-1; the disk stream follows it exactly.
const SeekCase seekCases[] = {
    {50, 0, FileBinary::SeekEnd, 99, false},
    {50, 200, FileBinary::SeekStart, 99, false},
    {50, -10, FileBinary::SeekCurrent, 40, true},
    {50, 10, FileBinary::SeekEnd, 90, true},
    {50, 200, FileBinary::SeekEnd, 0, false},
    {50, -60, FileBinary::SeekCurrent, 0, false},
    {50, -1, FileBinary::SeekStart, 0, false},
    // A chunk size of 0xFFFFFFF8 read from a damaged file skips forwards.
    {50, 0xFFFFFFF8, FileBinary::SeekCurrent, 99, false},
    {50, 49, FileBinary::SeekCurrent, 99, true},
    // Offsets at the ends of the 64-bit range, whose sum with the position
    // or the size would overflow.
    {50, INT64_MAX, FileBinary::SeekCurrent, 99, false},
    {50, INT64_MIN, FileBinary::SeekCurrent, 0, false},
    {50, INT64_MIN, FileBinary::SeekEnd, 99, false},
    {50, INT64_MAX, FileBinary::SeekEnd, 0, false},
    {50, INT64_MAX, FileBinary::SeekStart, 99, false},
};

TEST_F(FileBinaryTest, SeekClampsToTheLastByte) {
    FileBinary file(nullptr, "hundred", Pattern(100));
    for (const SeekCase& c : seekCases) {
        SCOPED_TRACE(testing::Message() << c.offset << " from origin " << c.origin);
        ASSERT_TRUE(file.Seek(c.from, FileBinary::SeekStart));
        EXPECT_EQ(file.Seek(c.offset, c.origin), c.result);
        EXPECT_EQ(file.GetPosition(), c.position);
    }
}

TEST_F(FileBinaryTest, DiskBackedSeekMovesTheStreamToTheClampedPosition) {
    const uint32_t size = FileBinary::WholeFileLimit + 100;
    FileBinary file(nullptr, WriteFile("large.bin", Pattern(size)), false, false);
    ASSERT_FALSE(file.IsInMemory());
    const int64_t end = size;
    const SeekCase cases[] = {
        {size - 50, 0, FileBinary::SeekEnd, size - 1, false},
        {size - 50, end + 100, FileBinary::SeekStart, size - 1, false},
        {size - 50, -10, FileBinary::SeekCurrent, size - 60, true},
        {size - 50, 10, FileBinary::SeekEnd, size - 10, true},
        {size - 50, -end, FileBinary::SeekCurrent, 0, false},
        {size - 50, 0xFFFFFFF8, FileBinary::SeekCurrent, size - 1, false},
        {size - 50, 1234, FileBinary::SeekStart, 1234, true},
    };
    for (const SeekCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.offset << " from origin " << c.origin);
        ASSERT_TRUE(file.Seek(c.from, FileBinary::SeekStart));
        EXPECT_EQ(file.Seek(c.offset, c.origin), c.result);
        EXPECT_EQ(file.GetPosition(), c.position);
        uint8_t byte = 0;
        file.Read(&byte, 1);
        EXPECT_EQ(byte, PatternByte(c.position));
    }
}

TEST_F(FileBinaryTest, EmptyFileStaysAtZero) {
    FileBinary file(nullptr, "empty", Bytes());
    EXPECT_TRUE(file.Seek(0, FileBinary::SeekStart));
    EXPECT_TRUE(file.Seek(0, FileBinary::SeekEnd));
    EXPECT_FALSE(file.Seek(5, FileBinary::SeekStart));
    EXPECT_FALSE(file.Seek(-1, FileBinary::SeekCurrent));
    EXPECT_EQ(file.GetPosition(), 0u);
    uint8_t byte = 0;
    uint32_t got = 7;
    file.Read(&byte, 1, &got);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(ErrorOf([&] { file.Read(&byte, 1); }), "Failed to read 1 bytes from \"empty\" file");
}

TEST_F(FileBinaryTest, StreamThatComesUpShortIsNotReportedAsRead) {
    const std::string path = WriteFile("shrinks.bin", Pattern(FileBinary::WholeFileLimit + 1));
    FileBinary file(nullptr, path, false, false);
    ASSERT_FALSE(file.IsInMemory());
    // Another writer empties the file after it was opened.
    Platform::File::Open(path, Platform::File::Mode::Overwrite);

    uint8_t buffer[16] = {};
    uint32_t got = 99;
    file.Read(buffer, 16, &got);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(file.GetPosition(), 0u);
    EXPECT_EQ(ErrorOf([&] { file.Read(buffer, 16); }),
              "Failed to read 16 bytes from \"" + path + "\" file");
}

TEST_F(FileBinaryTest, BinaryStrings) {
    struct Case {
        Bytes bytes;
        std::string text;
        uint32_t used;
    };
    const Case narrow[] = {
        {{0x03, 'a', 0x00, 'b'}, "a", 4},
        {{0x00, 'z'}, "", 1},
        {{0x02, 'h', 'i', 'x'}, "hi", 3},
    };
    for (const Case& c : narrow) {
        FileBinary file(nullptr, "s", c.bytes);
        std::string text = "old";
        file.ReadString(text);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(file.GetPosition(), c.used);
    }

    FileBinary wide(nullptr, "w", Bytes{0x03, 'H', 0, 'i', 0, 0, 0, 0x02, 0x16, 0x04, 0, 0});
    std::u16string text;
    wide.ReadWideString(text);
    EXPECT_EQ(text, u"Hi");
    wide.ReadWideString(text);
    EXPECT_EQ(text, u"\u0416");

    struct Damaged {
        Bytes bytes;
        bool wide;
        std::string message;
    };
    const Damaged damaged[] = {
        {{0x05, 'a'}, false, "Failed to read 5 bytes from \"d\" file"},
        {{}, false, "Failed to read 1 bytes from \"d\" file"},
        {{0x02, 'A', 0}, true, "Failed to read 4 bytes from \"d\" file"},
    };
    for (const Damaged& c : damaged) {
        FileBinary file(nullptr, "d", c.bytes);
        std::string narrowText;
        std::u16string wideText;
        EXPECT_EQ(ErrorOf([&] { c.wide ? file.ReadWideString(wideText) : file.ReadString(narrowText); }),
                  c.message);
    }
}

TEST_F(FileBinaryTest, WritesWideStringsWithTheirTerminator) {
    const std::string path = folder / "wide.bin";
    const std::u16string longText(300, u'x');
    {
        FileBinary file(nullptr, path, true, false);
        file.WriteWideString(u"");
        file.WriteWideString(u"Hi");
        EXPECT_EQ(file.GetSize(), 10u);
        file.WriteWideString(longText);
    }
    Bytes bytes;
    ASSERT_TRUE(Tools::LoadFile(path, bytes));
    ASSERT_EQ(bytes.size(), 10u + 1 + 2 * 255);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 10), Bytes({0x01, 0, 0, 0x03, 'H', 0, 'i', 0, 0, 0}));
    // The count byte holds 255 units: the text keeps its first 254.
    EXPECT_EQ(bytes[10], 255);

    FileBinary reread(nullptr, path, false, false);
    std::u16string text;
    for (int i = 0; i < 3; ++i) {
        reread.ReadWideString(text);
    }
    EXPECT_EQ(text, longText.substr(0, 254));
}

TEST_F(FileBinaryTest, SaveCutShortByAnExceptionKeepsTheOldFile) {
    const std::string path = WriteFile("save.bin", BytesOfOld());
    try {
        FileBinary file(nullptr, path, true, false);
        file.Write("new", 3);
        throw FileError("cut short");
    } catch (const FileError&) {
    }
    Bytes bytes;
    ASSERT_TRUE(Tools::LoadFile(path, bytes));
    EXPECT_EQ(bytes, BytesOfOld());

    // A saver that caught the failure itself abandons the file explicitly.
    {
        FileBinary file(nullptr, path, true, false);
        file.Write("half", 4);
        file.Abandon();
    }
    ASSERT_TRUE(Tools::LoadFile(path, bytes));
    EXPECT_EQ(bytes, BytesOfOld());
    EXPECT_EQ(TestSupport::FolderEntries(folder.Path()), std::vector<std::string>{"save.bin"});

    {
        FileBinary file(nullptr, path, true, false);
        file.Write("new", 3);
    }
    ASSERT_TRUE(Tools::LoadFile(path, bytes));
    EXPECT_EQ(bytes, Bytes({'n', 'e', 'w'}));
}

TEST_F(FileBinaryTest, OpenAndWriteFailures) {
    const std::string missing = folder / "missing.bin";
    EXPECT_EQ(ErrorOf([&] { FileBinary(nullptr, missing, false, false); }),
              "Failed to open \"" + missing + "\" file");
    EXPECT_EQ(ErrorOf([&] { FileBinary(nullptr, folder.Path(), false, true); }),
              "Failed to open \"" + folder.Path() + "\" file");

    FileBinary readOnly(nullptr, "r", Bytes{1, 2, 3});
    EXPECT_EQ(ErrorOf([&] { readOnly.Write("abc", 3); }), "Failed to write 3 bytes from \"r\" file");
}

} // namespace
} // namespace ZorvaneEngine
