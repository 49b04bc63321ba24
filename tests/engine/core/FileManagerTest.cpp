#include "engine/core/FileManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/PackWriter.h"

namespace ZorvaneEngine {
namespace {

using Bytes = std::vector<uint8_t>;

std::string Content(FileBinary& file) {
    std::string text(file.GetSize(), '\0');
    file.Read(text.data(), file.GetSize());
    return text;
}

void Patch32(Bytes& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

class FileManagerTest : public ::testing::Test {
protected:
    // Archives go to "data" while the manager is told "Data": one folder.
    void WritePack(const std::string& name, const Bytes& bytes) {
        TestSupport::WriteWholeFile(base / ("data/" + name), std::string(bytes.begin(), bytes.end()));
    }
    void WritePack(const std::string& name, const std::vector<std::pair<std::string, std::string>>& entries) {
        Tools::PackWriter writer;
        for (const auto& [entry, content] : entries) {
            writer.Add(entry, content);
        }
        WritePack(name, writer.Build());
    }
    std::unique_ptr<FileManager> Open() {
        return std::make_unique<FileManager>("Data", &log, base.Path());
    }
    std::string Read(FileManager& files, const std::string& name) {
        return Content(*files.OpenFile(name, false));
    }

    TestSupport::TemporaryFolder base;
    MessageManager log{"", "log", "Test", false, false};
};

TEST_F(FileManagerTest, LooseFilesFirstThenArchivesInListingOrder) {
    WritePack("pack1.pak", {{"data\\a.txt", "packed1"}, {"data\\c.txt", "c1"}});
    WritePack("pack0.pak", {{"DATA\\A.txt", "packed0"}, {"data\\ui\\b.txt", "b"}});
    auto files = Open();

    // Capitals and a doubled backslash find the entry; the file keeps the
    // full path as its name.
    auto packed = files->OpenFile("Data\\\\A.TXT", false);
    EXPECT_EQ(packed->GetName(), base.Path() + "\\Data\\\\A.TXT");
    EXPECT_EQ(Content(*packed), "packed0");
    EXPECT_TRUE(files->FileExists("DATA\\\\A.TXT"));
    EXPECT_EQ(Read(*files, "data\\c.txt"), "c1");

    uint32_t size = 0;
    EXPECT_TRUE(files->ReadFromPacks(&size, nullptr, "data\\ui\\b.txt"));
    EXPECT_EQ(size, 1u);
    char byte = 0;
    EXPECT_TRUE(files->ReadFromPacks(nullptr, reinterpret_cast<uint8_t*>(&byte), "data\\ui\\b.txt"));
    EXPECT_EQ(byte, 'b');

    // Archive names use backslashes only.
    EXPECT_FALSE(files->FileExists("data/a.txt"));
    EXPECT_FALSE(files->ReadFromPacks(&size, nullptr, "data/a.txt"));
    try {
        files->OpenFile("data/a.txt", false);
        ADD_FAILURE() << "opened a name with a forward slash";
    } catch (const FileError& error) {
        EXPECT_EQ(error.message, "Failed to open \"" + base.Path() + "\\data/a.txt\" file");
    }

    // A loose file hides the entry in every archive, whatever the spelling.
    TestSupport::WriteWholeFile(base / "data/a.txt", "loose");
    EXPECT_EQ(Read(*files, "data\\a.txt"), "loose");
    EXPECT_EQ(Read(*files, "DATA\\A.TXT"), "loose");
    EXPECT_EQ(Read(*files, base / "data/a.txt"), "loose");
}

TEST_F(FileManagerTest, WritesCreateTheirFoldersAndTextFilesRoundTrip) {
    auto files = Open();
    {
        auto text = files->OpenTextFile("saves\\deep/options.ini", true);
        text->WriteString("width 800 // wide");
        text->WriteNewLine();
        text->WriteString("height 600");
        text->Flush();
    }
    EXPECT_EQ(TestSupport::ReadWholeFile(base / "saves/deep/options.ini"), "width 800 // wide\r\nheight 600");

    auto text = files->OpenTextFile("saves\\deep\\options.ini", false);
    EXPECT_EQ(text->ReadInt(), 0);  // "width" is no number
    EXPECT_EQ(text->ReadInt(), 800);
    EXPECT_EQ(text->ReadInt(), 0);  // "height"
    EXPECT_EQ(text->ReadInt(), 600);

    try {
        files->OpenFile("data\\missing.txt", false);
        ADD_FAILURE() << "opened a missing file";
    } catch (const FileError& error) {
        EXPECT_EQ(error.message, "Failed to open \"" + base.Path() + "\\data\\missing.txt\" file");
    }
}

TEST_F(FileManagerTest, DamagedArchivesAreLoggedAndSkipped) {
    // "data\x.txt" holding 10 bytes: the name's count byte at 17, its record
    // at 28 (offset) and 32 (size), the bytes at 36, 46 bytes in all.
    Tools::PackWriter writer;
    writer.Add("data\\x.txt", "0123456789");
    const Bytes good = writer.Build();
    ASSERT_EQ(good.size(), 46u);
    WritePack("pack1.pak", {{"data\\good.txt", "good"}});

    const std::string damagedPath = base.Path() + "\\Data\\pack0.pak";
    struct Case {
        const char* what;
        std::function<void(Bytes&)> damage;
        std::string error;
    };
    const std::string format = "Incorrect pack file format";
    const Case cases[] = {
        {"wrong magic", [](Bytes& b) { b[8] = 'X'; }, format},
        {"size field one more", [](Bytes& b) { Patch32(b, 0, 47); }, format},
        {"one byte appended", [](Bytes& b) { b.push_back(0); }, format},
        {"version 101", [](Bytes& b) { Patch32(b, 9, 101); }, "Incorrect pack file version, current is 100"},
        {"shorter than a header", [](Bytes& b) { b.resize(10); },
         "Failed to read 13 bytes from \"" + damagedPath + "\" file"},
        {"names cut off", [](Bytes& b) { b.resize(24); Patch32(b, 0, 24); }, format},
        {"records cut off", [](Bytes& b) { b.resize(30); Patch32(b, 0, 30); },
         "Failed to read 8 bytes from \"" + damagedPath + "\" file"},
        {"absurd count", [](Bytes& b) { Patch32(b, 13, 0xFFFFFFFF); }, format},
        {"count beyond the directory's room", [](Bytes& b) { Patch32(b, 13, 4); }, format},
        {"offset past the end", [](Bytes& b) { Patch32(b, 28, 47); }, format},
        {"size past the end", [](Bytes& b) { Patch32(b, 32, 11); }, format},
        {"offset and size wrapping round", [](Bytes& b) { Patch32(b, 28, 0xFFFFFFF0); Patch32(b, 32, 0x20); }, format},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes damaged = good;
        c.damage(damaged);
        WritePack("pack0.pak", damaged);
        log.ClearFrameMessages();

        auto files = Open();
        EXPECT_FALSE(files->FileExists("data\\x.txt"));
        EXPECT_EQ(Read(*files, "data\\good.txt"), "good");

        const std::vector<LogMessage> messages = log.GetFrameMessages();
        auto error = std::find_if(messages.begin(), messages.end(), [](const LogMessage& m) { return m.level == 2; });
        ASSERT_NE(error, messages.end());
        EXPECT_NE(error->text.find(c.error), std::string::npos) << error->text;
        ASSERT_NE(error, messages.begin());
        EXPECT_EQ((error - 1)->text, "......");
        EXPECT_TRUE(log.spacing);
    }

    // An empty entry may sit right at the end.
    Bytes emptyAtEnd = good;
    Patch32(emptyAtEnd, 28, 46);
    Patch32(emptyAtEnd, 32, 0);
    WritePack("pack0.pak", emptyAtEnd);
    log.ClearFrameMessages();
    auto files = Open();
    EXPECT_EQ(Read(*files, "data\\x.txt"), "");
    std::vector<std::string> texts;
    for (const LogMessage& message : log.GetFrameMessages()) {
        texts.push_back(message.text);
    }
    const std::vector<std::string> expected = {
        "Initialization of File Manager...",
        "...Pack file " + damagedPath + " found...",
        "......It contains 1 files...",
        "...Pack file " + base.Path() + "\\Data\\pack1.pak found...",
        "......It contains 1 files...",
    };
    ASSERT_EQ(texts.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(TrimRightCopy(texts[i]), expected[i]);
    }
}

TEST_F(FileManagerTest, DamagedArchiveErrorSharesTheLineOfItsDots) {
    Tools::PackWriter writer;
    writer.Add("data\\x.txt", "x");
    Bytes damaged = writer.Build();
    Patch32(damaged, 0, static_cast<uint32_t>(damaged.size() - 1));
    WritePack("pack0.pak", damaged);
    {
        MessageManager fileLog(base.Path(), "log", "Test", true, false);
        FileManager files("data", &fileLog, base.Path());
    }
    const std::string html = TestSupport::ReadWholeFile(base / "log.html");
    // The colour is the log's business; the dots and the error share a line.
    const std::string dots = "found...<BR>......<FONT color=\"";
    const size_t start = html.find(dots);
    ASSERT_NE(start, std::string::npos) << html;
    const size_t colourEnd = html.find('"', start + dots.size());
    const std::string error = "\">Error: Incorrect pack file format!<BR></FONT>";
    EXPECT_EQ(html.substr(colourEnd, error.size()), error) << html;
}

TEST_F(FileManagerTest, ListFilesMergesLooseFilesAndEntries) {
    for (const char* name : {"a.prf", "B.prf", "b.PRF", "x.txt", "sub.prf/c.prf", "sub/d.prf"}) {
        TestSupport::WriteWholeFile(base / (std::string("profiles/") + name), "p");
    }
    WritePack("pack0.pak", {{"profiles\\e.prf", ""}, {"profiles\\sub\\f.prf", ""}, {"other\\g.prf", ""},
                            {"profiles\\h.txt", ""}});
    WritePack("pack1.pak", {{"profiles\\e.prf", ""}, {"profiles\\i.prf", ""}});
    auto files = Open();

    std::vector<std::string> found;
    files->ListFiles("profiles", "*.PRF", found);
    const std::string folder = base.Path() + "\\profiles\\";
    ASSERT_EQ(found.size(), 6u) << testing::PrintToString(found);
    EXPECT_EQ(found[0], folder + "a.prf");
    // Two loose names equal ignoring case are listed once.
    EXPECT_EQ(ToLowerCase(found[1]), ToLowerCase(folder + "b.prf"));
    EXPECT_EQ(found[2], folder + "sub.prf\\c.prf");
    EXPECT_EQ(found[3], "profiles\\e.prf");
    EXPECT_EQ(found[4], "profiles\\sub\\f.prf");
    EXPECT_EQ(found[5], "profiles\\i.prf");

    std::vector<std::string> absolute;
    files->ListFiles(base / "profiles/sub", "*.prf", absolute);
    EXPECT_EQ(absolute, std::vector<std::string>({base / "profiles/sub\\d.prf"}));
}

TEST_F(FileManagerTest, TwoThreadsReadOneDiskBackedArchive) {
    // The filler keeps the archive on disk, where every entry read moves the
    // one shared stream.
    Tools::PackWriter writer;
    writer.Add("filler", std::vector<uint8_t>(FileBinary::WholeFileLimit, 0));
    for (int i = 0; i < 16; ++i) {
        writer.Add("e" + std::to_string(i), std::string(4096, static_cast<char>('a' + i)));
    }
    WritePack("pack0.pak", writer.Build());
    auto files = Open();

    auto reader = [&](int first, int& failures) {
        for (int round = 0; round < 200; ++round) {
            const int i = (first + round) % 16;
            const std::string content = Read(*files, "e" + std::to_string(i));
            failures += content != std::string(4096, static_cast<char>('a' + i));
        }
    };
    int failuresA = 0;
    int failuresB = 0;
    std::thread other(reader, 0, std::ref(failuresA));
    reader(8, failuresB);
    other.join();
    EXPECT_EQ(failuresA + failuresB, 0);
}

} // namespace
} // namespace ZorvaneEngine
