// The level map: its file read into stages and levels, and refused when
// damaged; on the built data set, the preview of the way ahead, the hover
// highlight along the path, and the relax box saved with the player.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Error.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "framework/MenuScreenBases.h"
#include "framework/ProfileBase.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "game/menus/MapFile.h"
#include "game/menus/MenuPlayer.h"
#include "game/menus/MenuWorld.h"
#include "tools/common/MapWriter.h"

namespace ActionPuzzle {
namespace {

using GameFramework::LevelStartOpenMode;

const char* const kMapPath = "bin/data/ui/menus/map/map.gmf";

// Start, path, check point, path, finish; element i stands at (10 i, 20 + i).
std::vector<uint8_t> FiveElements()
{
    using Type = Tools::MapElementType;
    std::vector<Tools::MapElement> elements(5);
    const Type types[] = {Type::Start, Type::Path, Type::CheckPoint, Type::Path, Type::Finish};
    for (size_t i = 0; i < elements.size(); ++i) {
        elements[i].type = types[i];
        elements[i].matrix[3] = 10.0f * static_cast<float>(i);
        elements[i].matrix[7] = 20.0f + static_cast<float>(i);
    }
    return Tools::BuildMapFile(elements);
}

class MapFileTest : public ::testing::Test {
protected:
    void Put(const std::vector<uint8_t>& bytes)
    {
        TestSupport::WriteWholeFile(env.folder / kMapPath, std::string(bytes.begin(), bytes.end()));
    }

    TestSupport::EngineTestEnvironment env;
    std::unique_ptr<ZorvaneEngine::Engine> engine = std::make_unique<ZorvaneEngine::Engine>(env.Settings());
};

// Each check point begins a stage whose levels count from it.
TEST_F(MapFileTest, CheckPointsBeginStagesAndLevelsCountFromThem)
{
    Put(FiveElements());
    const std::vector<MapRecord> records = ReadMapFile(*engine->fileManager);
    const struct {
        MapElementType type;
        uint32_t stage, index;
    } expected[] = {{MapElementType::Start, 0, 0},
                    {MapElementType::Path, 0, 1},
                    {MapElementType::CheckPoint, 1, 0},
                    {MapElementType::Path, 1, 1},
                    {MapElementType::Finish, 1, 2}};
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(records[i].type, expected[i].type);
        EXPECT_EQ(records[i].stage, expected[i].stage);
        EXPECT_EQ(records[i].index, expected[i].index);
        EXPECT_EQ(records[i].transform[3], 10.0f * static_cast<float>(i));
        EXPECT_EQ(records[i].transform[7], 20.0f + static_cast<float>(i));
        EXPECT_EQ(records[i].transform[0], 1.0f);
    }

    Put(Tools::BuildMapFile({}));
    EXPECT_TRUE(ReadMapFile(*engine->fileManager).empty());
}

TEST_F(MapFileTest, AShortFileAnotherVersionAndAnUnknownTypeAreRefused)
{
    const auto setU32 = [](std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
        for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<uint8_t>(value >> (8 * k));
    };
    const struct {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> damage;
        const char* says;
    } cases[] = {
        {"a byte short", [](std::vector<uint8_t>& b) { b.pop_back(); }, "file format"},
        {"a record short",
         [&](std::vector<uint8_t>& b) {
             b.resize(b.size() - 68);
             setU32(b, 0, static_cast<uint32_t>(b.size()));
         },
         "5 map elements do not fit"},
        {"version 101", [&](std::vector<uint8_t>& b) { setU32(b, 9, 101); }, "format version (101), current is 100"},
        {"type 4", [&](std::vector<uint8_t>& b) { setU32(b, 17 + 68, 4); }, "unknown map element type 4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes = FiveElements();
        c.damage(bytes);
        Put(bytes);
        try {
            ReadMapFile(*engine->fileManager);
            ADD_FAILURE() << "read";
        } catch (const ZorvaneEngine::FileError& error) {
            EXPECT_NE(error.message.find(c.says), std::string::npos) << error.message;
            EXPECT_NE(error.message.find("map.gmf"), std::string::npos) << error.message;
        }
    }
}

// The map screen cannot do without its map: a damaged one ends the program.
TEST(LevelMapScreenTest, ADamagedMapEndsTheProgramWithItsReason)
{
    TestSupport::MenuWorld world;
    std::vector<uint8_t> bytes = FiveElements();
    bytes.pop_back();
    world.Put("data/ui/menus/map/map.gmf", std::string(bytes.begin(), bytes.end()));
    world.Start();
    try {
        GUIStartGameLogicWindow map(world.engine.get(), world.player.get(), world.data.get(), world.manager.get(),
                                    world.background->GetMenuRoot(), world.profiles.get(), world.levels.get(),
                                    nullptr);
        ADD_FAILURE() << "made";
    } catch (const ZorvaneEngine::FatalError& error) {
        EXPECT_NE(error.message.find("map.gmf\" file format"), std::string::npos) << error.message;
    }
}

// The built game's map, Ann's game at the level the test chooses.
class LevelMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ann = world.StartWithNewPlayer(u"Ann");
        ASSERT_NE(ann, nullptr);
        ASSERT_TRUE(player.WaitFor([&] { return world.game->WindowManager()->free; }));
    }
    GUIStartGameLogicWindow& Map() { return *static_cast<GUIStartGameLogicWindow*>(world.game->StartGame()); }
    // Opened from the main menu with Ann at the level and as far as the
    // furthest one, until it stands fully on screen.
    void OpenAt(uint32_t stage, uint32_t level, uint32_t furthestStage, uint32_t furthestLevel)
    {
        ann->stage = stage;
        ann->level = level;
        ann->furthestStage = furthestStage;
        ann->furthestLevel = furthestLevel;
        Map().Open(LevelStartOpenMode::FromMainMenu);
        ASSERT_TRUE(player.WaitOnScreen(Map()));
    }
    GUIMapElement& Element(uint32_t stage, uint32_t index)
    {
        for (auto& element : Map().elements)
            if (element->stage == stage && element->index == index) return *element;
        ADD_FAILURE() << "no element " << stage << "," << index;
        return *Map().elements.front();
    }

    TestSupport::GameEnvironment world;
    TestSupport::MenuPlayer player{world};
    GameFramework::ProfileBase* ann = nullptr;
};

// The way beyond the furthest level appears element by element up to the
// next check point, 0.15 s apart, each fading in over 0.3 s, fades out in
// the same rhythm 0.6 s later, and starts again a second after.
TEST_F(LevelMapTest, ThePreviewRevealsTheWayToTheNextCheckPointOverAndOver)
{
    OpenAt(0, 1, 0, 1);
    GUIStartGameLogicWindow& map = Map();
    std::vector<GUIMapElement*> ahead;
    bool after = false;
    for (auto& element : map.elements) {
        if (after) {
            ahead.push_back(element.get());
            if (element->type != MapElementType::Path) break;
        }
        after = after || (element->stage == 0 && element->index == 1);
    }
    ASSERT_GE(ahead.size(), 2u);
    ASSERT_NE(ahead.back()->type, MapElementType::Path);
    const float end = static_cast<float>(ahead.size() - 1);

    // Pass 0 fades element j in from 0.15 j, pass 1 out from 0.6 + 0.15 j;
    // a pass goes on past an element only while its clock is left.
    const auto reaches = [](float t, size_t j) {
        return t >= 0.0f && (j == 0 || t - 0.15f * static_cast<float>(j) >= 0.0001f);
    };
    const auto fade = [](float t) { return std::min(t / 0.3f, 1.0f); };
    float time = map.previewTime;
    int restarts = 0;
    bool cycled = false;
    for (int frame = 0; frame < 300; ++frame) {
        player.Frame();
        const bool restarted = map.previewTime < time;
        // The clock the frame's pass ran on.
        const float t = restarted ? time + 0.02f : map.previewTime;
        time = map.previewTime;
        if (restarted) {
            ++restarts;
            cycled = true;
            EXPECT_GT(t - 0.6f - 0.15f * (end + 1.0f), 1.0f - 0.0001f);
            EXPECT_LE(t - 0.02f - 0.6f - 0.15f * (end + 1.0f), 1.0f + 0.0001f) << "restarted late";
        }
        for (size_t j = 0; j < ahead.size(); ++j) {
            GUIMapElement& element = *ahead[j];
            SCOPED_TRACE(std::to_string(t) + " s, element " + std::to_string(j));
            const float tj = t - 0.15f * static_cast<float>(j);
            if (reaches(t, j)) {
                ASSERT_TRUE(element.IsVisible());
                EXPECT_EQ(element.state, GUIMapElement::Ahead);
                EXPECT_EQ(element.clickButton->state, ZorvaneEngine::ButtonStateDisabled);
            }
            if (!element.modelWindow->effectivelyVisible) {
                EXPECT_FALSE(reaches(t, j) && cycled) << "shown again";
                continue;
            }
            float alpha = 0.0f;
            if (reaches(t - 0.6f, j))
                alpha = 1.0f - fade(tj - 0.6f);
            else if (reaches(t, j))
                alpha = fade(tj);
            else if (!cycled)
                continue;
            // Window colours are kept in steps of 1/255.
            ASSERT_NEAR(element.modelWindow->GetColor().a, alpha, 1.0f / 255.0f);
        }
    }
    EXPECT_GE(restarts, 2);
    // Elements beyond the check point stay hidden.
    const size_t last = static_cast<size_t>(std::find_if(map.elements.begin(), map.elements.end(),
                                                         [&](const auto& e) { return e.get() == ahead.back(); }) -
                                            map.elements.begin());
    if (last + 1 < map.elements.size()) {
        EXPECT_FALSE(map.elements[last + 1]->IsVisible());
    }
}

// An element under the pointer lights up unless the one before it already
// has, or it is the current level.
TEST_F(LevelMapTest, HoveredElementsLightUpButNotRightAfterALitOne)
{
    OpenAt(0, 0, 0, 4);
    const std::vector<GUIMapElement*> hovered = {&Element(0, 0), &Element(0, 1), &Element(0, 2), &Element(0, 3)};
    world.game->beforeWindows = [&] {
        for (GUIMapElement* element : hovered) element->clickButton->hovered = true;
    };
    player.Frame();
    world.game->beforeWindows = nullptr;
    EXPECT_FALSE(Element(0, 0).highlighted) << "the current level";
    EXPECT_TRUE(Element(0, 1).highlighted);
    EXPECT_FALSE(Element(0, 2).highlighted) << "right after a lit one";
    EXPECT_TRUE(Element(0, 3).highlighted);
    EXPECT_FALSE(Element(0, 4).highlighted) << "not hovered";
    player.Frame();
    EXPECT_FALSE(Element(0, 1).highlighted);
}

// A new game offers the relax mode; each click on its box is saved at once.
TEST_F(LevelMapTest, TheRelaxBoxSavesThePlayersModeAtOnce)
{
    OpenAt(0, 0, 0, 0);
    GUIStartGameLogicWindow& map = Map();
    ASSERT_TRUE(map.relaxBox->active);
    for (const uint32_t mode : {1u, 0u}) {
        player.Click(*map.relaxBox);
        EXPECT_EQ(ann->modeFlag, mode);
        EXPECT_EQ(world.game->Profiles()->LoadProfile(ann->GetFileName())->modeFlag, mode);
    }
}

} // namespace
} // namespace ActionPuzzle
