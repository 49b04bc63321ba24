#include "platform/system/FileSystem.h"

#include "platform/system/TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace Platform;
using TestSupport::FolderEntries;
using TestSupport::ReadWholeFile;
using TestSupport::TemporaryFolder;
using TestSupport::WriteWholeFile;

namespace {

std::string Backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

TEST(PathTest, AbsolutePaths) {
    const struct {
        const char* path;
        bool absolute;
    } cases[] = {
        {"C:\\Games\\x", true}, {"c:", true},        {"z:relative", true},
        {"\\\\server\\share", true}, {"//server/share", true}, {"/home/u", true},
        {"data\\ui\\fonts", false}, {"\\data", false}, {"1:\\x", false},
        {"ab:c", false},        {"", false},          {"C", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsAbsolutePath(c.path), c.absolute) << c.path;
    }
}

TEST(PathTest, NativePathsResolveExistingComponentsIgnoringCase) {
    TemporaryFolder root;
    WriteWholeFile(root / "Data/UI/Fonts/ge.ini", "x");
    std::filesystem::create_directories(root / "Case");
    std::filesystem::create_directories(root / "CASE");
    const std::string r = root.Path();

    const struct {
        std::string path;
        std::string native;
    } cases[] = {
        {Backslashed(r + "/data/ui/fonts/GE.INI"), r + "/Data/UI/Fonts/ge.ini"},
        {r + "/Data/UI/Fonts/ge.ini", r + "/Data/UI/Fonts/ge.ini"},
        {r + "\\DATA\\ui//\\fonts\\", r + "/Data/UI/Fonts"},
        // Missing components keep their spelling, and so does all below them.
        {r + "\\data\\New\\ui", r + "/Data/New/ui"},
        {r + "\\data\\ui\\fonts\\ge.ini\\x", r + "/Data/UI/Fonts/ge.ini/x"},
        // The exact name wins; among several others the choice is stable.
        {r + "\\Case", r + "/Case"},
        {r + "\\CASE", r + "/CASE"},
        {r + "\\case", r + "/CASE"},
        {"C:" + Backslashed(r + "/data"), r + "/Data"},
        {Backslashed("/" + r + "/data"), r + "/Data"},
        {"nowhere-xyz\\Sub\\file.txt", "nowhere-xyz/Sub/file.txt"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToNativePath(c.path), c.native) << c.path;
    }
}

TEST(FileTest, FoldersCannotBeOpenedAsFiles) {
    TemporaryFolder root;
    std::filesystem::create_directories(root / "Profiles");
    for (const File::Mode mode : {File::Mode::Read, File::Mode::Write, File::Mode::Overwrite,
                                  File::Mode::Append}) {
        EXPECT_EQ(File::Open(root / "profiles", mode), nullptr) << static_cast<int>(mode);
    }
    EXPECT_EQ(FolderEntries(root.Path()), std::vector<std::string>{"Profiles"});
    EXPECT_EQ(File::Open(root / "missing.txt", File::Mode::Read), nullptr);
    EXPECT_EQ(File::Open(root / "missing/new.txt", File::Mode::Write), nullptr);
}

class SafeWriteTest : public ::testing::Test {
protected:
    void SetUp() override { WriteWholeFile(target_, "old contents"); }

    TemporaryFolder root_;
    std::string target_ = root_ / "Profiles.dat";
};

TEST_F(SafeWriteTest, CloseReplacesTheTargetWhenEveryWriteSucceeded) {
    auto file = File::Open(root_ / "PROFILES.DAT", File::Mode::Write);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Write("new", 3), 3u);
    // Nothing of the new file is visible before Close.
    EXPECT_EQ(ReadWholeFile(target_), "old contents");
    EXPECT_EQ(file->Size(), 3);
    EXPECT_TRUE(file->Close());
    EXPECT_FALSE(file->Close());
    EXPECT_EQ(ReadWholeFile(target_), "new");
    EXPECT_EQ(FolderEntries(root_.Path()), std::vector<std::string>{"Profiles.dat"});
}

TEST_F(SafeWriteTest, AnAbandonedFileLeavesTheTargetAlone) {
    {
        auto file = File::Open(target_, File::Mode::Write);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->Write("half", 4), 4u);
    }
    EXPECT_EQ(ReadWholeFile(target_), "old contents");
    EXPECT_EQ(FolderEntries(root_.Path()), std::vector<std::string>{"Profiles.dat"});
}

TEST_F(SafeWriteTest, AFailedWriteKeepsTheOldFile) {
    std::unique_ptr<File> file;
    bool closed = true;
    {
        TestSupport::FileSizeLimit limit(1024);
        file = File::Open(target_, File::Mode::Write);
        if (file) {
            const std::string block(64 * 1024, 'x');
            file->Write(block.data(), block.size());
            closed = file->Close();
        }
    }

    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(closed);
    EXPECT_EQ(ReadWholeFile(target_), "old contents");
    EXPECT_EQ(FolderEntries(root_.Path()), std::vector<std::string>{"Profiles.dat"});
}

TEST(FileTest, InPlaceWritesReportAFullDisk) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    auto file = File::Open("/dev/full", File::Mode::Overwrite);
    ASSERT_NE(file, nullptr);
    file->Write("line", 4);
    EXPECT_FALSE(file->Close());
}

TEST(FileTest, SeekTellAndSizeUse64BitOffsets) {
    TemporaryFolder root;
    const int64_t far = 5'000'000'000;  // beyond 32 bits; the file is sparse
    {
        auto file = File::Open(root / "big.bin", File::Mode::Overwrite);
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(file->Seek(far, SEEK_SET));
        EXPECT_EQ(file->Write("Z", 1), 1u);
        EXPECT_EQ(file->Size(), far + 1);
        EXPECT_EQ(file->Tell(), far + 1);
        EXPECT_TRUE(file->Close());
    }
    auto file = File::Open(root / "big.bin", File::Mode::Read);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Size(), far + 1);
    EXPECT_EQ(file->Tell(), 0);
    ASSERT_TRUE(file->Seek(-1, SEEK_END));
    EXPECT_EQ(file->Tell(), far);
    char byte = 0;
    EXPECT_EQ(file->Read(&byte, 1), 1u);
    EXPECT_EQ(byte, 'Z');
    EXPECT_EQ(file->Read(&byte, 1), 0u);
    ASSERT_TRUE(file->Seek(-far, SEEK_CUR));
    EXPECT_EQ(file->Tell(), 1);
    EXPECT_FALSE(file->Seek(-2, SEEK_CUR));
    EXPECT_FALSE(file->Seek(0, 7));
    EXPECT_EQ(file->Tell(), 1);
}

TEST(FileTest, AppendAddsAtTheEndAndOverwriteTruncates) {
    TemporaryFolder root;
    WriteWholeFile(root / "log.txt", "ab");
    {
        auto file = File::Open(root / "LOG.txt", File::Mode::Append);
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(file->Seek(0, SEEK_SET));
        EXPECT_EQ(file->Write("cd", 2), 2u);
    }
    EXPECT_EQ(ReadWholeFile(root / "log.txt"), "abcd");
    {
        auto file = File::Open(root / "Log.Txt", File::Mode::Overwrite);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->Write("e", 1), 1u);
        // Written as it goes: visible before the file is closed.
        EXPECT_TRUE(file->Flush());
        EXPECT_EQ(ReadWholeFile(root / "log.txt"), "e");
    }
    EXPECT_EQ(FolderEntries(root.Path()), std::vector<std::string>{"log.txt"});
}

TEST(FolderTest, ExistenceCreationAndDeletion) {
    TemporaryFolder root;
    WriteWholeFile(root / "Users/Anna/anna.prf", "x");

    EXPECT_TRUE(PathExists(root / "users\\ANNA\\Anna.prf"));
    EXPECT_TRUE(PathExists(root / "USERS"));
    EXPECT_FALSE(PathExists(root / "users\\bob"));
    EXPECT_TRUE(IsFolder(root / "users\\anna"));
    EXPECT_FALSE(IsFolder(root / "users\\anna\\anna.prf"));

    EXPECT_TRUE(CreateFolder(root / "users\\Bob"));
    EXPECT_TRUE(IsFolder(root / "Users/Bob"));
    EXPECT_FALSE(CreateFolder(root / "USERS\\BOB"));       // already there
    EXPECT_FALSE(CreateFolder(root / "users\\Carl\\Sub"));  // one level only

    EXPECT_TRUE(DeleteTree(root / "users\\anna\\anna.prf"));
    EXPECT_TRUE(IsFolder(root / "Users/Anna"));
    WriteWholeFile(root / "Users/Anna/deep/er/file", "x");
    EXPECT_TRUE(DeleteTree(root / "USERS"));
    EXPECT_FALSE(PathExists(root / "Users"));
    EXPECT_TRUE(DeleteTree(root / "Users"));  // nothing there is nothing left
}

TEST(FolderTest, FindFilesMatchesIgnoringCaseAndSortsByName) {
    TemporaryFolder root;
    for (const char* name : {"b.PAK", "A.pak", "a2.pak", "c.txt", "pak", ".pak"}) {
        WriteWholeFile(root / (std::string("Data/") + name), "x");
    }
    std::filesystem::create_directories(root / "Data/Sub.pak");
    std::filesystem::create_directory_symlink(root / "Data/Sub.pak", root / "Data/link.pak");

    const auto found = FindFiles(root / "DATA", "*.pak");
    std::vector<std::string> names;
    std::vector<bool> folders;
    for (const auto& f : found) {
        names.push_back(f.name);
        folders.push_back(f.folder);
    }
    EXPECT_EQ(names, (std::vector<std::string>{".pak", "A.pak", "a2.pak", "b.PAK", "link.pak", "Sub.pak"}));
    EXPECT_EQ(folders, (std::vector<bool>{false, false, false, false, true, true}));

    EXPECT_EQ(FindFiles(root / "data", "*.TXT").size(), 1u);
    EXPECT_EQ(FindFiles(root / "data", "*").size(), 8u);  // no "." or ".."
    EXPECT_TRUE(FindFiles(root / "data", "*.prf").empty());
    EXPECT_TRUE(FindFiles(root / "missing", "*").empty());
}

} // namespace
