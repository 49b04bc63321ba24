#pragma once
// The game on the real drivers (SDL's offscreen video) for tests that look
// at its frames: a user folder of its own, the program's loop turned by the
// test, the pointer put on the 800 × 600 interface, the frames read back,
// kept as pictures in the build folder's "screens" folder and compared.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "engine/Engine.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/gui/GUIWindow.h"
#include "framework/GameLoaderBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/WindowAction.h"
#include "framework/tools/GUITextPrinter.h"
#include "game/app/GameTestSupport.h"
#include "game/gameplay/SdlPlayer.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIMenuWindow.h"
#include "platform/system/SteppedClockSystem.h"
#include "platform/system/TemporaryFolder.h"
#include "tools/common/EventPlayer.h"
#include "tools/common/PngWriter.h"

namespace TestSupport {

// A user folder of its own for the program's saves and settings, given
// back when the test ends so the next one does not inherit it.
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
    UserFolder(const UserFolder&) = delete;
    UserFolder& operator=(const UserFolder&) = delete;

    TemporaryFolder folder;
};

// A rectangle of GUI units.
struct ScreenBox {
    float x0, y0, x1, y1;
};

// The mean difference of the colour channels of two pictures of the same
// size over a box, leaving out another box grown by margin GUI units on
// every side (so that an antialiased edge of it does not count); rows count
// from the bottom, as the picture keeps them.
inline double MeanDifference(const ZorvaneEngine::Image& a, const ZorvaneEngine::Image& b, const ScreenBox& box,
                             const ScreenBox* except = nullptr, float margin = 0.0f)
{
    const float sx = static_cast<float>(a.GetWidth()) / 800.0f, sy = static_cast<float>(a.GetHeight()) / 600.0f;
    const uint32_t bytes = a.GetPixelBytes();
    double sum = 0;
    double count = 0;
    for (auto y = static_cast<uint32_t>(box.y0 * sy); y < static_cast<uint32_t>(box.y1 * sy); ++y) {
        const uint8_t* pa = a.GetRow(y);
        const uint8_t* pb = b.GetRow(y);
        for (auto x = static_cast<uint32_t>(box.x0 * sx); x < static_cast<uint32_t>(box.x1 * sx); ++x) {
            const float gx = static_cast<float>(x) / sx, gy = static_cast<float>(y) / sy;
            if (except && gx >= except->x0 - margin && gx < except->x1 + margin && gy >= except->y0 - margin &&
                gy < except->y1 + margin)
                continue;
            for (uint32_t c = 0; c < 3; ++c)
                sum += std::abs(static_cast<int>(pa[x * bytes + c]) - static_cast<int>(pb[x * bytes + c]));
            count += 3;
        }
    }
    return count > 0 ? sum / count : 0.0;
}

// The whole program on the real drivers, its loop turned a frame at a time
// by the test on a clock of the test's own; waitFrames bounds every wait.
class RealGameTest : public ::testing::Test {
protected:
    explicit RealGameTest(int waitFrames = 3000) : waitFrames(waitFrames) {}

    // The program started as a user starts it, the logos cut short, Ann
    // made the player and the welcome screen put away.
    void StartWithAnn()
    {
        game = std::make_unique<GameUnderTest>();
        game->Init();
        game->Logos()->result = GameFramework::WindowAction::Done;
        ASSERT_TRUE(WaitFor([&] { return game->HasAllWindows(); }));
        game->Profiles()->currentProfile = game->Profiles()->AddProfile(u"Ann");
        game->Welcome()->Close();
    }

    // One turn of the program's loop: the waiting events, then a frame a
    // step of the clock later.
    void Frame()
    {
        while (GameFramework::GameLoaderBase::DispatchNextEvent()) {
        }
        clock.Step();
        game->Update();
    }

    bool WaitFor(const std::function<bool()>& done)
    {
        for (int i = 0; i < waitFrames && !done(); ++i)
            Frame();
        return done();
    }

    // Faded in, its controls still and its title typed.
    bool WaitOnScreen(const ActionPuzzle::GUIMenuWindow& window)
    {
        const GameTools::GUITextPrinter& title = *game->Background()->GetCentreTextPrinter();
        return WaitFor([&] { return SdlPlayer::OnScreen(window) && title.done; });
    }

    // The hands at the game's window as it is now.
    Tools::EventPlayer& Hands()
    {
        hands.Attach(*game->Engine());
        return hands;
    }
    // The pointer to a point of the 800 by 600 interface.
    void PointAt(float x, float y) { Hands().PointAt(ZorvaneEngine::Vector2(x, y)); }
    // The pointer to the middle of a widget's hit area.
    void PointAt(const ZorvaneEngine::GUIWindow& widget) { Hands().PointAt(Tools::EventPlayer::CentreOf(widget)); }

    // The next frame as the screen shows it.
    ZorvaneEngine::Image Capture()
    {
        Frame();
        ZorvaneEngine::Image picture;
        game->Engine()->renderer->CaptureScreen(picture);
        return picture;
    }
    // The next frame, also kept as screens/<name>.png when there is one.
    ZorvaneEngine::Image Shot(const std::string& name)
    {
        ZorvaneEngine::Image picture = Capture();
        if (!picture.IsEmpty()) {
            const std::filesystem::path folder = std::filesystem::path(TANGROVE_BINARY_DIR) / "screens";
            std::filesystem::create_directories(folder);
            Tools::SavePngFile((folder / (name + ".png")).string(), picture);
        }
        return picture;
    }

    const int waitFrames;
    UserFolder user;
    SteppedClock clock;
    std::unique_ptr<GameUnderTest> game;
    Tools::EventPlayer hands{[this] { Frame(); }};
};

} // namespace TestSupport
