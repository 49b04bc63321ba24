#pragma once
// Owns every timer in a slot table, raises the system timer resolution for
// its lifetime and turns the main timer into the frame step once a frame.
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace ZorvaneEngine {

class Timer;

class TimerManager {
public:
    TimerManager();
    virtual ~TimerManager();

    TimerManager(const TimerManager&) = delete;
    TimerManager& operator=(const TimerManager&) = delete;

    // A new timer set to startSeconds and registered; the manager owns it.
    Timer* CreateTimer(bool highResolution, float startSeconds);
    // Registers a timer made elsewhere and takes ownership of it. Freed slots
    // are reused first freed, first reused. Safe from the loading thread.
    void AddTimer(Timer* timer);
    // Unregisters and deletes a registered timer; null or an unknown timer
    // does nothing.
    void DeleteTimer(Timer* timer);

    // Once a frame: the frame step and the frames-per-second count.
    void Update();

    // The slot holding the timer, -1 when it is not registered.
    int32_t GetSlotIndex(const Timer* timer) const;
    Timer* GetMainTimer() const { return mainTimer; }

    // Seconds since the previous Update, clamped to [0.001, 0.1]; what every
    // moving thing multiplies its speed by.
    float frameStep = 0.0f;
    // Frames counted in the last completed second.
    int32_t framesPerSecond = 0;

private:
    uint32_t timerPeriod = 0;  // milliseconds granted by the system; 0 when unknown
    std::deque<int32_t> freeSlots;
    std::vector<int32_t> usedSlots;  // in order of registration
    std::vector<Timer*> slots;       // owned; null in a free slot
    mutable std::mutex slotMutex;
    Timer* mainTimer = nullptr;
    double previousReading = 0.0;
    int32_t frameCounter = 0;
    double secondAccumulator = 0.0;
};

} // namespace ZorvaneEngine
