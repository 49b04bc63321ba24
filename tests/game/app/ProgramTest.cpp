// The built program, started as a user starts it, headless.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/system/TemporaryFolder.h"

namespace {

using TestSupport::ReadWholeFile;
using TestSupport::TemporaryFolder;

const std::string kProgram = TANGROVE_BINARY_DIR "/tangrove";

struct Program {
    // Starts the program with its data and configuration below the folder
    // and the given video driver; standard error goes to a file.
    Program(const TemporaryFolder& folder, const char* videoDriver)
        : errorPath(folder / "stderr.txt")
    {
        pid = ::fork();
        if (pid == 0) {
            ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
            ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
            ::setenv("SDL_VIDEODRIVER", videoDriver, 1);
            ::setenv("SDL_AUDIODRIVER", "dummy", 1);
            // No display: a box must not wait for a person.
            ::unsetenv("DISPLAY");
            ::unsetenv("WAYLAND_DISPLAY");
            const int error = ::open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(error, 2);
            ::execl(kProgram.c_str(), kProgram.c_str(), "--arguments", "are ignored", nullptr);
            ::_exit(127);
        }
    }

    // A test that failed before its Wait leaves no program running.
    ~Program()
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            Wait();
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The exit code, or -1 when the program did not exit by itself.
    int Wait()
    {
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string errorPath;
    pid_t pid = -1;
};

std::string UserFolder(const TemporaryFolder& folder)
{
    return folder / "data/Quobin Games/Tangrove";
}

// Waits until the file holds the text; false when the program ends first,
// or after a few minutes, which only a hang takes (a sanitised start on a
// busy machine is slow, but not that slow).
bool WaitForText(const Program& program, const std::string& path, const std::string& text)
{
    for (int i = 0; i < 3 * 60 * 10; ++i) {
        if (ReadWholeFile(path).find(text) != std::string::npos)
            return true;
        // Looked at, not reaped: Wait still collects the exit status.
        siginfo_t ended{};
        if (::waitid(P_PID, static_cast<id_t>(program.pid), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            ended.si_pid == program.pid)
            return ReadWholeFile(path).find(text) != std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

TEST(Program, RunsUntilTerminatedThenSavesAndExitsWithZero)
{
    // A first run: not even the data folder exists.
    TemporaryFolder folder;
    const std::string log = UserFolder(folder) + "/Tangrove.html";

    Program program(folder, "offscreen");
    ASSERT_TRUE(WaitForText(program, log, "...Creating a device context..."));
    // The catalogue is read at start-up; the resource catalogue loads behind
    // the loading screen after the logos, and then the first screen opens.
    EXPECT_TRUE(WaitForText(program, log, "Level Manager: Found 8 stages with 40 levels"));
    EXPECT_TRUE(WaitForText(program, log, "Game: Resources loaded, first screen opened..."));
    // The window exists, so the termination arrives as the close request.
    ::kill(program.pid, SIGTERM);
    EXPECT_EQ(program.Wait(), 0);

    const std::string text = ReadWholeFile(log);
    EXPECT_NE(text.find("Tangrove Log: "), std::string::npos);
    // The built data set has every file the start-up asks for: nothing is
    // missing, substituted or refused.
    for (const char* complaint : {"Warning: ", "Error: ", "PROGRAM ABORTING"})
        EXPECT_EQ(text.find(complaint), std::string::npos) << complaint;
    EXPECT_NE(text.find("Tangrove Log end: "), std::string::npos);
    const std::string ini = ReadWholeFile(UserFolder(folder) + "/Tangrove.ini");
    EXPECT_NE(ini.find("v_mode 1024x768x32\r\n"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(program.errorPath).find("Fatal Error"), std::string::npos);
}

TEST(Program, FatalStartUpEndsInTheBoxOnStandardError)
{
    TemporaryFolder folder;
    Program program(folder, "no_such_driver");
    EXPECT_EQ(program.Wait(), 1);

    EXPECT_NE(ReadWholeFile(program.errorPath)
                  .find("Fatal Error: Failed to register the window class"),
              std::string::npos);
    const std::string text = ReadWholeFile(UserFolder(folder) + "/Tangrove.html");
    EXPECT_NE(text.find("PROGRAM ABORTING: Failed to register the window class"),
              std::string::npos);
    EXPECT_NE(text.find("Tangrove Log end: "), std::string::npos);
}

} // namespace
