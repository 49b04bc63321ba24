#include "engine/core/EngineFileHeader.h"

#include <gtest/gtest.h>

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "tools/common/BinaryWriter.h"

namespace ZorvaneEngine {
namespace {

TEST(EngineFileHeaderTest, ChecksMagicSizeAndVersion) {
    Tools::BinaryWriter writer;
    Tools::BeginEngineFile(writer, "ZVFNT", 201);
    writer.U32(0xCAFE);
    Tools::EndEngineFile(writer);
    const std::vector<uint8_t> good = writer.Data();
    ASSERT_EQ(good.size(), 17u);
    EXPECT_EQ(good[0], 17);

    struct Case {
        std::vector<uint8_t> bytes;
        uint32_t version;
        std::string message;
    };
    std::vector<uint8_t> wrongMagic = good;
    wrongMagic[8] = 'X';
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    const Case cases[] = {
        {good, 201, ""},
        {wrongMagic, 201, "Incorrect \"f.fnt\" file format"},
        {longer, 201, "Incorrect \"f.fnt\" file format"},
        {good, 202, "Incorrect \"f.fnt\" format version, current is 202"},
        {{good.begin(), good.begin() + 12}, 201, "Failed to read 13 bytes from \"path\\f.fnt\" file"},
    };
    for (const Case& c : cases) {
        FileBinary file(nullptr, "path\\f.fnt", c.bytes);
        std::string message;
        try {
            ReadEngineFileHeader(file, "f.fnt", "ZVFNT", c.version);
            EXPECT_EQ(file.GetPosition(), 13u);
        } catch (const FileError& error) {
            message = error.message;
        }
        EXPECT_EQ(message, c.message);
    }
}

} // namespace
} // namespace ZorvaneEngine
