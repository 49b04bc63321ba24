#include "platform/system/scripted/ScriptedSystem.h"

#include "platform/system/AsciiCase.h"
#include "platform/system/scripted/ScriptedCallListener.h"
#include "platform/system/StdThread.h"

namespace Platform {

namespace {

std::string Lowered(std::string text) {
    for (char& c : text) {
        c = AsciiLower(c);
    }
    return text;
}

const char* RootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? "LocalMachine" : "CurrentUser";
}

} // namespace

void ScriptedSystem::Record(std::string call) {
    {
        std::lock_guard lock(mutex_);
        journal.push_back(call);
    }
    ReportScriptedCall(call);
}

void ScriptedSystem::SetTime(uint64_t milliseconds) {
    std::lock_guard lock(mutex_);
    time_ = milliseconds;
}

void ScriptedSystem::Advance(uint64_t milliseconds) {
    std::lock_guard lock(mutex_);
    time_ += milliseconds;
}

uint64_t ScriptedSystem::Time() const {
    std::lock_guard lock(mutex_);
    return time_;
}

void ScriptedSystem::SetRegistryValue(RegistryRoot root, const std::string& key,
                                      const std::string& valueName, const std::string& value) {
    std::lock_guard lock(mutex_);
    registry_[{root, Lowered(key), Lowered(valueName)}] = value;
}

uint32_t ScriptedSystem::GetTickCount() {
    Record("GetTickCount");
    return static_cast<uint32_t>(Time());
}

uint32_t ScriptedSystem::TimeGetTime() {
    Record("TimeGetTime");
    return static_cast<uint32_t>(Time());
}

bool ScriptedSystem::TimeGetDevCaps(uint32_t& minimumPeriod) {
    Record("TimeGetDevCaps");
    if (!timeDevCapsAvailable) {
        return false;
    }
    minimumPeriod = minimumTimerPeriod;
    return true;
}

void ScriptedSystem::TimeBeginPeriod(uint32_t period) {
    Record("TimeBeginPeriod " + std::to_string(period));
}

void ScriptedSystem::TimeEndPeriod(uint32_t period) {
    Record("TimeEndPeriod " + std::to_string(period));
}

int64_t ScriptedSystem::QueryPerformanceCounter() {
    Record("QueryPerformanceCounter");
    return static_cast<int64_t>(Time()) * (kPerformanceFrequency / 1000);
}

int64_t ScriptedSystem::QueryPerformanceFrequency() {
    Record("QueryPerformanceFrequency");
    return kPerformanceFrequency;
}

void ScriptedSystem::Sleep(uint32_t milliseconds) {
    Record("Sleep " + std::to_string(milliseconds));
    Advance(milliseconds);
}

std::unique_ptr<Thread> ScriptedSystem::CreateThread(std::function<void()> function) {
    if (failThreadCreation) {
        Record("CreateThread failed");
        return nullptr;
    }
    Record("CreateThread");
    return StdThread::Start(std::move(function));
}

bool ScriptedSystem::RegQueryString(RegistryRoot root, const std::string& key,
                                    const std::string& valueName, std::string& value) {
    Record(std::string("RegQueryString ") + RootName(root) + " " + key + " " + valueName);
    std::lock_guard lock(mutex_);
    const auto found = registry_.find({root, Lowered(key), Lowered(valueName)});
    if (found == registry_.end()) {
        return false;
    }
    value = found->second;
    return true;
}

HRESULT ScriptedSystem::CoInitialize() {
    Record("CoInitialize");
    return coInitializeResult;
}

void ScriptedSystem::CoUninitialize() {
    Record("CoUninitialize");
}

bool ScriptedSystem::ShellOpen(const std::string& path) {
    Record("ShellOpen " + path);
    return shellOpenResult;
}

std::string ScriptedSystem::GetModuleFileName() {
    Record("GetModuleFileName");
    return moduleFileName;
}

std::string ScriptedSystem::GetAppDataFolder() {
    Record("GetAppDataFolder");
    return appDataFolder;
}

} // namespace Platform
