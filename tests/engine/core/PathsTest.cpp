#include "engine/core/Paths.h"

#include <gtest/gtest.h>

#include "engine/core/TextUtils.h"
#include "platform/system/TemporaryFolder.h"

namespace ZorvaneEngine {
namespace {

std::string WithExtension(std::string name, const std::string& extension) {
    SetFileExtension(name, extension);
    return name;
}

TEST(PathsTest, NamesExtensionsAndFolders) {
    struct Case {
        std::string actual, expected;
    };
    const std::string application = GetApplicationFolder();
    const Case cases[] = {
        {WithExtension("a.b.c", "x"), "a.b.x"},
        {WithExtension("a.b.c", ""), "a.b"},
        {WithExtension("abc", "jpg"), "abc.jpg"},
        {WithExtension("abc", ""), "abc"},
        {GetFileExtension("a.tar.gz"), "gz"},
        {GetFileExtension("abc"), ""},
        {GetFileFolder("data\\ui\\x.ini"), "data\\ui"},
        {GetFileFolder("x.ini"), ""},
        {GetFileFolder("/home/u/x.ini"), "/home/u"},
        {GetFileFolder("a\\b/c\\d"), "a\\b/c"},
        {AddDataFolderPrefix("ui\\x"), "data\\ui\\x"},
        {AddDataFolderPrefix("C:\\x"), "C:\\x"},
        {AddDataFolderPrefix("/home/u/x"), "/home/u/x"},
        {MakeAbsolutePath("ui\\x"), application + "\\ui\\x"},
        {MakeAbsolutePath("/home/u/x"), "/home/u/x"},
        {MakeAbsolutePath("\\\\server\\x"), "\\\\server\\x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.actual, c.expected);
    }
    EXPECT_TRUE(HasFileExtension("X.JPG", "jpg"));
    EXPECT_FALSE(HasFileExtension("x.jpeg", "jpg"));
}

TEST(PathsTest, CreatesListsAndDeletesFolders) {
    TestSupport::TemporaryFolder folder;
    // The last component is a file name and is not created.
    CreateDirectories(folder.Path() + "\\a/b\\c.txt");
    EXPECT_TRUE(FileExistsOnDisk(folder / "a/b"));
    EXPECT_FALSE(FileExistsOnDisk(folder / "a/b/c.txt"));

    TestSupport::WriteWholeFile(folder / "a/b/c.txt", "c");
    TestSupport::WriteWholeFile(folder / "a/d.txt", "d");
    std::vector<std::string> listed;
    ListFolderFiles(folder / "a", "*", listed);
    EXPECT_EQ(listed, std::vector<std::string>({folder / "a\\b\\c.txt", folder / "a\\d.txt"}));

    DeleteFolder(folder / "a");
    EXPECT_FALSE(FileExistsOnDisk(folder / "a"));
    EXPECT_TRUE(FileExistsOnDisk(folder.Path()));
}

} // namespace
} // namespace ZorvaneEngine
