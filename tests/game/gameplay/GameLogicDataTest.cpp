// A level's resources read from its puzzle folder: the pieces' geometry and
// samples, their packed pictures, the board pictures and colours, the
// resource names, and every way a damaged folder is refused.
#include "game/gameplay/GameLogicData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/TextureManager.h"
#include "engine/graphics/ShaderManager.h"
#include "game/common/LevelManager.h"
#include "game/gameplay/PuzzleMaskRle.h"
#include "game/gameplay/TexturePack.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/ImageFile.h"
#include "tools/common/PuzzleMaskRle.h"
#include "tools/common/PuzzleWriter.h"

namespace ActionPuzzle {
namespace {

using namespace ZorvaneEngine;

// One piece record as it goes into the file, damage included.
struct RawPiece {
    uint32_t blocked = 0;
    int32_t x = 0, y = 0, w = 0, h = 0;
    std::vector<uint32_t> links;
    std::vector<uint8_t> coded;  // the coded mask
};

struct RawPuzzle {
    std::string magic = "APPZF";
    uint32_t version = 108;
    float width = 0, height = 0;
    std::vector<RawPiece> pieces;
    std::vector<uint8_t> codedMap;
    // Applied to the finished bytes.
    std::function<void(std::vector<uint8_t>&)> damage;

    std::vector<uint8_t> Bytes() const
    {
        Tools::BinaryWriter writer;
        Tools::BeginEngineFile(writer, magic.c_str(), version);
        writer.F32(width);
        writer.F32(height);
        writer.U32(static_cast<uint32_t>(pieces.size()));
        for (const RawPiece& piece : pieces) {
            writer.U32(piece.blocked);
            writer.I32(piece.x);
            writer.I32(piece.y);
            writer.I32(piece.w);
            writer.I32(piece.h);
            writer.U32(static_cast<uint32_t>(piece.links.size()));
            for (uint32_t link : piece.links) writer.U32(link);
            writer.U32(static_cast<uint32_t>(piece.coded.size()));
            writer.Bytes(piece.coded.data(), piece.coded.size());
        }
        writer.U32(static_cast<uint32_t>(codedMap.size()));
        writer.Bytes(codedMap.data(), codedMap.size());
        Tools::EndEngineFile(writer);
        std::vector<uint8_t> bytes = writer.Data();
        if (damage) damage(bytes);
        return bytes;
    }
};

// A picture with a different colour in every pixel, so that a row or column
// read from the wrong place shows.
Image Gradient(uint32_t width, uint32_t height, uint32_t bits = 24)
{
    Image picture;
    picture.Create(width, height, 24, nullptr);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* p = picture.GetRow(y) + x * 3;
            p[0] = static_cast<uint8_t>(40 + x * 200 / std::max(width, 1u));
            p[1] = static_cast<uint8_t>(40 + y * 200 / std::max(height, 1u));
            p[2] = 90;
        }
    if (bits != 24) picture.Convert(bits);
    return picture;
}

class GameLogicDataTest : public ::testing::Test {
protected:
    GameLogicDataTest()
    {
        stage.index = 0;
        level.stageIndex = 0;
        level.levelIndex = 3;
        level.puzzleName = "fixture";
    }

    std::string FolderPath() const { return env.folder / "bin/data/puzzles/fixture/"; }
    void PutTheme(const Image& picture)
    {
        std::string error;
        TestSupport::WriteWholeFile(FolderPath() + "theme.jpg", "");
        ASSERT_TRUE(Tools::SaveImageFile(FolderPath() + "theme.jpg", picture, error)) << error;
    }
    void PutPuzzle(const std::vector<uint8_t>& bytes)
    {
        TestSupport::WriteWholeFile(FolderPath() + "puzzle.pzf", std::string(bytes.begin(), bytes.end()));
    }
    void PutColours(const std::string& text = "255 255 255\n40 30 20\n255 255 160\n")
    {
        TestSupport::WriteWholeFile(FolderPath() + "puzzle.ini", text);
    }

    // Loads a fresh keeper; the fatal error's text, empty when none.
    std::string Load()
    {
        keeper = std::make_unique<GameLogicData>(engine.get(), "ge", stage, level);
        try {
            keeper->StartLoad();
        } catch (const FatalError& error) {
            return error.message;
        }
        return "";
    }

    // The theme as the game reads it back from its JPEG.
    Image ReadTheme()
    {
        Image theme;
        std::string error;
        EXPECT_TRUE(Tools::LoadImageFile(FolderPath() + "theme.jpg", theme, error)) << error;
        return theme;
    }

    const Image& TexturePicture(const std::string& name)
    {
        TextureEntry* entry = engine->materials->GetTextureManager()->FindEntry(TextureManager::MakeKey(name, "", false));
        EXPECT_NE(entry, nullptr) << name;
        return *entry->diffuse;
    }

    TestSupport::EngineTestEnvironment env;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>(env.Settings());
    StageInfo stage;
    LevelInfo level;
    std::unique_ptr<GameLogicData> keeper;
};

// The two-piece example of the format: a 4 × 2 picture cut in halves.
RawPuzzle TwoHalves()
{
    RawPuzzle puzzle;
    puzzle.width = 4;
    puzzle.height = 2;
    puzzle.pieces = {{0, 0, 0, 2, 2, {}, {0x00, 0x0F}}, {0, 2, 0, 2, 2, {}, {0x00, 0x0F}}};
    puzzle.codedMap = {0x00, 0x00, 0x80, 0xFF, 0x80, 0x00, 0x80, 0xFF, 0x00, 0x00};
    return puzzle;
}

TEST_F(GameLogicDataTest, ReadsTheWorkedExampleIntoPieceGeometryAndNamedResources)
{
    PutTheme(Gradient(4, 2));
    const std::vector<uint8_t> bytes = TwoHalves().Bytes();
    ASSERT_EQ(bytes.size(), 99u);
    PutPuzzle(bytes);
    PutColours("255 255 255 // tint\n51 0 255\n0 102 204\n");
    ASSERT_EQ(Load(), "");

    EXPECT_EQ(keeper->GetPieceCount(), 2u);
    EXPECT_FLOAT_EQ(keeper->pictureSize.x, 4);
    EXPECT_FLOAT_EQ(keeper->pictureSize.y, 2);
    EXPECT_EQ(keeper->pieceBlocked, (std::vector<uint32_t>{0, 0}));
    EXPECT_FLOAT_EQ(keeper->pieceCentres[1].x, 3);
    EXPECT_FLOAT_EQ(keeper->pieceCentres[1].y, 1);
    EXPECT_EQ(keeper->piecePositions[1].x, 2);
    EXPECT_EQ(keeper->pieceExtents[1].y, 2);
    EXPECT_FLOAT_EQ(keeper->pieceSizes[0].x, 2);
    ASSERT_EQ(keeper->pieceOutlinePoints[1].size(), 1u);
    EXPECT_FLOAT_EQ(keeper->pieceOutlinePoints[1][0].x, 2);
    EXPECT_FLOAT_EQ(keeper->outlineColour.r, 0.2f);
    EXPECT_FLOAT_EQ(keeper->outlineColour.b, 1.0f);
    EXPECT_FLOAT_EQ(keeper->highlightColour.g, 0.4f);
    EXPECT_FLOAT_EQ(keeper->boardTintColour.a, 1.0f);

    // Equal areas keep the file's order in the pack.
    EXPECT_EQ(keeper->piecePackNames, (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(keeper->texturePack->GetName(), "puzzle_elements_0_3");
    EXPECT_EQ(keeper->outlineShaderUser->stages[0].diffuse, "puzzle_0_3");
    EXPECT_EQ(keeper->themeShaderUser->stages[0].diffuse, "puzzle_theme_0_3");
    EXPECT_EQ(keeper->backgroundShaderUser->stages[0].diffuse, "puzzle_background_0_3");
    EXPECT_NE(keeper->outlineShaderUser->flags & ShaderAlphaBlend, 0u);
    EXPECT_EQ(keeper->themeShaderUser->flags & ShaderAlphaBlend, 0u);
    EXPECT_EQ(keeper->GetShaderUsers().size(), 3u);

    // The cut lines: the outline colour, opaque as far as the map is strong.
    const Image& outline = TexturePicture("puzzle_0_3");
    ASSERT_EQ(outline.GetWidth(), 1024u);
    ASSERT_EQ(outline.GetHeight(), 512u);
    const uint8_t expectedAlpha[2][4] = {{0, 255, 255, 0}, {0, 255, 255, 0}};
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 4; ++x) {
            const uint8_t* p = outline.GetRow(y) + x * 4;
            EXPECT_EQ(p[3], expectedAlpha[y][x]) << x << "," << y;
            EXPECT_EQ(p[0], 51);
            EXPECT_EQ(p[2], 255);
        }
}

// An L-shaped piece beside a square: the mask's rows count from the bottom
// and its bits from the least significant, which only an asymmetric shape
// shows.
TEST_F(GameLogicDataTest, PiecePicturesTakeThePictureInsideTheMaskAndFadeOnCutLines)
{
    const uint32_t width = 12, height = 9;
    PutTheme(Gradient(width, height));
    Tools::Puzzle puzzle;
    puzzle.width = width;
    puzzle.height = height;
    Tools::PuzzlePiece l;
    l.x = 2;
    l.y = 1;
    l.width = 7;
    l.height = 4;
    l.mask.assign(28, 0);
    for (int x = 0; x < 7; ++x) l.mask[static_cast<size_t>(x)] = 1;      // the bottom row
    for (int y = 0; y < 4; ++y) l.mask[static_cast<size_t>(y * 7)] = 1;  // the left column
    Tools::PuzzlePiece square;
    square.x = 0;
    square.y = 5;
    square.width = 4;
    square.height = 4;
    square.mask.assign(16, 1);
    puzzle.pieces = {l, square};
    puzzle.cutLines.assign(width * height, 0);
    puzzle.cutLines[1 * width + 4] = 200;  // on the L's bottom row
    puzzle.cutLines[2 * width + 5] = 90;   // outside the L's mask
    PutPuzzle(Tools::BuildPuzzleFile(puzzle));
    PutColours();
    ASSERT_EQ(Load(), "");

    // Sampled every third pixel, columns outer, rows inner.
    const std::vector<Vector2>& points = keeper->pieceOutlinePoints[0];
    ASSERT_EQ(points.size(), 4u);
    const float expected[4][2] = {{2, 1}, {2, 4}, {5, 1}, {8, 1}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(points[i].x, expected[i][0]);
        EXPECT_FLOAT_EQ(points[i].y, expected[i][1]);
    }

    const Image theme = ReadTheme();
    const TexturePackEntry& entry = *keeper->texturePack->FindEntry(keeper->piecePackNames[0]);
    std::vector<ShaderUser*> pages = keeper->texturePack->GetPages();
    ASSERT_EQ(pages.size(), 1u);
    const Image& page = TexturePicture("pack_puzzle_elements_0_3_0");
    const auto left = static_cast<uint32_t>(entry.uMin * static_cast<float>(page.GetWidth()) + 0.5f);
    const auto bottom = static_cast<uint32_t>(entry.vMin * static_cast<float>(page.GetHeight()) + 0.5f);
    for (uint32_t py = 0; py < 4; ++py)
        for (uint32_t px = 0; px < 7; ++px) {
            const uint8_t* got = page.GetRow(bottom + py) + (left + px) * 4;
            const uint8_t* want = theme.GetRow(1 + py) + (2 + px) * 3;
            EXPECT_EQ(got[0], want[0]);
            EXPECT_EQ(got[1], want[1]);
            EXPECT_EQ(got[2], want[2]);
            const bool inside = py == 0 || px == 0;
            const uint8_t line = puzzle.cutLines[(1 + py) * width + 2 + px];
            EXPECT_EQ(got[3], inside ? 255 - line : 0) << px << "," << py;
        }
}

TEST_F(GameLogicDataTest, BoardPicturesPutThePictureOnWhiteAndPaleItForTheBackground)
{
    PutTheme(Gradient(4, 2));
    PutPuzzle(TwoHalves().Bytes());
    PutColours();
    ASSERT_EQ(Load(), "");
    const Image theme = ReadTheme();
    const Image& board = TexturePicture("puzzle_theme_0_3");
    const Image& background = TexturePicture("puzzle_background_0_3");
    ASSERT_EQ(board.GetBits(), 24u);
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 4; ++x) {
            const uint8_t* c = theme.GetRow(y) + x * 3;
            const uint8_t* b = board.GetRow(y) + x * 3;
            const uint8_t* g = background.GetRow(y) + x * 3;
            const float grey = static_cast<float>(c[0] + c[1] + c[2]) / 3.0f;
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(b[k], c[k]);
                EXPECT_EQ(g[k], static_cast<uint8_t>(0.2f * static_cast<float>(c[k]) + 0.8f * grey));
            }
        }
    for (const Image* picture : {&board, &background}) {
        EXPECT_EQ(picture->GetRow(0)[4 * 3], 255);
        EXPECT_EQ(picture->GetRow(511)[1023 * 3 + 2], 255);
    }
}

// A pure red becomes (119, 68, 68). The JPEG gives the red back a step or
// two off, which moves the pale colour by less than one step: within one of
// the worked example, far from any other mix of the colour and its grey.
TEST_F(GameLogicDataTest, ARedPictureFadesTowardsItsGrey)
{
    Image red;
    red.Create(4, 2, 24, nullptr);
    red.Fill(ColorRGBA(1, 0, 0, 1));
    PutTheme(red);
    PutPuzzle(TwoHalves().Bytes());
    PutColours();
    ASSERT_EQ(Load(), "");
    const Image theme = ReadTheme();
    const uint8_t* c = theme.GetRow(1) + 3;
    ASSERT_GE(c[0], 253);
    ASSERT_LE(c[1], 2);
    ASSERT_LE(c[2], 2);
    const uint8_t* g = TexturePicture("puzzle_background_0_3").GetRow(1) + 3;
    EXPECT_NEAR(g[0], 119, 1);
    EXPECT_NEAR(g[1], 68, 1);
    EXPECT_NEAR(g[2], 68, 1);
}

TEST_F(GameLogicDataTest, AGreyPictureAndAMisstatedSizeStillMakeAFittingBoard)
{
    PutTheme(Gradient(4, 2, 8));
    RawPuzzle puzzle = TwoHalves();
    puzzle.width = 400;
    puzzle.height = 300;
    PutPuzzle(puzzle.Bytes());
    PutColours();
    ASSERT_EQ(Load(), "");
    EXPECT_FLOAT_EQ(keeper->pictureSize.x, 4);
    EXPECT_FLOAT_EQ(keeper->pictureSize.y, 2);
    bool warned = false;
    for (const LogMessage& m : engine->log->GetFrameMessages())
        warned = warned || (m.level == 1 && m.text.find("the picture's size is used") != std::string::npos);
    EXPECT_TRUE(warned);
}

TEST_F(GameLogicDataTest, DamagedFoldersEndTheProgramWithTheirReason)
{
    const auto put = [](std::vector<uint8_t>& b, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
    };
    struct Case {
        const char* what;
        std::function<void(RawPuzzle&)> change;
        std::string reason;  // a part of the fatal text
    } cases[] = {
        {"wrong magic", [](RawPuzzle& p) { p.magic = "APPZX"; }, "Incorrect + \""},
        {"older version", [](RawPuzzle& p) { p.version = 107; }, "format version (107), current is 108"},
        {"one byte short", [](RawPuzzle& p) { p.damage = [](std::vector<uint8_t>& b) { b.pop_back(); }; },
         "Incorrect + \""},
        {"no pieces", [](RawPuzzle& p) { p.pieces.clear(); }, "No items to pack"},
        {"more pieces than the file holds",
         [&put](RawPuzzle& p) { p.damage = [&put](std::vector<uint8_t>& b) { put(b, 21, 0x40000000); }; },
         "1073741824 pieces cannot fit"},
        {"blocked value 2", [](RawPuzzle& p) { p.pieces[0].blocked = 2; }, "piece 0 has the blocked value 2"},
        {"empty rectangle", [](RawPuzzle& p) { p.pieces[1].w = 0; }, "piece 1 does not lie inside"},
        {"negative corner", [](RawPuzzle& p) { p.pieces[1].x = -1; }, "piece 1 does not lie inside"},
        {"beyond the right edge", [](RawPuzzle& p) { p.pieces[1].x = 3; }, "piece 1 does not lie inside"},
        {"beyond the top", [](RawPuzzle& p) { p.pieces[0].h = 3; }, "piece 0 does not lie inside"},
        {"link to a piece that does not exist", [](RawPuzzle& p) { p.pieces[0].links = {2}; },
         "piece 0 links to piece 2 of 2"},
        {"more links than the file holds",
         [&put](RawPuzzle& p) { p.damage = [&put](std::vector<uint8_t>& b) { put(b, 25 + 20, 0x10000000); }; },
         "claims 268435456 links"},
        {"mask longer than its rectangle", [](RawPuzzle& p) { p.pieces[0].coded = {0x80, 0x0F}; },
         "the mask of piece 0 is coded beyond"},
        {"mask run cut short", [](RawPuzzle& p) { p.pieces[0].coded = {0x01, 0x0F}; },
         "the mask of piece 0 is coded beyond"},
        {"mask length beyond the file",
         [&put](RawPuzzle& p) { p.damage = [&put](std::vector<uint8_t>& b) { put(b, 25 + 24, 5000); }; },
         "claims 5000 coded bytes"},
        {"map longer than the picture", [](RawPuzzle& p) { p.codedMap = {0x87, 0x00}; },
         "the cut-line map is coded beyond"},
    };
    PutTheme(Gradient(4, 2));
    PutColours();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RawPuzzle puzzle = TwoHalves();
        c.change(puzzle);
        PutPuzzle(puzzle.Bytes());
        const std::string text = Load();
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
    }

    PutPuzzle(TwoHalves().Bytes());
    std::filesystem::remove(FolderPath() + "puzzle.ini");
    EXPECT_NE(Load(), "");
    PutColours();
    std::filesystem::remove(FolderPath() + "theme.jpg");
    EXPECT_EQ(Load(), "Failed to open \"data\\puzzles\\fixture\\theme.jpg\" image!");
    PutTheme(Gradient(1025, 2));
    EXPECT_NE(Load().find("is larger than the board's 1024 x 512"), std::string::npos);
}

// Pieces whose rectangles pile up over the same pixels would each get a
// picture and a mask: a few hundred bytes of file must not ask for
// gigabytes.
TEST_F(GameLogicDataTest, PiecesPiledFarBeyondThePictureAreRefused)
{
    PutTheme(Gradient(64, 64));
    PutColours();
    RawPuzzle puzzle;
    puzzle.width = 64;
    puzzle.height = 64;
    for (int i = 0; i < 9; ++i) puzzle.pieces.push_back({0, 0, 0, 64, 64, {}, {}});
    puzzle.codedMap = {};
    PutPuzzle(puzzle.Bytes());
    EXPECT_NE(Load().find("the pieces cover the picture more than 8 times"), std::string::npos);
    puzzle.pieces.pop_back();
    PutPuzzle(puzzle.Bytes());
    EXPECT_EQ(Load(), "");
}

TEST(PuzzleMaskRleTest, DecodesEveryRunKindAndStopsAtTheDestination)
{
    std::vector<uint8_t> literals(128);
    for (size_t i = 0; i < literals.size(); ++i) literals[i] = static_cast<uint8_t>(i * 7 + 1);
    std::vector<uint8_t> literalCoding = {0x7F};
    literalCoding.insert(literalCoding.end(), literals.begin(), literals.end());
    struct Case {
        std::vector<uint8_t> coded;
        size_t size;
        bool ok;
        std::vector<uint8_t> plain;
    } cases[] = {
        {{0x80, 0xAB}, 2, true, {0xAB, 0xAB}},
        {{0xFF, 0x11}, 129, true, std::vector<uint8_t>(129, 0x11)},
        {{0x00, 0x42}, 1, true, {0x42}},
        {literalCoding, 128, true, literals},
        {{0x83, 0xFF, 0x01, 0x01, 0x02}, 7, true, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x02}},
        {{0x80, 0x05}, 4, true, {0x05, 0x05, 0x00, 0x00}},  // short: the rest stays zero
        {{}, 3, true, {0, 0, 0}},
        {{0x80}, 2, false, {0, 0}},                          // repeat without its byte
        {{0x02, 0x01}, 3, false, {0, 0, 0}},                 // literal cut short
        {{0x81, 0x01}, 2, false, {0, 0}},                    // one byte too many
        {{0x00, 0x09, 0x01, 0x07, 0x07}, 2, false, {0x09, 0}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> out(c.size, 0xEE);
        EXPECT_EQ(DecodePuzzleMaskRle(c.coded.data(), c.coded.size(), out.data(), out.size()), c.ok);
        EXPECT_EQ(out, c.plain);
    }
    // What our writer codes decodes back, for runs around every limit.
    for (size_t n : {1, 2, 3, 128, 129, 130, 131, 257, 1000}) {
        std::vector<uint8_t> plain(n);
        for (size_t i = 0; i < n; ++i) plain[i] = static_cast<uint8_t>(i % 3 == 0 ? 7 : (i * 13) % 5);
        for (std::vector<uint8_t> bytes : {plain, std::vector<uint8_t>(n, 3)}) {
            const std::vector<uint8_t> coded = Tools::EncodePuzzleRle(bytes);
            std::vector<uint8_t> out(n);
            ASSERT_TRUE(DecodePuzzleMaskRle(coded.data(), coded.size(), out.data(), out.size()));
            EXPECT_EQ(out, bytes);
        }
    }
}

} // namespace
} // namespace ActionPuzzle

namespace ActionPuzzle {
namespace {

// Every level of the shipped catalogue loads with the real keeper: its
// puzzle fits its picture, its links name pieces, its pieces pack, and its
// blocked pieces can all be opened by placing the free ones.
TEST(ShippedPuzzlesTest, EveryLevelOfTheCatalogueLoadsAndCanBeFinished)
{
    TestSupport::EngineTestEnvironment env;
    std::filesystem::create_directories(env.folder / "bin");
    std::filesystem::create_directory_symlink(std::string(TANGROVE_BINARY_DIR) + "/data_stage/data",
                                              env.folder / "bin/data");
    auto engine = std::make_unique<Engine>(env.Settings());
    LevelManager catalogue(*engine);
    catalogue.Load();
    size_t levels = 0;
    uint32_t fewest = 1000, most = 0;
    for (size_t s = 0; s < catalogue.levels.size(); ++s) {
        for (size_t l = 0; l < catalogue.levels[s].size(); ++l) {
            const auto& stage = static_cast<const StageInfo&>(*catalogue.stages[s]);
            const auto& level = static_cast<const LevelInfo&>(*catalogue.levels[s][l]);
            SCOPED_TRACE(level.puzzleName);
            GameLogicData keeper(engine.get(), "ge", stage, level);
            ASSERT_NO_THROW(keeper.StartLoad());
            const uint32_t count = keeper.GetPieceCount();
            fewest = std::min(fewest, count);
            most = std::max(most, count);
            EXPECT_FLOAT_EQ(keeper.pictureSize.x, 560);
            EXPECT_FLOAT_EQ(keeper.pictureSize.y, 420);
            // Opening: a blocked slot opens once its links are free and placed.
            std::vector<bool> open(count);
            for (uint32_t i = 0; i < count; ++i) open[i] = keeper.pieceBlocked[i] == 0;
            for (bool changed = true; changed;) {
                changed = false;
                for (uint32_t i = 0; i < count; ++i) {
                    if (open[i] || keeper.pieceLinks[i].empty()) continue;
                    bool all = true;
                    for (uint32_t link : keeper.pieceLinks[i]) all = all && open[link];
                    if (all) open[i] = changed = true;
                }
            }
            EXPECT_EQ(std::count(open.begin(), open.end(), false), 0) << "a slot that never opens";
            ++levels;
        }
    }
    EXPECT_EQ(levels, 40u);
    EXPECT_EQ(fewest, 9u);
    EXPECT_EQ(most, 54u);
}

} // namespace
} // namespace ActionPuzzle
