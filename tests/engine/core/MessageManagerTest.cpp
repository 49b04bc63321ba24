#include "engine/core/MessageManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "engine/core/Error.h"
#include "platform/system/FileSystem.h"
#include "platform/system/scripted/ScriptedSystem.h"

namespace ZorvaneEngine {
namespace {

namespace fs = std::filesystem;

// A fresh folder for the test's logs, and a program path inside it so that
// paths below the application folder land there too.
class MessageManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tangrove-log-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
        fs::create_directories(root + "/bin");
        system.moduleFileName = root + "/bin/tangrove";
        installed = std::make_unique<Platform::ScopedSystem>(system);
    }
    void TearDown() override
    {
        installed.reset();
        fs::remove_all(root);
    }

    // Every "Tue Dec 08 18:51:11 2026" becomes "D".
    static std::string ReplaceDates(const std::string& text)
    {
        static const std::string mask = "Aaa Aaa 99 99:99:99 9999";
        auto fits = [](char c, char kind) {
            if (kind == 'A') return c >= 'A' && c <= 'Z';
            if (kind == 'a') return c >= 'a' && c <= 'z';
            if (kind == '9') return c >= '0' && c <= '9';
            return c == kind;
        };
        std::string result;
        for (size_t i = 0; i < text.size();) {
            bool date = i + mask.size() <= text.size();
            for (size_t k = 0; date && k < mask.size(); ++k) date = fits(text[i + k], mask[k]);
            if (date) {
                result += 'D';
                i += mask.size();
            } else {
                result += text[i++];
            }
        }
        return result;
    }

    // The file's bytes with every date replaced by "D".
    static std::string ReadLog(const std::string& path)
    {
        std::unique_ptr<Platform::File> file = Platform::File::Open(path, Platform::File::Mode::Read);
        if (!file) return "<missing>";
        std::string bytes(static_cast<size_t>(file->Size()), '\0');
        bytes.resize(file->Read(bytes.data(), bytes.size()));
        return ReplaceDates(bytes);
    }

    std::string root;
    Platform::ScriptedSystem system;
    std::unique_ptr<Platform::ScopedSystem> installed;
};

const std::string kHeader =
    "<HTML><HEAD><TITLE>T Log</TITLE></HEAD><BODY bgcolor=\"#000\"><FONT color=\"#FFFFFF\">"
    "<FONT color=\"#FFFFFF\">======== </FONT><FONT color=\"#0FF0\">T Log: D</FONT>"
    "<FONT color=\"#FFFFFF\"> ========<BR><BR></FONT>";
const std::string kFooter =
    "<FONT color=\"#FFFFFF\"><BR>======== </FONT><FONT color=\"#0FF0\">T Log end: D</FONT>"
    "<FONT color=\"#FFFFFF\"> ========<BR></FONT></FONT></BODY></HTML>";
const std::string kBody =
    "abc<BR>"
    "<FONT color=\"#7F7F7F\"><BR>Warning: w!<BR><BR></FONT>"
    "<FONT color=\"#FF00\"><BR>Error: e!<BR><BR></FONT>"
    "a<b & c>"
    "<FONT color=\"#7F7F7F\">Warning: w!<BR></FONT>"
    "<FONT color=\"#FF00\">Error: e!<BR></FONT>"
    "<FONT color=\"#FF00\">PROGRAM ABORTING: X<BR></FONT>";

// Every level, with spacing on and off, then a fatal report.
void WriteEveryLevel(MessageManager& log)
{
    log.Message("abc");
    log.Warning("w");
    log.Error("e");
    log.spacing = false;
    log.Message("a<b & c>");
    log.Warning("w");
    log.Error("e");
    try {
        log.Fatal("X");
        ADD_FAILURE() << "Fatal returned";
    } catch (const Error& error) {
        EXPECT_NE(dynamic_cast<const FatalError*>(&error), nullptr);
        EXPECT_EQ(error.message, "X");
    }
}

TEST_F(MessageManagerTest, WritesTheExactHtml)
{
    for (bool reopen : {false, true}) {
        const std::string path = root + "/T.html";
        {
            MessageManager log(root, "", "T", true, reopen);
            EXPECT_EQ(log.GetPath(), root + "\\T.html");
            EXPECT_EQ(ReadLog(path), kHeader);
            WriteEveryLevel(log);
            // Each line is in the file as soon as it is written.
            EXPECT_EQ(ReadLog(path), kHeader + kBody) << "reopen " << reopen;
        }
        EXPECT_EQ(ReadLog(path), kHeader + kBody + kFooter) << "reopen " << reopen;
    }
}

TEST_F(MessageManagerTest, FrameListKeepsTheTextBeforeLineBreaksBecomeTags)
{
    MessageManager log(root, "Game", "T", true, false);
    WriteEveryLevel(log);
    const std::vector<std::pair<int32_t, std::string>> expected = {
        {0, "abc\n"}, {1, "\nWarning: w!\n\n"}, {2, "\nError: e!\n\n"}, {0, "a<b & c>"},
        {1, "Warning: w!\n"}, {2, "Error: e!\n"}, {3, "PROGRAM ABORTING: X\n"},
    };
    const std::vector<LogMessage> messages = log.GetFrameMessages();
    ASSERT_EQ(messages.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(messages[i].level, expected[i].first);
        EXPECT_EQ(messages[i].text, expected[i].second);
    }
    log.ClearFrameMessages();
    EXPECT_TRUE(log.GetFrameMessages().empty());
}

TEST_F(MessageManagerTest, NoFileWhenLoggingToFileIsOff)
{
    {
        MessageManager log(root, "Off", "T", false, false);
        log.Message("abc");
        log.Error("e");
        EXPECT_EQ(log.GetFrameMessages().size(), 2u);
    }
    EXPECT_FALSE(fs::exists(root + "/Off.html"));
}

TEST_F(MessageManagerTest, PathRules)
{
    fs::create_directories(root + "/bin/logs");
    struct Case {
        std::string folder, name, path, file;
    };
    const Case cases[] = {
        {"", "Game", root + "/bin\\Game.html", root + "/bin/Game.html"},
        {"logs", "", root + "/bin\\logs\\T.html", root + "/bin/logs/T.html"},
        {root, "Game", root + "\\Game.html", root + "/Game.html"},
    };
    for (const Case& c : cases) {
        {
            MessageManager log(c.folder, c.name, "T", true, false);
            EXPECT_EQ(log.GetPath(), c.path);
        }
        EXPECT_EQ(ReadLog(c.file), kHeader + kFooter) << c.path;
    }
}

TEST_F(MessageManagerTest, MissingFolder)
{
    const std::string folder = root + "/user";
    {
        // Open once at construction: the run keeps no log even after the
        // folder appears.
        MessageManager log(folder, "", "T", true, false);
        fs::create_directories(folder);
        log.Message("lost");
        EXPECT_EQ(log.GetFrameMessages().size(), 1u);
    }
    EXPECT_FALSE(fs::exists(folder + "/T.html"));
    fs::remove_all(folder);
    {
        // Reopened for each message: the lines after the folder appears arrive.
        MessageManager log(folder, "", "T", true, true);
        log.Message("lost");
        fs::create_directories(folder);
        log.Message("kept");
    }
    EXPECT_EQ(ReadLog(folder + "/T.html"), "kept<BR>" + kFooter);
}

TEST_F(MessageManagerTest, ALogThatCannotBeWrittenIsToldOnStandardError)
{
    struct Case {
        const char* name;
        void (*prepare)(const std::string& folder);
        bool told;
    };
    const Case cases[] = {
        // The first run, before the user folder exists: no log, as designed.
        {"missing folder", [](const std::string&) {}, false},
        // A folder in the log's place stands for one that may not be
        // written, which a test run as root cannot make.
        {"cannot be written", [](const std::string& folder) { fs::create_directories(folder + "/T.html"); }, true},
        {"written", [](const std::string& folder) { fs::create_directories(folder); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = root + "/user";
        fs::remove_all(folder);
        c.prepare(folder);
        testing::internal::CaptureStderr();
        { MessageManager log(folder, "", "T", true, false); }
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_EQ(told, c.told ? "T: the log cannot be written to \"" + folder + "/T.html\"\n" : "");
    }
}

TEST_F(MessageManagerTest, TwoThreadsWriteAtOnce)
{
    MessageManager log(root, "", "T", true, false);
    auto writeMany = [&log] {
        for (int i = 0; i < 500; ++i) log.Message("line");
    };
    std::thread worker(writeMany);
    writeMany();
    worker.join();
    EXPECT_EQ(log.GetFrameMessages().size(), 1000u);
}

TEST(ColorToHtmlTest, ChannelsAreNotPadded)
{
    EXPECT_EQ(MessageManager::ColorToHtml(1, 1, 1), "#FFFFFF");
    EXPECT_EQ(MessageManager::ColorToHtml(0, 0, 0), "#000");
    EXPECT_EQ(MessageManager::ColorToHtml(0, 1, 0), "#0FF0");
    EXPECT_EQ(MessageManager::ColorToHtml(1, 0, 0), "#FF00");
    EXPECT_EQ(MessageManager::ColorToHtml(0.5f, 0.5f, 0.5f), "#7F7F7F");
}

} // namespace
} // namespace ZorvaneEngine
