#include <gtest/gtest.h>

#include "engine/core/TextUtils.h"
#include "platform/system/scripted/ScriptedSystem.h"

namespace ZorvaneEngine {
namespace {

TEST(ApplicationFolderTest, CutBeforeTheLastSeparator)
{
    struct Case {
        const char* module;
        const char* folder;
    };
    const Case cases[] = {
        {"/opt/tangrove/tangrove", "/opt/tangrove"},
        {"C:\\Games\\Tangrove\\game.exe", "C:\\Games\\Tangrove"},
        {"/opt/a\\b/c", "/opt/a\\b"},
        {"/opt/x\\game", "/opt/x"},
        {"tangrove", "tangrove"},  // no separator: the whole text
    };
    for (const Case& c : cases) {
        Platform::ScriptedSystem system;
        system.moduleFileName = c.module;
        Platform::ScopedSystem installed(system);
        EXPECT_EQ(GetApplicationFolder(), c.folder) << c.module;
    }
}

} // namespace
} // namespace ZorvaneEngine
