#include "tools/common/PackWriter.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "engine/core/MessageManager.h"
#include "engine/core/PackFile.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/BinaryWriter.h"

namespace Tools {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(PackWriterTest, WritesTheArchiveLayout) {
    PackWriter writer;
    writer.Add("B\\Y.txt", "xy");
    writer.Add("a.txt", "");
    const Bytes expected = {
        49, 0, 0, 0, 'Z', 'V', 'P', 'A', 'K', 100, 0, 0, 0,  // header with the final size
        2, 0, 0, 0,                                          // entries, names in lower case and order
        5, 'a', '.', 't', 'x', 't',
        7, 'b', '\\', 'y', '.', 't', 'x', 't',
        47, 0, 0, 0, 0, 0, 0, 0,                             // "a.txt": empty, at the end of the table
        47, 0, 0, 0, 2, 0, 0, 0,
        'x', 'y',
    };
    EXPECT_EQ(writer.Build(), expected);

    EXPECT_THROW(writer.Add(std::string(256, 'n'), "x"), std::length_error);
}

TEST(PackWriterTest, BinaryStringsAndEngineHeader) {
    BinaryWriter writer;
    BeginEngineFile(writer, "ZVMLF", 7);
    writer.NarrowString("ab");
    writer.WideString(u"H");
    writer.F32(1.0f);
    EndEngineFile(writer);
    const Bytes expected = {25, 0, 0, 0, 'Z', 'V', 'M', 'L', 'F', 7, 0, 0, 0,
                            2, 'a', 'b', 2, 'H', 0, 0, 0, 0x00, 0x00, 0x80, 0x3F};
    EXPECT_EQ(writer.Data(), expected);
    EXPECT_EQ(writer.Size(), 25u);

    EXPECT_THROW(writer.NarrowString(std::string(256, 'x')), std::length_error);
    EXPECT_THROW(writer.WideString(std::u16string(255, u'x')), std::length_error);
}

TEST(PackWriterTest, PacksAFolderTreeWithBackslashNames) {
    TestSupport::TemporaryFolder folder;
    TestSupport::WriteWholeFile(folder / "root/Data/UI/fonts/ge.ini", "fonts");
    TestSupport::WriteWholeFile(folder / "root/data/x.bin", std::string("\0\1", 2));
    TestSupport::WriteWholeFile(folder / "root/top.txt", "");

    PackWriter writer;
    std::string error;
    ASSERT_TRUE(AddFolderTree(writer, folder / "root", error)) << error;
    EXPECT_EQ(writer.Count(), 3u);
    ASSERT_TRUE(writer.Save(folder / "out.pak"));

    ZorvaneEngine::MessageManager log("", "log", "Test", false, false);
    ZorvaneEngine::PackFile pack(&log, folder / "out.pak");
    uint32_t size = 0;
    ASSERT_TRUE(pack.GetSize("data\\ui\\fonts\\ge.ini", size));
    std::string content(size, '\0');
    ASSERT_TRUE(pack.Read("DATA\\UI\\FONTS\\GE.INI", reinterpret_cast<uint8_t*>(content.data())));
    EXPECT_EQ(content, "fonts");
    EXPECT_TRUE(pack.GetSize("data\\x.bin", size));
    EXPECT_EQ(size, 2u);
    EXPECT_TRUE(pack.GetSize("top.txt", size));

    PackWriter none;
    EXPECT_FALSE(AddFolderTree(none, folder / "missing", error));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

} // namespace
} // namespace Tools
