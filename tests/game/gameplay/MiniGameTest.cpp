// The totem puzzle after a stage, on the built data set: the tiles' faces
// and the triangles a press picks, the board made as the level map's frame
// appears and scrambled, the player's turns, the turn limit, the picture
// flown onto the map's totem and the map coming back, and everything let go
// when the map leaves mid-puzzle. Played with the scripted mouse; the last
// test plays it through the whole game as a player does.
#include "game/gameplay/MiniGame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "engine/core/EngineSettings.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "framework/MenuScreenBases.h"
#include "framework/ProfileBase.h"
#include "framework/WindowAction.h"
#include "game/app/Game.h"
#include "game/common/GUIModelHelpers.h"
#include "game/gameplay/MiniGameCell.h"
#include "game/gameplay/SdlPlayer.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIGameCompleteEffect.h"
#include "game/menus/GUIMapElement.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "game/gameplay/PlayedGame.h"
#include "game/menus/MenuPlayer.h"
#include "game/menus/MenuWorld.h"
#include "tools/common/MapWriter.h"
#include "tools/common/ModelWriter.h"
#include "game/menus/RealGameFixture.h"

namespace ActionPuzzle {
namespace {

using GameFramework::LevelStartOpenMode;
using GameFramework::WindowAction;
using ZorvaneEngine::Vector2;

constexpr float kPi = 3.14159265358979f;

TEST(MiniGameRulesTest, TurnsExchangeFacesInPairsAndAPressPicksTheTriangleAcrossFromItsDirection)
{
    struct Turn {
        uint32_t face, direction, after;
    };
    for (const Turn& t : {Turn{0, FlipUp, 1}, Turn{0, FlipDown, 1}, Turn{0, FlipRight, 2}, Turn{0, FlipLeft, 2},
                          Turn{1, FlipUp, 0}, Turn{1, FlipLeft, 3}, Turn{2, FlipDown, 3}, Turn{2, FlipRight, 0},
                          Turn{3, FlipUp, 2}, Turn{3, FlipRight, 1}}) {
        EXPECT_EQ(FaceAfterFlip(t.face, t.direction), t.after) << t.face << " turned " << t.direction;
    }
    const std::array<float, 2> rest[4] = {{0, 0}, {kPi, 0}, {0, kPi}, {kPi, kPi}};
    for (uint32_t face = 0; face < 4; ++face) {
        EXPECT_FLOAT_EQ(RestingAngles(face)[0], rest[face][0]) << face;
        EXPECT_FLOAT_EQ(RestingAngles(face)[1], rest[face][1]) << face;
    }

    struct Press {
        Vector2 offset;
        uint32_t direction;
    };
    // Low turns up, left turns right, high turns down, right turns left;
    // exactly on a diagonal, nothing.
    for (const Press& p : {Press{{0, -30}, FlipUp}, Press{{-30, 0}, FlipRight}, Press{{0, 30}, FlipDown},
                           Press{{30, 0}, FlipLeft}, Press{{10, -11}, FlipUp}, Press{{10, -9}, FlipLeft},
                           Press{{20, 20}, 4u}, Press{{-20, 20}, 4u}, Press{{-5, -5}, 4u}}) {
        EXPECT_EQ(DirectionOfQuadrant(p.offset), p.direction) << p.offset.x << "," << p.offset.y;
    }
}

// The level map over the built data set, on its own, with a player who has
// just finished a stage.
class MiniGameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.Start();
        world.player->AddSound(SoundTotemFlip, "audio\\game\\totem_flip.wav", false);
        world.player->AddSound(SoundTotemComplete, "audio\\game\\totem_complete.wav", false);
        player = world.profiles->AddProfile(u"Ann");
        ASSERT_NE(player, nullptr);
        world.profiles->currentProfile = player;
        effect = std::make_unique<GUIGameCompleteEffect>(nullptr, world.background.get(), world.engine.get(),
                                                         world.data.get());
        map = std::make_unique<GUIStartGameLogicWindow>(world.engine.get(), world.player.get(), world.data.get(),
                                                        world.manager.get(), world.background->GetMenuRoot(),
                                                        world.profiles.get(), world.levels.get(), effect.get());
    }
    void TearDown() override
    {
        map.reset();
        effect.reset();
    }

    // The player at the first level of the stage after the given one (or at
    // the game's last level), the map opened after the stage.
    void OpenAfterStage(uint32_t finished)
    {
        const uint32_t stages = static_cast<uint32_t>(world.levels->stages.size());
        if (finished + 1 < stages) {
            player->stage = player->furthestStage = finished + 1;
            player->level = player->furthestLevel = 0;
        } else {
            player->stage = player->furthestStage = finished;
            player->level = player->furthestLevel = world.levels->stages[finished]->levelCount - 1;
        }
        map->Open(LevelStartOpenMode::AfterStage);
    }

    MiniGame& Game() { return *map->miniGame; }

    // A frame; the texts the map queued on its frame in it are kept.
    void Frame()
    {
        world.Frame([&] {
            map->Update();
            texts.clear();
            const ZorvaneEngine::GUIWindow& frame = *map->frameWidget;
            for (uint32_t i = 0; i < frame.GetTextCount(); ++i) {
                const ZorvaneEngine::GUITextItem& item = *frame.GetTextItems()[i];
                texts.push_back(item.key + std::to_string(item.number));
            }
            backCaption = map->backButton->widget->GetTextCount() > 0;
        });
        played.insert(played.end(), world.sounds.begin(), world.sounds.end());
    }
    bool RunUntil(const std::function<bool()>& done, int limit = 1500)
    {
        for (int i = 0; i < limit && !done(); ++i)
            Frame();
        return done();
    }
    size_t Played(const std::string& sound) const { return std::count(played.begin(), played.end(), sound); }

    // The pointer at GUI (x, y).
    void PointAt(Vector2 at)
    {
        const ZorvaneEngine::Window& window = *world.engine->window;
        world.env.windowing.cursorX = static_cast<int32_t>(at.x * static_cast<float>(window.width) / 800.0f);
        world.env.windowing.cursorY = static_cast<int32_t>(static_cast<float>(window.height) - 1 -
                                                           at.y * static_cast<float>(window.height) / 600.0f);
    }
    // A press and release at the point of the tile, in parts of its width
    // from its centre.
    void PressOn(const MiniGameCell& cell, float dx, float dy)
    {
        PointAt(Vector2(cell.centre.x + dx * cell.size.x, cell.centre.y + dy * cell.size.x));
        Frame();
        world.engine->input->SetKeyState(true, "MOUSE1");
        Frame();
        world.engine->input->SetKeyState(false, "MOUSE1");
        Frame();
    }
    // Turns the tile in the direction as a player does, and waits for the
    // turn to end.
    void Turn(const MiniGameCell& cell, uint32_t direction)
    {
        const Vector2 at[4] = {{0, -0.3f}, {-0.3f, 0}, {0, 0.3f}, {0.3f, 0}};
        PressOn(cell, at[direction].x, at[direction].y);
        RunUntil([&] { return cell.IsResting(); }, 200);
    }
    // The map on screen and the board scrambled.
    void WaitForScrambledBoard()
    {
        ASSERT_TRUE(RunUntil([&] {
            return !Game().cells.empty() && std::all_of(Game().cells.begin(), Game().cells.end(), [](const auto& c) {
                return c->scramblesLeft == 0 && c->IsResting();
            });
        }));
    }
    // Every tile turned back onto its right face.
    void Solve()
    {
        for (const auto& cell : Game().cells) {
            if (cell->face & 1u)
                Turn(*cell, FlipUp);
            if (cell->face & 2u)
                Turn(*cell, FlipRight);
        }
    }

    TestSupport::MenuWorld world;
    GameFramework::ProfileBase* player = nullptr;
    std::unique_ptr<GUIGameCompleteEffect> effect;
    std::unique_ptr<GUIStartGameLogicWindow> map;
    std::vector<std::string> texts;
    bool backCaption = false;  // BACK had its caption in the last frame
    std::vector<std::string> played;
};

TEST_F(MiniGameTest, TheBoardIsMadeAsTheFrameAppearsAndEveryTileTurnsItselfToAWrongFace)
{
    OpenAfterStage(0);
    EXPECT_TRUE(Game().active);
    EXPECT_EQ(Game().stage, 0u);
    EXPECT_TRUE(Game().cells.empty()) << "nothing before the frame shows";
    EXPECT_FALSE(map->startButton->widget->effectivelyVisible);
    ASSERT_TRUE(RunUntil([&] { return !Game().cells.empty(); }));
    EXPECT_TRUE(map->frameControl->IsAppearing());
    // Stage 0's grid is 2 × 2, over the 266-unit square.
    ASSERT_EQ(Game().cells.size(), 4u);
    const MiniGameCell& third = *Game().cells[2];
    EXPECT_EQ(third.column, 1u);
    EXPECT_EQ(third.row, 0u);
    EXPECT_FLOAT_EQ(third.size.x, 133.0f);
    EXPECT_FLOAT_EQ(third.centre.x, 269.0f + 133.0f * 1.5f);
    EXPECT_FLOAT_EQ(third.centre.y, 126.0f + 133.0f * 0.5f);
    const ZorvaneEngine::ShaderStage& window = third.faceModels[1]->GetMaterial()->stages[0];
    EXPECT_FLOAT_EQ(window.scaleU, 300.0f / 512.0f * 0.99f / 2.0f);
    EXPECT_FLOAT_EQ(window.offsetU, 300.0f / 512.0f * 1.005f / 2.0f);
    EXPECT_FLOAT_EQ(window.offsetV, 300.0f / 512.0f * 0.005f / 2.0f);
    EXPECT_TRUE(third.IsSolved() == false && third.face == 0) << "right face up until the scramble";

    // A press while the tiles still turn themselves does nothing.
    ASSERT_TRUE(RunUntil([&] { return third.scramblesLeft < MiniGameCell::ScrambleFlips; }));
    PressOn(third, 0, -0.3f);
    EXPECT_EQ(third.flips, 0u);

    WaitForScrambledBoard();
    for (const auto& cell : Game().cells) {
        // Five turns cannot undo themselves on both axes.
        EXPECT_TRUE(cell->face == 1 || cell->face == 2) << cell->face;
        EXPECT_EQ(cell->flips, 0u);
    }
    // The tiles turn together, one sound for each of the five rounds.
    EXPECT_EQ(Played("totem_flip.wav"), MiniGameCell::ScrambleFlips);
    EXPECT_FALSE(Game().solved);
    EXPECT_FALSE(map->startButton->widget->effectivelyVisible) << "the map waits for the puzzle";
}

TEST_F(MiniGameTest, TheSolvedBoardFliesOntoTheTotemAndTheMapComesBackToPlayTheNextStage)
{
    OpenAfterStage(0);
    WaitForScrambledBoard();
    EXPECT_FLOAT_EQ(map->totemValues[0], 0.0f);
    MiniGameCell& first = *Game().cells[0];
    // A press within a tenth of the diagonal of the centre misses.
    const size_t flipsBefore = Played("totem_flip.wav");
    PressOn(first, 0.05f, 0);
    EXPECT_EQ(first.flips, 0u);
    EXPECT_TRUE(first.IsResting());
    EXPECT_EQ(Played("totem_flip.wav"), flipsBefore);

    // Resting over the lower triangle brings the up arrow in.
    PointAt(Vector2(first.centre.x, first.centre.y - 0.3f * first.size.x));
    for (int i = 0; i < 13; ++i)
        Frame();
    EXPECT_FLOAT_EQ(first.arrowAlphas[FlipUp], 1.0f);
    EXPECT_FLOAT_EQ(first.arrowAlphas[FlipLeft], 0.0f);

    // A turn runs at 5 radians a second from the frame of the press, and
    // ends in the frame it passes half a turn: the 32nd of 20 ms.
    const uint32_t fromFace = first.face;
    world.engine->input->SetKeyState(true, "MOUSE1");
    Frame();
    world.engine->input->SetKeyState(false, "MOUSE1");
    ASSERT_FALSE(first.IsResting());
    EXPECT_EQ(first.face, FaceAfterFlip(fromFace, FlipUp));
    EXPECT_EQ(first.flips, 1u);
    int frames = 1;
    for (; frames < 100 && !first.IsResting(); ++frames)
        Frame();
    EXPECT_EQ(frames, 32);
    EXPECT_FLOAT_EQ(first.angles[0], RestingAngles(first.face)[0]);
    EXPECT_FLOAT_EQ(first.angles[1], RestingAngles(first.face)[1]);

    Solve();
    EXPECT_TRUE(Game().solved);
    EXPECT_EQ(Played("totem_complete.wav"), 1u);
    for (const auto& cell : Game().cells) {
        EXPECT_TRUE(cell->IsSolved());
        EXPECT_FALSE(cell->inputEnabled);
        EXPECT_FLOAT_EQ(cell->angles[0], 0.0f);
        EXPECT_FLOAT_EQ(cell->angles[1], 0.0f);
        EXPECT_FLOAT_EQ(cell->faceWindows[0]->GetColor().a, 0.0f) << "a solved tile loses its border";
    }
    EXPECT_GE(Game().TotalFlips(), 4u);

    // The picture over the grid, then the cut-out totem alone, flying.
    ASSERT_TRUE(RunUntil([&] { return Game().maskedQuad->effectivelyVisible; }, 100));
    EXPECT_FALSE(Game().cellLayer->effectivelyVisible);
    ASSERT_TRUE(RunUntil([&] { return Game().totemWindow->effectivelyVisible; }, 200));
    const ZorvaneEngine::Model& place = *world.data->startGameModels.totems[0];
    ASSERT_TRUE(RunUntil([&] { return !texts.empty(); }, 300));
    EXPECT_NEAR(Game().maskedQuad->position.x, BoxCorner(place).x, 0.5f);
    EXPECT_NEAR(Game().maskedQuad->size.y, BoxSize(place).y, 0.5f);
    EXPECT_EQ(texts, (std::vector<std::string>{"MINI_GAME_STAGE_COMPLETE_TEXT_0", "MINI_GAME_STAGE_COMPLETE_TEXT_1",
                                               "MINI_GAME_STAGE_COMPLETE_TEXT_2"}));
    EXPECT_FALSE(Game().finished);
    ASSERT_TRUE(RunUntil([&] { return Game().finished; }, 300));
    EXPECT_FALSE(Game().maskedQuad->effectivelyVisible);
    EXPECT_FALSE(Game().totemWindow->effectivelyVisible);
    EXPECT_FLOAT_EQ(map->totemValues[0], 1.0f);
    EXPECT_EQ(map->title, world.engine->guiManager->GetTextManager()->GetText("START_GAME_STAGE_COMPLETE_TITLE"));

    // The map fades in; START goes on to the next stage.
    ASSERT_TRUE(RunUntil([&] { return map->mapColour.a >= 1.0f; }, 100));
    const ZorvaneEngine::GUIWindow& start = *map->startButton->widget;
    ASSERT_TRUE(RunUntil([&] { return start.effectivelyVisible && !map->IsAnyControlAnimating(); }, 200));
    PointAt(Vector2(start.GetAbsolutePosition().x + start.hitAreaOffset.x + start.hitAreaSize.x / 2,
                    start.GetAbsolutePosition().y + start.hitAreaOffset.y + start.hitAreaSize.y / 2));
    Frame();
    world.engine->input->SetKeyState(true, "MOUSE1");
    Frame();
    world.engine->input->SetKeyState(false, "MOUSE1");
    world.Frame([&] { map->Update(); });
    EXPECT_EQ(map->result, WindowAction::Play);
}

TEST_F(MiniGameTest, MoreTurnsThanSixATileEndThePuzzleUnsolvedAndTheTotemFliesAllTheSame)
{
    OpenAfterStage(0);
    WaitForScrambledBoard();
    MiniGameCell& cell = *Game().cells[3];
    // Back and forth on the axis that never reaches the right face.
    const uint32_t limit = MiniGame::FlipsPerCell * 4;
    for (uint32_t i = 0; i < limit; ++i) {
        Turn(cell, cell.face == 2 || (cell.face == 3 && i % 2 == 0) ? FlipUp : FlipRight);
        ASSERT_NE(cell.face, 0u);
    }
    EXPECT_EQ(cell.flips, limit);
    for (int i = 0; i < 10; ++i)
        Frame();
    EXPECT_FALSE(Game().solved) << "the limit itself is allowed";
    EXPECT_EQ(Played("totem_complete.wav"), 0u);

    Turn(cell, cell.face == 2 || cell.face == 3 ? FlipUp : FlipRight);
    EXPECT_TRUE(Game().solved);
    EXPECT_EQ(Played("totem_complete.wav"), 1u);
    EXPECT_FALSE(std::all_of(Game().cells.begin(), Game().cells.end(), [](const auto& c) { return c->IsSolved(); }));
    for (const auto& other : Game().cells)
        EXPECT_FALSE(other->inputEnabled);
    const MiniGameCell& wrong = *Game().cells[0];
    const uint32_t face = wrong.face;
    PressOn(wrong, 0, -0.3f);
    EXPECT_EQ(wrong.face, face) << "no more turns";
    ASSERT_TRUE(RunUntil([&] { return Game().finished; }, 500));
    EXPECT_FLOAT_EQ(map->totemValues[0], 1.0f);
}

TEST_F(MiniGameTest, TheLastStageShowsTheGameCompleteLines)
{
    const uint32_t last = static_cast<uint32_t>(world.levels->stages.size()) - 1;
    OpenAfterStage(last);
    EXPECT_EQ(Game().stage, last) << "the player stays at the game's last level";
    WaitForScrambledBoard();
    Solve();
    ASSERT_TRUE(RunUntil([&] { return !texts.empty(); }, 500));
    EXPECT_EQ(texts.front(), "MINI_GAME_GAME_COMPLETE_TEXT_0");
    ASSERT_TRUE(RunUntil([&] { return Game().finished; }, 300));
    EXPECT_EQ(map->title, world.engine->guiManager->GetTextManager()->GetText("GAME_COMPLETE_TITLE"));
    EXPECT_FLOAT_EQ(map->totemValues[last], 1.0f);

    // The map comes in without START and hands over to the game-complete
    // effect: started as it passes a fifth, the window closed and the
    // background's finale sent away once it is fully there.
    ASSERT_TRUE(RunUntil([&] { return effect->GetRootWindow()->GetFlags() & ZorvaneEngine::GUIWindowFlags::Visible; },
                         100));
    EXPECT_GT(map->colour.a * map->mapColour.a, 0.2f - 0.0001f);
    EXPECT_LT(map->mapColour.a, 1.0f);
    EXPECT_FLOAT_EQ(map->startButton->colour.a, 0.0f);
    world.background->StartFinale(world.background->IsUnicornEarned());
    ASSERT_TRUE(RunUntil([&] { return !map->shown; }, 100));
    EXPECT_TRUE(backCaption) << "the frame in which the map closes itself draws it whole";
    EXPECT_FLOAT_EQ(map->mapColour.a, 1.0f);
    EXPECT_FALSE(world.background->IsFinaleFadingIn());
    EXPECT_TRUE(world.background->IsFinaleFadingOut());
    EXPECT_EQ(map->result, WindowAction::None);
    for (const auto& element : map->elements)
        EXPECT_FLOAT_EQ(element->modelWindow->GetColor().a, 0.0f) << "the path stays away at the game's end";
}

TEST_F(MiniGameTest, LeavingTheMapMidPuzzleLetsEverythingGoAndTheNextVisitShowsTheMapAtOnce)
{
    ZorvaneEngine::ShaderManager& materials = *world.engine->materials;
    OpenAfterStage(1);
    const size_t users = materials.GetUsers().size();
    ASSERT_TRUE(RunUntil([&] { return !Game().cells.empty(); }));
    EXPECT_EQ(Game().cells.size(), 4u) << "stage 1 is 2 x 2 as well";
    EXPECT_NE(Game().pictureMaterial, nullptr);
    EXPECT_GT(materials.GetUsers().size(), users);

    map->Close();
    ASSERT_TRUE(RunUntil([&] { return !Game().active; }, 300));
    EXPECT_TRUE(Game().cells.empty());
    EXPECT_EQ(Game().pictureMaterial, nullptr);
    EXPECT_EQ(Game().maskedMaterial, nullptr);
    // Only the two picture quads keep theirs, in place of the plain ones.
    EXPECT_EQ(materials.GetUsers().size(), users);
    EXPECT_FALSE(Game().finished);

    ASSERT_TRUE(RunUntil([&] { return world.manager->free; }, 300));
    map->Open(LevelStartOpenMode::FromMainMenu);
    ASSERT_TRUE(RunUntil([&] { return map->shown && map->colour.a >= 1.0f; }, 300));
    EXPECT_TRUE(Game().cells.empty());
    EXPECT_FLOAT_EQ(map->mapColour.a, 1.0f);
    EXPECT_TRUE(RunUntil([&] { return map->totemValues[1] >= 1.0f; }, 100)) << "the stage counts as done";
}

// A map of two elements, the second turned a quarter and drawn twice as
// large, and a first totem place as wide as it is high, unlike the totem.
class LevelMapPlacementTest : public MiniGameTest {
protected:
    void SetUp() override
    {
        Tools::MapElement start;
        start.type = Tools::MapElementType::Start;
        start.matrix = {1, 0, 0, 200, 0, 1, 0, 150, 0, 0, 1, 0, 0, 0, 0, 1};
        Tools::MapElement turned;
        turned.matrix = {0, -2, 0, 400, 2, 0, 0, 250, 0, 0, 1, 0, 0, 0, 0, 1};
        const std::vector<uint8_t> map = Tools::BuildMapFile({start, turned});
        world.Put("data/ui/menus/map/map.gmf", std::string(map.begin(), map.end()));
        const std::vector<uint8_t> place = Tools::BuildModelFile(
            Tools::MeshModel(Tools::ModelFlag::Static | Tools::ModelFlag::List, {Tools::QuadMesh(60, 340, 110, 390)}));
        world.Put("data/ui/menus/models/start_game/totem_0.mlf", std::string(place.begin(), place.end()));
        MiniGameTest::SetUp();
    }

    static void ExpectBox(const ZorvaneEngine::Model& model, Vector2 corner, Vector2 size)
    {
        EXPECT_NEAR(BoxCorner(model).x, corner.x, 0.01f);
        EXPECT_NEAR(BoxCorner(model).y, corner.y, 0.01f);
        EXPECT_NEAR(BoxSize(model).x, size.x, 0.01f);
        EXPECT_NEAR(BoxSize(model).y, size.y, 0.01f);
    }
};

TEST_F(LevelMapPlacementTest, ElementsTakeTheirWholeMatrixAndTotemsTheWidthOfTheirPlace)
{
    player->furthestLevel = 1;
    map->Open(LevelStartOpenMode::FromMainMenu);
    ASSERT_TRUE(RunUntil([&] { return map->shown && map->colour.a >= 1.0f; }, 300));
    ASSERT_EQ(map->elements.size(), 2u);

    // The path piece turned a quarter to the left about the origin, doubled,
    // then moved to (400, 250): x' = 400 - 2y, y' = 250 + 2x.
    const ZorvaneEngine::BoundingBox& look = world.data->mapModels.path->box;
    const Vector2 corner(400 - 2 * look.localMax.y, 250 + 2 * look.localMin.x);
    const Vector2 size(2 * (look.localMax.y - look.localMin.y), 2 * (look.localMax.x - look.localMin.x));
    const GUIMapElement& turned = *map->elements[1];
    ASSERT_TRUE(turned.IsVisible());
    SCOPED_TRACE("turned element");
    ExpectBox(*turned.modelWindow->model, corner, size);
    ExpectBox(*turned.shadowWindow->model, Vector2(corner.x + 2, corner.y - 2), size);
    const Vector2 button = turned.clickButton->GetAbsolutePosition();
    EXPECT_NEAR(button.x, corner.x, 0.01f);
    EXPECT_NEAR(button.y, corner.y, 0.01f);
    EXPECT_NEAR(turned.clickButton->size.x, size.x, 0.01f);
    EXPECT_NEAR(turned.clickButton->size.y, size.y, 0.01f);

    // Both of the map's totems of stage 0 and the puzzle's own are as wide
    // as the place, keep the totem's shape and stand on the place's corner.
    const ZorvaneEngine::Model& totem = *world.data->controlModels.totem;
    const float k = 50.0f / BoxSize(totem).x;
    const Vector2 fitted(50.0f, BoxSize(totem).y * k);
    for (const ZorvaneEngine::GUIWindow* copy : {map->totemBases[0], map->totemLights[0]}) {
        SCOPED_TRACE("map totem");
        ExpectBox(*copy->model, Vector2(60, 340), fitted);
    }
    Game().Start(0);
    SCOPED_TRACE("puzzle totem");
    ExpectBox(*Game().totemWindow->model, Vector2(60, 340), fitted);
}

// A frame model without an appear animation (here a damaged file, which
// the catalogue replaces with a plain box) still gets its board once it
// shows, or the map would stay locked after the stage.
class MiniGameWithoutAppearTest : public MiniGameTest {
protected:
    void SetUp() override
    {
        world.Put("data/ui/menus/models/large_window/window.mlf", "damaged");
        MiniGameTest::SetUp();
    }
};

TEST_F(MiniGameWithoutAppearTest, TheBoardIsMadeAsSoonAsTheFrameShows)
{
    ASSERT_EQ(FrameCount(*world.data->menuFrameModels.largeWindow.window), 1u);
    OpenAfterStage(0);
    ASSERT_TRUE(RunUntil([&] { return map->IsFrameVisible(); }, 300));
    Frame();
    EXPECT_EQ(Game().cells.size(), 4u);
    WaitForScrambledBoard();
    Solve();
    EXPECT_TRUE(RunUntil([&] { return Game().finished; }, 500));
}

// A catalogue of more stages than the map has totems: the ninth stage's
// puzzle is played and its picture fades out where it is.
class MiniGameBeyondTheTotemsTest : public MiniGameTest {
protected:
    void SetUp() override
    {
        world.Put("data/levels/stages_info.ini", "9\n2 2 3 3 3 4 4 4 1\n");
        world.Put("data/levels/stage8.ini", "2\ns0_l0 70 46\ns0_l1 70 46\n");
        MiniGameTest::SetUp();
    }
};

TEST_F(MiniGameBeyondTheTotemsTest, TheNinthStageEndsWithoutATotemToFlyTo)
{
    ASSERT_EQ(world.levels->stages.size(), 9u);
    OpenAfterStage(8);
    EXPECT_EQ(Game().stage, 8u);
    WaitForScrambledBoard();
    ASSERT_EQ(Game().cells.size(), 1u) << "a grid of one tile covers the whole square";
    EXPECT_FLOAT_EQ(Game().cells[0]->size.x, MiniGame::PictureSide);
    Solve();
    ASSERT_TRUE(RunUntil([&] { return Game().maskedQuad->effectivelyVisible; }, 100));
    const Vector2 grown(Game().maskedQuad->position);
    bool totemShown = false;
    ASSERT_TRUE(RunUntil([&] {
        totemShown = totemShown || Game().totemWindow->effectivelyVisible;
        return Game().finished;
    }, 500));
    EXPECT_FALSE(totemShown);
    EXPECT_LT(Game().maskedQuad->position.x, grown.x) << "it grew in place";
    EXPECT_EQ(texts.front(), "MINI_GAME_GAME_COMPLETE_TEXT_0");
}

// The whole game: the stage ends, the map runs the puzzle, the player turns
// the tiles with the mouse and START plays the next stage's first level.
class MiniGamePlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ann = world.StartWithNewPlayer(u"Ann");
        ASSERT_NE(ann, nullptr);
    }

    TestSupport::GameUnderTest& Game() { return *world.game; }

    TestSupport::GameEnvironment world;
    TestSupport::MenuPlayer player{world};
    GameFramework::ProfileBase* ann = nullptr;
};

TEST_F(MiniGamePlayTest, AfterTheStageThePlayerRebuildsTheTotemAndGoesOn)
{
    ann->stage = ann->furthestStage = 1;
    ann->level = ann->furthestLevel = 0;
    auto& map = *static_cast<GUIStartGameLogicWindow*>(Game().StartGame());
    map.Open(LevelStartOpenMode::AfterStage);
    MiniGame& mini = *map.miniGame;
    ASSERT_TRUE(player.WaitOnScreen(map));
    ASSERT_TRUE(player.WaitFor([&] {
        return !mini.cells.empty() &&
               std::all_of(mini.cells.begin(), mini.cells.end(), [](const auto& c) { return c->scramblesLeft == 0; });
    }));
    EXPECT_EQ(map.title, Game().Engine()->guiManager->GetTextManager()->GetText("MINI_GAME_TITLE"));
    for (const auto& cell : mini.cells) {
        for (int turn = 0; turn < 2 && cell->face != 0; ++turn) {
            ASSERT_TRUE(player.WaitFor([&] { return cell->IsResting(); }));
            // Low on the tile turns it up, at the left turns it right.
            const bool upright = (cell->face & 1u) != 0;
            player.PointAt(cell->centre.x - (upright ? 0 : 0.3f * cell->size.x),
                           cell->centre.y - (upright ? 0.3f * cell->size.x : 0));
            player.Frame();
            player.Press("MOUSE1");
        }
    }
    ASSERT_TRUE(player.WaitFor([&] { return mini.finished; }));
    // Each tile took one or two turns.
    EXPECT_GE(mini.TotalFlips(), 4u);
    EXPECT_LE(mini.TotalFlips(), 8u);
    ASSERT_TRUE(player.WaitFor([&] { return map.mapColour.a >= 1.0f && !map.IsAnyControlAnimating(); }));
    player.Click(*map.startButton);
    ASSERT_TRUE(player.WaitFor([&] { return Game().Logic() != nullptr; }));
    EXPECT_EQ(ann->stage, 1u);
    EXPECT_EQ(ann->level, 0u);
}

// The game on the real drivers (SDL's offscreen video, Mesa's OpenGL), the
// puzzle played with SDL's mouse and photographed on the way into the
// build folder's "screens" folder, to look at.
class MiniGameOnScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string userData = user.folder / "data/Quobin Games/Tangrove";
        std::filesystem::create_directories(userData);
        std::ofstream(userData + "/Tangrove.ini") << "v_vsync 0\n";
        game = std::make_unique<PlayedGame>();
        game->Init();
        game->CutLogosShort();
        ASSERT_TRUE(hands.RunUntil([&] { return game->FirstScreenIsUp(); }, 3000));
        hands.Attach(*game->Engine());
    }
    void TearDown() override { game.reset(); }

    void Screenshot(const std::string& name)
    {
        hands.Screenshot(std::filesystem::path(TANGROVE_BINARY_DIR) / "screens", name);
    }

    TestSupport::UserFolder user;
    TestSupport::SteppedClock clock;
    std::unique_ptr<PlayedGame> game;
    // The game's loop as it runs: SDL's events are read within the frame.
    TestSupport::SdlPlayer hands{[this] {
        clock.Step();
        game->Update();
    }};
};

TEST_F(MiniGameOnScreenTest, TheTotemOfAThreeByThreeStageIsRebuiltOnScreen)
{
    GameFramework::ProfileBase* ann = game->Profiles()->AddProfile(u"Ann");
    ASSERT_NE(ann, nullptr);
    game->Profiles()->currentProfile = ann;
    ann->stage = ann->furthestStage = 3;
    ann->level = ann->furthestLevel = 0;
    game->CloseWelcome();
    GUIStartGameLogicWindow& map = *game->Map();
    map.Open(LevelStartOpenMode::AfterStage);
    MiniGame& mini = *map.miniGame;
    ASSERT_TRUE(hands.RunUntil([&] { return !mini.cells.empty(); }, 2000));
    ASSERT_EQ(mini.cells.size(), 9u);
    hands.Frames(2);
    Screenshot("mini_game_appearing");
    ASSERT_TRUE(
        hands.RunUntil([&] { return mini.cells[4]->scramblesLeft < 3 && !mini.cells[4]->IsResting(); }, 2000));
    Screenshot("mini_game_scrambling");
    ASSERT_TRUE(hands.RunUntil([&] {
        return std::all_of(mini.cells.begin(), mini.cells.end(),
                           [](const auto& c) { return c->scramblesLeft == 0 && c->IsResting(); });
    }, 3000));
    hands.Frames(5);
    Screenshot("mini_game_scrambled");

    for (const auto& cell : mini.cells) {
        for (int turn = 0; turn < 2 && cell->face != 0; ++turn) {
            ASSERT_TRUE(hands.RunUntil([&] { return cell->IsResting(); }, 500));
            // Low on the tile turns it up, at the left turns it right.
            const bool upright = (cell->face & 1u) != 0;
            const Vector2 at(cell->centre.x - (upright ? 0 : 0.3f * cell->size.x),
                             cell->centre.y - (upright ? 0.3f * cell->size.x : 0));
            if (cell == mini.cells[4]) {
                hands.PointAt(at);
                hands.Frames(15);
                Screenshot("mini_game_arrow");
            }
            hands.Click(at, 2);
            if (cell == mini.cells[4] && turn == 0) {
                hands.RunUntil([&] { return std::fabs(cell->angles[0] - cell->startAngles[0]) +
                                                std::fabs(cell->angles[1] - cell->startAngles[1]) > 1.2f; }, 200);
                Screenshot("mini_game_turning");
            }
        }
    }
    ASSERT_TRUE(hands.RunUntil([&] { return mini.solved; }, 500));
    ASSERT_TRUE(hands.RunUntil([&] { return mini.pictureQuad->GetColor().a > 0.5f; }, 500));
    Screenshot("mini_game_picture");
    ASSERT_TRUE(hands.RunUntil([&] { return mini.maskedQuad->effectivelyVisible && mini.revealTime > 0.5f &&
                                            !mini.pictureQuad->effectivelyVisible; }, 500));
    Screenshot("mini_game_totem");
    ASSERT_TRUE(hands.RunUntil([&] { return mini.totemWindow->effectivelyVisible &&
                                            mini.totemWindow->GetColor().a > 0.4f; }, 500));
    Screenshot("mini_game_flight");
    ASSERT_TRUE(hands.RunUntil([&] { return mini.textTime > 1.0f; }, 500));
    Screenshot("mini_game_texts");
    ASSERT_TRUE(hands.RunUntil(
        [&] { return mini.finished && map.mapColour.a >= 1.0f && !map.IsAnyControlAnimating(); }, 1000));
    hands.Frames(10);
    Screenshot("mini_game_map_after");
    EXPECT_FLOAT_EQ(map.totemValues[2], 1.0f);
}

} // namespace
} // namespace ActionPuzzle
