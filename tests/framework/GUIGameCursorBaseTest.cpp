// The game cursor's kinds and its two ways of being shown.
#include "framework/GUIGameCursorBase.h"

#include <gtest/gtest.h>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/Window.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"

namespace GameFramework {
namespace {

using namespace ZorvaneEngine;

// Two kinds, each with a system cursor and a drawn one.
class TwoKindCursor : public GUIGameCursorBase {
public:
    TwoKindCursor(Engine* engine, Platform::CursorHandle first, Platform::CursorHandle second)
        : GUIGameCursorBase(engine)
    {
        cursors[0] = {first, guiManager->CreateCursor(nullptr, 40)};
        cursors[1] = {second, guiManager->CreateCursor(nullptr, 40)};
    }
    GUICursor* Drawn(int32_t id) { return cursors.at(id).customCursor; }
};

class GUIGameCursorBaseTest : public ::testing::Test {
protected:
    TestSupport::EngineTestEnvironment env;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>(env.Settings());
    // Two distinct handles; the windowing only passes them on.
    Platform::CursorHandle arrow = reinterpret_cast<Platform::CursorHandle>(0x10);
    Platform::CursorHandle hand = reinterpret_cast<Platform::CursorHandle>(0x20);
};

TEST_F(GUIGameCursorBaseTest, TheSystemCursorsCounterStaysNearZero)
{
    GUIGameCursorBase cursor(engine.get());
    // Hidden from the start.
    EXPECT_EQ(env.windowing.DisplayCount(), -1);
    EXPECT_FALSE(cursor.IsShown());

    struct Row {
        int start;
        bool show;
        int after;
    };
    const Row rows[] = {{-1, true, 0}, {0, true, 1}, {15, true, 15}, {-15, false, -15}, {3, false, -1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.start) + (row.show ? " show" : " hide"));
        while (env.windowing.DisplayCount() < row.start) Platform::GetWindowing().ShowCursor(true);
        while (env.windowing.DisplayCount() > row.start) Platform::GetWindowing().ShowCursor(false);
        cursor.Show(row.show);
        EXPECT_EQ(env.windowing.DisplayCount(), row.after);
        EXPECT_EQ(cursor.IsShown(), row.show);
    }
}

TEST_F(GUIGameCursorBaseTest, KindsSwapTheDrawnCursorAndSetTheSystemOne)
{
    TwoKindCursor cursor(engine.get(), arrow, hand);
    ASSERT_TRUE(cursor.IsCustomCursorInUse());

    cursor.SelectCursor(0);
    EXPECT_EQ(engine->window->cursor, arrow);
    EXPECT_EQ(env.windowing.CurrentCursor(), arrow);
    cursor.Show(true);
    EXPECT_TRUE(cursor.Drawn(0)->visible);
    EXPECT_EQ(env.windowing.DisplayCount(), -1);  // the system cursor stays hidden

    cursor.SelectCursor(1);
    EXPECT_FALSE(cursor.Drawn(0)->visible);
    EXPECT_TRUE(cursor.Drawn(1)->visible);
    EXPECT_EQ(env.windowing.CurrentCursor(), hand);

    const int setCursorCalls = env.windowing.CountCalls("SetCursor");
    cursor.SelectCursor(1);
    EXPECT_EQ(env.windowing.CountCalls("SetCursor"), setCursorCalls);

    // A kind nobody registered: the id changes, the cursor on screen stays.
    cursor.SelectCursor(7);
    EXPECT_EQ(cursor.GetCurrentId(), 7);
    EXPECT_TRUE(cursor.Drawn(1)->visible);
    EXPECT_EQ(env.windowing.CurrentCursor(), hand);
}

TEST_F(GUIGameCursorBaseTest, TheSettingSwitchesOnlyWhileTheCursorIsShown)
{
    auto cursor = std::make_unique<TwoKindCursor>(engine.get(), arrow, hand);
    Config& config = *engine->config;
    config.ClearChanged();
    cursor->SelectCursor(0);

    // Hidden: the change waits.
    config.SetValue("ui_custom_cursor", "0");
    config.Update();
    EXPECT_FALSE(cursor->Update());
    EXPECT_TRUE(cursor->IsCustomCursorInUse());
    config.ClearChanged();

    // Shown: the drawn cursor goes, the system cursor comes.
    cursor->Show(true);
    config.SetValue("ui_custom_cursor", "1");
    config.Update();
    config.SetValue("ui_custom_cursor", "0");
    config.Update();
    EXPECT_TRUE(cursor->Update());
    EXPECT_FALSE(cursor->IsCustomCursorInUse());
    EXPECT_FALSE(cursor->Drawn(0)->visible);
    EXPECT_GE(env.windowing.DisplayCount(), 0);
    EXPECT_TRUE(cursor->IsShown());

    // The setting is saved after the cursor is gone, and the drawn cursors
    // leave the GUI manager's pool.
    const uint32_t pooled = engine->guiManager->cursors.GetCount();
    cursor.reset();
    EXPECT_EQ(engine->guiManager->cursors.GetCount(), pooled - 2);
    config.Save();
    EXPECT_NE(TestSupport::ReadWholeFile(env.IniPath()).find("ui_custom_cursor 0"), std::string::npos);
}

} // namespace
} // namespace GameFramework
