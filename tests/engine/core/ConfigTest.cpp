#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TextUtils.h"
#include "platform/system/FileSystem.h"
#include "platform/system/TemporaryFolder.h"

namespace {

using namespace ZorvaneEngine;
using T = ConfigVariableType;

class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/config_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        log = std::make_unique<MessageManager>(folder, "log", "Test", false, false);
        files = std::make_unique<FileManager>("", log.get(), folder);
    }
    void TearDown() override { Platform::DeleteTree(folder); }

    std::unique_ptr<Config> Make(const std::string& videoMode = "", bool videoModeGiven = false,
                                 bool fullscreenGiven = false, bool fullscreen = true) {
        return std::make_unique<Config>(videoMode, "Tangrove", log.get(), files.get(), folder,
                                        videoModeGiven, fullscreenGiven, fullscreen);
    }
    std::string IniPath() const { return folder + "/Tangrove.ini"; }
    void WriteIni(const std::string& bytes) {
        auto file = Platform::File::Open(IniPath(), Platform::File::Mode::Write);
        ASSERT_TRUE(file);
        ASSERT_EQ(file->Write(bytes.data(), bytes.size()), bytes.size());
        ASSERT_TRUE(file->Close());
    }
    std::string ReadIni() {
        auto file = Platform::File::Open(IniPath(), Platform::File::Mode::Read);
        if (!file)
            return "<missing>";
        std::string bytes(static_cast<size_t>(file->Size()), '\0');
        file->Read(bytes.data(), bytes.size());
        return bytes;
    }
    std::vector<std::string> LoggedErrors() {
        std::vector<std::string> errors;
        for (const LogMessage& message : log->GetFrameMessages())
            if (message.level == 2)
                errors.push_back(message.text);
        return errors;
    }

    std::string folder;
    std::unique_ptr<MessageManager> log;
    std::unique_ptr<FileManager> files;
};

const char kEngineFile[] =
    "c_invert_mouse 0\r\n"
    "r_show_faces_edges 0\r\n"
    "r_show_faces_normals 0\r\n"
    "r_show_mip_maps 0\r\n"
    "r_show_octree_nodes 0\r\n"
    "r_texture_anisotropy 1\r\n"
    "r_use_mip_mapping 1\r\n"
    "sc_take_screenshot_format 0\r\n"
    "v_brightness 1.000000\r\n"
    "v_contrast 1.000000\r\n"
    "v_fullscreen 1\r\n"
    "v_gamma 1.000000\r\n"
    "v_mode 800x600x32\r\n"
    "v_vsync 1\r\n";

TEST_F(ConfigTest, EngineVariablesSaveAsTheFourteenDefaultLines) {
    auto config = Make();
    std::vector<std::string> names;
    config->GetNames(names);
    EXPECT_EQ(names.size(), 22u);
    for (const char* command : {"reset_config", "v_window_change_mode", "sc_take_screenshot",
                                "sc_take_screenshot_tga", "sc_take_screenshot_jpg",
                                "sc_start_movie_record", "sc_stop_movie_record", "exit"})
        EXPECT_TRUE(config->IsCommandDone(command)) << command;
    EXPECT_EQ(config->GetPath(), folder + "\\Tangrove.ini");

    config->Save();
    EXPECT_EQ(ReadIni(), kEngineFile);
    EXPECT_TRUE(LoggedErrors().empty());

    // Written values read back as they were.
    config->gamma = 0.25f;
    config->videoMode = "desktop";
    config->Load();
    EXPECT_FLOAT_EQ(config->gamma, 1.0f);
    EXPECT_EQ(config->videoMode, "800x600x32");
    EXPECT_TRUE(config->fullscreen);
    EXPECT_TRUE(config->mipMapping);
    EXPECT_EQ(config->textureAnisotropy, 1);
}

TEST_F(ConfigTest, ExecuteReadsNameAndValue) {
    auto config = Make();
    struct Case {
        std::string line;
        ConfigResult result;
        std::string name;
        std::function<bool(const Config&)> check;
    };
    const std::vector<Case> cases = {
        {"V_Gamma 1.5", ConfigResult::Done, "v_gamma", [](auto& c) { return c.gamma == 1.5f; }},
        // Two blanks vanish and join the name to the value.
        {"v_gamma  2.5", ConfigResult::UnknownName, "v_gamma2.5",
         [](auto& c) { return c.gamma == 1.5f; }},
        {"v_gamma   2.5", ConfigResult::Done, "v_gamma", [](auto& c) { return c.gamma == 2.5f; }},
        {"\\\\v_gamma 3", ConfigResult::Done, "v_gamma", [](auto& c) { return c.gamma == 3.0f; }},
        {"v_gamma\t0.5 ", ConfigResult::Done, "v_gamma", [](auto& c) { return c.gamma == 0.5f; }},
        {"v_mode", ConfigResult::NoValue, "v_mode",
         [](auto& c) { return c.videoMode == "800x600x32"; }},
        {"v_mode 640x480x16\\\\ x", ConfigResult::Done, "v_mode",
         [](auto& c) { return c.videoMode == "640x480x16"; }},
        {"v_mode \\\\", ConfigResult::NoValue, "v_mode",
         [](auto& c) { return c.videoMode == "640x480x16"; }},
        {"", ConfigResult::EmptyLine, "", nullptr},
        {"   ", ConfigResult::EmptyLine, "", nullptr},
        {"\\", ConfigResult::EmptyLine, "", nullptr},
        {"foo 1", ConfigResult::UnknownName, "foo", nullptr},
        {"exit now", ConfigResult::Done, "exit",
         [](auto& c) { return !c.IsCommandDone("exit"); }},
        {"c_invert_mouse 2", ConfigResult::Done, "c_invert_mouse",
         [](auto& c) { return c.invertMouse; }},
        {"c_invert_mouse yes", ConfigResult::Done, "c_invert_mouse",
         [](auto& c) { return !c.invertMouse; }},
        {"r_texture_anisotropy 8", ConfigResult::Done, "r_texture_anisotropy",
         [](auto& c) { return c.textureAnisotropy == 8; }},
    };
    for (const Case& c : cases) {
        std::string name = "stale";
        EXPECT_EQ(config->Execute(c.line, &name), c.result) << '"' << c.line << '"';
        EXPECT_EQ(name, c.name) << '"' << c.line << '"';
        if (c.check) {
            EXPECT_TRUE(c.check(*config)) << '"' << c.line << '"';
        }
    }
    EXPECT_EQ(config->GetValueString("v_gamma"), "0.500000");
    EXPECT_EQ(config->GetValueString("exit"), "");
    EXPECT_EQ(config->GetValueString("nothing"), "");
}

TEST_F(ConfigTest, LoadKeepsUnknownLinesForVariablesRegisteredLater) {
    WriteIni("// settings\r\n"
             "V_Gamma 1.5\r\n"
             "v_fullscreen 0\r\n"
             "G_Music_Volume 0.3\r\n"
             "g_music_volume 0.9\r\n"
             "v_contrast  2\r\n"
             "r_texture_anisotropy 4 // four\r\n"
             "g_update_video_mode\r\n"
             "sc_take_screenshot\r\n"
             "unknown_thing 7");
    auto config = Make();
    config->brightness = 9.0f;
    config->Load();
    EXPECT_FLOAT_EQ(config->brightness, 1.0f);  // reset before reading
    EXPECT_FLOAT_EQ(config->gamma, 1.5f);
    EXPECT_FALSE(config->fullscreen);
    EXPECT_FLOAT_EQ(config->contrast, 1.0f);
    EXPECT_EQ(config->textureAnisotropy, 4);
    EXPECT_FALSE(config->IsCommandDone("sc_take_screenshot"));

    float music = -1.0f;
    config->AddVariable("1.0", "g_music_volume", T::Float, true, &music, false);
    EXPECT_FLOAT_EQ(music, 0.3f);  // the first line for the name
    config->AddVariable("", "g_update_video_mode", T::Command, false, nullptr, false);
    EXPECT_FALSE(config->IsCommandDone("g_update_video_mode"));

    config->Save();
    const std::string saved = ReadIni();
    EXPECT_NE(saved.find("g_music_volume 0.300000\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("unknown_thing"), std::string::npos);
    EXPECT_EQ(saved.find("v_contrast2"), std::string::npos);
    EXPECT_EQ(saved.find("g_update_video_mode"), std::string::npos);
}

TEST_F(ConfigTest, NumbersBeyondTheirRangeAreClampedAndANaNKeepsTheDefault) {
    WriteIni("v_gamma 2\r\n"
             "v_gamma nan\r\n"
             "v_brightness 1e300\r\n"
             "v_contrast -inf\r\n"
             "r_texture_anisotropy 99999999999\r\n"
             "sc_take_screenshot_format -99999999999\r\n"
             "c_invert_mouse 4294967296\r\n");
    auto config = Make();
    config->Load();
    config->Save();
    const std::string saved = ReadIni();
    const std::string largest = FloatToText(FLT_MAX, 6);
    const std::string lines[] = {"v_gamma 1.000000", "v_brightness " + largest, "v_contrast -" + largest,
                                 "r_texture_anisotropy 2147483647", "sc_take_screenshot_format -2147483648",
                                 "c_invert_mouse 1"};
    for (const std::string& line : lines)
        EXPECT_NE(saved.find(line + "\r\n"), std::string::npos) << line << "\n" << saved;
}

TEST_F(ConfigTest, AnEndlessLineKeepsOnlyItsStart) {
    WriteIni("v_mode " + std::string(1 << 20, 'x') + "\r\nv_gamma 1.5\r\n");
    auto config = Make();
    config->Load();
    // 4096 characters of the line are kept, name and blank included.
    EXPECT_EQ(config->videoMode, std::string(4096 - 7, 'x'));
    EXPECT_FLOAT_EQ(config->gamma, 1.5f);
}

TEST_F(ConfigTest, GivenVideoModeAndFullScreenWinOverTheFile) {
    struct Case {
        std::string videoMode;
        bool videoModeGiven, fullscreenGiven;
        std::string mode;
        bool fullscreen;
    };
    const Case cases[] = {
        {"1024x768x32", true, true, "1024x768x32", true},
        {"1024x768x32", false, false, "640x480x16", false},
        {"1024x768x32", true, false, "1024x768x32", false},
        {"", true, true, "640x480x16", true},  // no mode given after all
    };
    WriteIni("v_mode 640x480x16\r\nv_fullscreen 0\r\n");
    for (const Case& c : cases) {
        auto config = Make(c.videoMode, c.videoModeGiven, c.fullscreenGiven, true);
        config->Load();
        EXPECT_EQ(config->videoMode, c.mode) << c.videoMode << c.videoModeGiven;
        EXPECT_EQ(config->fullscreen, c.fullscreen) << c.videoMode << c.fullscreenGiven;
    }
    // Without a file the defaults hold and nothing is logged.
    Platform::DeleteTree(IniPath());
    auto config = Make("1024x768x32");
    const size_t logged = log->GetFrameMessages().size();
    config->Load();
    EXPECT_EQ(config->videoMode, "1024x768x32");
    EXPECT_EQ(config->GetDefaultString("V_MODE"), "1024x768x32");
    EXPECT_EQ(log->GetFrameMessages().size(), logged);
}

TEST_F(ConfigTest, DetachedVariableKeepsItsValueForTheNextOwner) {
    auto config = Make();
    {
        int32_t first = 0;
        config->AddVariable("3", "G_Camera_Type", T::Int, true, &first, false);
        EXPECT_EQ(first, 3);
        int32_t intruder = 0;
        config->AddVariable("9", "g_camera_type", T::Int, true, &intruder, false);
        EXPECT_EQ(intruder, 0);  // the name is taken: not bound
        first = 5;
        config->DetachVariable("g_camera_type");
    }
    EXPECT_EQ(config->GetValueString("g_camera_type"), "5");
    config->SetValue("g_camera_type", "6");
    config->ResetToDefault("g_camera_type");
    config->ResetAll();
    config->Update();
    EXPECT_EQ(config->Execute("g_camera_type 7"), ConfigResult::UnknownName);
    std::vector<std::string> names;
    config->GetNames(names);
    EXPECT_EQ(std::count(names.begin(), names.end(), "g_camera_type"), 0);

    config->Save();
    EXPECT_NE(ReadIni().find("g_camera_type 5\r\n"), std::string::npos);

    int32_t second = 0;
    config->AddVariable("8", "g_camera_type", T::Int, true, &second, false);
    EXPECT_EQ(second, 5);
    EXPECT_EQ(config->GetDefaultString("g_camera_type"), "3");
    config->ResetToDefault("g_camera_type");
    EXPECT_EQ(second, 3);

    // A detached command is neither issued nor idle.
    config->DetachVariable("exit");
    EXPECT_FALSE(config->IsCommandDone("exit"));
    EXPECT_EQ(config->Execute("exit"), ConfigResult::UnknownName);
}

TEST_F(ConfigTest, TrackedVariablesReportChangesOnce) {
    auto config = Make();
    bool cursor = false;
    float volume = 0.0f;
    std::string key;
    config->AddVariable("1", "ui_custom_cursor", T::Bool, true, &cursor, true);
    config->AddVariable("0.5", "volume", T::Float, true, &volume, true);
    config->AddVariable("", "key", T::String, false, &key, true);
    EXPECT_FALSE(config->HasChanged("v_gamma"));
    EXPECT_FALSE(config->HasChanged("absent"));
    EXPECT_TRUE(config->HasChanged("ui_custom_cursor"));  // registration counts as a change
    EXPECT_TRUE(config->HasChanged("key"));
    config->ClearChanged();
    EXPECT_FALSE(config->HasChanged("ui_custom_cursor"));

    // The cache started at false, 0 and "": the first frame sees the defaults.
    config->Update();
    EXPECT_TRUE(config->HasChanged("ui_custom_cursor"));
    EXPECT_TRUE(config->HasChanged("volume"));
    EXPECT_FALSE(config->HasChanged("key"));
    config->ClearChanged();
    config->Update();
    EXPECT_FALSE(config->HasChanged("ui_custom_cursor"));

    volume += 0.00005f;
    key = "~";
    config->Update();
    EXPECT_FALSE(config->HasChanged("volume"));
    EXPECT_TRUE(config->HasChanged("key"));
    config->ClearChanged();
    volume += 0.00005f;
    volume += 0.00005f;  // 0.00015 from the last value seen
    config->SetValue("ui_custom_cursor", "0");
    config->Update();
    EXPECT_TRUE(config->HasChanged("volume"));
    EXPECT_TRUE(config->HasChanged("ui_custom_cursor"));
    config->ClearChanged();

    // Re-attaching a tracked variable reports it once more.
    config->DetachVariable("ui_custom_cursor");
    config->AddVariable("1", "ui_custom_cursor", T::Bool, true, &cursor, true);
    EXPECT_TRUE(config->HasChanged("ui_custom_cursor"));
}

TEST_F(ConfigTest, CommandsAreIssuedOnceAndResetConfigRestoresDefaults) {
    auto config = Make("1024x768x32", true, true, false);
    float music = 0.0f;
    config->AddVariable("0.7", "g_music_volume", T::Float, true, &music, false);

    // Issued twice before the owner looks: carried out once.
    EXPECT_EQ(config->Execute("sc_take_screenshot"), ConfigResult::Done);
    config->SetCommandDone("SC_TAKE_SCREENSHOT", false);
    int runs = 0;
    for (int frame = 0; frame < 3; ++frame) {
        if (!config->IsCommandDone("sc_take_screenshot")) {
            ++runs;
            config->SetCommandDone("sc_take_screenshot", true);
        }
    }
    EXPECT_EQ(runs, 1);

    config->videoMode = "640x480x16";
    config->fullscreen = true;
    config->gamma = 2.0f;
    music = 0.1f;
    config->Update();
    EXPECT_EQ(config->videoMode, "640x480x16");  // nothing issued, nothing reset

    config->Execute("reset_config");
    EXPECT_FALSE(config->IsCommandDone("reset_config"));
    config->Update();
    EXPECT_TRUE(config->IsCommandDone("reset_config"));
    EXPECT_EQ(config->videoMode, "1024x768x32");
    EXPECT_FALSE(config->fullscreen);
    EXPECT_FLOAT_EQ(config->gamma, 1.0f);
    EXPECT_FLOAT_EQ(music, 0.7f);

    // Without its variable the command reads as issued, but resets nothing.
    config->DetachVariable("reset_config");
    config->gamma = 2.0f;
    config->Update();
    EXPECT_FLOAT_EQ(config->gamma, 2.0f);
}

TEST(ParseVideoModeTest, ReadsTwoSeparatorsOrFallsBack) {
    struct Case {
        const char* text;
        int32_t width, height, bits;
    };
    const Case cases[] = {
        {"1024x768x32", 1024, 768, 32}, {"800X600x16", 800, 600, 16},
        {"1024x768", 640, 480, 16},     {"desktop", 640, 480, 16},
        {"", 640, 480, 16},             {"xx", 0, 0, 0},
    };
    for (const Case& c : cases) {
        int32_t width = -1, height = -1, bits = -1;
        ParseVideoMode(c.text, &width, &height, &bits);
        EXPECT_EQ(width, c.width) << c.text;
        EXPECT_EQ(height, c.height) << c.text;
        EXPECT_EQ(bits, c.bits) << c.text;
    }
    int32_t height = 0;
    ParseVideoMode("1280x1024x32", nullptr, &height, nullptr);
    EXPECT_EQ(height, 1024);
}

TEST_F(ConfigTest, FailedSaveIsLoggedAndKeepsTheOldFile) {
    auto config = Make();
    config->Save();
    ASSERT_EQ(ReadIni(), kEngineFile);

    config->gamma = 2.0f;
    {
        TestSupport::FileSizeLimit limit(64);  // the file needs about 250 bytes
        config->Save();
    }
    EXPECT_EQ(ReadIni(), kEngineFile);
    std::vector<std::string> errors = LoggedErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Tangrove.ini"), std::string::npos) << errors[0];

    // A folder that cannot be created: the open fails, logged the same way.
    log->ClearFrameMessages();
    Platform::File::Open(folder + "/blocker", Platform::File::Mode::Overwrite);
    Config blocked("", "Tangrove", log.get(), files.get(), folder + "/blocker/sub", false, false,
                   true);
    blocked.Save();
    EXPECT_EQ(LoggedErrors().size(), 1u);

    // The program goes on: the next save works.
    config->Save();
    EXPECT_NE(ReadIni().find("v_gamma 2.000000\r\n"), std::string::npos);
}

TEST_F(ConfigTest, SaveCreatesTheFolder) {
    Config config("", "Game", log.get(), files.get(), folder + "/a/b", false, false, false);
    config.Save();
    auto file = Platform::File::Open(folder + "/a/b/Game.ini", Platform::File::Mode::Read);
    ASSERT_TRUE(file);
    EXPECT_GT(file->Size(), 0);
}

} // namespace
