#include "framework/GameBase.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Timer.h"
#include "engine/core/Window.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundFileFixture.h"
#include "engine/sound/SoundManager.h"
#include "framework/GameLogicBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundPlayer.h"
#include "framework/TestGame.h"
#include "platform/audio/scripted/ScriptedAudio.h"
#include "platform/input/scripted/ScriptedInput.h"

namespace GameFramework {
namespace {

using namespace Platform;
using TestSupport::EngineTestEnvironment;
using TestSupport::Journal;
using TestSupport::ReadWholeFile;
using TestSupport::TestGame;
using TestSupport::WriteWholeFile;

const char* const kKey = "SOFTWARE\\Quobin Games\\Tangrove";

// Names and folders only: nothing is created.
class NamesOnly : public TestGame {
public:
    NamesOnly() : TestGame(Options(), false) {}
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
    // The engine seeds from its reading of the clock; the game base seeds
    // again from a later one.
    env.system.tickStep = 1000;
    {
        TestGame game;
        env.system.tickStep = 0;
        ZorvaneEngine::Config* config = game.GetConfig();
        for (const char* command : {"d_get_used_video_memory_size", "d_get_manages_occupation",
                                    "d_get_loaded_textures", "g_update_video_mode"})
            EXPECT_TRUE(config->IsCommandDone(command)) << command;
        EXPECT_EQ(config->GetValueString("d_show_statistics"), "0");
        EXPECT_EQ(ZorvaneEngine::RandomSeed.load(), 1777u);
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

TEST(GameBase, AnIdleFrameStillRunsTheQueuedSoundCommands)
{
    EngineTestEnvironment env;
    Platform::ScriptedAudio audio;
    using namespace ZorvaneEngine::SoundTest;
    const Bytes wav = Riff({FormatChunk(1, 22050, 16), DataChunk(Bytes(8820, 0x10))});
    WriteWholeFile(env.folder / "bin/Data/a.wav", std::string(wav.begin(), wav.end()));
    TestGame game;
    ZorvaneEngine::SoundManager* sounds = game.GetEngine()->soundManager.get();
    ASSERT_NE(sounds, nullptr);
    ZorvaneEngine::Sound* sound = sounds->CreateSound("a.wav");
    sounds->Play(sound, false);

    env.windowing.focus = nullptr;
    game.Update();
    ASSERT_TRUE(game.IsPausedByFocus());
    EXPECT_TRUE(sounds->commandQueue.empty());
    EXPECT_EQ(sound->GetState(), ZorvaneEngine::SoundState::Playing);
}

// The lines the log got since the frame's engine update, at the message level.
std::vector<std::string> FrameLines(ZorvaneEngine::MessageManager& log)
{
    std::vector<std::string> lines;
    for (const ZorvaneEngine::LogMessage& message : log.GetFrameMessages()) {
        EXPECT_EQ(message.level, 0) << message.text;
        // The log writes a line end after each message.
        std::string text = message.text;
        while (!text.empty() && text.back() == '\n') text.pop_back();
        lines.push_back(text);
    }
    return lines;
}

TEST(GameBase, DebugCommandsReportWhatTheManagersHold)
{
    EngineTestEnvironment env;
    Platform::ScriptedAudio audio;
    TestGame game;
    ZorvaneEngine::Engine* engine = game.GetEngine();
    ZorvaneEngine::Config* config = game.GetConfig();
    ZorvaneEngine::TextureManager* textures = engine->materials->GetTextureManager();

    // 1 MiB and a quarter of one, 32 bits a texel.
    const auto picture = [](uint32_t side) {
        auto image = std::make_unique<ZorvaneEngine::Image>();
        image->Create(side, side, 32, nullptr);
        return image.release();
    };
    textures->CreateTexture(false, nullptr, true, "ui\\Second.tga", "", picture(256));
    textures->CreateTexture(false, nullptr, true, "ui\\First.tga", "", picture(512));
    // Three users of one material, three models (each with a user of the
    // default material) and four sounds.
    for (int i = 0; i < 3; ++i) {
        engine->materials->CreateShaderUser(ZorvaneEngine::ShaderDescriptor(0));
        engine->models->CreateModel(0, 4, 6, nullptr, nullptr);
    }
    for (const char* name : {"a.wav", "b.wav", "c.wav", "d.wav"}) engine->soundManager->CreateSound(name);

    const uint32_t users = static_cast<uint32_t>(engine->materials->GetUsers().size());
    const uint32_t shaders = engine->materials->GetShaderCount();
    const uint32_t models = engine->models->models.GetCount();
    const size_t sounds = engine->soundManager->GetSlotCount();
    // Each count differs from the others, so a line reading the wrong
    // manager shows.
    std::vector<size_t> counts = {users, shaders, 2, models, sounds};
    std::sort(counts.begin(), counts.end());
    ASSERT_EQ(std::adjacent_find(counts.begin(), counts.end()), counts.end())
        << users << " users, " << shaders << " shaders, " << models << " models, " << sounds << " sounds";

    const auto issue = [&](const char* command) {
        config->SetCommandDone(command, false);
        game.Update();
        EXPECT_TRUE(config->IsCommandDone(command)) << command;
        return FrameLines(*engine->log);
    };
    EXPECT_EQ(issue("d_get_used_video_memory_size"), (std::vector<std::string>{"Video Memory Used: 1.25 Mb"}));
    EXPECT_EQ(issue("d_get_manages_occupation"),
              (std::vector<std::string>{"Shader users count: " + std::to_string(users),
                                        "Shaders count: " + std::to_string(shaders), "Textures count: 2",
                                        "Models count: " + std::to_string(models),
                                        "Sounds count: " + std::to_string(sounds)}));
    EXPECT_EQ(issue("d_get_loaded_textures"),
              (std::vector<std::string>{"Texture 0: diffuse_ui\\first.tga", "Texture 1: diffuse_ui\\second.tga"}));
    // Carried out once: the next frame writes nothing.
    game.Update();
    EXPECT_TRUE(FrameLines(*engine->log).empty());
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

// A new video mode resets the device between a pause and a faded resume of
// the music, and the click that asked for it is kept from the game.
TEST(GameBase, ADeviceResetPausesTheMusicAndHidesTheClickThatAskedForIt)
{
    EngineTestEnvironment env;
    Platform::ScriptedInput devices;
    // Installed for this test's engine only.
    Platform::ScopedInput installed(devices);
    TestGame game;
    env.windowing.focus = game.GetWindow()->handle;
    SoundPlayer* player = game.Player();
    player->AddMusic(0, "audio\\music\\none.ogg");
    player->PlayMusic(0, 0, 0.5f);
    // At full level at once.
    player->PauseMusic(0, MusicPause::Pause, MusicFade::Immediate, 0.5f);
    player->PauseMusic(0, MusicPause::Resume, MusicFade::Immediate, 0.5f);
    const MusicTrack& track = *player->FindMusic(0);
    ZorvaneEngine::Controls& input = *game.GetEngine()->input;
    // The left button goes down and stays down.
    devices.PushRecord(Platform::DeviceKind::SysMouse, Platform::DIMOFS_BUTTON0, 0x80);
    game.Update();
    ASSERT_TRUE(input.IsKeyDown("MOUSE1"));
    ASSERT_EQ(track.fadeState, FadeState::Steady);
    ASSERT_FALSE(input.IsInputLocked());

    ZorvaneEngine::Config* config = game.GetConfig();
    const bool narrow = game.GetEngine()->renderer->GetSelectedMode()->width == 800;
    config->videoMode = narrow ? "1024x768x32" : "800x600x32";
    config->SetCommandDone("g_update_video_mode", false);
    game.Update();
    EXPECT_EQ(game.GetEngine()->renderer->GetSelectedMode()->width, narrow ? 1024u : 800u);
    EXPECT_EQ(player->GetMusicState(0), ZorvaneEngine::SoundState::Playing);
    EXPECT_EQ(track.fadeState, FadeState::FadingIn);
    EXPECT_EQ(track.fadeSpeed, 0.5f);
    EXPECT_LT(track.fadeLevel, 0.1f);
    EXPECT_TRUE(input.IsInputLocked());
    EXPECT_FALSE(input.IsKeyDown("MOUSE1"));
}

TEST(GameBase, TheFocusLossPausesAPlayedLevelBehindItsPauseWindowInOneFullFrame)
{
    enum class Level { None, Playing, PausedByItsMenu, PausedWithItsClockRunning };
    struct Row {
        const char* name;
        Level level;
        bool minimizes;
        Journal firstFrame;  // what the first unfocused frame did
        int idleFrames;      // of the two unfocused frames
        bool timerPausedAfter;
    };
    const Row rows[] = {
        {"in the menus", Level::None, true, {}, 2, false},
        {"in play", Level::Playing, true, {"logic state 1", "hud active(0)", "open pause"}, 1, true},
        {"behind the in-game menu", Level::PausedByItsMenu, true, {}, 2, true},
        {"a clock the level runs itself", Level::PausedWithItsClockRunning, true, {}, 2, false},
        {"a window that does not minimise", Level::Playing, false, {}, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EngineTestEnvironment env;
        TestGame game;
        env.windowing.focus = game.GetWindow()->handle;
        game.RunStartUp();
        game.GetWindow()->minimizeOnFocusLoss = row.minimizes;
        SoundPlayer* player = game.Player();
        player->AddMusic(0, "audio\\music\\none.ogg");
        player->PlayMusic(0, 0, 0.5f);
        game.Update();
        ASSERT_EQ(player->GetMusicState(0), ZorvaneEngine::SoundState::Playing);
        if (row.level != Level::None) {
            game.EnterLevel(0, 0);
            game.Logic()->SetState(row.level == Level::Playing ? GameLogicState::Playing : GameLogicState::Paused);
            // Play has begun, or the level runs a clock of its own behind its menu.
            if (row.level == Level::Playing || row.level == Level::PausedWithItsClockRunning)
                game.Logic()->levelTimer->SetPaused(false);
            game.Update();
        }
        game.journal.clear();
        env.system.ClearJournal();

        env.windowing.focus = nullptr;
        game.Update();
        EXPECT_EQ(game.journal, row.firstFrame);
        game.Update();
        const std::vector<std::string>& calls = env.system.Journal();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "Sleep 100"), row.idleFrames);
        if (row.minimizes) {
            EXPECT_EQ(player->GetMusicState(0), ZorvaneEngine::SoundState::Paused);
            if (game.Logic()) {
                EXPECT_TRUE(game.Logic()->levelTimer->IsPaused());
            }
        }

        // Back: the music fades in, the level stays as it was left.
        game.journal.clear();
        env.windowing.focus = game.GetWindow()->handle;
        game.Update();
        EXPECT_EQ(player->GetMusicState(0), ZorvaneEngine::SoundState::Playing);
        EXPECT_TRUE(game.journal.empty());
        if (game.Logic()) {
            EXPECT_EQ(game.Logic()->levelTimer->IsPaused(), row.timerPausedAfter);
        }
    }
}

TEST(GameBase, TheWindowTakesTheTitleTextInTheLanguagesLetters)
{
    for (const bool withTexts : {false, true}) {
        SCOPED_TRACE(withTexts ? "title text" : "no texts");
        EngineTestEnvironment env;
        // Code page 1252: "Ä" is one byte.
        if (withTexts)
            WriteWholeFile(env.folder / "bin/data/ui/texts/ge/game_title.ini", "[GAME_TITLE]\r\nTangrove \xC4pfel\r\n");
        TestGame game;
        EXPECT_EQ(env.windowing.StateOf(game.GetWindow()->handle)->caption,
                  withTexts ? "Tangrove \xC3\x84pfel" : "UNKNOWN");
    }
}

TEST(GameBase, SoundFilesAreWaveWhenTheDataHasOneElseOgg)
{
    EngineTestEnvironment env;
    WriteWholeFile(env.folder / "bin/data/audio/menu/click.wav", "RIFF");
    TestGame game;
    EXPECT_EQ(game.GetSoundFileName("menu", "click"), "audio\\menu\\click.wav");
    EXPECT_EQ(game.GetSoundFileName("menu", "volume_slider"), "audio\\menu\\volume_slider.ogg");
}

TEST(GameBase, AProfileBeyondTheCatalogueStartsOverWhenTheGameStarts)
{
    EngineTestEnvironment env;
    {
        TestGame game;
        ProfileBase* profile = game.Profiles()->AddProfile(u"Ann");
        profile->stage = 4;
        profile->level = 1;
        profile->inProgress = true;
        profile->Save();
    }
    TestGame game;  // a catalogue of 3 and 2 levels
    ASSERT_EQ(game.Profiles()->GetProfiles().size(), 1u);
    const ProfileBase& profile = *game.Profiles()->GetProfiles()[0];
    EXPECT_EQ(profile.stage, 0u);
    EXPECT_EQ(profile.level, 0u);
    EXPECT_FALSE(profile.inProgress);
}

TEST(GameBase, DeletesInItsOrderAndTheEngineSavesEveryOwnersSettingsLast)
{
    EngineTestEnvironment env;
    std::shared_ptr<Journal> journal;
    {
        TestGame game;
        env.windowing.focus = game.GetWindow()->handle;
        game.Profiles()->currentProfile = game.Profiles()->AddProfile(u"Ann");
        game.RunStartUp();
        // Two level starts make both level keepers; the second level is played.
        for (const uint32_t level : {0u, 1u}) {
            game.Profile()->level = level;
            game.Screen("level start")->next = WindowAction::Play;
            game.Update();
            game.Update();
        }
        game.Screen("level loading")->next = WindowAction::Done;
        game.Update();
        game.Update();
        ASSERT_NE(game.Logic(), nullptr);
        ZorvaneEngine::Config* config = game.GetConfig();
        config->SetValue("ui_custom_cursor", "0");
        config->SetValue("d_show_statistics", "1");
        game.Player()->SetMusicVolume(0.25f);
        journal = game.KeepJournal();
        game.journal.clear();
    }
    const Journal expected = {
        "game ends", "delete logic", "delete level complete", "delete stage complete", "delete game complete",
        "delete game over", "delete quit question", "delete restart question", "delete leave question",
        "delete game menu", "delete pause", "delete hud", "delete help", "delete options", "delete high scores",
        "delete continue", "delete level start", "delete name conflict", "delete profiles", "delete new profile",
        "delete rename profile", "delete delete profile", "delete main menu", "delete exit", "delete welcome",
        "delete level loading", "delete start-up loading", "delete logos", "delete cursor", "delete profile list",
        "delete level manager", "delete keeper game data", "delete keeper 0-1", "delete keeper 0-0"};
    EXPECT_EQ(*journal, expected);
    const std::string ini = ReadWholeFile(env.IniPath());
    for (const char* line : {"ui_custom_cursor 0\r\n", "d_show_statistics 1\r\n", "g_music_volume 0.250000\r\n"})
        EXPECT_NE(ini.find(line), std::string::npos) << line;
}

} // namespace
} // namespace GameFramework
