#pragma once
// The operating-system services the program asks for by their original names:
// clocks, sleeping, threads, the registry, the shell, COM, and the two folders
// every path starts from. One implementation talks to Linux; the scripted one
// (ScriptedSystem.h) runs tests on an injectable clock and records calls.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "platform/Installed.h"

namespace Platform {

// Results in the style of the original interfaces: negative is a failure.
using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

// A worker thread. The function's exception, if any, is kept and re-thrown
// by Join() on the joining thread, so a failure on a worker reaches the same
// handlers as one on the main thread.
class Thread {
public:
    virtual ~Thread() = default;
    // WaitForSingleObject with a zero timeout: has the function returned?
    virtual bool IsFinished() = 0;
    // Waits for the end of the function; re-throws what it threw.
    virtual void Join() = 0;
};

enum class RegistryRoot { LocalMachine, CurrentUser };

class System {
public:
    virtual ~System() = default;

    // Clocks. GetTickCount and timeGetTime are milliseconds in 32 bits that
    // wrap; the performance counter is a 64-bit tick count.
    virtual uint32_t GetTickCount() = 0;
    virtual uint32_t TimeGetTime() = 0;
    // timeGetDevCaps: false when the capabilities cannot be read.
    virtual bool TimeGetDevCaps(uint32_t& minimumPeriod) = 0;
    virtual void TimeBeginPeriod(uint32_t period) = 0;
    virtual void TimeEndPeriod(uint32_t period) = 0;
    virtual int64_t QueryPerformanceCounter() = 0;
    virtual int64_t QueryPerformanceFrequency() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;

    // CreateThread: null when the thread cannot be started.
    virtual std::unique_ptr<Thread> CreateThread(std::function<void()> function) = 0;

    // RegQueryValueEx of a string value below a key such as
    // "SOFTWARE\Company\Product". False when the key or value is missing.
    virtual bool RegQueryString(RegistryRoot root, const std::string& key,
                                const std::string& valueName, std::string& value) = 0;

    virtual HRESULT CoInitialize() = 0;
    virtual void CoUninitialize() = 0;

    // ShellExecute "open": hands a file to the program the desktop associates
    // with it. False when nothing could be started.
    virtual bool ShellOpen(const std::string& path) = 0;

    // GetModuleFileName of the running program: its full path.
    virtual std::string GetModuleFileName() = 0;
    // SHGetFolderPath(CSIDL_APPDATA | CSIDL_FLAG_CREATE): the user's
    // application-data folder, created when missing; empty on failure.
    virtual std::string GetAppDataFolder() = 0;
};

// The implementation in use. The real one unless a test installed another.
System& GetSystem();
// Installs a replacement (null restores the real one); returns the previous
// replacement, null when the real one was in use, so that handing the result
// back to SetSystem undoes the call.
System* SetSystem(System* system);
using ScopedSystem = ScopedInstall<System, &SetSystem>;

} // namespace Platform
