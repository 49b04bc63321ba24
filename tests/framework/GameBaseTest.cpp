#include "framework/GameBase.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/core/Config.h"
#include "engine/core/Random.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Window.h"
#include "engine/graphics/Camera.h"
#include "engine/gui/GUIManager.h"
#include "framework/TestGame.h"

namespace GameFramework {
namespace {

using namespace Platform;
using TestSupport::EngineTestEnvironment;
using TestSupport::ReadWholeFile;
using TestSupport::TestGame;
using TestSupport::WriteWholeFile;

const char* const kKey = "SOFTWARE\\Quobin Games\\Tangrove";

// Names and folders only: nothing is created.
class NamesOnly : public GameBase {
public:
    NamesOnly() : GameBase("Quobin Games", "Tangrove") {}
};

TEST(GameBase, ConstructorFindsVersionAndFolders)
{
    struct Case {
        const char* name;
        const char* machineVersion;  // null: no value
        const char* userVersion;
        const char* installPath;
        bool packBesideProgram;
        int32_t version;
        const char* installFolder;   // null: the program's folder
    };
    const Case cases[] = {
        {"nothing", nullptr, nullptr, nullptr, false, 103, nullptr},
        {"machine version", "105", "107", nullptr, false, 105, nullptr},
        {"user version", nullptr, "107", nullptr, false, 107, nullptr},
        {"not a number", "abc", nullptr, nullptr, false, 0, nullptr},
        {"install path", nullptr, nullptr, "X:\\Games\\T", false, 103, "X:\\Games\\T"},
        {"pack wins", nullptr, nullptr, "X:\\Games\\T", true, 103, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineTestEnvironment env;
        if (c.machineVersion)
            env.scripted.SetRegistryValue(RegistryRoot::LocalMachine, kKey, "Version",
                                          c.machineVersion);
        if (c.userVersion)
            env.scripted.SetRegistryValue(RegistryRoot::CurrentUser, kKey, "Version",
                                          c.userVersion);
        if (c.installPath)
            env.scripted.SetRegistryValue(RegistryRoot::CurrentUser, kKey, "InstallPath",
                                          c.installPath);
        if (c.packBesideProgram)
            WriteWholeFile(env.folder / "bin/data/pack0.pak", "");

        NamesOnly game;
        EXPECT_EQ(game.GetRegistryKey(), kKey);
        EXPECT_EQ(game.GetVersion(), c.version);
        EXPECT_EQ(game.GetInstallFolder(), c.installFolder ? c.installFolder : env.folder / "bin");
        EXPECT_EQ(game.GetUserFolder(), env.folder / "appdata" + "\\Quobin Games\\Tangrove");
        bool askedForInstallPath = false;
        for (const std::string& call : env.scripted.journal)
            askedForInstallPath |= call.find("InstallPath") != std::string::npos;
        EXPECT_EQ(askedForInstallPath, !c.packBesideProgram);
    }
}

TEST(GameBase, InitRegistersItsVariablesAndTheEngineSavesThem)
{
    EngineTestEnvironment env;
    env.scripted.SetTime(777);
    {
        TestGame game;
        ZorvaneEngine::Config* config = game.GetConfig();
        for (const char* command : {"d_get_used_video_memory_size", "d_get_manages_occupation",
                                    "d_get_loaded_textures", "g_update_video_mode"})
            EXPECT_TRUE(config->IsCommandDone(command)) << command;
        EXPECT_EQ(config->GetValueString("d_show_statistics"), "0");
        EXPECT_EQ(ZorvaneEngine::RandomSeed.load(), 777u);
    }
    const std::string ini = ReadWholeFile(env.IniPath());
    EXPECT_NE(ini.find("d_show_statistics 0\r\n"), std::string::npos);
    EXPECT_EQ(ini.find("g_update_video_mode"), std::string::npos);
}

TEST(GameBase, InitLaysTheInterfaceOutFor800By600)
{
    EngineTestEnvironment env;
    TestGame game;
    const ZorvaneEngine::Camera* camera = game.GetEngine()->guiManager->GetCamera();
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->orthoWidth, 800.0f);
    EXPECT_EQ(camera->orthoHeight, 600.0f);
}

TEST(GameBase, UnfocusedFramesIdle)
{
    EngineTestEnvironment env;
    TestGame game;
    ZorvaneEngine::Config* config = game.GetConfig();
    // A focused frame ends with the engine's end of frame, which announces
    // an issued "exit"; an idle frame does not get that far.
    config->SetCommandDone("exit", false);

    env.windowing.focus = nullptr;
    env.system.ClearJournal();
    game.Update();
    game.Update();
    EXPECT_TRUE(game.IsPausedByFocus());
    const auto journal = env.system.Journal();
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "Sleep 100"), 2);
    EXPECT_EQ(ReadWholeFile(env.LogPath()).find("Exiting..."), std::string::npos);

    env.windowing.focus = game.GetWindow()->handle;
    game.Update();
    EXPECT_FALSE(game.IsPausedByFocus());
    EXPECT_NE(ReadWholeFile(env.LogPath()).find("Exiting..."), std::string::npos);

    // A window that does not minimise on focus loss runs full frames.
    config->SetCommandDone("exit", true);
    game.GetWindow()->minimizeOnFocusLoss = false;
    env.windowing.focus = nullptr;
    env.system.ClearJournal();
    game.Update();
    EXPECT_FALSE(game.IsPausedByFocus());
    const auto later = env.system.Journal();
    EXPECT_EQ(std::count(later.begin(), later.end(), "Sleep 100"), 0);
}

TEST(GameBase, WindowModeChangeWaitsTwoFramesThenAsksForTheVideoMode)
{
    EngineTestEnvironment env;
    TestGame game;
    ZorvaneEngine::Config* config = game.GetConfig();
    config->SetCommandDone("v_window_change_mode", false);

    // After each frame: is the change still pending, is the video-mode
    // check asked for?
    const std::pair<bool, bool> expected[] = {{true, false}, {false, true}, {false, false}};
    for (const auto& [pending, asked] : expected) {
        game.Update();
        EXPECT_EQ(!config->IsCommandDone("v_window_change_mode"), pending);
        EXPECT_EQ(!config->IsCommandDone("g_update_video_mode"), asked);
    }
}

} // namespace
} // namespace GameFramework
