#include "platform/system/real/RealSystem.h"
#include "platform/system/scripted/ScriptedSystem.h"

#include <gtest/gtest.h>

using namespace Platform;

namespace {

TEST(ScriptedSystemTest, ClocksFollowTheScriptAndWrapIn32Bits) {
    ScriptedSystem system;
    system.SetTime(0xFFFFFFFFull - 5);
    EXPECT_EQ(system.GetTickCount(), 0xFFFFFFFAu);
    system.Advance(4);
    system.Sleep(6);
    EXPECT_EQ(system.Time(), 0x100000004ull);
    EXPECT_EQ(system.TimeGetTime(), 4u);
    const int64_t frequency = system.QueryPerformanceFrequency();
    EXPECT_EQ(system.QueryPerformanceCounter(), 0x100000004ll * frequency / 1000);

    system.timeDevCapsAvailable = false;
    uint32_t period = 7;
    EXPECT_FALSE(system.TimeGetDevCaps(period));
    EXPECT_EQ(period, 7u);

    EXPECT_EQ(system.journal, (std::vector<std::string>{
                                  "GetTickCount", "Sleep 6", "TimeGetTime", "QueryPerformanceFrequency",
                                  "QueryPerformanceCounter", "TimeGetDevCaps"}));
}

TEST(ScriptedSystemTest, ScriptedResultsAndTheJournal) {
    ScriptedSystem system;
    system.SetRegistryValue(RegistryRoot::CurrentUser, "SOFTWARE\\Quobin Games\\Tangrove", "Language", "fr");
    system.coInitializeResult = S_FALSE;
    system.shellOpenResult = false;
    system.appDataFolder = "/data";

    std::string value;
    EXPECT_FALSE(system.RegQueryString(RegistryRoot::LocalMachine, "SOFTWARE\\Quobin Games\\Tangrove",
                                       "Language", value));
    EXPECT_TRUE(system.RegQueryString(RegistryRoot::CurrentUser, "software\\quobin games\\tangrove",
                                      "LANGUAGE", value));
    EXPECT_EQ(value, "fr");
    EXPECT_EQ(system.CoInitialize(), S_FALSE);
    EXPECT_FALSE(system.ShellOpen("shot.jpg"));
    EXPECT_EQ(system.GetAppDataFolder(), "/data");
    system.TimeBeginPeriod(1);
    system.TimeEndPeriod(1);
    system.CoUninitialize();

    EXPECT_EQ(system.journal,
              (std::vector<std::string>{
                  "RegQueryString LocalMachine SOFTWARE\\Quobin Games\\Tangrove Language",
                  "RegQueryString CurrentUser software\\quobin games\\tangrove LANGUAGE", "CoInitialize",
                  "ShellOpen shot.jpg", "GetAppDataFolder", "TimeBeginPeriod 1", "TimeEndPeriod 1",
                  "CoUninitialize"}));
}

TEST(ScriptedSystemTest, ScopedSystemInstallsAndRestores) {
    ASSERT_NE(dynamic_cast<RealSystem*>(&GetSystem()), nullptr);
    ScriptedSystem outer;
    ScriptedSystem inner;
    {
        ScopedSystem installOuter(outer);
        EXPECT_EQ(&GetSystem(), &outer);
        {
            ScopedSystem installInner(inner);
            EXPECT_EQ(&GetSystem(), &inner);
        }
        EXPECT_EQ(&GetSystem(), &outer);
    }
    EXPECT_NE(dynamic_cast<RealSystem*>(&GetSystem()), nullptr);
}

} // namespace
