// The screen state machine of the game base, driven through the results the
// test game's screens leave at their updates.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>

#include "engine/core/Config.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Timer.h"
#include "engine/core/Window.h"
#include "framework/ScoreKeeper.h"
#include "framework/TestGame.h"

namespace GameFramework {
namespace {

using TestSupport::EngineTestEnvironment;
using TestSupport::Journal;
using TestSupport::TestGame;
using A = WindowAction;

// The game after its start-up: every screen made, the main menu open, one
// profile "Ann" current.
class ScreenStateMachineTest : public ::testing::Test {
protected:
    enum class Setup {
        Menus,           // no level, no game in progress, no score
        GameInProgress,  // no level, the profile has a game in progress
        MenusWithScore,  // no level, the profile's total 300
        InLevel,         // level 0-0 played, its HUD open, nothing scored
        InLevelScored,   // the same, the level's score 120 and the total 300
    };

    void SetUp() override
    {
        env.windowing.focus = game.GetWindow()->handle;
        ProfileBase* ann = game.Profiles()->AddProfile(u"Ann");
        ASSERT_NE(ann, nullptr);
        game.Profiles()->currentProfile = ann;
        game.RunStartUp();
        ASSERT_TRUE(game.HasAllWindows());
    }

    void Prepare(Setup setup)
    {
        const bool inLevel = setup == Setup::InLevel || setup == Setup::InLevelScored;
        if (game.Logic() && !inLevel) game.LeaveLevel();
        if (!game.Logic() && inLevel) game.EnterLevel(0, 0);
        ProfileBase* profile = game.Profile();
        profile->inProgress = setup == Setup::GameInProgress;
        profile->totalScore = setup == Setup::MenusWithScore || setup == Setup::InLevelScored ? 300 : 0;
        profile->carriedValue = 3;
        if (inLevel) {
            game.Logic()->SetState(GameLogicState::Playing);
            game.Logic()->scoreKeeper->score = setup == Setup::InLevelScored ? 120 : 0;
        }
        game.journal.clear();
    }

    // The screen leaves the result in this frame's updates; the next frame
    // handles it. Returns what happened, "exit requested" for an issued
    // "exit" (re-armed afterwards).
    Journal Act(const std::string& screen, WindowAction result)
    {
        TestSupport::ScreenProbe* probe = game.Screen(screen);
        EXPECT_NE(probe, nullptr) << screen;
        if (!probe) return {};
        probe->next = result;
        game.Update();
        game.Update();
        Journal events = game.journal;
        ZorvaneEngine::Config* config = game.GetConfig();
        if (!config->IsCommandDone("exit")) {
            events.push_back("exit requested");
            config->SetCommandDone("exit", true);
        }
        // A screen opened by the handler may have set a result at once (the
        // loading screens do); it must not reach the next row.
        game.ClearWindowActions();
        return events;
    }

    EngineTestEnvironment env;
    TestGame game;
};

TEST_F(ScreenStateMachineTest, EveryScreenResultClosesAndOpensAsTheTableSays)
{
    struct Row {
        const char* screen;
        WindowAction result;
        Setup setup;
        Journal expected;
    };
    const Row rows[] = {
        {"welcome", A::ToMainMenu, Setup::Menus, {"close welcome", "open main menu"}},
        {"welcome", A::ToExit, Setup::Menus, {"close welcome", "open exit(1)"}},
        {"exit", A::ToWelcome, Setup::Menus, {"close exit", "open welcome"}},
        {"exit", A::ToMainMenu, Setup::Menus, {"close exit", "open main menu"}},
        {"exit", A::ToNewProfile, Setup::Menus, {"close exit", "open new profile(0)"}},
        {"exit", A::Quit, Setup::Menus, {"exit requested"}},  // the question stays open
        {"main menu", A::ToExit, Setup::Menus, {"close main menu", "open exit(2)"}},
        {"main menu", A::ToProfiles, Setup::Menus, {"close main menu", "open profiles"}},
        {"main menu", A::ToHighScores, Setup::Menus, {"close main menu", "open high scores(2,none)"}},
        {"main menu", A::ToOptions, Setup::Menus, {"close main menu", "open options"}},
        {"main menu", A::ToHelp, Setup::Menus, {"close main menu", "open help"}},
        {"main menu", A::Play, Setup::GameInProgress, {"close main menu", "open continue"}},
        {"main menu", A::Play, Setup::Menus, {"close main menu", "reset profile", "open level start(2)"}},
        {"main menu", A::ToRenameProfile, Setup::Menus, {}},  // not one of its results
        {"profiles", A::ToMainMenu, Setup::Menus, {"close profiles", "open main menu"}},
        {"profiles", A::ToNewProfile, Setup::Menus, {"close profiles", "open new profile(1)"}},
        {"profiles", A::ToRenameProfile, Setup::Menus, {"close profiles", "open rename profile(1,Ann)"}},
        {"profiles", A::ToDeleteProfile, Setup::Menus, {"close profiles", "open delete profile(Ann)"}},
        {"new profile", A::ToExit, Setup::Menus, {"close new profile", "open exit(3)"}},
        {"new profile", A::ToProfiles, Setup::Menus, {"close new profile", "open profiles"}},
        {"new profile", A::ProfileNameConflict, Setup::Menus, {"close new profile", "open name conflict(3)"}},
        {"rename profile", A::ToProfiles, Setup::Menus, {"close rename profile", "open profiles"}},
        {"rename profile", A::ProfileNameConflict, Setup::Menus, {"close rename profile", "open name conflict(4)"}},
        {"delete profile", A::ToProfiles, Setup::Menus, {"close delete profile", "open profiles"}},
        {"delete profile", A::ToNewProfile, Setup::Menus, {"close delete profile", "open new profile(1)"}},
        {"name conflict", A::ToNewProfile, Setup::Menus, {"close name conflict", "open new profile(0)"}},
        {"name conflict", A::ToRenameProfile, Setup::Menus, {"close name conflict", "open rename profile(0,)"}},
        {"level start", A::ToMainMenu, Setup::Menus, {"close level start", "open main menu"}},
        {"level start", A::Play, Setup::Menus, {"create keeper 0-0", "close level start", "open level loading"}},
        {"level loading", A::Done, Setup::Menus,
         {"close level loading", "cursor show(1)", "create logic 0-0 carrying 3", "open hud"}},
        {"continue", A::ToMainMenu, Setup::GameInProgress, {"close continue", "open main menu"}},
        {"continue", A::Proceed, Setup::GameInProgress, {"reset profile", "close continue", "open level start(7)"}},
        {"continue", A::ContinueGame, Setup::GameInProgress, {"close continue", "open level start(7)"}},
        {"high scores", A::ToMainMenu, Setup::Menus, {"close high scores", "open main menu"}},
        {"options", A::ToMainMenu, Setup::Menus, {"close options", "open main menu"}},
        {"help", A::ToMainMenu, Setup::Menus, {"close help", "open main menu"}},
        // Over a level the HUD stays open, inactive, and the level pauses.
        {"hud", A::ToExit, Setup::InLevel, {"hud active(0)", "open quit question", "logic state 1"}},
        {"hud", A::Pause, Setup::InLevel, {"hud active(0)", "open pause", "logic state 1"}},
        {"hud", A::ToGameMenu, Setup::InLevel, {"hud active(0)", "open game menu", "logic state 1"}},
        {"pause", A::Resume, Setup::InLevel, {"close pause", "hud active(1)", "logic state 0"}},
        {"game menu", A::ToRestart, Setup::InLevel, {"close game menu", "open restart question"}},
        {"game menu", A::ToLeaveLevel, Setup::InLevel, {"close game menu", "open leave question"}},
        {"game menu", A::Resume, Setup::InLevel, {"close game menu", "hud active(1)", "logic state 0"}},
        {"leave question", A::ToGameMenu, Setup::InLevel, {"close leave question", "open game menu"}},
        {"leave question", A::ToMainMenu, Setup::InLevel,
         {"close leave question", "close hud", "delete logic", "open main menu"}},
        {"restart question", A::ToGameMenu, Setup::InLevel, {"close restart question", "open game menu"}},
        {"restart question", A::Proceed, Setup::InLevel,
         {"close restart question", "close hud", "delete logic", "open level start(6)"}},
        {"quit question", A::Resume, Setup::InLevel, {"close quit question", "hud active(1)", "logic state 0"}},
        {"quit question", A::Quit, Setup::InLevel, {"exit requested"}},
        {"level complete", A::Proceed, Setup::InLevel,
         {"close level complete", "close hud", "delete logic", "open level start(8)"}},
        {"level complete", A::StageComplete, Setup::InLevel, {"close level complete", "open stage complete(0-0)"}},
        {"stage complete", A::Proceed, Setup::InLevel,
         {"close stage complete", "close hud", "delete logic", "open level start(9)"}},
        {"stage complete", A::GameComplete, Setup::InLevel,
         {"close stage complete", "close hud", "delete logic", "open game complete"}},
        {"game complete", A::Done, Setup::Menus, {"close game complete", "open main menu"}},
        {"game complete", A::Done, Setup::MenusWithScore, {"close game complete", "open high scores(10,300)"}},
        {"game over", A::Done, Setup::InLevel, {"close game over", "open main menu", "close hud", "delete logic"}},
        {"game over", A::Done, Setup::InLevelScored,
         {"close game over", "open high scores(11,420)", "close hud", "delete logic"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.screen) + " " + std::to_string(static_cast<int>(row.result)));
        Prepare(row.setup);
        EXPECT_EQ(Act(row.screen, row.result), row.expected);
    }
    // A new game over the saved one is no longer in progress.
    EXPECT_FALSE(game.Profile()->inProgress);
}

TEST_F(ScreenStateMachineTest, AResultIsHandledInTheFirstPassOfTheNextFrame)
{
    Prepare(Setup::Menus);
    game.Screen("main menu")->next = A::ToHelp;
    game.Update();
    // Set during this frame's updates: nothing acted on it yet.
    EXPECT_TRUE(game.journal.empty());
    game.Update();
    EXPECT_EQ(game.journal, (Journal{"close main menu", "open help"}));
    // Cleared after every pass, so the frames after act no more.
    game.Update();
    EXPECT_EQ(game.journal.size(), 2u);
}

// The frame's updates: every screen before the level in its order, the
// level between them and the screens after it.
TEST_F(ScreenStateMachineTest, TheLevelIsUpdatedBetweenTheScreensOverItAndThoseAfterIt)
{
    Prepare(Setup::InLevel);
    game.JournalUpdates();
    game.Update();
    const Journal expected = {
        "update logos", "update start-up loading", "update welcome", "update exit", "update main menu",
        "update profiles", "update new profile", "update rename profile", "update delete profile",
        "update name conflict", "update level loading", "update level start", "update continue",
        "update high scores", "update options", "update help", "update hud", "update pause", "update game menu",
        "update leave question", "update restart question", "update quit question", "update logic",
        "update level complete", "update stage complete", "update game complete", "update game over"};
    EXPECT_EQ(game.journal, expected);
}

// The level's end is handled before the screens after the level: a screen
// it opens that answers at once is acted on in the same pass.
TEST_F(ScreenStateMachineTest, TheLevelsEndComesBeforeTheScreensAfterItInOnePass)
{
    struct Row {
        GameLogicState end;
        const char* screen;
        WindowAction answer;
        Journal expected;
    };
    const Row rows[] = {
        {GameLogicState::Won, "level complete", A::Proceed,
         {"hud active(0)", "open level complete(0-0,0.0)", "close level complete", "close hud", "delete logic",
          "open level start(8)"}},
        {GameLogicState::Lost, "game over", A::Done,
         {"hud active(0)", "open game over", "close game over", "open main menu", "close hud", "delete logic"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.screen);
        Prepare(Setup::InLevel);
        game.Logic()->levelTimer->SetTime(0.0f);
        game.Logic()->levelTimer->SetPaused(true);
        game.Screen(row.screen)->nextAtOpen = row.answer;
        game.Logic()->SetState(row.end);
        game.journal.clear();
        game.Update();
        EXPECT_EQ(game.journal, row.expected);
    }
}

TEST_F(ScreenStateMachineTest, ALevelStartLoadsItsKeeperOnTheWorkerAndKeepsTheOneBefore)
{
    ProfileBase* profile = game.Profile();
    // The first level of stage 1 asks for one more resource file.
    const std::pair<uint32_t, uint32_t> levels[] = {{0, 2}, {1, 0}, {1, 1}};
    for (const auto& [stage, level] : levels) {
        Prepare(Setup::Menus);
        profile->stage = stage;
        profile->level = level;
        Act("level start", A::Play);
        auto* keeper = dynamic_cast<TestSupport::TestKeeper*>(game.CurrentKeeper());
        ASSERT_NE(keeper, nullptr);
        EXPECT_EQ(keeper->name, std::to_string(stage) + "-" + std::to_string(level));
        // Loaded by the level loading screen in the same frame, on a worker.
        EXPECT_NE(keeper->GetDefaultModel(), nullptr);
        EXPECT_NE(keeper->loadedOn, std::thread::id());
        EXPECT_NE(keeper->loadedOn, std::this_thread::get_id());
        EXPECT_EQ(keeper->resourceFiles.size(), stage == 1 && level == 0 ? 1u : 0u);
    }
    // At most two level keepers: the oldest went at the third start.
    EXPECT_EQ(dynamic_cast<TestSupport::TestKeeper*>(game.PreviousKeeper())->name, "1-0");
    EXPECT_EQ(std::count(game.journal.begin(), game.journal.end(), "delete keeper 0-2"), 1);

    // The load's end: the level is played with the profile's records.
    Act("level loading", A::Done);
    ASSERT_NE(game.Logic(), nullptr);
    EXPECT_EQ(game.Logic()->levelInfo->stageIndex, 1u);
    EXPECT_EQ(game.Logic()->levelInfo->levelIndex, 1u);
}

TEST_F(ScreenStateMachineTest, AProfilePastTheCatalogueStartsAtTheFirstLevel)
{
    // A catalogue of 3 and 2 levels; the profile was saved with a bigger one.
    const std::pair<uint32_t, uint32_t> stale[] = {{1, 2}, {7, 0}};
    for (const auto& [stage, level] : stale) {
        SCOPED_TRACE(std::to_string(stage) + "-" + std::to_string(level));
        Prepare(Setup::GameInProgress);
        game.Profile()->stage = stage;
        game.Profile()->level = level;
        Act("level start", A::Play);
        EXPECT_EQ(dynamic_cast<TestSupport::TestKeeper*>(game.CurrentKeeper())->name, "0-0");
        EXPECT_EQ(game.Profile()->stage, 0u);
        EXPECT_EQ(game.Profile()->level, 0u);
        EXPECT_FALSE(game.Profile()->inProgress);
    }
}

TEST_F(ScreenStateMachineTest, WinningMovesTheProfileOnAndKeepsTheLevelUntilItsScreenAnswers)
{
    struct Row {
        uint32_t stage, level;       // won
        uint32_t nextStage, nextLevel;
        bool endReached, inProgress;
    };
    // Stages of 3 and 2 levels.
    const Row rows[] = {
        {0, 1, 0, 2, false, true},
        {0, 2, 1, 0, false, true},
        {1, 1, 1, 1, true, false},  // the last level leads to itself
        {1, 1, 1, 1, true, false},  // and winning it again keeps the flags
    };
    ProfileBase* profile = game.Profile();
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.stage) + "-" + std::to_string(row.level));
        Prepare(Setup::Menus);
        profile->totalScore = 1000;
        game.EnterLevel(row.stage, row.level, 5);
        game.Logic()->carriedValue = 7;
        game.Logic()->scoreKeeper->score = 250;
        game.Logic()->levelTimer->SetTime(42.0f);
        game.journal.clear();

        game.Logic()->SetState(GameLogicState::Won);
        game.journal.clear();
        game.Update();
        EXPECT_EQ(game.journal, (Journal{"hud active(0)", "open level complete(" + std::to_string(row.stage) + "-" +
                                                              std::to_string(row.level) + ",42.0)"}));
        EXPECT_EQ(profile->stage, row.nextStage);
        EXPECT_EQ(profile->level, row.nextLevel);
        EXPECT_EQ(profile->furthestStage, row.nextStage);
        EXPECT_EQ(profile->furthestLevel, row.nextLevel);
        EXPECT_EQ(profile->endReached, row.endReached);
        EXPECT_EQ(profile->inProgress, row.inProgress);
        EXPECT_EQ(profile->carriedValue, 7u);
        EXPECT_EQ(profile->totalScore, 1250u);
        EXPECT_EQ(game.Logic()->scoreKeeper->score, 0);
        ASSERT_FALSE(profile->GetBestRecords().empty());
        EXPECT_FLOAT_EQ(profile->GetBestRecords().back()->bestTime, 42.0f);
        // Handled once: the change is cleared with the pass.
        game.Update();
        EXPECT_EQ(game.journal.size(), 2u);
        EXPECT_NE(game.Logic(), nullptr);
    }
}

TEST_F(ScreenStateMachineTest, LosingEndsTheGameInProgress)
{
    Prepare(Setup::InLevel);
    game.Profile()->inProgress = true;
    game.Logic()->SetState(GameLogicState::Lost);
    game.journal.clear();
    game.Update();
    EXPECT_EQ(game.journal, (Journal{"hud active(0)", "open game over"}));
    EXPECT_FALSE(game.Profile()->inProgress);
}

TEST(ScreenStateMachineStartUp, TheLogosLeadToTheWelcomeOrWithAProfileToTheMainMenu)
{
    for (const bool withProfile : {false, true}) {
        SCOPED_TRACE(withProfile ? "a profile" : "no profile");
        EngineTestEnvironment env;
        TestGame game;
        env.windowing.focus = game.GetWindow()->handle;
        EXPECT_EQ(game.journal.back(), "open logos");
        if (withProfile) game.Profiles()->AddProfile(u"Ann");
        game.journal.clear();
        // Only the two start-up screens exist until the start-up load is done.
        EXPECT_EQ(game.Screen("main menu"), nullptr);
        game.Screen("logos")->next = A::Done;
        for (int frame = 0; frame < 3; ++frame) game.Update();
        const Journal expected = {"close logos", "open start-up loading", "close start-up loading",
                                  withProfile ? "open main menu" : "open welcome", "cursor show(1)"};
        EXPECT_EQ(game.journal, expected);
        EXPECT_TRUE(game.HasAllWindows());
        EXPECT_NE(game.GameData()->GetDefaultModel(), nullptr);
    }
}

TEST(ScreenStateMachineStartUp, RenamingComparesTrimmedNamesIgnoringCase)
{
    EngineTestEnvironment env;
    TestGame game;
    game.Profiles()->AddProfile(u"bob");
    game.Profiles()->AddProfile(u"Alice");
    game.RunStartUp();
    auto* rename = game.ScreenAs<TestSupport::TestRename>("rename profile");
    ASSERT_NE(rename, nullptr);
    rename->Open(true, u"bob");

    struct Row {
        std::u16string newName;
        bool accepted;
        std::vector<std::u16string> names;  // afterwards, in list order
    };
    const Row rows[] = {
        {u"BOB", true, {u"Alice", u"bob"}},     // itself in another case: nothing to do
        {u"alice", false, {u"Alice", u"bob"}},  // another profile's name
        {u" Alice ", false, {u"Alice", u"bob"}},
        {u"  Carol", true, {u"Alice", u"Carol"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(TestSupport::Narrow(row.newName));
        EXPECT_EQ(rename->RenameProfile(row.newName), row.accepted);
        std::vector<std::u16string> names;
        for (const auto& profile : game.Profiles()->GetProfiles()) names.push_back(profile->GetName());
        EXPECT_EQ(names, row.names);
    }
}

} // namespace
} // namespace GameFramework
