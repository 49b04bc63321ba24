// The screens that own settings: the options screen's video modes and
// volumes, the in-game menu's window mode and volumes, and the HUD, menu and
// options following the full-screen setting while a switch is pending.
#include "framework/GUIOptionsWindowBase.h"

#include <gtest/gtest.h>

#include "engine/core/Config.h"
#include "engine/core/EngineTestEnvironment.h"
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundPlayer.h"
#include "framework/TestGame.h"

namespace GameFramework {
namespace {

using TestSupport::TestGame;

class SettingsScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game.Profiles()->currentProfile = game.Profiles()->AddProfile(u"Ann");
        ASSERT_NE(game.Profile(), nullptr);
    }
    ZorvaneEngine::Config& Config() { return *game.GetConfig(); }
    // A fresh read of the profile's file.
    std::unique_ptr<ProfileBase> SavedProfile()
    {
        auto profile = game.Profiles()->LoadProfile(game.Profile()->GetFileName());
        return profile;
    }

    TestSupport::EngineTestEnvironment env;
    TestGame game;
};

std::vector<std::string> Labels(const GUIOptionsWindowBase& options)
{
    std::vector<std::string> labels;
    for (const VideoMode& mode : options.GetVideoModes()) labels.push_back(mode.label);
    return labels;
}

TEST_F(SettingsScreensTest, VideoModesAreListedOnceInSizeOrderAndOpenSelectsTheConfiguredOne)
{
    GUIOptionsWindowBase options(game.GetEngine(), game.Player(), game.Profiles());
    for (const auto& [w, h] : {std::pair{1024u, 768u}, {640u, 480u}, {800u, 600u}, {800u, 600u}})
        options.AddVideoMode(w, h);
    EXPECT_EQ(Labels(options), (std::vector<std::string>{"640x480", "800x600", "1024x768"}));

    // The test game's default mode is 800x600x32.
    struct Row {
        const char* mode;
        uint32_t index;
        int32_t bits;
    };
    const Row rows[] = {{"1024x768x16", 2, 16}, {"1280x1024x32", 1, 32}, {"640X480x32", 0, 32}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        Config().videoMode = row.mode;
        options.Open();
        EXPECT_EQ(options.GetSelectedIndex(), row.index);
        EXPECT_EQ(options.GetColorBits(), row.bits);
    }

    // Neither the mode nor the default listed: the first entry.
    GUIOptionsWindowBase few(game.GetEngine(), game.Player(), game.Profiles());
    few.AddVideoMode(1024, 768);
    few.AddVideoMode(1280, 1024);
    Config().videoMode = "1600x1200x32";
    few.Open();
    EXPECT_EQ(few.GetSelectedIndex(), 0u);
}

TEST_F(SettingsScreensTest, ApplyWritesWhatChangedAndAsksForTheSwitchOnlyThen)
{
    struct Row {
        const char* name;
        bool withModes;
        const char* before;
        bool fullscreenBefore;
        const char* after;
        bool switchAsked;
    };
    // The player keeps 800x600 at 32 bits and full screen off.
    const Row rows[] = {
        {"another mode", true, "1024x768x32", false, "800x600x32", true},
        {"the same mode, another case", true, "800X600x32", false, "800X600x32", false},
        {"the same mode, full screen changed", true, "800x600x32", true, "800x600x32", true},
        {"no modes listed", false, "1024x768x32", false, "1024x768x32", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GUIOptionsWindowBase options(game.GetEngine(), game.Player(), game.Profiles());
        if (row.withModes) {
            options.AddVideoMode(640, 480);
            options.AddVideoMode(800, 600);
        }
        Config().videoMode = "800x600x32";
        Config().fullscreen = false;
        options.Open();  // 800x600 at 32 bits, full screen off
        Config().videoMode = row.before;
        Config().fullscreen = row.fullscreenBefore;
        Config().SetCommandDone("g_update_video_mode", true);
        game.Player()->SetSoundVolume(0.25f);
        game.Player()->SetMusicVolume(0.5f);

        options.Apply();
        EXPECT_EQ(Config().videoMode, row.after);
        EXPECT_FALSE(Config().fullscreen);
        EXPECT_EQ(!Config().IsCommandDone("g_update_video_mode"), row.switchAsked);
        EXPECT_NE(TestSupport::ReadWholeFile(env.IniPath()).find(std::string("v_mode ") + row.after),
                  std::string::npos);
        const std::unique_ptr<ProfileBase> saved = SavedProfile();
        EXPECT_FLOAT_EQ(saved->soundVolume, 0.25f);
        EXPECT_FLOAT_EQ(saved->musicVolume, 0.5f);
    }
}

TEST_F(SettingsScreensTest, DefaultsChangeTheVolumesAtOnceAndCancelBringsThemBack)
{
    GUIOptionsWindowBase options(game.GetEngine(), game.Player(), game.Profiles());
    options.AddVideoMode(640, 480);
    options.AddVideoMode(800, 600);
    Config().videoMode = "640x480x16";
    Config().fullscreen = false;
    game.Player()->SetSoundVolume(0.3f);
    game.Player()->SetMusicVolume(0.6f);
    options.Open();

    options.SetDefaults();
    EXPECT_EQ(options.GetSelectedIndex(), 1u);
    EXPECT_EQ(options.GetColorBits(), 32);
    EXPECT_TRUE(options.IsFullScreen());
    EXPECT_FLOAT_EQ(game.Player()->GetSoundVolume(), 1.0f);
    EXPECT_FLOAT_EQ(game.Player()->GetMusicVolume(), 1.0f);
    // The mode waits for Apply.
    EXPECT_EQ(Config().videoMode, "640x480x16");

    options.Cancel();
    EXPECT_FLOAT_EQ(game.Player()->GetSoundVolume(), 0.3f);
    EXPECT_FLOAT_EQ(game.Player()->GetMusicVolume(), 0.6f);
}

TEST_F(SettingsScreensTest, TheInGameMenuSwitchesTheWindowModeOnlyWhenTheChoiceDiffers)
{
    struct Probe : GUIGameLogicMenuWindowBase {
        using GUIGameLogicMenuWindowBase::GUIGameLogicMenuWindowBase;
        void Choose(bool value) { fullScreen = value; }
    } probe(game.GetEngine(), game.Player(), game.Profiles());
    Config().fullscreen = false;
    probe.Open();

    probe.ApplyWindowMode();
    EXPECT_TRUE(Config().IsCommandDone("v_window_change_mode"));

    probe.Choose(true);
    probe.ApplyWindowMode();
    EXPECT_TRUE(Config().fullscreen);
    EXPECT_FALSE(Config().IsCommandDone("v_window_change_mode"));
    EXPECT_NE(TestSupport::ReadWholeFile(env.IniPath()).find("v_fullscreen 1"), std::string::npos);

    // Closing puts the volumes into the profile's file.
    game.Player()->SetSoundVolume(0.125f);
    game.Player()->SetMusicVolume(0.75f);
    probe.Close();
    const std::unique_ptr<ProfileBase> saved = SavedProfile();
    EXPECT_FLOAT_EQ(saved->soundVolume, 0.125f);
    EXPECT_FLOAT_EQ(saved->musicVolume, 0.75f);
}

TEST_F(SettingsScreensTest, FullScreenChoicesFollowTheSettingWhileASwitchIsPending)
{
    GUIGameLogicWindowBase hud(game.GetEngine(), game.Profiles());
    GUIGameLogicMenuWindowBase menu(game.GetEngine(), game.Player(), game.Profiles());
    GUIOptionsWindowBase options(game.GetEngine(), game.Player(), game.Profiles());
    Config().fullscreen = false;
    hud.Open(nullptr);
    menu.Open();
    options.Open();

    // No switch pending: the screens keep their own choice.
    Config().fullscreen = true;
    hud.Update();
    menu.Update();
    options.Update();
    EXPECT_FALSE(hud.IsFullScreen());
    EXPECT_FALSE(menu.IsFullScreen());
    EXPECT_FALSE(options.IsFullScreen());

    Config().SetCommandDone("v_window_change_mode", false);
    hud.Update();
    menu.Update();
    options.Update();
    EXPECT_TRUE(hud.IsFullScreen());
    EXPECT_TRUE(menu.IsFullScreen());
    EXPECT_TRUE(options.IsFullScreen());

    EXPECT_EQ(hud.GetGameLogic(), nullptr);
    hud.SetActive(true);
    EXPECT_TRUE(hud.IsActive());
}

} // namespace
} // namespace GameFramework
