#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "platform/system/scripted/ScriptedSystem.h"

namespace {

using ZorvaneEngine::Timer;
using ZorvaneEngine::TimerManager;

class TimerTest : public ::testing::Test {
protected:
    TimerTest() { fake.SetTime(1000); }

    Platform::ScriptedSystem fake;
    Platform::ScopedSystem scope{fake};
};

TEST_F(TimerTest, FrameStepIsClampedAndCountsTheMeasuredTime) {
    TimerManager manager;
    ASSERT_FALSE(manager.GetMainTimer()->IsHighResolution());
    struct Case { uint32_t ms; float step; };
    for (const Case& c : {Case{500, 0.1f}, Case{0, 0.001f}, Case{16, 0.016f}, Case{1, 0.001f}}) {
        fake.Advance(c.ms);
        manager.Update();
        EXPECT_NEAR(manager.frameStep, c.step, 1e-6f) << c.ms << " ms";
    }
    // 517 ms measured so far: the clamped 500 ms frame still counts whole.
    fake.Advance(483);
    manager.Update();
    EXPECT_EQ(manager.framesPerSecond, 5);
}

TEST_F(TimerTest, FramesPerSecondUpdatesOnceASecond) {
    TimerManager manager;
    // 60 Hz as a millisecond clock gives it: 17, 17 and 16 ms in turn; then
    // 50 Hz.
    const uint32_t pattern[] = {17, 17, 16};
    std::vector<int32_t> readings;
    for (int frame = 0; frame < 160; ++frame) {
        fake.Advance(frame < 60 ? pattern[frame % 3] : 20);
        manager.Update();
        readings.push_back(manager.framesPerSecond);
    }
    EXPECT_EQ(readings[58], 0);
    EXPECT_EQ(readings[59], 60);
    // The count of a second stays until the next second is complete.
    EXPECT_EQ(readings[107], 60);
    EXPECT_EQ(readings[110], 50);
    EXPECT_EQ(readings[159], 50);
}

TEST_F(TimerTest, PauseFreezesAndResumeContinues) {
    for (bool highResolution : {false, true}) {
        SCOPED_TRACE(highResolution ? "performance counter" : "millisecond clock");
        Timer timer(highResolution);
        EXPECT_EQ(timer.IsHighResolution(), highResolution);
        fake.Advance(3000);
        timer.SetPaused(true);
        fake.Advance(2000);
        EXPECT_FLOAT_EQ(timer.GetTime(), 3.0f);
        timer.SetPaused(true);  // already paused: the instant stays
        fake.Advance(1000);
        timer.SetPaused(false);
        EXPECT_FLOAT_EQ(timer.GetTime(), 3.0f);
        fake.Advance(500);
        EXPECT_FLOAT_EQ(timer.GetTime(), 3.5f);
        timer.SetPaused(false);  // already running: nothing moves
        EXPECT_FLOAT_EQ(timer.GetTime(), 3.5f);

        timer.SetPaused(true);
        timer.SetTime(5.0f);
        EXPECT_FALSE(timer.IsPaused());
        EXPECT_FLOAT_EQ(timer.GetTime(), 5.0f);
        fake.Advance(250);
        EXPECT_FLOAT_EQ(timer.GetTime(), 5.25f);
    }
}

TEST_F(TimerTest, MainTimerUsesTheCounterOnlyWithoutTimerCaps) {
    fake.timeDevCapsAvailable = false;
    {
        TimerManager manager;
        EXPECT_TRUE(manager.GetMainTimer()->IsHighResolution());
        fake.Advance(20);
        manager.Update();
        EXPECT_NEAR(manager.frameStep, 0.02f, 1e-6f);
    }
    // No period was raised, so none is restored.
    for (const std::string& call : fake.journal)
        EXPECT_EQ(call.find("Period"), std::string::npos) << call;
}

// Counts its deletions, so a timer given back twice shows.
class CountedTimer : public Timer {
public:
    explicit CountedTimer(int& deletions) : Timer(false), deletions(deletions) {}
    ~CountedTimer() override { ++deletions; }

private:
    int& deletions;
};

TEST_F(TimerTest, FreedSlotsAreReusedFirstFreedFirst) {
    TimerManager manager;
    EXPECT_EQ(manager.GetSlotIndex(manager.GetMainTimer()), 0);
    Timer* a = manager.CreateTimer(false, 0.0f);
    int bDeleted = 0;
    int dDeleted = 0;
    Timer* b = new CountedTimer(bDeleted);
    manager.AddTimer(b);
    Timer* c = manager.CreateTimer(true, 2.0f);
    Timer* d = new CountedTimer(dDeleted);
    manager.AddTimer(d);
    EXPECT_FLOAT_EQ(c->GetTime(), 2.0f);
    EXPECT_EQ(manager.GetSlotIndex(d), 4);

    // Slot 2 is freed before slot 4. Nothing is made between the two
    // returns of d, so its address cannot belong to another timer yet.
    manager.DeleteTimer(b);
    manager.DeleteTimer(d);
    manager.DeleteTimer(d);  // given back twice: ignored, not deleted twice
    manager.DeleteTimer(nullptr);
    EXPECT_EQ(bDeleted, 1);
    EXPECT_EQ(dDeleted, 1);

    Timer* e = manager.CreateTimer(false, 0.0f);
    Timer* f = new Timer(false);
    manager.AddTimer(f);
    Timer* g = manager.CreateTimer(false, 0.0f);
    // Every live timer in its slot: the first freed is taken first.
    const std::pair<const Timer*, int32_t> expected[] = {
        {manager.GetMainTimer(), 0}, {a, 1}, {e, 2}, {c, 3}, {f, 4}, {g, 5}};
    for (const auto& [timer, slot] : expected)
        EXPECT_EQ(manager.GetSlotIndex(timer), slot);
    const Timer unregistered(false);
    EXPECT_EQ(manager.GetSlotIndex(&unregistered), -1);
}

class JournalTimer : public Timer {
public:
    JournalTimer(std::vector<std::string>& journal, std::string name)
        : Timer(false), journal(journal), name(std::move(name)) {}
    ~JournalTimer() override { journal.push_back("delete " + name); }

private:
    std::vector<std::string>& journal;
    std::string name;
};

TEST_F(TimerTest, DestructionDeletesInRegistrationOrderThenRestoresThePeriod) {
    {
        TimerManager manager;
        auto* first = new JournalTimer(fake.journal, "first");
        auto* second = new JournalTimer(fake.journal, "second");
        auto* third = new JournalTimer(fake.journal, "third");
        manager.AddTimer(first);
        manager.AddTimer(second);
        manager.AddTimer(third);
        manager.DeleteTimer(first);
        // Takes the freed slot 1 but is registered last.
        manager.AddTimer(new JournalTimer(fake.journal, "fourth"));
    }
    std::vector<std::string> events;
    for (const std::string& call : fake.journal)
        if (call.find("Period") != std::string::npos || call.rfind("delete", 0) == 0)
            events.push_back(call);
    EXPECT_EQ(events, (std::vector<std::string>{"TimeBeginPeriod 1", "delete first", "delete second",
                                                "delete third", "delete fourth",
                                                "TimeEndPeriod 1"}));
}

TEST_F(TimerTest, MillisecondClockWrapsSafely) {
    fake.SetTime(0xFFFFFFFFull - 499);
    TimerManager manager;
    Timer timer(false);
    fake.Advance(1000);  // the 32-bit clock passes zero
    EXPECT_FLOAT_EQ(timer.GetTime(), 1.0f);
    manager.Update();
    EXPECT_NEAR(manager.frameStep, 0.1f, 1e-6f);
    fake.Advance(16);
    manager.Update();
    EXPECT_NEAR(manager.frameStep, 0.016f, 1e-6f);

    // A start time reaching back before the wrap.
    fake.SetTime(0x100000000ull + 200);
    timer.SetTime(0.5f);
    EXPECT_FLOAT_EQ(timer.GetTime(), 0.5f);
}

TEST_F(TimerTest, TimersCanBeRegisteredFromTwoThreads) {
    TimerManager manager;
    constexpr int kEach = 2000;
    std::vector<Timer*> made[2];
    auto add = [&](int which) {
        for (int i = 0; i < kEach; ++i) {
            made[which].push_back(new Timer(false));
            manager.AddTimer(made[which].back());
            if (i % 3 == 0) {
                manager.DeleteTimer(made[which].back());
                made[which].pop_back();
            }
        }
    };
    std::thread worker(add, 1);
    add(0);
    worker.join();
    std::vector<bool> seen(2 * kEach + 1, false);
    for (const auto& list : made) {
        for (Timer* timer : list) {
            const int32_t slot = manager.GetSlotIndex(timer);
            ASSERT_GT(slot, 0);
            ASSERT_FALSE(seen[slot]) << "slot " << slot << " given twice";
            seen[slot] = true;
        }
    }
}

} // namespace
