#include "platform/system/System.h"

#include "platform/system/RealSystem.h"

#include <atomic>

namespace Platform {

namespace {
// Read by the loading thread too, so installing is atomic.
std::atomic<System*> installed{nullptr};
} // namespace

System& GetSystem() {
    if (System* system = installed.load(std::memory_order_acquire)) {
        return *system;
    }
    static RealSystem real;
    return real;
}

System* SetSystem(System* system) {
    return installed.exchange(system, std::memory_order_acq_rel);
}

} // namespace Platform
