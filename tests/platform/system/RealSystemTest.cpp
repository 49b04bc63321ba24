#include "platform/system/FileSystem.h"
#include "platform/system/real/RealSystem.h"

#include "platform/system/TemporaryFolder.h"

#include <charconv>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Platform;
using TestSupport::ReadWholeFile;
using TestSupport::ScopedEnvironment;
using TestSupport::TemporaryFolder;
using TestSupport::WriteWholeFile;

namespace {

TEST(RealSystemTest, ClocksShareOneTimeBase) {
    RealSystem system;
    EXPECT_EQ(system.QueryPerformanceFrequency(), 1'000'000'000);
    uint32_t period = 0;
    EXPECT_TRUE(system.TimeGetDevCaps(period));
    EXPECT_EQ(period, 1u);

    // Differences in 32 bits, so that a wrap between the reads does no harm.
    const uint32_t before = system.GetTickCount();
    const int64_t counter = system.QueryPerformanceCounter();
    const uint32_t after = system.TimeGetTime();
    const auto counterMilliseconds = static_cast<uint32_t>(counter / 1'000'000);
    EXPECT_LE(static_cast<uint32_t>(counterMilliseconds - before), static_cast<uint32_t>(after - before));

    // Sleep waits at least as long as asked.
    const int64_t start = system.QueryPerformanceCounter();
    system.Sleep(15);
    EXPECT_GE(system.QueryPerformanceCounter() - start, 15'000'000);
}

TEST(RealSystemTest, AppDataFolderIsCreatedWhenMissing) {
    TemporaryFolder root;
    RealSystem system;
    {
        ScopedEnvironment data("XDG_DATA_HOME", (root / "data/home/").c_str());
        EXPECT_EQ(system.GetAppDataFolder(), root / "data/home");
        EXPECT_TRUE(std::filesystem::is_directory(root / "data/home"));
    }
    ScopedEnvironment data("XDG_DATA_HOME", nullptr);
    {
        ScopedEnvironment home("HOME", root.Path().c_str());
        EXPECT_EQ(system.GetAppDataFolder(), root / ".local/share");
        EXPECT_TRUE(std::filesystem::is_directory(root / ".local/share"));
    }
    WriteWholeFile(root / "file", "x");
    ScopedEnvironment home("HOME", (root / "file").c_str());
    EXPECT_EQ(system.GetAppDataFolder(), "");
}

TEST(RealSystemTest, ModuleFileNameIsTheRunningProgram) {
    RealSystem system;
    const std::string program = system.GetModuleFileName();
    EXPECT_TRUE(IsAbsolutePath(program));
    EXPECT_EQ(std::filesystem::path(program).filename(), "test_platform");
    EXPECT_TRUE(PathExists(program));
}

// The processes whose parent is this one, zombies included.
int ChildProcessCount() {
    int count = 0;
    const std::string self = std::to_string(::getpid());
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string stat = ReadWholeFile(entry.path().string() + "/stat");
        const size_t end = stat.rfind(')');
        if (end == std::string::npos) {
            continue;
        }
        // After the name: " <state> <parent id> ..."
        const size_t parent = stat.find(' ', end + 2);
        if (parent != std::string::npos && stat.compare(parent + 1, self.size() + 1, self + " ") == 0) {
            ++count;
        }
    }
    return count;
}

TEST(RealSystemTest, ShellOpenStartsXdgOpenWithoutLeavingAZombie) {
    TemporaryFolder root;
    WriteWholeFile(root / "bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.opened\"\n");
    ::chmod((root / "bin/xdg-open").c_str(), 0755);
    std::filesystem::create_directories(root / "empty");
    RealSystem system;
    {
        ScopedEnvironment path("PATH", (root / "empty").c_str());
        EXPECT_FALSE(system.ShellOpen("/tmp/shot 1.jpg"));
    }
    ScopedEnvironment path("PATH", (root / "bin").c_str());
    ASSERT_EQ(ChildProcessCount(), 0);
    ASSERT_TRUE(system.ShellOpen("/tmp/shot 1.jpg"));

    // The child runs and is reaped on its own; wait for both, a couple of
    // minutes at most, which only a hang takes.
    for (int i = 0; i < 12000 && ChildProcessCount() != 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(ChildProcessCount(), 0);
    EXPECT_EQ(ReadWholeFile(root / "bin/xdg-open.opened"), "/tmp/shot 1.jpg");
}

} // namespace
