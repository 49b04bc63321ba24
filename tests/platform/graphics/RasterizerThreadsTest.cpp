// The rasterizer's thread count: the game's choice unless the user made one.
#include "platform/graphics/opengl/RasterizerThreads.h"

#include <gtest/gtest.h>
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

TEST_F(RasterizerThreadsTest, SetsItsOwnCountOnlyWhereTheUserSetNone)
{
    struct Case {
        const char* user;  // null: not set
        bool setHere;
        const char* after;
    };
    const Case cases[] = {
        {nullptr, true, kRasterizerThreads},
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
        EXPECT_STREQ(after, c.after) << name;
        // A second call, as a second window start makes it, keeps the value.
        EXPECT_FALSE(ChooseRasterizerThreads()) << name;
        EXPECT_STREQ(getenv("LP_NUM_THREADS"), c.after) << name;
    }
}

} // namespace
} // namespace Platform
