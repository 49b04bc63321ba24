// The framework's own catalogue layout: one folder per stage, and entries
// that read nothing beyond the counts.
#include "framework/LevelManagerBase.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "platform/system/TemporaryFolder.h"

namespace GameFramework {
namespace {

using TestSupport::TemporaryFolder;
using TestSupport::WriteWholeFile;

class PlainCatalogue : public LevelManagerBase {
public:
    using LevelManagerBase::LevelManagerBase;
    std::unique_ptr<StageInfo> CreateStageInfo() override { return std::make_unique<StageInfo>(); }
    std::unique_ptr<LevelInfo> CreateLevelInfo() override { return std::make_unique<LevelInfo>(); }
};

class LevelManagerBaseTest : public ::testing::Test {
protected:
    void Put(const std::string& name, const std::string& text) { WriteWholeFile(folder / ("data/levels/" + name), text); }

    TemporaryFolder folder;
    ZorvaneEngine::MessageManager log{folder.Path(), "log", "Tangrove", false, false};
    ZorvaneEngine::FileManager files{"", &log, folder.Path()};
    PlainCatalogue catalogue{log, files};
};

TEST_F(LevelManagerBaseTest, StageFilesLieInOneFolderPerStage)
{
    Put("stages_info.ini", "2");
    Put("stage0/levels_info.ini", "3");
    Put("stage1/levels_info.ini", "1");
    catalogue.Load();

    ASSERT_EQ(catalogue.stages.size(), 2u);
    EXPECT_EQ(catalogue.stages[1]->index, 1u);
    EXPECT_EQ(catalogue.stages[0]->levelCount, 3u);
    EXPECT_EQ(catalogue.stages[1]->levelCount, 1u);
    ASSERT_EQ(catalogue.levels.at(0).size(), 3u);
    EXPECT_EQ(catalogue.levels[0][2]->stageIndex, 0u);
    EXPECT_EQ(catalogue.levels[0][2]->levelIndex, 2u);
    EXPECT_EQ(catalogue.levels.at(1).size(), 1u);
    EXPECT_EQ(log.GetFrameMessages().back().text, "\nLevel Manager: Found 2 stages with 4 levels...\n");
}

// Entries that read nothing cannot stop a huge count at the end of the file,
// so the counts have a ceiling.
TEST_F(LevelManagerBaseTest, CountsBeyondTheCeilingAreRefused)
{
    Put("stages_info.ini", "1001");
    EXPECT_THROW(catalogue.Load(), ZorvaneEngine::FatalError);
    EXPECT_TRUE(catalogue.stages.empty());

    Put("stages_info.ini", "1");
    Put("stage0/levels_info.ini", "2147483647");
    EXPECT_THROW(catalogue.Load(), ZorvaneEngine::FatalError);
    EXPECT_TRUE(catalogue.levels.at(0).empty());
    EXPECT_NE(log.GetFrameMessages().back().text.find("declares 2147483647 levels; at most 1000 are allowed"),
              std::string::npos);
}

} // namespace
} // namespace GameFramework
