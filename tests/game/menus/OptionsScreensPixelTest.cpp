// The options, high-score and help screens as they are drawn: the game on
// the real drivers (SDL's offscreen video), its frames read back from the
// screen and kept as pictures in the build folder's "screens" folder.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "engine/Engine.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/gui/GUIButton.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GameLoaderBase.h"
#include "framework/HighScoresTable.h"
#include "framework/ProfileManagerBase.h"
#include "framework/tools/GUITextPrinter.h"
#include "game/app/GameTestSupport.h"
#include "game/menus/GUIHelpWindow.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIOptionsWindow.h"
#include "platform/input/InputInjection.h"
#include "platform/system/TemporaryFolder.h"
#include "platform/window/Windowing.h"
#include "tools/common/PngWriter.h"

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

// A rectangle of GUI units.
struct Box {
    float x0, y0, x1, y1;
};

class OptionsScreensPixelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = std::make_unique<TestSupport::GameUnderTest>();
        game->Init();
        game->Logos()->result = GameFramework::WindowAction::Done;
        ASSERT_TRUE(WaitFor([&] { return game->HasAllWindows(); }));
        game->Profiles()->currentProfile = game->Profiles()->AddProfile(u"Ann");
        game->Welcome()->Close();
        // No pointer trail in the pictures.
        game->Cursor()->Show(false);
    }

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

    // Faded in, its controls still and its title typed.
    bool WaitOnScreen(const GUIMenuWindow& window)
    {
        const GameTools::GUITextPrinter& title = *game->Background()->GetCentreTextPrinter();
        return WaitFor([&] {
            return window.shown && window.colour.a >= 1.0f && !window.IsAnyControlAnimating() && title.done;
        });
    }

    void PointAt(float x, float y)
    {
        const ZorvaneEngine::Window& window = *game->Engine()->window;
        Platform::GetWindowing().SetCursorPos(
            window.handle, static_cast<int32_t>(x * static_cast<float>(window.width) / 800.0f),
            static_cast<int32_t>((600.0f - y) * static_cast<float>(window.height) / 600.0f));
    }

    void Click(const ZorvaneEngine::GUIWindow& widget)
    {
        ZorvaneEngine::Vector2 corner = widget.GetAbsolutePosition();
        ZorvaneEngine::Vector2 extent = widget.size;
        if (widget.hitAreaOn) {
            corner = {corner.x + widget.hitAreaOffset.x, corner.y + widget.hitAreaOffset.y};
            extent = widget.hitAreaSize;
        }
        PointAt(corner.x + extent.x / 2, corner.y + extent.y / 2);
        for (int i = 0; i < 3; ++i)
            Frame();
        Platform::InjectMouseButton(game->Engine()->window->handle, 0, true);
        Frame();
        Frame();
        Platform::InjectMouseButton(game->Engine()->window->handle, 0, false);
        Frame();
        Frame();
        // Off every control, so no hover light stays in the picture.
        PointAt(790, 590);
        for (int i = 0; i < 20; ++i)
            Frame();
    }

    // The frame now, also kept as screens/<name>.png.
    ZorvaneEngine::Image Shot(const std::string& name)
    {
        Frame();
        ZorvaneEngine::Image picture;
        game->Engine()->renderer->CaptureScreen(picture);
        const std::filesystem::path folder = std::filesystem::path(TANGROVE_BINARY_DIR) / "screens";
        std::filesystem::create_directories(folder);
        if (!picture.IsEmpty())
            Tools::SavePngFile((folder / (name + ".png")).string(), picture);
        return picture;
    }

    // The mean difference of the colour channels over a box, leaving out
    // another box; rows count from the bottom, as the picture keeps them.
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
                if (except && gx >= except->x0 && gx < except->x1 && gy >= except->y0 && gy < except->y1)
                    continue;
                for (uint32_t c = 0; c < 3; ++c)
                    sum += std::abs(static_cast<int>(pa[x * bytes + c]) - static_cast<int>(pb[x * bytes + c]));
                count += 3;
            }
        }
        return count > 0 ? sum / count : 0.0;
    }

    GUIMainMenuWindow& MainMenu() { return *static_cast<GUIMainMenuWindow*>(game->MainMenu()); }

    UserFolder user;
    std::unique_ptr<TestSupport::GameUnderTest> game;
};

// The big window's inside, below its title plate and above its buttons.
constexpr Box kWindowInside{182, 100, 618, 400};

TEST_F(OptionsScreensPixelTest, TheResolutionLabelChangesOnlyInItsPanel)
{
    auto& options = *static_cast<GUIOptionsWindow*>(game->Options());
    MainMenu().Open();
    ASSERT_TRUE(WaitOnScreen(MainMenu()));
    Click(*MainMenu().buttons[GUIMainMenuWindow::Options]);
    ASSERT_TRUE(WaitOnScreen(options));
    const ZorvaneEngine::Image before = Shot("options");
    ASSERT_FALSE(before.IsEmpty());

    Click(*options.rightButton);
    ASSERT_EQ(options.GetSelectedIndex(), 2u);
    const ZorvaneEngine::Image after = Shot("options_next_resolution");
    const Box panel{330, 248, 470, 276};
    EXPECT_GT(Difference(before, after, panel), 2.0);
    EXPECT_LT(Difference(before, after, kWindowInside, &panel), 0.05);
}

TEST_F(OptionsScreensPixelTest, TheHighScoreRowsAreDrawnInTheWindow)
{
    // A full arcade table and no relax scores.
    GameFramework::HighScoresTable& table = *game->HighScoreTable();
    const char16_t* names[] = {u"Bo", u"Cai", u"Dee", u"Eve", u"Fritz Müller", u"Gül", u"Hanne", u"Ida", u"Jo"};
    uint32_t score = 14200;
    for (const char16_t* name : names) {
        table.AddScore(name, 0, score);
        score -= 1150;
    }
    GameFramework::HighScoreEntry* entry = table.AddScore(u"Ann", 0, 8800);
    auto& scores = *static_cast<GUIHighScoresWindow*>(game->HighScoresScreen());
    scores.Open(GameFramework::HighScoresOpenMode::AfterGameOver, entry);
    ASSERT_TRUE(WaitOnScreen(scores));
    const ZorvaneEngine::Image arcade = Shot("high_scores");
    ASSERT_FALSE(arcade.IsEmpty());

    // Ten rows against none: the rows are drawn where the columns stand,
    // and only there.
    Click(*scores.modeButton);
    ASSERT_TRUE(WaitFor([&] { return scores.shownMode == 1 && scores.tableAlpha >= 1.0f; }));
    const ZorvaneEngine::Image relax = Shot("high_scores_relax");
    const Box lowerRows{200, 284, 560, 340};
    EXPECT_GT(Difference(arcade, relax, lowerRows), 2.0);
    const Box beside{560, 150, 618, 370};
    EXPECT_LT(Difference(arcade, relax, beside), 0.05);

}

TEST_F(OptionsScreensPixelTest, HelpFillsTheWindowWithItsLines)
{
    auto& help = *static_cast<GUIHelpWindow*>(game->Help());
    auto& options = *static_cast<GUIOptionsWindow*>(game->Options());
    help.Open();
    ASSERT_TRUE(WaitOnScreen(help));
    const ZorvaneEngine::Image lines = Shot("help");
    ASSERT_FALSE(lines.IsEmpty());
    help.Close();
    ASSERT_TRUE(WaitFor([&] { return game->WindowManager()->free; }));

    // Against the same frame with other contents: every paragraph of the
    // help, from the top heading to the last line, has ink of its own.
    options.Open();
    ASSERT_TRUE(WaitOnScreen(options));
    const ZorvaneEngine::Image other = Shot("options_after_help");
    for (const Box& band : {Box{190, 370, 610, 398}, Box{190, 270, 610, 300}, Box{190, 145, 610, 175}}) {
        SCOPED_TRACE(band.y0);
        EXPECT_GT(Difference(lines, other, band), 1.0);
    }
}

} // namespace
} // namespace ActionPuzzle
