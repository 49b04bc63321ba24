#pragma once
// The Thread both system implementations hand out: a std::thread whose
// function's exception is kept for the joining thread.
#include "platform/system/System.h"

#include <atomic>
#include <thread>

namespace Platform {

class StdThread final : public Thread {
public:
    // Null when the operating system refuses another thread.
    static std::unique_ptr<Thread> Start(std::function<void()> function);
    // Joins a thread nobody joined; what it threw is dropped, since a
    // destructor has nowhere to send it.
    ~StdThread() override;

    bool IsFinished() override;
    void Join() override;

private:
    StdThread() = default;
    void Run(std::function<void()> function);

    std::thread thread_;
    std::atomic<bool> finished_{false};
    // Written by the worker before finished_ is set, read after the join.
    std::exception_ptr error_;
};

} // namespace Platform
