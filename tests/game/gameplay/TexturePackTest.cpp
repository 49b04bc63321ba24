// The atlas packer: where pictures land, how pages are cut and sized, the
// names and texture rectangles, the refused inputs, and the pack's page
// materials and sprites on the engine.
#include "game/gameplay/TexturePack.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/Shader.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/Texture2D.h"
#include "engine/graphics/TextureManager.h"
#include "engine/graphics/VertexBuffer.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "platform/system/TemporaryFolder.h"

namespace ActionPuzzle {
namespace {

using namespace ZorvaneEngine;

struct Size {
    uint32_t width, height;
};

// Pictures of the given sizes, each filled with its own colour.
class Pictures {
public:
    explicit Pictures(const std::vector<Size>& sizes)
    {
        for (size_t i = 0; i < sizes.size(); ++i) {
            auto picture = std::make_unique<Image>();
            picture->Create(sizes[i].width, sizes[i].height, 32, nullptr);
            picture->Fill(ColorRGBA(static_cast<float>(i + 1) / 255.0f, 0.5f, 0.25f, 1.0f));
            items.push_back({"", picture.get()});
            pictures.push_back(std::move(picture));
        }
    }
    std::vector<std::unique_ptr<Image>> pictures;
    std::vector<TexturePackItem> items;
};

struct Layout {
    std::vector<PackItem> packed;
    std::vector<TexturePackPage> pages;
};

class TexturePackLayoutTest : public ::testing::Test {
protected:
    Layout LayOut(Pictures& pictures)
    {
        Layout layout;
        LayOutTexturePack(log, pictures.items, layout.packed, layout.pages);
        return layout;
    }
    std::string FatalText(const std::vector<Size>& sizes)
    {
        Pictures pictures(sizes);
        try {
            LayOut(pictures);
        } catch (const FatalError& error) {
            return error.message;
        }
        return "";
    }

    TestSupport::TemporaryFolder folder;
    MessageManager log{folder.Path(), "log", "Tangrove", false, false};
};

TEST_F(TexturePackLayoutTest, PlacesPicturesOnTheSmallestPageAsTheRulesSay)
{
    struct Placed {
        uint32_t page;
        int32_t x, y;
    };
    struct Case {
        const char* what;
        std::vector<Size> sizes;
        std::vector<Size> pageSizes;
        std::vector<Placed> placed;  // in sorted order
    } cases[] = {
        {"one small picture: 34 x 34 padded fits neither 32 x 32 nor 64 x 32", {{30, 30}}, {{64, 64}}, {{0, 0, 0}}},
        {"two equal pictures side by side", {{100, 100}, {100, 100}}, {{256, 128}}, {{0, 0, 0}, {0, 104, 0}}},
        {"a third small one below the second when nothing fits to the right",
         {{100, 100}, {60, 60}, {60, 60}, {60, 60}},
         {{256, 128}},
         {{0, 0, 0}, {0, 104, 0}, {0, 168, 0}, {0, 104, 64}}},
        {"pictures too tall for half a page get a page each",
         {{600, 600}, {600, 600}, {600, 600}, {600, 600}, {600, 600}},
         {{1024, 1024}, {1024, 1024}, {1024, 1024}, {1024, 1024}, {1024, 1024}},
         {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}}},
        {"the first page keeps the largest, even where a smaller one would still fit",
         {{1000, 600}, {1000, 600}, {10, 10}},
         {{1024, 1024}, {1024, 1024}},
         {{0, 0, 0}, {1, 0, 0}, {1, 1004, 0}}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        Pictures pictures(c.sizes);
        const Layout layout = LayOut(pictures);
        ASSERT_EQ(layout.pages.size(), c.pageSizes.size());
        for (size_t p = 0; p < c.pageSizes.size(); ++p) {
            EXPECT_EQ(layout.pages[p].width, c.pageSizes[p].width);
            EXPECT_EQ(layout.pages[p].height, c.pageSizes[p].height);
        }
        ASSERT_EQ(layout.packed.size(), c.placed.size());
        for (size_t i = 0; i < c.placed.size(); ++i) {
            EXPECT_EQ(layout.packed[i].page, c.placed[i].page) << i;
            EXPECT_EQ(layout.packed[i].x, c.placed[i].x) << i;
            EXPECT_EQ(layout.packed[i].y, c.placed[i].y) << i;
        }
    }
}

TEST_F(TexturePackLayoutTest, NamesFollowTheAreaOrderAndRectanglesShowThePictureWithoutItsBorder)
{
    Pictures pictures({{20, 20}, {100, 100}, {50, 50}, {50, 50}});
    const Layout layout = LayOut(pictures);
    // Equal areas keep their order, so a level started again packs alike.
    EXPECT_EQ(pictures.items[0].name, "3");
    EXPECT_EQ(pictures.items[1].name, "0");
    EXPECT_EQ(pictures.items[2].name, "1");
    EXPECT_EQ(pictures.items[3].name, "2");
    for (size_t i = 0; i < layout.packed.size(); ++i) {
        EXPECT_EQ(layout.packed[i].name, std::to_string(i));
    }

    Pictures single({{30, 30}});
    const PackItem item = LayOut(single).packed[0];
    EXPECT_FLOAT_EQ(item.uMin, 2.0f / 64);
    EXPECT_FLOAT_EQ(item.vMin, 2.0f / 64);
    EXPECT_FLOAT_EQ(item.uMax, 32.0f / 64);
    EXPECT_FLOAT_EQ(item.vMax, 32.0f / 64);
}

// Piece-like sizes drawn at random: every picture is on exactly one page,
// inside it, apart from every other, and its rectangle is its own size.
TEST_F(TexturePackLayoutTest, RandomSetsPackWithoutOverlapInsideTheirPages)
{
    RandomSeed = 7;
    for (int round = 0; round < 30; ++round) {
        std::vector<Size> sizes;
        const uint32_t count = 1 + RandomInt(70);
        const uint32_t largest = round % 3 == 0 ? 700 : 160;
        for (uint32_t i = 0; i < count; ++i) {
            sizes.push_back({1 + RandomInt(largest), 1 + RandomInt(largest)});
        }
        Pictures pictures(sizes);
        const Layout layout = LayOut(pictures);
        std::set<std::string> names;
        size_t onPages = 0;
        for (size_t p = 0; p < layout.pages.size(); ++p) {
            const TexturePackPage& page = layout.pages[p];
            EXPECT_TRUE(TextureManager::IsPowerOfTwo(page.width) && TextureManager::IsPowerOfTwo(page.height));
            EXPECT_LE(page.width, 1024u);
            EXPECT_LE(page.height, 1024u);
            EXPECT_TRUE(page.width == page.height || page.width == 2 * page.height);
            onPages += page.items.size();
            for (size_t a = 0; a < page.items.size(); ++a) {
                const PackItem& item = *page.items[a];
                EXPECT_EQ(item.page, p);
                EXPECT_GE(item.x, 0);
                EXPECT_GE(item.y, 0);
                EXPECT_LE(item.right, static_cast<int32_t>(page.width));
                EXPECT_LE(item.bottom, static_cast<int32_t>(page.height));
                const Image& picture = *item.source->picture;
                EXPECT_NEAR((item.uMax - item.uMin) * static_cast<float>(page.width),
                            static_cast<float>(picture.GetWidth()), 0.001f);
                EXPECT_NEAR((item.vMax - item.vMin) * static_cast<float>(page.height),
                            static_cast<float>(picture.GetHeight()), 0.001f);
                for (size_t b = a + 1; b < page.items.size(); ++b) {
                    const PackItem& other = *page.items[b];
                    const bool apart = item.right <= other.x || other.right <= item.x || item.bottom <= other.y ||
                                       other.bottom <= item.y;
                    ASSERT_TRUE(apart) << "round " << round << ": " << item.name << " and " << other.name;
                }
            }
        }
        EXPECT_EQ(onPages, count);
        for (const TexturePackItem& item : pictures.items) {
            EXPECT_TRUE(names.insert(item.name).second);
        }
    }
}

TEST_F(TexturePackLayoutTest, RefusesNothingToPackAndPicturesNoPageHolds)
{
    EXPECT_EQ(FatalText({}), "No items to pack");
    // 1020 plus the border fills a page exactly; one more pixel never fits,
    // and would keep the page loop from ever making progress.
    EXPECT_EQ(FatalText({{1020, 1020}}), "");
    EXPECT_EQ(FatalText({{10, 10}, {1021, 5}}), "Texture pack: picture 1 of 1021 x 5 pixels is too large to pack");
    EXPECT_EQ(FatalText({{5, 1021}}), "Texture pack: picture 0 of 5 x 1021 pixels is too large to pack");
}

class TexturePackTest : public ::testing::Test {
protected:
    TestSupport::EngineTestEnvironment env;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>(env.Settings());
};

TEST_F(TexturePackTest, PagesAreNamedMaterialsHoldingThePicturesInsideTransparentBorders)
{
    Pictures pictures({{600, 600}, {600, 600}, {30, 20}});
    std::unique_ptr<TexturePack> pack;
    BuildTexturePack(pack, "puzzle_elements_0_3", engine.get(), pictures.items);
    ASSERT_EQ(pack->GetPages().size(), 2u);
    TextureManager& textures = *engine->materials->GetTextureManager();
    for (uint32_t p = 0; p < 2; ++p) {
        const std::string name = "pack_puzzle_elements_0_3_" + std::to_string(p);
        ShaderUser* page = pack->GetPages()[p];
        EXPECT_EQ(page->stages[0].diffuse, name);
        EXPECT_NE(page->flags & ShaderAlphaBlend, 0u);
        ASSERT_NE(page->GetShader()->GetFrames(0)[0], nullptr);
        EXPECT_NE(textures.FindEntry(TextureManager::MakeKey(name, "", false)), nullptr);
    }

    // The small picture ("2") shares page 1 with the second large one; its
    // pixels sit 2 in from its padded corner, a transparent ring around them.
    const TexturePackEntry* entry = pack->FindEntry("2");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->page, pack->GetPages()[1]);
    const Image& page = *textures.FindEntry(TextureManager::MakeKey("pack_puzzle_elements_0_3_1", "", false))->diffuse;
    const auto x = static_cast<uint32_t>(entry->uMin * static_cast<float>(page.GetWidth()) + 0.5f);
    const auto y = static_cast<uint32_t>(entry->vMin * static_cast<float>(page.GetHeight()) + 0.5f);
    const uint8_t* inside = page.GetRow(y) + x * 4;
    EXPECT_EQ(inside[0], 3);  // the third picture's own red
    EXPECT_EQ(inside[3], 255);
    EXPECT_EQ(page.GetRow(y - 1)[x * 4 + 3], 0);
    EXPECT_EQ(page.GetRow(y)[(x - 1) * 4 + 3], 0);
    EXPECT_EQ(page.GetRow(y + 19)[(x + 29) * 4 + 3], 255);
    EXPECT_EQ(page.GetRow(y + 20)[(x + 29) * 4 + 3], 0);
}

TEST_F(TexturePackTest, SpritesShowExactlyTheirPictureAndUnknownNamesAreFatal)
{
    Pictures pictures({{100, 100}, {60, 60}});
    std::unique_ptr<TexturePack> pack;
    BuildTexturePack(pack, "test", engine.get(), pictures.items);
    GUIWindow* sprite = pack->CreateSprite(Vector2(-30, -30), Vector2(60, 60), "1", nullptr);
    ASSERT_NE(sprite, nullptr);
    const TexturePackEntry& entry = *pack->FindEntry("1");
    const VertexBuffer& vertices = *sprite->model->GetVertexBuffer();
    std::set<float> us;
    std::set<float> vs;
    for (uint32_t i = 0; i < vertices.GetCount(); ++i) {
        float uv[2];
        std::memcpy(uv, vertices.GetVertices() + i * vertices.GetStride() + vertices.GetTexCoordOffset(), sizeof uv);
        us.insert(uv[0]);
        vs.insert(uv[1]);
    }
    EXPECT_EQ(us, (std::set<float>{entry.uMin, entry.uMax}));
    EXPECT_EQ(vs, (std::set<float>{entry.vMin, entry.vMax}));
    EXPECT_EQ(sprite->model->GetMaterial()->GetShader(), entry.page->GetShader());
    EXPECT_TRUE(engine->guiManager->windows.Remove(sprite));
    delete sprite;

    try {
        pack->CreateSprite(Vector2(), Vector2(1, 1), "X", nullptr);
        ADD_FAILURE() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.message, "Texture pack \"test\" is not contain \"X\" texture");
    }
}

TEST_F(TexturePackTest, ASecondPackOfTheSameNameSharesTheTexturesAndBothGiveThemBack)
{
    std::vector<Texture2D*> before;
    engine->materials->GetTextureManager()->GetTextures(before);
    {
        Pictures first({{40, 40}});
        Pictures second({{40, 40}});
        std::unique_ptr<TexturePack> a;
        std::unique_ptr<TexturePack> b;
        BuildTexturePack(a, "same", engine.get(), first.items);
        BuildTexturePack(b, "same", engine.get(), second.items);
        EXPECT_EQ(a->GetPages()[0]->GetShader()->GetFrames(0)[0], b->GetPages()[0]->GetShader()->GetFrames(0)[0]);
        a.reset();
        EXPECT_NE(b->GetPages()[0]->GetShader()->GetFrames(0)[0], nullptr);
    }
    std::vector<Texture2D*> after;
    engine->materials->GetTextureManager()->GetTextures(after);
    EXPECT_EQ(after, before);
}

} // namespace
} // namespace ActionPuzzle
