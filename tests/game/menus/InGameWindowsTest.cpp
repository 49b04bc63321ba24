// The windows over a level and after it on the built data set, played with
// the scripted mouse: pause and the questions, a click on a question (or a
// menu screen) on its way out ignored, the clock held through a pause in
// the path's introduction run, the windows that end the level only once the
// menus are back, the in-game menu's volumes, the level complete window's
// time bonus, the paged closing story and the level loading screen waiting
// for the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/Timer.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUITextManager.h"
#include "framework/ProfileBase.h"
#include "framework/SoundPlayer.h"
#include "framework/tools/GUITextPrinter.h"
#include "game/gameplay/GameLogic.h"
#include "game/gameplay/PuzzleDepository.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIDeleteProfileWindow.h"
#include "game/menus/GUIExitWindow.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIOptionsWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "game/menus/MenuPlayer.h"

namespace ActionPuzzle {
namespace {

using GameFramework::WindowAction;
using TestSupport::GameEnvironment;
using TestSupport::MenuPlayer;

class InGameWindowsTest : public ::testing::Test {
protected:
    // Ann's game, the welcome screen put away, the screen free, the menu
    // scene faded out as over a level, so the title plate can be lent.
    void SetUp() override
    {
        ann = static_cast<Profile*>(world.StartWithNewPlayer(u"Ann"));
        ASSERT_NE(ann, nullptr);
        ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free; }));
        FadeOutMenus();
    }

    void FadeOutMenus()
    {
        GUIBackgroundWindow& background = *Game().Background();
        Game().BackgroundOverLevel();
        ASSERT_TRUE(player.WaitFor([&] { return background.GetLook() <= 0.0f && !background.GetTitlePlate()->effectivelyVisible; }));
    }

    TestSupport::GameUnderTest& Game() { return *world.game; }
    template <class Window>
    Window& In()
    {
        Window* window = Game().InGame<Window>();
        EXPECT_NE(window, nullptr);
        return *window;
    }
    bool Gone(const GUIMenuWindow& window)
    {
        return player.WaitFor([&] { return !window.IsFrameVisible() && Game().WindowManager()->free; });
    }

    GameEnvironment world;
    MenuPlayer player{world};
    Profile* ann = nullptr;
};

// Each question answers by the button clicked, as long as its frame shows.
TEST_F(InGameWindowsTest, PauseAndQuestionsAnswerByTheirButtons)
{
    struct Case {
        const char* name;
        GUIQuestionWindow* window;
        std::function<void()> open;
        bool confirm;
        WindowAction answer;
    };
    auto& pause = In<GUIGameLogicPauseWindow>();
    auto& quit = In<GUIGameLogicGameExitWindow>();
    auto& leave = In<GUIGameLogicMenuExitWindow>();
    auto& restart = In<GUIGameLogicRestartWindow>();
    const Case cases[] = {
        {"pause resume", &pause, [&] { pause.Open(); }, true, WindowAction::Resume},
        {"quit ok", &quit, [&] { quit.Open(); }, true, WindowAction::Quit},
        {"quit cancel", &quit, [&] { quit.Open(); }, false, WindowAction::Resume},
        {"leave cancel", &leave, [&] { leave.Open(); }, false, WindowAction::ToGameMenu},
        {"restart cancel", &restart, [&] { restart.Open(); }, false, WindowAction::ToGameMenu},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.open();
        ASSERT_TRUE(player.WaitOnScreen(*c.window));
        player.Click(c.confirm ? *c.window->confirm : *c.window->cancel);
        auto* controller = dynamic_cast<GameFramework::WindowControllerBase*>(c.window);
        EXPECT_EQ(controller->result, c.answer);
        if (c.answer == WindowAction::Quit) {
            // The program ends; put the window away for the next case.
            c.window->GUIMenuWindow::Close();
            c.window->releaseTitlePlate = true;
        }
        ASSERT_TRUE(Gone(*c.window));
        // The handler opened the in-game menu for a cancelled question.
        GUIGameLogicMenuWindow& menu = In<GUIGameLogicMenuWindow>();
        if (menu.shown || menu.openRequested) {
            menu.Close();
            ASSERT_TRUE(Gone(menu));
        }
    }
}

// Confirmed, the window goes, the menus fade in, and only then the level
// ends with the window's answer.
TEST_F(InGameWindowsTest, LeavingAnswersOnlyOnceTheMenusHaveFadedIn)
{
    struct Case {
        const char* name;
        GUIQuestionWindow* window;
        std::function<void()> open;
        WindowAction answer;
    };
    auto& leave = In<GUIGameLogicMenuExitWindow>();
    auto& restart = In<GUIGameLogicRestartWindow>();
    auto& over = In<GUIGameOverWindow>();
    const Case cases[] = {
        {"leave", &leave, [&] { leave.Open(); }, WindowAction::ToMainMenu},
        {"restart", &restart, [&] { restart.Open(); }, WindowAction::Proceed},
        {"game over", &over, [&] { over.Open(); }, WindowAction::Done},
    };
    GUIBackgroundWindow& background = *Game().Background();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FadeOutMenus();
        c.open();
        ASSERT_TRUE(player.WaitOnScreen(*c.window));
        player.Click(*c.window->confirm);
        EXPECT_TRUE(c.window->leaving);
        auto* controller = dynamic_cast<GameFramework::WindowControllerBase*>(c.window);
        int frames = 0;
        while (controller->result != c.answer && frames < 1500) {
            EXPECT_EQ(controller->result, WindowAction::None);
            if (controller->result != WindowAction::None)
                break;
            player.Frame();
            ++frames;
        }
        EXPECT_EQ(controller->result, c.answer);
        EXPECT_TRUE(background.IsTransitionFinished());
        EXPECT_FALSE(c.window->IsFrameVisible());
        EXPECT_GT(frames, 5);
        // Whatever the handler opened next goes away again.
        player.Frame();
        for (GameFramework::WindowControllerBase* next :
             std::initializer_list<GameFramework::WindowControllerBase*>{Game().MainMenu(), controller})
            next->Close();
        ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free; }));
    }
}

// The sliders stand at the volumes times 1000, truncated; moving one sets
// its volume; closing the menu keeps the volumes in the saved profile.
TEST_F(InGameWindowsTest, TheInGameMenuSetsTheVolumesAndSavesThemWithThePlayer)
{
    GameFramework::SoundPlayer& sound = *Game().Player();
    sound.SetSoundVolume(0.4999f);
    sound.SetMusicVolume(1.0f);
    auto& menu = In<GUIGameLogicMenuWindow>();
    menu.Open();
    EXPECT_EQ(menu.soundSlider->scroll->position, 499u);
    EXPECT_EQ(menu.musicSlider->scroll->position, 1000u);
    ASSERT_TRUE(player.WaitOnScreen(menu));

    menu.soundSlider->scroll->SetPosition(250);
    menu.musicSlider->scroll->SetPosition(1000);
    player.Frame();
    EXPECT_FLOAT_EQ(sound.GetSoundVolume(), 0.25f);
    EXPECT_FLOAT_EQ(sound.GetMusicVolume(), 1.0f);

    player.Click(*menu.returnButton);
    EXPECT_EQ(menu.result, WindowAction::Resume);
    EXPECT_TRUE(menu.releaseTitlePlate);
    ASSERT_TRUE(Gone(menu));
    EXPECT_FLOAT_EQ(ann->soundVolume, 0.25f);
    EXPECT_FLOAT_EQ(Game().Profiles()->LoadProfile(ann->GetFileName())->soundVolume, 0.25f);
}

// A window answers once: a second click while it fades out after its
// answer changes nothing, on the menus' questions as on the level's.
TEST_F(InGameWindowsTest, AWindowOnItsWayOutIgnoresTheNextClick)
{
    Game().Profiles()->AddProfile(u"Bo");
    const GameFramework::WindowControllerBase* watched = nullptr;
    int answers = 0;
    const auto frame = [&] {
        player.Frame();
        if (watched->result != WindowAction::None)
            ++answers;
    };
    // Pressed and released over the control: the release clicks it.
    const auto click = [&](const GUIControl& control) {
        player.PointAt(*control.widget);
        frame();
        player.Hold("MOUSE1", true);
        frame();
        EXPECT_TRUE(control.widget->effectivelyVisible) << "the click comes too late to tell";
        player.Hold("MOUSE1", false);
        frame();
    };

    struct Case {
        const char* name;
        GUIMenuWindow* window;
        std::function<void()> open;
        const GUIControl* first;
        const GUIControl* second;  // clicked while the window fades out
        std::function<void()> check;
    };
    auto& quit = *static_cast<GUIExitWindow*>(Game().Quit());
    auto& remove = *static_cast<GUIDeleteProfileWindow*>(Game().Delete());
    auto& relax = *Game().Relax();
    auto& options = *static_cast<GUIOptionsWindow*>(Game().Options());
    auto& gameExit = In<GUIGameLogicGameExitWindow>();
    auto& leave = In<GUIGameLogicMenuExitWindow>();
    auto& restart = In<GUIGameLogicRestartWindow>();
    GameFramework::SoundPlayer& sound = *Game().Player();
    const float volume = sound.GetSoundVolume();
    ASSERT_GT(volume, 0.0f);
    const Case cases[] = {
        {"quit: no, then yes", &quit, [&] { quit.Open(GameFramework::ExitOpenMode::FromMainMenu); }, quit.cancel,
         quit.confirm,
         [&] {
             EXPECT_FALSE(quit.quitting);
             EXPECT_TRUE(Game().Config()->IsCommandDone("exit")) << "the program was told to end";
         }},
        {"delete: yes twice", &remove, [&] { remove.Open(u"Bo"); }, remove.confirm, remove.confirm,
         [&] { EXPECT_EQ(Game().Profiles()->GetProfiles().size(), 1u); }},
        {"relax offer: no, then yes", &relax, [&] { relax.Open(); }, relax.noButton, relax.yesButton,
         [&] { EXPECT_EQ(ann->modeFlag, 0); }},
        {"options: a volume moved, cancel, then apply", &options,
         [&] {
             options.Open();
             ASSERT_TRUE(player.WaitOnScreen(options));
             options.soundScroll->SetPosition(0);
             player.Frame();
             ASSERT_FLOAT_EQ(sound.GetSoundVolume(), 0.0f);
         },
         options.cancelControl, options.applyControl, [&] { EXPECT_FLOAT_EQ(sound.GetSoundVolume(), volume); }},
        {"game exit: cancel, then ok", &gameExit, [&] { gameExit.Open(); }, gameExit.cancel, gameExit.confirm,
         [&] { EXPECT_TRUE(Game().Config()->IsCommandDone("exit")); }},
        {"leave: cancel, then ok", &leave, [&] { leave.Open(); }, leave.cancel, leave.confirm,
         [&] { EXPECT_FALSE(leave.leaving); }},
        {"restart: cancel, then yes", &restart, [&] { restart.Open(); }, restart.cancel, restart.confirm,
         [&] { EXPECT_FALSE(restart.leaving); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FadeOutMenus();
        c.open();
        ASSERT_TRUE(player.WaitOnScreen(*c.window));
        watched = dynamic_cast<const GameFramework::WindowControllerBase*>(c.window);
        answers = 0;
        click(*c.first);
        EXPECT_EQ(answers, 1);
        click(*c.second);
        // Gone, and a while longer for an answer that waits for that.
        for (int i = 0; i < 100 && c.window->IsFrameVisible(); ++i)
            frame();
        EXPECT_FALSE(c.window->IsFrameVisible());
        for (int i = 0; i < 25; ++i)
            frame();
        EXPECT_EQ(answers, 1);
        c.check();

        // Whatever the answer opened goes away again.
        auto& menu = In<GUIGameLogicMenuWindow>();
        menu.releaseTitlePlate = true;
        for (GameFramework::WindowControllerBase* next : std::initializer_list<GameFramework::WindowControllerBase*>{
                 Game().MainMenu(), Game().ProfileList(), Game().NewProfile(), &menu})
            next->Close();
        ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free; }));
    }
}

// The arcade clock starts when the path's introduction run ends, also when
// the player paused the level during the run and went back to it.
TEST_F(InGameWindowsTest, APauseDuringTheIntroductionRunLeavesTheClockAtZero)
{
    struct Case {
        const char* name;
        std::function<void()> pause;
        std::function<GUIQuestionWindow&()> resumeWindow;  // null: the in-game menu's RETURN
    };
    const Case cases[] = {
        {"the in-game menu", [&] { player.Press("ESCAPE"); }, nullptr},
        {"a lost focus",
         [&] {
             world.env.windowing.focus = nullptr;
             player.Wait(0.5f);
             world.env.windowing.focus = Game().Engine()->window->handle;
         },
         [&]() -> GUIQuestionWindow& { return In<GUIGameLogicPauseWindow>(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game().EnterLevel(0, 0);
        FadeOutMenus();
        auto& logic = *static_cast<GameLogic*>(Game().Logic());
        const PuzzleDepository& path = *logic.GetDepository();
        player.Wait(0.2f);
        ASSERT_FALSE(path.introFinished);
        c.pause();
        ASSERT_EQ(logic.state, GameFramework::GameLogicState::Paused);
        if (c.resumeWindow) {
            GUIQuestionWindow& window = c.resumeWindow();
            ASSERT_TRUE(player.WaitOnScreen(window));
            player.Click(*window.confirm);
        } else {
            auto& menu = In<GUIGameLogicMenuWindow>();
            ASSERT_TRUE(player.WaitOnScreen(menu));
            player.Click(*menu.returnButton);
        }
        ASSERT_TRUE(player.WaitFor([&] { return logic.state == GameFramework::GameLogicState::Playing; }));
        ASSERT_FALSE(path.introFinished) << "the run must still be going to tell";
        ASSERT_TRUE(player.WaitFor([&] { return path.introFinished; }));
        EXPECT_LT(logic.levelTimer->GetTime(), 0.021f);
        player.Wait(0.5f);
        EXPECT_NEAR(logic.levelTimer->GetTime(), 0.5f, 0.03f) << "and runs from there";
        ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free; }));
    }
}

// Buttons clicked in one frame: the quit question's CANCEL wins over its
// OK, and of the in-game menu's buttons the last in the order EXIT,
// RESTART, RETURN.
TEST_F(InGameWindowsTest, ButtonsClickedInOneFrameAnswerByTheirOrder)
{
    // The buttons clicked after the interface's update of a frame; the
    // answer taken before the game acts on it, so the window stays.
    const auto clickTogether = [&](GameFramework::WindowControllerBase& window,
                                   const std::vector<const GUIControl*>& buttons) {
        WindowAction answer = WindowAction::None;
        Game().beforeWindows = [&] {
            for (const GUIControl* button : buttons)
                button->button->clicked = true;
        };
        Game().afterWindows = [&] {
            answer = window.result;
            window.result = WindowAction::None;
        };
        player.Frame();
        Game().beforeWindows = nullptr;
        Game().afterWindows = nullptr;
        return answer;
    };

    auto& quit = In<GUIGameLogicGameExitWindow>();
    quit.Open();
    ASSERT_TRUE(player.WaitOnScreen(quit));
    EXPECT_EQ(clickTogether(quit, {quit.confirm, quit.cancel}), WindowAction::Resume);
    EXPECT_EQ(clickTogether(quit, {quit.confirm}), WindowAction::Quit);
    quit.Close();
    ASSERT_TRUE(Gone(quit));

    auto& menu = In<GUIGameLogicMenuWindow>();
    menu.Open();
    ASSERT_TRUE(player.WaitOnScreen(menu));
    const struct {
        std::vector<const GUIControl*> buttons;
        WindowAction answer;
    } rows[] = {
        {{menu.exitButton}, WindowAction::ToLeaveLevel},
        {{menu.restartButton}, WindowAction::ToRestart},
        {{menu.exitButton, menu.restartButton}, WindowAction::ToRestart},
        {{menu.restartButton, menu.returnButton}, WindowAction::Resume},
        {{menu.exitButton, menu.returnButton}, WindowAction::Resume},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.answer));
        EXPECT_EQ(clickTogether(menu, row.buttons), row.answer);
    }
    menu.Close();
    ASSERT_TRUE(Gone(menu));
}

// The in-game menu's box switches the window mode at once and keeps it in
// the configuration; its arrows move a volume by a thousandth, and closing
// the menu saves the configuration with the new volume.
TEST_F(InGameWindowsTest, TheInGameMenusBoxAndArrowsEndInTheSavedConfiguration)
{
    ZorvaneEngine::Config& config = *Game().Config();
    GameFramework::SoundPlayer& sound = *Game().Player();
    sound.SetSoundVolume(0.5f);
    auto& menu = In<GUIGameLogicMenuWindow>();
    menu.Open();
    ASSERT_TRUE(player.WaitOnScreen(menu));

    ASSERT_FALSE(config.fullscreen);
    player.Click(*menu.fullScreenBox);
    EXPECT_TRUE(config.fullscreen);
    EXPECT_FALSE(config.IsCommandDone("v_window_change_mode"));
    EXPECT_NE(TestSupport::ReadWholeFile(world.env.IniPath()).find("v_fullscreen 1\r\n"), std::string::npos);
    // The scripted desktop has no full screen: back to the window before
    // the switch is carried out.
    config.fullscreen = false;

    ZorvaneEngine::GUIScroll& slider = *menu.soundSlider->scroll;
    player.Click(*slider.increaseButton);
    EXPECT_EQ(slider.position, 501u);
    player.Click(*slider.decreaseButton);
    player.Click(*slider.decreaseButton);
    EXPECT_EQ(slider.position, 499u);
    player.Frame();
    EXPECT_FLOAT_EQ(sound.GetSoundVolume(), 0.499f);
    EXPECT_EQ(TestSupport::ReadWholeFile(world.env.IniPath()).find("g_sound_volume 0.499000"), std::string::npos);
    menu.Close();
    EXPECT_NE(TestSupport::ReadWholeFile(world.env.IniPath()).find("g_sound_volume 0.499000"), std::string::npos);
    ASSERT_TRUE(Gone(menu));
}

// The bonus line: a time bonus only under the ace time, counted into the
// score with the charging sound, which stops once the count is done.
TEST_F(InGameWindowsTest, TheLevelCompleteWindowNamesTheBonusAndChargesItAloud)
{
    auto& window = In<GUILevelCompleteWindow>();
    const auto& levels = *static_cast<LevelManager*>(Game().Levels());
    const auto& info = static_cast<const LevelInfo&>(*levels.levels[0][1]);
    const float ace = static_cast<float>(info.aceTimes[0]);
    std::vector<std::string> labels;
    Game().afterWindows = [&] {
        labels.clear();
        for (uint32_t i = 0; i < window.valuesWindow->GetTextCount(); ++i)
            if (window.valuesWindow->GetTextItems()[i]->isKey)
                labels.push_back(window.valuesWindow->GetTextItems()[i]->key);
    };
    const auto has = [&](const char* key) { return std::find(labels.begin(), labels.end(), key) != labels.end(); };
    GameFramework::SoundPlayer& sound = *Game().Player();
    const struct {
        float time;
        bool bonus;
    } cases[] = {{ace, false}, {ace - 9.5f, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.time);
        const uint32_t before = ann->totalScore;
        window.Open(info, c.time);
        bool charging = false;
        for (int frame = 0; frame < 300; ++frame) {
            player.Frame();
            charging = charging || sound.GetSoundState(SoundChargeScore) == ZorvaneEngine::SoundState::Playing;
        }
        ASSERT_GE(window.colour.a, 1.0f);
        EXPECT_EQ(has("LEVEL_COMPLETE_TIME_BONUS"), c.bonus);
        EXPECT_EQ(has("LEVEL_COMPLETE_NO_TIME_BONUS"), !c.bonus);
        EXPECT_EQ(ann->totalScore, before + (c.bonus ? 750 : 0));
        EXPECT_EQ(charging, c.bonus);
        EXPECT_EQ(sound.GetSoundState(SoundChargeScore), ZorvaneEngine::SoundState::Stopped);
        window.GUIMenuWindow::Close();
        ASSERT_TRUE(Gone(window));
    }
    Game().afterWindows = nullptr;
}

// The level's load begins in the update after "LOADING" stands fully typed.
TEST_F(InGameWindowsTest, TheLevelLoadsInTheUpdateAfterItsWordIsTyped)
{
    auto& loading = *static_cast<GUIGameLogicLoadingWindow*>(Game().LevelLoading());
    const GameTools::GUITextPrinter& printer = *Game().Background()->GetCentreTextPrinter();
    const std::u16string word = Game().Engine()->guiManager->GetTextManager()->GetText("LOADING");
    loading.Open(nullptr);
    int typedAt = -1;
    int frame = 0;
    for (; frame < 500 && loading.result == WindowAction::None; ++frame) {
        player.Frame();
        if (typedAt < 0 && printer.done && printer.shownText == word)
            typedAt = frame;
    }
    EXPECT_EQ(loading.result, WindowAction::Done);
    EXPECT_GT(typedAt, 0);
    EXPECT_EQ(frame - 1, typedAt + 1);
    loading.Close();
}

TEST(LevelCompleteNumbers, TimesAndBonusPoints)
{
    struct TimeCase {
        float seconds;
        const char16_t* text;
    };
    for (const TimeCase& c : {TimeCase{65.9f, u"1:05"}, TimeCase{0.0f, u"0:00"}, TimeCase{600.0f, u"10:00"},
                              TimeCase{59.99f, u"0:59"}})
        EXPECT_EQ(GUILevelCompleteWindow::TimeText(c.seconds), c.text) << c.seconds;

    struct BonusCase {
        float ace, time, clock;
        uint32_t points;
    };
    const float whole = 0.2f + 20.0f / 18.0f;
    for (const BonusCase& c : {BonusCase{120, 100.9f, 100000, 1500}, BonusCase{120, 100.9f, whole + 0.01f, 1500},
                               BonusCase{120, 100.9f, 0.2f, 0}, BonusCase{120, 100.9f, 0.2f + 1.0f / 18.0f, 75},
                               BonusCase{120, 120, 100000, 0}, BonusCase{120, 130, 100000, 0}})
        EXPECT_EQ(GUILevelCompleteWindow::BonusPoints(c.ace, c.time, c.clock), c.points)
            << c.ace << " " << c.time << " " << c.clock;
}

// The bonus is counted into the score while the window shows and is saved
// once complete; CONTINUE ends the level once the menus are back: the next
// level, or the stage's end after its last level.
TEST_F(InGameWindowsTest, LevelCompleteCreditsAndSavesTheBonusThenGoesOn)
{
    auto& window = In<GUILevelCompleteWindow>();
    LevelManager& levels = *static_cast<LevelManager*>(Game().Levels());
    GUIBackgroundWindow& background = *Game().Background();
    for (uint32_t level : {1u, static_cast<uint32_t>(levels.levels[0].size() - 1)}) {
        SCOPED_TRACE(level);
        const auto& info = static_cast<const LevelInfo&>(*levels.levels[0][level]);
        ASSERT_GT(info.aceTimes[0], 10);
        const uint32_t before = ann->totalScore;
        const float time = static_cast<float>(info.aceTimes[0]) - 9.5f;  // 10 whole seconds under
        FadeOutMenus();
        window.Open(info, time);
        ASSERT_TRUE(player.WaitOnScreen(window));
        // The numbers end at x 492, clear of the hourglass beside them.
        EXPECT_FLOAT_EQ(window.valuesWindow->GetAbsolutePosition().x + window.valuesWindow->size.x, 492.0f);
        ASSERT_TRUE(player.WaitFor([&] { return ann->totalScore == before + 750; }));
        EXPECT_EQ(window.creditedBonus, 750u);
        EXPECT_EQ(Game().Profiles()->LoadProfile(ann->GetFileName())->totalScore, before + 750);

        player.Click(*window.continueButton);
        EXPECT_TRUE(window.leaving);
        const WindowAction next = level + 1 == levels.levels[0].size() ? WindowAction::StageComplete
                                                                       : WindowAction::Proceed;
        ASSERT_TRUE(player.WaitFor([&] { return window.result == next; }));
        EXPECT_TRUE(background.IsTransitionFinished());
        EXPECT_EQ(ann->totalScore, before + 750);
        player.Frame();
        window.Close();
        ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free; }));
    }
}

// CONTINUE turns five lines a page and answers on the last page; a story
// without lines ends on the first CONTINUE; one not to tell answers at once.
TEST_F(InGameWindowsTest, TheClosingStoryTurnsItsPages)
{
    GUIGameCompleteWindow& story = *Game().GameComplete();
    ZorvaneEngine::GUITextManager& texts = *Game().Engine()->guiManager->GetTextManager();
    struct Case {
        const char16_t* size;
        uint32_t pages;
    };
    for (const Case& c : {Case{u"12", 3}, Case{u"none", 0}}) {
        SCOPED_TRACE(std::string(c.size, c.size + std::char_traits<char16_t>::length(c.size)));
        texts.AddText("GAME_COMPLETE_TEXT_SIZE", c.size);
        story.showText = true;
        story.Open();
        EXPECT_EQ(story.pages.pageCount, c.pages);
        ASSERT_TRUE(player.WaitOnScreen(story));
        for (uint32_t page = 1; page < c.pages; ++page) {
            player.Click(*story.continueButton);
            EXPECT_EQ(story.result, WindowAction::None);
            ASSERT_TRUE(player.WaitFor([&] { return story.pages.shownPage == page && story.pages.pageAlpha >= 1.0f; }));
        }
        player.Click(*story.continueButton);
        EXPECT_EQ(story.result, WindowAction::Done);
        // The handler closes the story and opens the main menu.
        player.Frame();
        Game().MainMenu()->Close();
        ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free && !story.IsFrameVisible(); }));
    }

    story.showText = false;
    story.Open();
    story.Update();
    EXPECT_EQ(story.result, WindowAction::Done);
    EXPECT_FALSE(story.shown);
}

// The level's load waits while a menu window owns the screen.
TEST_F(InGameWindowsTest, TheLevelLoadingScreenWaitsForTheScreen)
{
    auto& pause = In<GUIGameLogicPauseWindow>();
    pause.Open();
    ASSERT_TRUE(player.WaitOnScreen(pause));
    auto& loading = *static_cast<GUIGameLogicLoadingWindow*>(Game().LevelLoading());
    loading.Open(nullptr);
    player.Wait(1.0f);
    EXPECT_FALSE(loading.ready);
    EXPECT_EQ(loading.result, WindowAction::None);
    pause.Close();
    ASSERT_TRUE(player.WaitFor([&] { return loading.result == WindowAction::Done; }));
    loading.Close();
}

} // namespace
} // namespace ActionPuzzle

namespace ActionPuzzle {
namespace {

// The introduction's last page starts the game; the tutorial goes straight
// on for a player who asked not to see it again, and remembers that ask.
TEST_F(InGameWindowsTest, IntroductionPagesAndTheTutorialsDoNotShowAgain)
{
    GUIIntroductionWindow& intro = *Game().Introduction();
    Game().Engine()->guiManager->GetTextManager()->AddText("INTRODUCTION_TEXT_SIZE", u"25");
    intro.Open();
    EXPECT_EQ(intro.pages.pageCount, 3u);
    ASSERT_TRUE(player.WaitOnScreen(intro));
    for (int page = 1; page <= 3; ++page) {
        player.Click(*intro.continueButton);
        if (page < 3) {
            EXPECT_EQ(intro.result, WindowAction::None);
            ASSERT_TRUE(player.WaitFor([&] { return intro.pages.shownPage == static_cast<uint32_t>(page); }));
        }
    }
    EXPECT_EQ(intro.result, WindowAction::Play);
    // The handler closes the story and opens the map, put away here.
    player.Frame();
    Game().StartGame()->Close();
    ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free && !intro.IsFrameVisible(); }));

    GUITutorialWindow& tutorial = *Game().Tutorial();
    tutorial.show = true;
    tutorial.Open();
    ASSERT_TRUE(player.WaitOnScreen(tutorial));
    player.Click(*tutorial.doNotShowBox);
    player.Click(*tutorial.continueButton);
    EXPECT_EQ(tutorial.result, WindowAction::Proceed);
    EXPECT_FALSE(ann->tutorialPending);
    EXPECT_FALSE(static_cast<Profile*>(Game().Profiles()->LoadProfile(ann->GetFileName()).get())->tutorialPending);

    player.Frame();
    tutorial.show = false;
    tutorial.Open();
    tutorial.Update();
    EXPECT_EQ(tutorial.result, WindowAction::Proceed);
    EXPECT_FALSE(tutorial.openRequested);
}

} // namespace
} // namespace ActionPuzzle
