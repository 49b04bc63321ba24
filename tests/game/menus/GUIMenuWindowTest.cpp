// The menu-window machinery over the built models: windows opening one at
// a time, their controls appearing and fading, the screen handed on when a
// window has gone, and the title plate lent to a window that needs it.
#include "game/menus/GUIMenuWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIButton.h"
#include "framework/tools/GUITextPrinter.h"
#include "game/menus/GUIControl.h"
#include "game/menus/MenuWorld.h"

namespace ActionPuzzle {
namespace {

using TestSupport::MenuWorld;
using Sounds = std::vector<std::string>;

// A window with one button: a plain one that fades by colour, one that
// appears by its animation, or a main-menu button.
class TestWindow : public GUIMenuWindow {
public:
    enum ButtonKind { Fading, Appearing, MainMenuButton };

    TestWindow(MenuWorld& world, MenuFrameKind kind, ButtonKind buttonKind)
        : GUIMenuWindow(kind, world.engine.get(), world.player.get(), world.data.get(), world.manager.get(),
                        world.background->GetMenuRoot())
    {
        const GameData::ControlModels& looks = gameData->controlModels;
        const GameData::ButtonLook& look = buttonKind == MainMenuButton ? looks.buttonMainMenu : looks.buttonBig;
        const ZorvaneEngine::Model* placement = buttonKind == Fading ? gameData->menuFrameModels.smallWindow.buttons[1]
                                                                     : gameData->menuFrameModels.mainMenu.buttons[6];
        button = new GUIControl(engine, placement, gameData, MenuControlKind::Button, look.look, look.selectionArea,
                                look.textArea, frameWidget);
        controls.push_back(button);
    }
    ~TestWindow() override { delete button; }

    void Open() { openRequested = true; }

    GUIControl* button;
};

class GUIMenuWindowTest : public ::testing::Test {
protected:
    void SetUp() override { world.Start(); }

    void Frame(std::initializer_list<TestWindow*> windows)
    {
        world.Frame([&] {
            for (TestWindow* window : windows)
                window->Update();
        });
    }

    static bool FrameGone(const TestWindow& window)
    {
        return !window.frameWidget->effectivelyVisible && !window.frameControl->appearWindow->effectivelyVisible;
    }

    MenuWorld world;
};

TEST_F(GUIMenuWindowTest, AWindowAppearsFadesInFadesOutAndHandsTheScreenOnWhenItsFrameHasGone)
{
    TestWindow window(world, MenuFrameKind::SmallWindow, TestWindow::Appearing);
    GUIControl& button = *window.button;
    window.Open();
    Frame({&window});
    EXPECT_TRUE(window.shown);
    EXPECT_FALSE(world.manager->free);
    EXPECT_EQ(world.sounds, Sounds{"window_appear.wav"});
    EXPECT_TRUE(button.appearWindow->effectivelyVisible);
    EXPECT_FALSE(button.widget->effectivelyVisible);

    // Transparent while anything appears; the button takes over where its
    // animation ended, before the frame has finished.
    int frames = 0;
    bool buttonArrived = false;
    while (window.IsAnyControlAnimating() && frames < 100) {
        EXPECT_EQ(window.colour.a, 0.0f);
        Frame({&window});
        ++frames;
        if (!buttonArrived && button.widget->effectivelyVisible) {
            buttonArrived = true;
            EXPECT_TRUE(window.IsAnyControlAnimating());
            EXPECT_FALSE(button.appearWindow->effectivelyVisible);
            EXPECT_EQ(button.widget->position.x, 300.0f);
            EXPECT_EQ(button.widget->position.y, 372.0f);
        }
    }
    EXPECT_TRUE(buttonArrived);
    // The frame's 20 frames at 32 a second.
    EXPECT_NEAR(frames, 30, 2);

    // 4 a second, then held at 1.
    for (int i = 1; i <= 20; ++i) {
        Frame({&window});
        EXPECT_NEAR(window.colour.a, std::min(0.08f * static_cast<float>(i), 1.0f), 1e-4f);
    }
    EXPECT_EQ(window.colour.a, 1.0f);

    window.Close();
    Frame({&window});
    EXPECT_EQ(world.sounds, Sounds{"window_disappear.wav"});
    // 8 a second: the button is hidden in the frame the alpha reaches 0.
    for (int i = 1; i < 7; ++i) {
        EXPECT_NEAR(window.colour.a, 1.0f - 0.16f * static_cast<float>(i), 1e-4f);
        EXPECT_TRUE(button.widget->effectivelyVisible);
        Frame({&window});
    }
    EXPECT_EQ(window.colour.a, 0.0f);
    EXPECT_FALSE(button.widget->effectivelyVisible);
    EXPECT_TRUE(button.appearWindow->effectivelyVisible);
    EXPECT_TRUE(button.appearWindow->model->GetAnimation()->playing);

    frames = 0;
    while (!FrameGone(window) && frames < 100) {
        EXPECT_FALSE(world.manager->free);
        Frame({&window});
        ++frames;
    }
    EXPECT_TRUE(world.manager->free);
    EXPECT_NEAR(frames, 30, 2);
}

TEST_F(GUIMenuWindowTest, AWindowClosedWhileItAppearsStillHandsTheScreenOn)
{
    TestWindow first(world, MenuFrameKind::SmallWindow, TestWindow::Appearing);
    TestWindow second(world, MenuFrameKind::BigWindow, TestWindow::Fading);
    first.Open();
    for (int i = 0; i < 3; ++i)
        Frame({&first, &second});
    ASSERT_TRUE(first.IsAnyControlAnimating());
    first.Close();
    second.Open();
    for (int i = 0; i < 100 && !second.shown; ++i)
        Frame({&first, &second});
    EXPECT_TRUE(second.shown);
    EXPECT_TRUE(FrameGone(first));
    EXPECT_FALSE(first.button->widget->effectivelyVisible);
    EXPECT_FALSE(first.button->appearWindow->effectivelyVisible);
}

TEST_F(GUIMenuWindowTest, OneWindowAtATimeAndAReopenedOneWaitsUntilItHasGone)
{
    TestWindow a(world, MenuFrameKind::SmallWindow, TestWindow::Fading);
    TestWindow b(world, MenuFrameKind::SmallWindow, TestWindow::Fading);
    // Opened in the same frame: the first updated takes the screen.
    a.Open();
    b.Open();
    Frame({&a, &b});
    EXPECT_TRUE(a.shown);
    EXPECT_FALSE(b.shown);
    EXPECT_TRUE(b.openRequested);
    for (int i = 0; i < 60; ++i)
        Frame({&a, &b});
    ASSERT_EQ(a.colour.a, 1.0f);

    // Opened again while fading out: it waits until its frame has gone,
    // and b, waiting longer and updated after it, takes the screen then.
    a.Close();
    Frame({&a, &b});
    a.Open();
    int frames = 0;
    while (!FrameGone(a) && frames < 100) {
        EXPECT_FALSE(a.shown);
        EXPECT_FALSE(b.shown);
        Frame({&a, &b});
        ++frames;
    }
    EXPECT_GT(frames, 10);
    EXPECT_TRUE(b.shown);
    EXPECT_FALSE(a.shown);

    // A window not on screen closes without a sound, and having been asked
    // to open and closed before it appeared it stays closed.
    a.Close();
    Frame({&a, &b});
    EXPECT_EQ(world.sounds, Sounds{});
    b.Close();
    for (int i = 0; i < 100 && !world.manager->free; ++i)
        Frame({&a, &b});
    for (int i = 0; i < 5; ++i)
        Frame({&a, &b});
    EXPECT_FALSE(a.shown);
    EXPECT_TRUE(world.manager->free);
}

TEST_F(GUIMenuWindowTest, TheMainMenusFrameIsSilentAndItsButtonsRideOnTheirAnimation)
{
    TestWindow menu(world, MenuFrameKind::MainMenu, TestWindow::MainMenuButton);
    GUIControl& button = *menu.button;
    EXPECT_TRUE(button.mainMenuButton);
    EXPECT_EQ(menu.frameControl->appearWindow->model->GetAnimation()->speed, 60.0f);
    button.SetAppearSpeed(60.0f);
    menu.Open();
    Frame({&menu});
    EXPECT_EQ(world.sounds, Sounds{});
    // Seen from the first frame, sliding in from the left.
    std::vector<float> xs;
    while (button.IsAppearing() && xs.size() < 100) {
        EXPECT_TRUE(button.widget->effectivelyVisible);
        xs.push_back(button.widget->position.x);
        Frame({&menu});
    }
    Frame({&menu});
    ASSERT_GT(xs.size(), 5u);
    EXPECT_LT(xs[1], xs.back());
    EXPECT_TRUE(std::is_sorted(xs.begin() + 1, xs.end()));
    EXPECT_EQ(button.widget->position.x, 300.0f);
    EXPECT_EQ(button.widget->position.y, 372.0f);
    menu.Close();
    Frame({&menu});
    EXPECT_EQ(world.sounds, Sounds{});
}

TEST_F(GUIMenuWindowTest, AnInactiveControlStaysHidden)
{
    TestWindow window(world, MenuFrameKind::SmallWindow, TestWindow::Appearing);
    window.button->active = false;
    window.Open();
    for (int i = 0; i < 60; ++i)
        Frame({&window});
    EXPECT_EQ(window.colour.a, 1.0f);
    EXPECT_FALSE(window.button->widget->effectivelyVisible);
    EXPECT_FALSE(window.button->appearWindow->effectivelyVisible);
}

TEST_F(GUIMenuWindowTest, AWindowThatNeedsTheTitlePlateWaitsForItAndSendsItAwayWhenClosed)
{
    world.RunIntro();
    GUIBackgroundWindow& background = *world.background;
    // A level has started: the menu scene and the plate have gone.
    background.ShowLevel();
    world.Frame();
    ASSERT_FALSE(background.GetTitlePlate()->effectivelyVisible);
    TestWindow window(world, MenuFrameKind::SmallWindow, TestWindow::Fading);
    window.openWithTitlePlate = true;
    window.Open();
    Frame({&window});
    EXPECT_TRUE(window.shown);
    EXPECT_TRUE(window.holdingTitlePlate);
    EXPECT_TRUE(background.GetPlateHandOver().IsRequested());
    EXPECT_FALSE(world.manager->free);
    // The plate comes up over the level; the window waits for it.
    Frame({&window});
    EXPECT_EQ(background.GetState(), BackgroundState::PlateAppearing);
    EXPECT_EQ(background.GetTitlePlate()->GetParent(), world.data->levelRootWindow);
    int frames = 0;
    while (!background.GetPlateHandOver().IsUp() && frames < 100) {
        EXPECT_FALSE(window.frameWidget->effectivelyVisible);
        Frame({&window});
        ++frames;
    }
    EXPECT_GT(frames, 5);
    EXPECT_EQ(background.GetState(), BackgroundState::PlateUp);
    EXPECT_EQ(background.GetTitlePlate()->GetParent(), background.GetFrontParent());
    Frame({&window});
    EXPECT_FALSE(background.GetPlateHandOver().IsReady());
    EXPECT_TRUE(window.frameWidget->effectivelyVisible);

    window.releaseTitlePlate = true;
    window.Close();
    for (int i = 0; i < 100 && window.holdingTitlePlate; ++i)
        Frame({&window});
    EXPECT_FALSE(window.holdingTitlePlate);
    EXPECT_FALSE(window.releaseTitlePlate);
    Frame({&window});
    EXPECT_EQ(background.GetState(), BackgroundState::Settling);
    EXPECT_FALSE(background.GetPlateHandOver().IsUp());
    EXPECT_FALSE(background.IsFadingIn());
}

} // namespace
} // namespace ActionPuzzle
