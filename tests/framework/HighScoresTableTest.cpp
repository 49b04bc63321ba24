#include "framework/HighScoresTable.h"

#include <gtest/gtest.h>

#include "RecordFolder.h"

namespace GameFramework {
namespace {

using TestSupport::Bytes;
using TestSupport::RecordFolder;

const Bytes kEmptyTable = {0x15, 0, 0, 0, 'G', 'F', 'H', 'S', 'F', 101, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

class HighScoresTableTest : public ::testing::Test {
protected:
    std::unique_ptr<HighScoresTable> Open()
    {
        return std::make_unique<HighScoresTable>(&folder.log, &folder.files, folder.UserFolder());
    }
    std::string Path() const { return folder.root / "user/high_scores.hsf"; }

    // (mode, score, sequence) of every entry in table order.
    static std::vector<std::tuple<uint32_t, uint32_t, uint32_t>> Rows(const HighScoresTable& table)
    {
        std::vector<std::tuple<uint32_t, uint32_t, uint32_t>> rows;
        for (const auto& entry : table.GetEntries()) rows.emplace_back(entry->mode, entry->score, entry->sequence);
        return rows;
    }

    RecordFolder folder;
};

TEST_F(HighScoresTableTest, ScoresAreSavedInTableOrderAndSurviveARestart)
{
    auto table = Open();
    EXPECT_EQ(folder.Read(Path()), kEmptyTable);

    HighScoreEntry* ann = table->AddScore(u"Ann", 0, 500);
    ASSERT_NE(ann, nullptr);
    EXPECT_EQ(ann->name, u"Ann");
    Bytes expected = {0x2A, 0, 0, 0, 'G', 'F', 'H', 'S', 'F', 101, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                      4, 'A', 0, 'n', 0, 'n', 0, 0, 0};
    TestSupport::Append32(expected, 0);
    TestSupport::Append32(expected, 500);
    TestSupport::Append32(expected, 0);
    EXPECT_EQ(folder.Read(Path()), expected);

    table->AddScore(u"Bob", 1, 700);
    table->AddScore(u"Cid", 0, 500);
    table = Open();
    using Row = std::tuple<uint32_t, uint32_t, uint32_t>;
    EXPECT_EQ(Rows(*table), (std::vector<Row>{{1, 700, 1}, {0, 500, 0}, {0, 500, 2}}));
    EXPECT_EQ(table->AddScore(u"Dan", 0, 10)->sequence, 3u);
}

TEST_F(HighScoresTableTest, EachModeKeepsItsTenBestAndOlderEntriesWinTies)
{
    auto table = Open();
    for (int i = 0; i < 10; ++i) {
        table->AddScore(u"a", 0, 100);
        table->AddScore(u"b", 1, 50);
    }
    EXPECT_EQ(table->AddScore(u"late", 0, 100), nullptr);
    EXPECT_EQ(table->GetEntries().size(), 20u);

    HighScoreEntry* best = table->AddScore(u"best", 0, 101);
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(table->GetEntries().front().get(), best);
    uint32_t ofMode0 = 0, ofMode1 = 0, highestMode0Sequence = 0;
    for (const auto& entry : table->GetEntries()) {
        if (entry->mode == 0) {
            ++ofMode0;
            if (entry.get() != best) highestMode0Sequence = std::max(highestMode0Sequence, entry->sequence);
        } else {
            ++ofMode1;
        }
    }
    EXPECT_EQ(ofMode0, 10u);
    EXPECT_EQ(ofMode1, 10u);
    // The entry pushed out was the youngest of the equal scores (sequence 18).
    EXPECT_EQ(highestMode0Sequence, 16u);

    EXPECT_NE(table->AddScore(u"zero", 2, 0), nullptr);
}

TEST_F(HighScoresTableTest, AnUnreadableTableIsReplacedByAnEmptyOne)
{
    Tools::BinaryWriter w;
    Tools::BeginEngineFile(w, "GFHSF", 101);
    w.U32(7);
    w.U32(3);  // but only two entries follow
    for (int i = 0; i < 2; ++i) {
        w.WideString(u"x");
        w.U32(0);
        w.U32(10);
        w.U32(static_cast<uint32_t>(i));
    }
    Tools::EndEngineFile(w);
    Bytes huge = w.Data();
    huge[17] = 0xFF;  // the count becomes 0x7F0000FF
    huge[20] = 0x7F;
    for (const Bytes& file : {w.Data(), huge, Bytes{1, 2, 3}}) {
        folder.Write(Path(), file);
        auto table = Open();
        EXPECT_TRUE(table->GetEntries().empty());
        EXPECT_EQ(table->GetNextSequence(), 0u);
        EXPECT_EQ(folder.Read(Path()), kEmptyTable);
    }
}

} // namespace
} // namespace GameFramework
