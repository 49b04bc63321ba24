// The main menu as it is drawn: the game on the real drivers (SDL's
// offscreen video on Mesa), its frames read back from the screen. A hover
// changes the picture inside the hovered button's box and nowhere else on
// the menu's frame, for every button.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/Engine.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/gui/GUIButton.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameLoaderBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/app/GameTestSupport.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "platform/system/TemporaryFolder.h"
#include "platform/window/Windowing.h"

namespace ActionPuzzle {
namespace {

// A user folder of its own for the program's saves.
struct UserFolder {
    UserFolder()
    {
        setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    }
    ~UserFolder()
    {
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
    }
    TestSupport::TemporaryFolder folder;
};

class MainMenuPixelTest : public ::testing::Test {
protected:
    void Frame()
    {
        while (GameFramework::GameLoaderBase::DispatchNextEvent()) {
        }
        game->Update();
    }

    bool WaitFor(const std::function<bool()>& done)
    {
        for (int i = 0; i < 3000 && !done(); ++i)
            Frame();
        return done();
    }

    void Capture(ZorvaneEngine::Image& picture)
    {
        Frame();
        game->Engine()->renderer->CaptureScreen(picture);
    }

    // The pointer to a point of the 800 by 600 interface.
    void PointAt(float x, float y)
    {
        const ZorvaneEngine::Window& window = *game->Engine()->window;
        Platform::GetWindowing().SetCursorPos(
            window.handle, static_cast<int32_t>(x * static_cast<float>(window.width) / 800.0f),
            static_cast<int32_t>((600.0f - y) * static_cast<float>(window.height) / 600.0f));
    }

    // The mean difference of the colour channels over a rectangle of GUI
    // units; rows count from the bottom, as the picture keeps them.
    struct Box {
        float x0, y0, x1, y1;
    };
    static double Difference(const ZorvaneEngine::Image& a, const ZorvaneEngine::Image& b, const Box& box,
                             const Box* except = nullptr)
    {
        const float sx = static_cast<float>(a.GetWidth()) / 800.0f, sy = static_cast<float>(a.GetHeight()) / 600.0f;
        const uint32_t bytes = a.GetPixelBytes();
        double sum = 0;
        double count = 0;
        for (uint32_t y = static_cast<uint32_t>(box.y0 * sy); y < static_cast<uint32_t>(box.y1 * sy); ++y) {
            const uint8_t* pa = a.GetRow(y);
            const uint8_t* pb = b.GetRow(y);
            for (uint32_t x = static_cast<uint32_t>(box.x0 * sx); x < static_cast<uint32_t>(box.x1 * sx); ++x) {
                const float gx = static_cast<float>(x) / sx, gy = static_cast<float>(y) / sy;
                if (except && gx >= except->x0 - 2 && gx < except->x1 + 2 && gy >= except->y0 - 2 &&
                    gy < except->y1 + 2)
                    continue;
                for (uint32_t c = 0; c < 3; ++c)
                    sum += std::abs(static_cast<int>(pa[x * bytes + c]) - static_cast<int>(pb[x * bytes + c]));
                count += 3;
            }
        }
        return count > 0 ? sum / count : 0.0;
    }

    UserFolder user;
    std::unique_ptr<TestSupport::GameUnderTest> game;
};

TEST_F(MainMenuPixelTest, EachButtonLightsUpInItsOwnBoxWhenHovered)
{
    game = std::make_unique<TestSupport::GameUnderTest>();
    game->Init();
    game->Logos()->result = GameFramework::WindowAction::Done;
    ASSERT_TRUE(WaitFor([&] { return game->HasAllWindows(); }));
    game->Profiles()->currentProfile = game->Profiles()->AddProfile(u"Ann");
    game->Welcome()->Close();
    auto& menu = *static_cast<GUIMainMenuWindow*>(game->MainMenu());
    menu.Open();
    ASSERT_TRUE(WaitFor([&] { return menu.shown && menu.colour.a >= 1.0f && !menu.IsAnyControlAnimating(); }));
    // No trail in the pictures.
    game->Cursor()->Show(false);
    PointAt(700, 300);
    for (int i = 0; i < 60; ++i)
        Frame();

    ZorvaneEngine::Image rest;
    Capture(rest);
    const Box frame{284, 49, 516, 431};
    for (int i = 0; i < GUIMainMenuWindow::ButtonCount; ++i) {
        SCOPED_TRACE(i);
        const ZorvaneEngine::GUIButton& button = *menu.buttons[i];
        const ZorvaneEngine::Vector2 at = button.GetAbsolutePosition();
        const Box box{at.x, at.y, at.x + 200, at.y + 44};
        // Where the layout puts it: stacked 52 apart from the top.
        EXPECT_EQ(at.x, 300.0f);
        EXPECT_EQ(at.y, 372.0f - 52.0f * static_cast<float>(i));
        PointAt(at.x + 100, at.y + 22);
        for (int f = 0; f < 3; ++f)
            Frame();
        EXPECT_EQ(button.state, ZorvaneEngine::ButtonStateHover);
        ZorvaneEngine::Image hovered;
        Capture(hovered);
        const double inside = Difference(rest, hovered, box);
        const double elsewhere = Difference(rest, hovered, frame, &box);
        EXPECT_GT(inside, 4.0);
        EXPECT_LT(elsewhere, 0.05);
    }
}

} // namespace
} // namespace ActionPuzzle
