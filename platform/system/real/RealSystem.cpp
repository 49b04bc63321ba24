#include "platform/system/real/RealSystem.h"

#include "platform/system/real/RegistryStore.h"
#include "platform/system/StdThread.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace Platform {

namespace {

int64_t MonotonicNanoseconds() {
    timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Milliseconds in 32 bits: wraps like the Windows tick count, every 49.7 days.
uint32_t MonotonicMilliseconds() {
    return static_cast<uint32_t>(static_cast<uint64_t>(MonotonicNanoseconds() / 1'000'000));
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

} // namespace

RealSystem::RealSystem(std::string machineRegistryFolder)
    : machineRegistryFolder_(std::move(machineRegistryFolder)) {}

uint32_t RealSystem::GetTickCount() {
    return MonotonicMilliseconds();
}

uint32_t RealSystem::TimeGetTime() {
    return MonotonicMilliseconds();
}

bool RealSystem::TimeGetDevCaps(uint32_t& minimumPeriod) {
    // The monotonic clock is finer than a millisecond, so the timer runs at
    // the best period the original could ask for.
    minimumPeriod = 1;
    return true;
}

void RealSystem::TimeBeginPeriod(uint32_t) {}

void RealSystem::TimeEndPeriod(uint32_t) {}

int64_t RealSystem::QueryPerformanceCounter() {
    return MonotonicNanoseconds();
}

int64_t RealSystem::QueryPerformanceFrequency() {
    return 1'000'000'000;
}

void RealSystem::Sleep(uint32_t milliseconds) {
    timespec remaining{static_cast<time_t>(milliseconds / 1000),
                       static_cast<long>(milliseconds % 1000) * 1'000'000};
    // A signal cuts nanosleep short; sleep the rest.
    while (::nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

std::unique_ptr<Thread> RealSystem::CreateThread(std::function<void()> function) {
    return StdThread::Start(std::move(function));
}

bool RealSystem::RegQueryString(RegistryRoot root, const std::string& key,
                                const std::string& valueName, std::string& value) {
    std::string path;
    if (root == RegistryRoot::LocalMachine) {
        std::string folder = machineRegistryFolder_;
        if (folder.empty()) {
            const std::string program = GetModuleFileName();
            const size_t slash = program.rfind('/');
            if (slash == std::string::npos) {
                return false;
            }
            folder = program.substr(0, slash);
        }
        path = folder + "/registry.ini";
    } else {
        path = UserRegistryFile(key);
        if (path.empty()) {
            return false;
        }
    }
    return ReadRegistryFile(path, key, valueName, value);
}

HRESULT RealSystem::CoInitialize() {
    return S_OK;
}

void RealSystem::CoUninitialize() {}

bool RealSystem::ShellOpen(const std::string& path) {
    posix_spawnattr_t attributes;
    if (::posix_spawnattr_init(&attributes) != 0) {
        return false;
    }
    // Its own session: the viewer outlives the game and ignores its terminal.
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string program = "xdg-open";
    std::string argument = path;
    char* arguments[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    const int error = ::posix_spawnp(&child, program.c_str(), nullptr, &attributes, arguments, environ);
    ::posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        return false;
    }
    // Nobody waits for the viewer, but its exit status must be collected or
    // it stays a zombie for the rest of the game.
    try {
        std::thread([child] {
            while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to reap it: a zombie until the game ends, the lesser harm.
    }
    return true;
}

std::string RealSystem::GetModuleFileName() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

std::string RealSystem::GetAppDataFolder() {
    std::string folder;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0') {
        folder = data;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        folder = std::string(home) + "/.local/share";
    } else {
        return {};
    }
    folder = WithoutTrailingSlashes(std::move(folder));
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder, error)) {
        return {};
    }
    return folder;
}

} // namespace Platform
