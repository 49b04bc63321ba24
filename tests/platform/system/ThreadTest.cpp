#include "platform/system/real/RealSystem.h"
#include "platform/system/scripted/ScriptedSystem.h"

#include <future>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace Platform;

namespace {

TEST(ThreadTest, JoinWaitsAndRethrowsTheWorkersException) {
    RealSystem system;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    auto thread = system.CreateThread([released] {
        released.wait();
        throw std::runtime_error("loading failed");
    });
    ASSERT_NE(thread, nullptr);
    EXPECT_FALSE(thread->IsFinished());
    release.set_value();
    try {
        thread->Join();
        ADD_FAILURE() << "Join did not rethrow";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "loading failed");
    }
    EXPECT_TRUE(thread->IsFinished());
    EXPECT_NO_THROW(thread->Join());  // handed over once
}

TEST(ThreadTest, DestroyingAnUnjoinedThreadWaitsAndDropsItsException) {
    RealSystem system;
    bool ran = false;
    auto thread = system.CreateThread([&ran] {
        ran = true;
        throw std::runtime_error("ignored");
    });
    ASSERT_NE(thread, nullptr);
    thread.reset();
    EXPECT_TRUE(ran);
}

TEST(ThreadTest, ScriptedSystemRunsRealThreadsOrRefusesThem) {
    ScriptedSystem scripted;
    ScopedSystem installed(scripted);
    auto thread = GetSystem().CreateThread([] { GetSystem().Sleep(30); });
    ASSERT_NE(thread, nullptr);
    thread->Join();
    EXPECT_TRUE(thread->IsFinished());
    EXPECT_EQ(scripted.Time(), 30u);

    scripted.failThreadCreation = true;
    bool ran = false;
    EXPECT_EQ(GetSystem().CreateThread([&ran] { ran = true; }), nullptr);
    EXPECT_FALSE(ran);
    EXPECT_EQ(scripted.journal, (std::vector<std::string>{"CreateThread", "Sleep 30", "CreateThread failed"}));
}

} // namespace
