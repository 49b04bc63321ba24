// String values of the game's key from the scripted registry store: the
// machine's first, then the user's, and values that do not fit.
#include "framework/tools/RegistryReader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/system/scripted/ScriptedSystem.h"

namespace GameTools {
namespace {

using Platform::RegistryRoot;

const char* const kKey = "SOFTWARE\\Quobin Games\\Tangrove";

TEST(RegistryReader, MachineValueFirstThenTheUsersAndTooLongValuesFail)
{
    const std::string fits(4095, 'x');  // with its zero, exactly the buffer
    const std::string tooLong(4096, 'y');
    struct Case {
        const char* name;
        std::optional<std::string> machine;
        std::optional<std::string> user;
        bool found;
        std::string text;
    };
    const Case cases[] = {
        {"both", "machine", "user", true, "machine"},
        {"user only", std::nullopt, "user", true, "user"},
        {"empty machine value", "", "user", true, ""},
        {"neither", std::nullopt, std::nullopt, false, "untouched"},
        {"longest that fits", fits, std::nullopt, true, fits},
        {"machine value too long", tooLong, "user", true, "user"},
        {"only a value too long", std::nullopt, tooLong, false, "untouched"},
        {"zero inside", std::string("ab\0cd", 5), std::nullopt, true, "ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Platform::ScriptedSystem system;
        Platform::ScopedSystem scoped(system);
        if (c.machine)
            system.SetRegistryValue(RegistryRoot::LocalMachine, kKey, "Language", *c.machine);
        if (c.user)
            system.SetRegistryValue(RegistryRoot::CurrentUser, kKey, "Language", *c.user);
        std::string text = "untouched";
        EXPECT_EQ(ReadRegistryString(kKey, "Language", text), c.found);
        EXPECT_EQ(text, c.text);
    }
}

} // namespace
} // namespace GameTools
