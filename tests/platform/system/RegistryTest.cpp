#include "platform/system/real/RealSystem.h"
#include "platform/system/real/RegistryStore.h"

#include "platform/system/TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace Platform;
using TestSupport::ScopedEnvironment;
using TestSupport::TemporaryFolder;
using TestSupport::WriteWholeFile;

namespace {

const char* const kKey = "SOFTWARE\\Quobin Games\\Tangrove";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteWholeFile(root_ / "machine/registry.ini",
                       "[SOFTWARE\\Other\\Product]\n"
                       "Version=1\n"
                       "Language=en\n"
                       "\n"
                       "[ software\\quobin games\\TANGROVE ]\n"
                       "  Version =  103  \n"
                       "InstallPath=C:\\Games\\Tangrove = 1\n"
                       "Empty=\n");
        // Written on Windows and without a final line end.
        WriteWholeFile(root_ / "config/Quobin Games/Tangrove/registry.ini",
                       "[SOFTWARE\\Quobin Games\\Tangrove]\r\nLanguage=ge\r\nversion=200");
    }

    TemporaryFolder root_;
    ScopedEnvironment config_{"XDG_CONFIG_HOME", (root_ / "config").c_str()};
    RealSystem system_{root_ / "machine"};
};

TEST_F(RegistryTest, ReadsEachRootFromItsOwnFile) {
    const struct {
        RegistryRoot root;
        const char* key;
        const char* name;
        bool found;
        const char* value;
    } cases[] = {
        {RegistryRoot::LocalMachine, kKey, "Version", true, "103"},
        {RegistryRoot::LocalMachine, "software\\QUOBIN GAMES\\tangrove", "VERSION", true, "103"},
        {RegistryRoot::LocalMachine, kKey, "InstallPath", true, "C:\\Games\\Tangrove = 1"},
        {RegistryRoot::LocalMachine, kKey, "Empty", true, ""},
        {RegistryRoot::LocalMachine, kKey, "Language", false, ""},  // only in another section
        {RegistryRoot::LocalMachine, "SOFTWARE\\Other\\Product", "Language", true, "en"},
        {RegistryRoot::LocalMachine, "SOFTWARE\\Quobin Games", "Version", false, ""},
        {RegistryRoot::CurrentUser, kKey, "Language", true, "ge"},
        {RegistryRoot::CurrentUser, kKey, "Version", true, "200"},
        {RegistryRoot::CurrentUser, kKey, "InstallPath", false, ""},
        // Another product's user values live in another folder, not there.
        {RegistryRoot::CurrentUser, "SOFTWARE\\Quobin Games\\Other", "Language", false, ""},
    };
    for (const auto& c : cases) {
        std::string value = "unchanged";
        EXPECT_EQ(system_.RegQueryString(c.root, c.key, c.name, value), c.found)
            << c.key << " " << c.name;
        EXPECT_EQ(value, c.found ? c.value : "unchanged") << c.key << " " << c.name;
    }
}

TEST_F(RegistryTest, MissingFilesAreFailedReads) {
    std::string value;
    RealSystem elsewhere(root_ / "nowhere");
    EXPECT_FALSE(elsewhere.RegQueryString(RegistryRoot::LocalMachine, kKey, "Version", value));
    ScopedEnvironment emptyConfig("XDG_CONFIG_HOME", (root_ / "machine").c_str());
    EXPECT_FALSE(elsewhere.RegQueryString(RegistryRoot::CurrentUser, kKey, "Language", value));
}

// The file is read in pieces of 4096 bytes: lines that cross a piece's end,
// end exactly on it or span several pieces are read whole.
TEST(RegistryStoreTest, LinesAcrossTheReadPiecesAreReadWhole) {
    TemporaryFolder root;
    const std::string longValue(9000, 'v');
    for (const size_t padding : {4000u, 4070u, 4071u, 4072u, 4090u, 8170u}) {
        SCOPED_TRACE(padding);
        const std::string text = "Filler=" + std::string(padding, 'f') + "\n[SOFTWARE\\Quobin Games\\Tangrove]\n" +
                                 "Long=" + longValue + "\r\nVersion=103\n";
        WriteWholeFile(root / "registry.ini", text);
        std::string value;
        ASSERT_TRUE(ReadRegistryFile(root / "registry.ini", kKey, "Version", value));
        EXPECT_EQ(value, "103");
        ASSERT_TRUE(ReadRegistryFile(root / "registry.ini", kKey, "Long", value));
        EXPECT_EQ(value, longValue);
        EXPECT_FALSE(ReadRegistryFile(root / "registry.ini", kKey, "Filler", value));
    }
}

TEST(UserRegistryFileTest, UsesTheLastTwoComponentsOfTheKeyBelowTheConfigFolder) {
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(UserRegistryFile(kKey), "/cfg/Quobin Games/Tangrove/registry.ini");
        EXPECT_EQ(UserRegistryFile("Tangrove\\"), "/cfg/Tangrove/registry.ini");
        EXPECT_EQ(UserRegistryFile(""), "");
    }
    ScopedEnvironment config("XDG_CONFIG_HOME", "");
    ScopedEnvironment home("HOME", "/home/u");
    EXPECT_EQ(UserRegistryFile(kKey), "/home/u/.config/Quobin Games/Tangrove/registry.ini");
}

} // namespace
