#pragma once
// The implementation an area of the platform (input, windowing, graphics,
// audio, system, capture) serves its calls with: the real one, unless a test
// installed a twin in its place. Each area keeps one Installed object behind
// its Get and Set functions.
#include <atomic>

namespace Platform {

template <class Area>
class Installed {
public:
    // real makes the real implementation on its first call and returns it.
    constexpr explicit Installed(Area& (*real)()) : real_(real) {}
    Installed(const Installed&) = delete;
    Installed& operator=(const Installed&) = delete;

    // Atomic: the loading thread asks for the system and the capture while
    // a test's thread may be installing.
    Area& Get() const
    {
        Area* twin = twin_.load(std::memory_order_acquire);
        return twin != nullptr ? *twin : real_();
    }

    // Installs a twin (null restores the real one). Returns the previous
    // twin, null when the real one was in use, so that handing the result
    // back undoes the call.
    Area* Set(Area* twin) { return twin_.exchange(twin, std::memory_order_acq_rel); }

private:
    Area& (*real_)();
    std::atomic<Area*> twin_{nullptr};
};

// A twin installed for the guard's life; what was installed before comes
// back when it ends. Install is the area's Set function.
template <class Area, Area* (*Install)(Area*)>
class ScopedInstall {
public:
    explicit ScopedInstall(Area& twin) : previous_(Install(&twin)) {}
    ~ScopedInstall() { Install(previous_); }
    ScopedInstall(const ScopedInstall&) = delete;
    ScopedInstall& operator=(const ScopedInstall&) = delete;

private:
    Area* previous_;
};

} // namespace Platform
