// The game's level catalogue read from its token files, and catalogues that
// are missing, damaged or cut short.
#include "game/common/LevelManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "platform/system/TemporaryFolder.h"

namespace ActionPuzzle {
namespace {

using TestSupport::TemporaryFolder;
using TestSupport::WriteWholeFile;

class LevelManagerTest : public ::testing::Test {
protected:
    // Writes <base>\data\levels\<name>.
    void Put(const std::string& name, const std::string& text) { WriteWholeFile(folder / ("data/levels/" + name), text); }

    // Loads a fresh catalogue; the text of the fatal error, empty when none.
    std::string Load()
    {
        catalogue = std::make_unique<LevelManager>(log, files);
        try {
            catalogue->Load();
        } catch (const ZorvaneEngine::FatalError& error) {
            return error.message;
        }
        return "";
    }

    std::vector<std::string> LogTexts() const
    {
        std::vector<std::string> texts;
        for (const ZorvaneEngine::LogMessage& message : log.GetFrameMessages())
            texts.push_back(message.text);
        return texts;
    }

    const StageInfo& Stage(size_t i) const { return static_cast<const StageInfo&>(*catalogue->stages.at(i)); }
    const LevelInfo& Level(size_t stage, size_t level) const
    {
        return static_cast<const LevelInfo&>(*catalogue->levels.at(stage).at(level));
    }

    TemporaryFolder folder;
    ZorvaneEngine::MessageManager log{folder.Path(), "log", "Tangrove", false, false};
    ZorvaneEngine::FileManager files{"", &log, folder.Path()};
    std::unique_ptr<LevelManager> catalogue;
};

TEST_F(LevelManagerTest, ReadsStagesAndLevelsInFileOrder)
{
    // Line ends, runs of blanks and comments as a hand-written file has them.
    Put("stages_info.ini", "// stages\r\n2        // stages\r\n3  // 3 x 3\r\n\t55\r\n");
    Put("stage0.ini", "2\r\nmeadow_01   120  90\r\n\r\nmeadow_02 150 110 // last\r\n");
    Put("stage1.ini", "1\nforest_01 -5 0");
    Put("stage2.ini", "1\nnot_listed 1 1\n");  // no third stage in the list

    ASSERT_EQ(Load(), "");
    ASSERT_EQ(catalogue->stages.size(), 2u);
    ASSERT_EQ(catalogue->levels.size(), 2u);
    EXPECT_EQ(Stage(0).index, 0u);
    EXPECT_EQ(Stage(0).miniGameSize, 3u);
    EXPECT_EQ(Stage(0).levelCount, 2u);
    EXPECT_EQ(Stage(1).index, 1u);
    EXPECT_EQ(Stage(1).miniGameSize, 55u);  // the largest grid a player can finish
    EXPECT_EQ(Stage(1).levelCount, 1u);

    struct Expected {
        size_t stage, level;
        const char* puzzle;
        int32_t arcade, relax;
    };
    for (const Expected& e : {Expected{0, 0, "meadow_01", 120, 90}, Expected{0, 1, "meadow_02", 150, 110},
                              Expected{1, 0, "forest_01", -5, 0}}) {
        const LevelInfo& level = Level(e.stage, e.level);
        EXPECT_EQ(level.stageIndex, e.stage);
        EXPECT_EQ(level.levelIndex, e.level);
        EXPECT_EQ(level.puzzleName, e.puzzle);
        EXPECT_EQ(level.aceTimes[0], e.arcade);
        EXPECT_EQ(level.aceTimes[1], e.relax);
    }
    EXPECT_EQ(catalogue->levels[1].size(), 1u);
    const std::vector<std::string> texts = LogTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), "\nLevel Manager: Found 2 stages with 3 levels...\n");
}

// The hand-written catalogues of the data set: the shipped one and the
// small one the game's tests play.
TEST_F(LevelManagerTest, TheDataSetsCataloguesLoad)
{
    struct Case {
        const char* folder;  // below the source tree
        size_t stages;
        const char* firstPuzzle;
    };
    for (const Case& c : {Case{"data/levels", 8, "s0_l0"}, Case{"data/fixture/levels", 2, "s0_l0"}}) {
        SCOPED_TRACE(c.folder);
        std::filesystem::remove_all(folder / "data");
        std::filesystem::create_directories(folder / "data/levels");
        for (const auto& entry : std::filesystem::directory_iterator(std::string(TANGROVE_SOURCE_DIR "/") + c.folder)) {
            if (entry.path().extension() == ".ini")
                std::filesystem::copy_file(entry.path(), folder / ("data/levels/" + entry.path().filename().string()));
        }
        ASSERT_EQ(Load(), "");
        EXPECT_EQ(catalogue->stages.size(), c.stages);
        EXPECT_EQ(Level(0, 0).puzzleName, c.firstPuzzle);
        for (size_t i = 0; i < catalogue->stages.size(); ++i)
            EXPECT_GE(Stage(i).miniGameSize, 1u);
    }
}

TEST_F(LevelManagerTest, ReadingAgainReplacesTheCatalogue)
{
    Put("stages_info.ini", "1 2");
    Put("stage0.ini", "1 a 1 1");
    ASSERT_EQ(Load(), "");
    catalogue->Load();
    EXPECT_EQ(catalogue->stages.size(), 1u);
    EXPECT_EQ(catalogue->levels.at(0).size(), 1u);
}

// Every damage ends the program with a text naming the file and the fault;
// none of them makes records from a count the file does not back.
TEST_F(LevelManagerTest, DamagedCataloguesAreFatalWithAClearText)
{
    struct Case {
        const char* name;
        const char* stages;  // null: no file
        const char* stage0;
        const char* stage1;
        const char* expected;  // a part of the error text
    };
    const Case cases[] = {
        {"no stage list", nullptr, "1 a 1 1", nullptr, "Failed to open \"%data\\levels\\stages_info.ini\" file"},
        {"no second stage file", "2 2 2", "1 a 1 1", nullptr, "Failed to open \"%data\\levels\\stage1.ini\" file"},
        {"empty stage list", "", nullptr, nullptr, "Unexpected end of \"%data\\levels\\stages_info.ini\" file"},
        {"no stages", "0", nullptr, nullptr, "\"%data\\levels\\stages_info.ini\" declares 0 stages; at least 1 is needed"},
        {"stage count not a number", "two 3 3", nullptr, nullptr, "declares 0 stages"},
        {"negative stage count", "-1 3", nullptr, nullptr, "declares -1 stages; at least 1 is needed"},
        {"absurd stage count", "2000000000 3", nullptr, nullptr,
         "declares 2000000000 stages; at most 1000 are allowed"},
        {"fewer stages than counted", "3 2 2", nullptr, nullptr,
         "Unexpected end of \"%data\\levels\\stages_info.ini\" file"},
        {"stage count of the game's reach, short", "999 2", nullptr, nullptr, "Unexpected end of"},
        {"mini-game size 0", "1 0", "1 a 1 1", nullptr, "gives stage 0 the mini-game size 0; 1 to 55 is needed"},
        {"mini-game size too large", "2 3 56", "1 a 1 1", "1 b 1 1", "gives stage 1 the mini-game size 56; 1 to 55"},
        {"absurd mini-game size", "1 2000000000", "1 a 1 1", nullptr, "the mini-game size 2000000000"},
        {"negative mini-game size", "2 3 -4", "1 a 1 1", "1 b 1 1", "gives stage 1 the mini-game size -4"},
        {"no levels", "1 2", "0", nullptr, "\"%data\\levels\\stage0.ini\" declares 0 levels; at least 1 is needed"},
        {"negative level count", "1 2", "-5 a 1 1", nullptr, "declares -5 levels"},
        {"fewer levels than counted", "1 2", "3 a 1 1 b 2 2", nullptr,
         "Unexpected end of \"%data\\levels\\stage0.ini\" file"},
        {"last ace time missing", "1 2", "1 a 1", nullptr, "Unexpected end of \"%data\\levels\\stage0.ini\" file"},
        {"name missing", "1 2", "1 \r\n  \r\n", nullptr, "Unexpected end of"},
        {"level count only", "1 2", "7", nullptr, "Unexpected end of"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(folder / "data");
        if (c.stages)
            Put("stages_info.ini", c.stages);
        if (c.stage0)
            Put("stage0.ini", c.stage0);
        if (c.stage1)
            Put("stage1.ini", c.stage1);
        log.ClearFrameMessages();

        std::string expected = c.expected;
        const size_t base = expected.find('%');
        if (base != std::string::npos)
            expected.replace(base, 1, folder.Path() + "\\");
        const std::string error = Load();
        EXPECT_NE(error.find(expected), std::string::npos) << error;

        const std::vector<std::string> texts = LogTexts();
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back(), "PROGRAM ABORTING: " + error + "\n");
    }
}

} // namespace
} // namespace ActionPuzzle
