#include "framework/VersionedFile.h"

#include <gtest/gtest.h>

#include <functional>

#include "RecordFolder.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"

namespace GameFramework {
namespace {

using TestSupport::Bytes;
using TestSupport::RecordFolder;

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ZorvaneEngine::Error& error) {
        return error.message;
    }
    return "(no error)";
}

// A file of the given magic and version with a body of four bytes, the size
// field as the header writer sets it.
Bytes FileOf(const char* magic, uint32_t version)
{
    Tools::BinaryWriter writer;
    Tools::BeginEngineFile(writer, magic, version);
    writer.U32(0xAABBCCDD);
    Tools::EndEngineFile(writer);
    return writer.Data();
}

TEST(VersionedFile, WritingPutsTheFinalSizeIntoTheHeader)
{
    RecordFolder folder;
    const std::string path = folder.root / "list.pmf";
    VersionedFile file(&folder.files, "FLPMF", 100);
    file.Open(VersionedFile::ModeWrite, path);
    const uint8_t body[4] = {1, 2, 3, 4};
    file.GetFile()->Write(body, 4);
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(folder.Read(path), (Bytes{0x11, 0, 0, 0, 'F', 'L', 'P', 'M', 'F', 100, 0, 0, 0, 1, 2, 3, 4}));

    file.Open(VersionedFile::ModeRead, path);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.GetFile()->GetPosition(), VersionedFile::HeaderSize);
    uint8_t read[4] = {};
    file.GetFile()->Read(read, 4);
    EXPECT_EQ(read[3], 4);
}

TEST(VersionedFile, ReadingRefusesADamagedOrForeignHeader)
{
    struct Case {
        const char* name;
        Bytes bytes;
        const char* message;  // "%" stands for the path
    };
    Bytes cut = FileOf("APPRF", 104);
    cut.pop_back();
    Bytes longer = FileOf("APPRF", 104);
    longer.push_back(0);
    Bytes twelve = FileOf("APPRF", 104);
    twelve.resize(12);
    const Case cases[] = {
        {"one byte short", cut, "Incorrect + \"%\" file format"},
        {"one byte extra", longer, "Incorrect + \"%\" file format"},
        {"other magic", FileOf("APPRG", 104), "Incorrect + \"%\" file format"},
        {"older version", FileOf("APPRF", 103), "Incorrect \"%\" format version (103), current is 104"},
        {"shorter than a header", twelve, "Failed to read 13 bytes from \"%\" file"},
        {"empty", Bytes{}, "Failed to read 13 bytes from \"%\" file"},
    };
    RecordFolder folder;
    const std::string path = folder.root / "p.prf";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write(path, c.bytes);
        VersionedFile file(&folder.files, "APPRF", 104);
        std::string expected = c.message;
        expected.replace(expected.find('%'), 1, path);
        EXPECT_EQ(ErrorOf([&] { file.Open(VersionedFile::ModeRead, path); }), expected);
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST(VersionedFile, AnUnfinishedSaveNeverReplacesTheLastGoodFile)
{
    RecordFolder folder;
    const std::string path = folder.root / "scores.hsf";
    const Bytes good = FileOf("GFHSF", 101);
    const auto startSave = [&](VersionedFile& file) {
        file.Open(VersionedFile::ModeWrite, path);
        file.GetFile()->Write("partial", 7);
    };

    // An owner leaving through an exception, one abandoning after catching a
    // failure, and one forgetting to close all leave the old file alone.
    folder.Write(path, good);
    try {
        VersionedFile file(&folder.files, "GFHSF", 101);
        startSave(file);
        throw ZorvaneEngine::FileError("disk full");
    } catch (const ZorvaneEngine::FileError&) {
    }
    EXPECT_EQ(folder.Read(path), good);

    VersionedFile kept(&folder.files, "GFHSF", 101);
    startSave(kept);
    kept.Abandon();
    EXPECT_EQ(folder.Read(path), good);

    {
        VersionedFile forgotten(&folder.files, "GFHSF", 101);
        startSave(forgotten);
    }
    EXPECT_EQ(folder.Read(path), good);
    EXPECT_EQ(TestSupport::FolderEntries(folder.root.Path()), std::vector<std::string>{"scores.hsf"});

    // A second Open finishes the file written before it.
    const std::string other = folder.root / "other.hsf";
    startSave(kept);
    kept.Open(VersionedFile::ModeWrite, other);
    kept.Close();
    EXPECT_EQ(folder.Read(path).size(), 20u);
    EXPECT_EQ(folder.Read(path)[0], 20);
    EXPECT_EQ(folder.Read(other).size(), 13u);
}

} // namespace
} // namespace GameFramework
