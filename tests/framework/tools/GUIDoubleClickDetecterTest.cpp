// Double clicks on watched windows, frame by frame on the scripted clock:
// one event of the left button per frame.
#include "framework/tools/GUIDoubleClickDetecter.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "engine/input/Controls.h"

namespace GameTools {
namespace {

using TestSupport::EngineTestEnvironment;
using ZorvaneEngine::GUIWindow;
using ZorvaneEngine::Vector2;

enum Button { Press, Release };
constexpr int kNowhere = -1;
constexpr int kA = 0;
constexpr int kB = 1;
constexpr int kHidden = 2;

struct Event {
    uint64_t ms;  // on the clock, from the first event
    Button button;
    int under;  // the window under the cursor
};

TEST(GUIDoubleClickDetecter, PressReleasePressReleaseOnOneWindowWithinSixTenths)
{
    struct Case {
        const char* name;
        std::vector<Event> events;
        int doubleClickEvent;  // -1: none
        int window;            // the detecter's window after the last event
    };
    const Case cases[] = {
        {"double click", {{0, Press, kA}, {100, Release, kA}, {200, Press, kA}, {300, Release, kA}}, 3, kA},
        {"third click starts afresh",
         {{0, Press, kA}, {100, Release, kA}, {200, Press, kA}, {300, Release, kA}, {400, Press, kA}, {500, Release, kA}},
         3, kA},
        // The late press starts a new sequence that completes in time.
        {"second press too late",
         {{0, Press, kA}, {100, Release, kA}, {700, Press, kA}, {800, Release, kA}, {900, Press, kA}, {1000, Release, kA}},
         5, kA},
        {"another window restarts the sequence",
         {{0, Press, kA}, {100, Release, kA}, {200, Press, kB}, {300, Release, kB}, {400, Press, kB}, {500, Release, kB}},
         5, kB},
        {"a press on nothing ends it",
         {{0, Press, kA}, {100, Release, kA}, {200, Press, kNowhere}, {300, Release, kNowhere}}, -1, kNowhere},
        {"hidden windows are not watched",
         {{0, Press, kHidden}, {100, Release, kHidden}, {200, Press, kHidden}, {300, Release, kHidden}}, -1, kNowhere},
        {"held too long", {{0, Press, kA}, {650, Release, kA}, {700, Press, kA}, {800, Release, kA}}, -1, kA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineTestEnvironment env;
        ZorvaneEngine::Engine engine(env.Settings());
        std::vector<GUIWindow*> windows;
        for (int i = 0; i < 3; ++i) {
            windows.push_back(engine.guiManager->CreateQuadWindow(ZorvaneEngine::GUIWindowFlags::Visible,
                                                                  Vector2(100.0f * i, 0), Vector2(50, 50),
                                                                  nullptr, nullptr, Vector2(1, 1)));
            windows.back()->effectivelyVisible = i != kHidden;
        }
        GUIDoubleClickDetecter detecter(engine);
        for (GUIWindow* window : windows)
            detecter.AddWindow(window);

        // The main timer runs from the engine's creation; start well past 0.
        env.scripted.Advance(5000);
        const uint64_t start = env.scripted.Time();
        for (size_t i = 0; i < c.events.size(); ++i) {
            const Event& e = c.events[i];
            env.scripted.SetTime(start + e.ms);
            for (int w = 0; w < 3; ++w)
                windows[w]->hovered = w == e.under;
            engine.input->SetKeyState(e.button == Press, "MOUSE1");
            detecter.Update();
            EXPECT_EQ(detecter.doubleClicked, static_cast<int>(i) == c.doubleClickEvent) << "event " << i;
            engine.input->EndFrame();
        }
        EXPECT_EQ(detecter.window, c.window == kNowhere ? nullptr : windows[c.window]);
    }
}

} // namespace
} // namespace GameTools
