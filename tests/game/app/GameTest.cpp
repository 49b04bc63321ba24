// The game class: its start-up with the built data set behind the loading
// screen, its settings in the configuration file, a start-up that cannot
// read its catalogue, and the homepage it opens at the end.
#include "game/app/Game.h"

#include <gtest/gtest.h>

#include <set>

#include "GameTestSupport.h"
#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/SoundPlayer.h"
#include "game/common/GameData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "platform/system/FileSystem.h"
#include "tools/common/PackWriter.h"

namespace ActionPuzzle {
namespace {

using TestSupport::GameEnvironment;
using TestSupport::ReadWholeFile;

TEST(GameTest, StartsUpBehindTheLoadingScreenWithTheShippedData)
{
    GameEnvironment world;
    world.UseBuiltData();
    TestSupport::GameUnderTest& game = world.Start();
    ZorvaneEngine::Engine* engine = game.Engine();
    EXPECT_EQ(engine->guiManager->GetTextManager()->GetText("GAME_TITLE"), u"Tangrove");
    // The last of the 30 tables.
    EXPECT_NE(engine->guiManager->GetTextManager()->GetText("WELCOME_TITLE"), u"UNKNOWN");

    game.RunStartUp(world.env.scripted);
    ASSERT_TRUE(game.HasAllWindows());
    // The catalogue was loaded and handed to the background.
    EXPECT_NE(game.Data()->levelRootWindow, nullptr);
    EXPECT_EQ(game.Background()->gameData, game.Data());
    EXPECT_TRUE(game.Background()->loaded);

    // The hover sound of buttons alternates two ticks; every GUI sound and
    // every game sound starts at the player's sound volume.
    ZorvaneEngine::GUISoundManager* guiSounds = engine->guiManager->GetSoundManager();
    ASSERT_NE(guiSounds->GetVariants(ZorvaneEngine::GUISoundButtonHover), nullptr);
    EXPECT_EQ(guiSounds->GetVariants(ZorvaneEngine::GUISoundButtonHover)->size(), 2u);
    ZorvaneEngine::SoundManager* sounds = engine->soundManager.get();
    ASSERT_NE(sounds, nullptr);
    std::set<std::string> looping;
    size_t effects = 0;
    for (uint32_t slot : sounds->GetUsedSlots()) {
        const ZorvaneEngine::Sound* sound = sounds->GetSound(slot);
        if (sound->GetName().find("audio\\music\\") != std::string::npos)
            continue;
        ++effects;
        EXPECT_FLOAT_EQ(sound->GetVolume(), 0.7f) << sound->GetName();
        if (sound->IsLooping())
            looping.insert(sound->GetName());
    }
    EXPECT_EQ(effects, 14u + 30u);
    EXPECT_EQ(looping, (std::set<std::string>{
                           "audio\\menu\\volume_slider.wav", "audio\\menu\\charge_score.wav",
                           "audio\\game\\path_introduction.wav", "audio\\game\\path_begin.wav",
                           "audio\\game\\path_end.wav", "audio\\game\\charge_path_score.wav"}));
    EXPECT_NE(game.Player()->FindMusic(MusicGame1), nullptr);

    // Nothing was missing, substituted or refused on the way.
    EXPECT_EQ(world.Complaints(), std::vector<std::string>());

    world.game.reset();
    const std::string ini = ReadWholeFile(world.env.IniPath());
    for (const char* line : {"g_camera_type 1\r\n", "g_camera_value 1", "g_music_volume 0.160000\r\n",
                             "g_sound_volume 0.700000\r\n"})
        EXPECT_NE(ini.find(line), std::string::npos) << line;
}

// The file's bare name: "audio\menu\button_click.ogg" is "button_click".
std::string BareName(const std::string& path)
{
    const size_t start = path.rfind('\\') + 1;
    return path.substr(start, path.rfind('.') - start);
}

// The game's two lists: the files behind each sound id of the interface,
// and the text tables, read in order (the small data set has none, so each
// is reported missing as the start-up reads it).
TEST(GameTest, RegistersTheInterfacesSoundsAndReadsEveryTextTableOfItsLists)
{
    GameEnvironment world;
    world.UseSmallData();
    TestSupport::GameUnderTest& game = world.Start();
    const std::vector<std::vector<std::string>> sounds = {
        {"button_select_0", "button_select_1"}, {"button_click"}, {"button_select_0"}, {"button_click"},
        {"button_select_0"}, {"button_click"}, {"button_select_0"}, {"button_click"}, {"button_select_0"},
        {"button_click"}, {"button_select_0"}, {"button_click"}, {"edit_box_print"}};
    const ZorvaneEngine::GUISoundManager& gui = *game.Engine()->guiManager->GetSoundManager();
    for (uint32_t id = 0; id < sounds.size(); ++id) {
        std::vector<std::string> files;
        if (const auto* variants = gui.GetVariants(static_cast<ZorvaneEngine::GUISoundId>(id)))
            for (const ZorvaneEngine::SoundVariant& variant : *variants) files.push_back(BareName(variant.sound->GetName()));
        EXPECT_EQ(files, sounds[id]) << "id " << id;
    }

    const std::vector<std::string> tables = {
        "game_title", "common", "continue_game_logic", "delete_profile", "exit", "game_complete", "game_logic",
        "game_logic_exit", "game_logic_menu", "game_logic_pause", "game_logic_restart", "game_over", "help",
        "high_scores", "introduction", "level_complete", "loading", "main_menu", "mini_game", "new_profile",
        "options", "profile_name_conflict", "profiles", "relax", "rename_profile", "stage_complete", "start_game",
        "statistics", "tutorial", "welcome"};
    std::vector<std::string> read;
    const std::string folder = "ui\\texts\\ge\\";
    for (const ZorvaneEngine::LogMessage& message : game.Engine()->log->GetFrameMessages()) {
        const size_t at = message.text.find(folder);
        if (message.level == 2 && at != std::string::npos)
            read.push_back(message.text.substr(at + folder.size(), message.text.find(".ini", at) - at - folder.size()));
    }
    EXPECT_EQ(read, tables);
}

TEST(GameTest, TheCameraSettingsKeepTheValuesOfTheConfigurationFile)
{
    GameEnvironment world;
    world.UseSmallData();
    TestSupport::WriteWholeFile(world.env.IniPath(), "g_camera_type 3\r\ng_camera_value 0.5\r\n");
    EXPECT_EQ(world.Start().CameraType(), 3);
    world.game.reset();
    const std::string ini = ReadWholeFile(world.env.IniPath());
    EXPECT_NE(ini.find("g_camera_type 3\r\n"), std::string::npos);
    EXPECT_NE(ini.find("g_camera_value 0.5"), std::string::npos);
}

// The menu background reads the list as it is made, before the logos.
TEST(GameTest, AStartUpWithoutItsBackgroundListEndsInTheFatalError)
{
    GameEnvironment world;
    world.UseSmallData("");
    try {
        world.Start();
        FAIL() << "no fatal error";
    } catch (const ZorvaneEngine::FatalError& error) {
        EXPECT_EQ(error.message.rfind("Failed to open \"", 0), 0u) << error.message;
        EXPECT_NE(error.message.find("data\\ui\\menus\\background\\background.ini\" file"), std::string::npos)
            << error.message;
    }
    world.game.reset();
    EXPECT_NE(ReadWholeFile(world.env.LogPath()).find("PROGRAM ABORTING: Failed to open"), std::string::npos);
}

// The desktop is handed the file that was found, by its full path; a copy
// inside a pack has no path it could open.
TEST(GameTest, OpensTheHomepageOfTheInstallationFolderAtTheEnd)
{
    struct Case {
        bool loose;
        bool packed;
        size_t opened;
    };
    for (const Case& c : {Case{true, false, 1}, Case{false, true, 0}, Case{false, false, 0}}) {
        GameEnvironment world;
        world.UseSmallData();
        if (c.loose)
            world.Put("Homepage.url", "[InternetShortcut]\r\nURL=https://example.org/\r\n");
        if (c.packed) {
            Tools::PackWriter pack;
            pack.Add("homepage.url", std::string("[InternetShortcut]\r\n"));
            ASSERT_TRUE(pack.Save(world.env.folder / "bin/data/pack0.pak"));
        }
        world.Start();
        world.env.scripted.journal.clear();
        world.game.reset();
        const std::string expected =
            "ShellOpen " + Platform::ToNativePath(world.env.folder / "bin" + std::string("\\Homepage.url"));
        size_t opened = 0;
        for (const std::string& call : world.env.scripted.journal) {
            if (call.rfind("ShellOpen", 0) == 0) {
                EXPECT_EQ(call, expected);
                ++opened;
            }
        }
        EXPECT_EQ(opened, c.opened) << "loose " << c.loose << ", packed " << c.packed;
    }
}

} // namespace
} // namespace ActionPuzzle
