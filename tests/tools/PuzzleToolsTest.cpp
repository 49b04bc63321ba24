// The puzzle and map writers: the run-length coding, the byte layout of a
// puzzle and a map, and the jigsaw cut that the puzzles are made from.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <vector>

#include "game/gameplay/PuzzleMaskRle.h"
#include "tools/common/JigsawCutter.h"
#include "tools/common/MapWriter.h"
#include "tools/common/PuzzleMaskRle.h"
#include "tools/common/PuzzleWriter.h"
#include "tools/common/SeededRandom.h"
#include "WriterTestSupport.h"

namespace Tools {
namespace {

std::vector<uint8_t> Repeat(size_t count, uint8_t value) {
    return std::vector<uint8_t>(count, value);
}

std::vector<uint8_t> Join(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(PuzzleRleTest, GreedyCodingRoundTrips) {
    SeededRandom random(5);
    std::vector<uint8_t> noise(1000);
    for (uint8_t& byte : noise) {
        byte = static_cast<uint8_t>(random.Below(256));
    }
    std::vector<uint8_t> distinct(128);
    for (size_t i = 0; i < distinct.size(); ++i) {
        distinct[i] = static_cast<uint8_t>(i);
    }
    const std::vector<std::vector<uint8_t>> inputs = {
        {}, {9}, Repeat(2, 3), Repeat(129, 4), Repeat(130, 5), distinct, Join(distinct, {200}), noise,
        Join(Join({1, 2, 3}, Repeat(300, 0)), {4, 4, 5}),
    };
    for (const std::vector<uint8_t>& input : inputs) {
        const std::vector<uint8_t> coded = EncodePuzzleRle(input);
        std::vector<uint8_t> out(input.size());
        ASSERT_TRUE(ActionPuzzle::DecodePuzzleMaskRle(coded.data(), coded.size(), out.data(), out.size()))
            << input.size();
        EXPECT_EQ(out, input);
    }
    // Greedy: a run of two is always a repeat, a literal stops before one.
    EXPECT_EQ(EncodePuzzleRle({1, 2, 2, 3}), (std::vector<uint8_t>{0x00, 1, 0x80, 2, 0x00, 3}));
    EXPECT_EQ(EncodePuzzleRle(Repeat(130, 5)), (std::vector<uint8_t>{0xFF, 5, 0x00, 5}));
    EXPECT_EQ(EncodePuzzleRle(Join(distinct, {200})).size(), 1 + 128 + 1 + 1u);
}

// Two 2 × 2 pieces side by side on a 4 × 2 picture, a vertical cut line
// between them: 99 bytes that the game's loader is written against.
TEST(PuzzleWriterTest, WorkedExampleByteForByte) {
    Puzzle puzzle;
    puzzle.width = 4;
    puzzle.height = 2;
    PuzzlePiece left;
    left.width = 2;
    left.height = 2;
    left.mask = {1, 1, 1, 1};
    PuzzlePiece right = left;
    right.x = 2;
    puzzle.pieces = {left, right};
    puzzle.cutLines = {0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00};
    const std::vector<uint8_t> expected = {
        0x63, 0x00, 0x00, 0x00, 'A', 'P', 'P', 'Z', 'F', 0x6C, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x80, 0x40, 0x00, 0x00, 0x00, 0x40, 0x02, 0x00, 0x00, 0x00,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0x00, 0x0F,
        0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0x00, 0x0F,
        0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x80, 0x00, 0x80, 0xFF, 0x00, 0x00,
    };
    EXPECT_EQ(BuildPuzzleFile(puzzle), expected);

    // Blocked flag and links land in the record.
    puzzle.pieces[1].blocked = true;
    puzzle.pieces[1].links = {0};
    const std::vector<uint8_t> linked = BuildPuzzleFile(puzzle);
    EXPECT_EQ(linked.size(), 103u);
    EXPECT_EQ(U32At(linked, 55), 1u);
    EXPECT_EQ(U32At(linked, 75), 1u);
    EXPECT_EQ(U32At(linked, 79), 0u);

    puzzle.pieces[0].mask.pop_back();
    EXPECT_THROW(BuildPuzzleFile(puzzle), std::invalid_argument);
}

// Pixel n = x + y × w is bit n mod 8 of byte n / 8, rows from the bottom.
TEST(PuzzleWriterTest, MaskBitsLeastSignificantFirst) {
    std::vector<uint8_t> mask(9, 0);
    mask[0] = mask[2] = mask[8] = 1;  // (0, 0), (2, 0), (2, 2)
    EXPECT_EQ(PackMaskBits(mask), (std::vector<uint8_t>{0x05, 0x01}));
}

TEST(MapWriterTest, SerpentineFromTheCatalogue) {
    const std::vector<MapElement> map = SerpentineMap({3, 2});
    ASSERT_EQ(map.size(), 5u);
    const MapElementType expected[] = {MapElementType::Start, MapElementType::Path, MapElementType::Path,
                                       MapElementType::CheckPoint, MapElementType::Finish};
    for (size_t i = 0; i < map.size(); ++i) {
        EXPECT_EQ(map[i].type, expected[i]) << i;
        EXPECT_EQ(map[i].matrix[0], 1.0f);
        EXPECT_EQ(map[i].matrix[11], 0.0f);
    }
    // Stage 0 left to right on the lowest row, stage 1 back on the next.
    EXPECT_EQ(map[0].matrix[3], 180.0f);
    EXPECT_EQ(map[1].matrix[3], 400.0f);
    EXPECT_EQ(map[2].matrix[3], 620.0f);
    EXPECT_EQ(map[2].matrix[7], 110.0f);
    EXPECT_EQ(map[3].matrix[3], 620.0f);
    EXPECT_EQ(map[4].matrix[3], 180.0f);
    EXPECT_EQ(map[4].matrix[7], 152.0f);

    const std::vector<uint8_t> bytes = BuildMapFile(map);
    ExpectHeader(bytes, "PHGMF", 100);
    ASSERT_EQ(bytes.size(), 17u + 68u * 5);
    EXPECT_EQ(U32At(bytes, 13), 5u);
    EXPECT_EQ(U32At(bytes, 17 + 68 * 3), 2u);
    EXPECT_EQ(F32At(bytes, 17 + 68 * 4 + 4 + 4 * 3), 180.0f);
    EXPECT_EQ(F32At(bytes, 17 + 68 * 4 + 4 + 4 * 7), 152.0f);

    // A stage without levels, one level in all, and a last stage whose
    // only level would have to be check point and finish at once.
    for (const std::vector<uint32_t>& bad : {std::vector<uint32_t>{2, 0}, {1}, {3, 1}}) {
        EXPECT_THROW(SerpentineMap(bad), std::invalid_argument);
    }
}

// Pieces of a small cut: every pixel in exactly one piece, each piece in one
// 4-connected part reaching beyond its grid cell through its tabs, and the
// same seed giving the same cut.
TEST(JigsawCutterTest, PiecesPartitionThePictureAndInterlock) {
    const JigsawCut cut = CutJigsaw(160, 120, 4, 3, 77);
    ASSERT_EQ(cut.labels.size(), 160u * 120u);
    std::vector<size_t> area(12, 0);
    for (const uint16_t label : cut.labels) {
        ASSERT_LT(label, 12u);
        ++area[label];
    }
    for (size_t piece = 0; piece < 12; ++piece) {
        // A cell is 40 × 40; tabs and blanks move area, never most of it.
        EXPECT_GT(area[piece], 1000u) << piece;
        EXPECT_LT(area[piece], 2400u) << piece;
        // Connected: a flood from its first pixel reaches all of it.
        std::vector<bool> seen(cut.labels.size(), false);
        const size_t start = static_cast<size_t>(std::find(cut.labels.begin(), cut.labels.end(), piece) - cut.labels.begin());
        std::vector<size_t> stack{start};
        seen[start] = true;
        size_t reached = 0;
        while (!stack.empty()) {
            const size_t at = stack.back();
            stack.pop_back();
            ++reached;
            const size_t x = at % 160, y = at / 160;
            const size_t next[4] = {x > 0 ? at - 1 : at, x < 159 ? at + 1 : at, y > 0 ? at - 160 : at, y < 119 ? at + 160 : at};
            for (const size_t n : next) {
                if (!seen[n] && cut.labels[n] == piece) {
                    seen[n] = true;
                    stack.push_back(n);
                }
            }
        }
        EXPECT_EQ(reached, area[piece]) << piece;
    }
    // The middle piece (1, 1) has four inner edges, each with a tab or a
    // blank: its pixels reach across at least one cell border by a tab's
    // height, and pixels of its neighbours reach into its cell.
    const Puzzle puzzle = BuildJigsawPuzzle(cut, 0, 0, 77);
    const PuzzlePiece& middle = puzzle.pieces[5];
    EXPECT_TRUE(middle.x < 40 - 5 || middle.x + middle.width > 80 + 5 || middle.y < 40 - 5 ||
                middle.y + middle.height > 80 + 5);
    EXPECT_EQ(CutJigsaw(160, 120, 4, 3, 77).labels, cut.labels);
    EXPECT_NE(CutJigsaw(160, 120, 4, 3, 78).labels, cut.labels);
    EXPECT_THROW(CutJigsaw(40, 40, 8, 1, 1), std::invalid_argument);
}

TEST(JigsawCutterTest, CutLinesAreSoftAndOnlyBetweenPieces) {
    JigsawCut cut;
    cut.width = 4;
    cut.height = 2;
    cut.columns = 2;
    cut.rows = 1;
    cut.labels = {0, 0, 1, 1, 0, 0, 1, 1};
    EXPECT_EQ(CutLineMap(cut), (std::vector<uint8_t>{0, 128, 128, 0, 0, 128, 128, 0}));
    cut.labels = {0, 0, 0, 0, 0, 1, 1, 1};
    // A diagonal neighbour alone gives a faint 22.
    EXPECT_EQ(CutLineMap(cut), (std::vector<uint8_t>{22, 128, 128, 128, 128, 128, 128, 128}));
}

TEST(JigsawCutterTest, BlockedPiecesWaitOnlyForFreeNeighbours) {
    const JigsawCut cut = CutJigsaw(280, 210, 7, 5, 9);
    const std::vector<std::vector<uint32_t>> neighbours = GridNeighbours(cut);
    for (const uint32_t links : {0u, 1u, 2u}) {
        const Puzzle puzzle = BuildJigsawPuzzle(cut, 4, links, 31 + links);
        uint32_t blocked = 0;
        for (uint32_t i = 0; i < puzzle.pieces.size(); ++i) {
            const PuzzlePiece& piece = puzzle.pieces[i];
            if (!piece.blocked) {
                EXPECT_TRUE(piece.links.empty());
                continue;
            }
            ++blocked;
            if (links != 0) {
                EXPECT_EQ(piece.links.size(), links);
            } else {
                EXPECT_GE(piece.links.size(), 1u);
                EXPECT_LE(piece.links.size(), 2u);
            }
            for (const uint32_t link : piece.links) {
                EXPECT_FALSE(puzzle.pieces[link].blocked);
                const std::vector<uint32_t>& around = neighbours[i];
                EXPECT_NE(std::find(around.begin(), around.end(), link), around.end());
            }
        }
        EXPECT_EQ(blocked, 4u);
    }
    // A 2 × 1 grid has no room for two blocked pieces apart.
    EXPECT_THROW(BuildJigsawPuzzle(CutJigsaw(40, 20, 2, 1, 1), 2, 1, 1), std::invalid_argument);
}

} // namespace
} // namespace Tools
