// The rasterizer's thread count: the game's choice unless the user made one.
#include "platform/window/sdl/RasterizerThreads.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <stdlib.h>

#include <optional>
#include <string>

namespace Platform {
namespace {

// LP_NUM_THREADS as the test found it, put back afterwards.
class RasterizerThreadsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* value = getenv("LP_NUM_THREADS"))
            saved = value;
    }
    void TearDown() override
    {
        if (saved)
            setenv("LP_NUM_THREADS", saved->c_str(), 1);
        else
            unsetenv("LP_NUM_THREADS");
    }

    std::optional<std::string> saved;
};

TEST(RasterizerThreadsForTest, TwoWorkersWhereThereAreTwoCoresElseTheGameThread)
{
    EXPECT_STREQ(RasterizerThreadsFor(0), "0");  // unknown
    EXPECT_STREQ(RasterizerThreadsFor(1), "0");
    EXPECT_STREQ(RasterizerThreadsFor(2), "2");
    EXPECT_STREQ(RasterizerThreadsFor(64), "2");
}

TEST_F(RasterizerThreadsTest, SetsItsOwnCountOnlyWhereTheUserSetNone)
{
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed, &allowed), 0);
    const std::string own = RasterizerThreadsFor(static_cast<unsigned>(CPU_COUNT(&allowed)));
    struct Case {
        const char* user;  // null: not set
        bool setHere;
        std::string after;
    };
    const Case cases[] = {
        {nullptr, true, own},
        {"8", false, "8"},
        {"0", false, "0"},
        {"", false, ""},  // set, if empty: the user's
    };
    for (const Case& c : cases) {
        const std::string name = c.user ? std::string("\"") + c.user + "\"" : "unset";
        if (c.user)
            setenv("LP_NUM_THREADS", c.user, 1);
        else
            unsetenv("LP_NUM_THREADS");
        EXPECT_EQ(ChooseRasterizerThreads(), c.setHere) << name;
        const char* after = getenv("LP_NUM_THREADS");
        ASSERT_NE(after, nullptr) << name;
        EXPECT_EQ(after, c.after) << name;
    }
}

} // namespace
} // namespace Platform
