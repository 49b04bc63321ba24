// A window answers once: clicks on a window that fades out after its
// answer change nothing, on the built data set with the scripted mouse. The
// first click is answered; a second one while the window still shows, on
// its way out, is not.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/core/Config.h"
#include "engine/gui/GUIScroll.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundPlayer.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIDeleteProfileWindow.h"
#include "game/menus/GUIExitWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIOptionsWindow.h"
#include "game/menus/GUIProfilesWindow.h"
#include "game/menus/MenuPlayer.h"

namespace ActionPuzzle {
namespace {

using GameFramework::ExitOpenMode;
using GameFramework::WindowAction;
using GameFramework::WindowControllerBase;

class FadingWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ann = static_cast<Profile*>(world.StartWithNewPlayer(u"Ann"));
        ASSERT_NE(ann, nullptr);
        Game().Profiles()->AddProfile(u"Bo");
        ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free; }));
    }

    TestSupport::GameUnderTest& Game() { return *world.game; }
    template <class Window>
    Window& In()
    {
        Window* window = Game().InGame<Window>();
        EXPECT_NE(window, nullptr);
        return *window;
    }

    // The menu scene faded out as over a level, so the title plate can be
    // lent to the windows over the level.
    void OverLevel()
    {
        Game().BackgroundOverLevel();
        ASSERT_TRUE(player.WaitFor([&] {
            return Game().Background()->v <= 0.0f && !Game().Background()->GetTitlePlate()->effectivelyVisible;
        }));
    }

    // A frame, counting the answers the window under test gives.
    void Frame()
    {
        player.Frame();
        if (watched && watched->result != WindowAction::None)
            ++answers;
    }
    // Pressed and released over the control: the release clicks it.
    void Click(const GUIControl& control)
    {
        player.PointAt(*control.widget);
        Frame();
        player.Hold("MOUSE1", true);
        Frame();
        EXPECT_TRUE(control.widget->effectivelyVisible) << "the click comes too late to tell";
        player.Hold("MOUSE1", false);
        Frame();
    }

    TestSupport::GameEnvironment world;
    TestSupport::MenuPlayer player{world};
    Profile* ann = nullptr;
    const WindowControllerBase* watched = nullptr;
    int answers = 0;
};

TEST_F(FadingWindowsTest, AWindowOnItsWayOutIgnoresTheNextClick)
{
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
        {"quit: no, then yes", &quit, [&] { quit.Open(ExitOpenMode::FromMainMenu); }, quit.no, quit.yes,
         [&] {
             EXPECT_FALSE(quit.quitting);
             EXPECT_TRUE(Game().Config()->IsCommandDone("exit")) << "the program was told to end";
         }},
        {"delete: yes twice", &remove, [&] { remove.Open(u"Bo"); }, remove.yes, remove.yes,
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
        {"game exit: cancel, then ok", &gameExit, [&] {
             OverLevel();
             gameExit.Open();
         }, gameExit.cancel, gameExit.confirm,
         [&] { EXPECT_TRUE(Game().Config()->IsCommandDone("exit")); }},
        {"leave: cancel, then ok", &leave, [&] {
             OverLevel();
             leave.Open();
         }, leave.cancel, leave.confirm,
         [&] { EXPECT_FALSE(leave.leaving); }},
        {"restart: cancel, then yes", &restart, [&] {
             OverLevel();
             restart.Open();
         }, restart.cancel, restart.confirm,
         [&] { EXPECT_FALSE(restart.leaving); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.open();
        ASSERT_TRUE(player.WaitOnScreen(*c.window));
        watched = dynamic_cast<const WindowControllerBase*>(c.window);
        answers = 0;
        Click(*c.first);
        EXPECT_EQ(answers, 1);
        Click(*c.second);
        // Gone, and a while longer for an answer that waits for that.
        for (int frame = 0; frame < 100 && c.window->IsFrameVisible(); ++frame)
            Frame();
        EXPECT_FALSE(c.window->IsFrameVisible());
        for (int frame = 0; frame < 25; ++frame)
            Frame();
        EXPECT_EQ(answers, 1);
        c.check();
        watched = nullptr;

        // Whatever the answer opened goes away again.
        auto& menu = In<GUIGameLogicMenuWindow>();
        menu.releaseTitlePlate = true;
        for (WindowControllerBase* next : std::initializer_list<WindowControllerBase*>{
                 Game().MainMenu(), Game().ProfileList(), Game().NewProfile(), &menu})
            next->Close();
        ASSERT_TRUE(player.WaitFor([&] { return Game().WindowManager()->free; }));
    }
}

} // namespace
} // namespace ActionPuzzle
