#include "engine/core/TimerManager.h"

#include <algorithm>

#include "engine/core/Timer.h"
#include "platform/system/System.h"

namespace ZorvaneEngine {

namespace {
constexpr float kMinimumFrameStep = 0.001f;
constexpr float kMaximumFrameStep = 0.1f;
} // namespace

TimerManager::TimerManager() {
    Platform::System& system = Platform::GetSystem();
    uint32_t minimumPeriod = 0;
    if (system.TimeGetDevCaps(minimumPeriod)) {
        timerPeriod = minimumPeriod;
        system.TimeBeginPeriod(timerPeriod);
    }
    // The performance counter only serves when the millisecond clock's
    // resolution cannot be raised.
    mainTimer = CreateTimer(timerPeriod == 0, 0.0f);
}

TimerManager::~TimerManager() {
    DeleteTimer(mainTimer);
    mainTimer = nullptr;
    // Deleted in registration order.
    for (int32_t index : usedSlots)
        delete slots[index];
    usedSlots.clear();
    slots.clear();
    if (timerPeriod != 0)
        Platform::GetSystem().TimeEndPeriod(timerPeriod);
}

Timer* TimerManager::CreateTimer(bool highResolution, float startSeconds) {
    Timer* timer = new Timer(highResolution);
    timer->SetTime(startSeconds);
    AddTimer(timer);
    return timer;
}

void TimerManager::AddTimer(Timer* timer) {
    if (!timer)
        return;
    std::lock_guard<std::mutex> lock(slotMutex);
    int32_t index;
    if (!freeSlots.empty()) {
        index = freeSlots.front();
        freeSlots.pop_front();
        slots[index] = timer;
    } else {
        index = static_cast<int32_t>(slots.size());
        slots.push_back(timer);
    }
    usedSlots.push_back(index);
}

void TimerManager::DeleteTimer(Timer* timer) {
    if (!timer)
        return;
    {
        std::lock_guard<std::mutex> lock(slotMutex);
        auto found = std::find(slots.begin(), slots.end(), timer);
        // A timer given back twice is no longer here: deleting it again
        // would free it twice.
        if (found == slots.end())
            return;
        const int32_t index = static_cast<int32_t>(found - slots.begin());
        *found = nullptr;
        freeSlots.push_back(index);
        usedSlots.erase(std::find(usedSlots.begin(), usedSlots.end(), index));
    }
    delete timer;
}

int32_t TimerManager::GetSlotIndex(const Timer* timer) const {
    std::lock_guard<std::mutex> lock(slotMutex);
    if (!timer)
        return -1;
    auto found = std::find(slots.begin(), slots.end(), timer);
    return found == slots.end() ? -1 : static_cast<int32_t>(found - slots.begin());
}

void TimerManager::Update() {
    const double reading = mainTimer->GetTimeExact();
    const double measured = reading - previousReading;
    previousReading = reading;

    // Frames are counted on the measured step: a long frame counts for all
    // the time it took, although its step is clamped below.
    ++frameCounter;
    secondAccumulator += measured;
    if (secondAccumulator >= 1.0) {
        framesPerSecond = frameCounter;
        frameCounter = 0;
        secondAccumulator -= 1.0;
    }

    frameStep = std::clamp(static_cast<float>(measured), kMinimumFrameStep, kMaximumFrameStep);
}

} // namespace ZorvaneEngine
