#include "platform/system/StdThread.h"

#include <system_error>
#include <utility>

namespace Platform {

std::unique_ptr<Thread> StdThread::Start(std::function<void()> function) {
    std::unique_ptr<StdThread> thread(new StdThread());
    try {
        StdThread* self = thread.get();
        thread->thread_ = std::thread(
            [self, function = std::move(function)]() mutable { self->Run(std::move(function)); });
    } catch (const std::system_error&) {
        return nullptr;
    }
    return thread;
}

StdThread::~StdThread() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void StdThread::Run(std::function<void()> function) {
    try {
        function();
    } catch (...) {
        error_ = std::current_exception();
    }
    // What the function holds is released before anyone is told it is done.
    function = nullptr;
    finished_.store(true, std::memory_order_release);
}

bool StdThread::IsFinished() {
    return finished_.load(std::memory_order_acquire);
}

void StdThread::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
    // Handed over once: a second Join has nothing left to report.
    if (std::exception_ptr error = std::exchange(error_, nullptr)) {
        std::rethrow_exception(error);
    }
}

} // namespace Platform
