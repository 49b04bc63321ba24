// The HUD: what it asks for from which key or button, and not while covered;
// the level's number and the score it shows; the window-mode toggle; the
// statistics switch; its fading in, and vanishing after Close.
#include "game/menus/GUIGameLogicWindow.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/EngineTestEnvironment.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ModelManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "engine/input/Controls.h"
#include "framework/GameLogicBase.h"
#include "framework/ProfileBase.h"
#include "framework/ScoreKeeper.h"
#include "framework/SoundPlayer.h"
#include "game/common/GameData.h"
#include "game/common/LevelManager.h"
#include "game/common/ProfileManager.h"

namespace ActionPuzzle {
namespace {

using namespace ZorvaneEngine;
using GameFramework::WindowAction;

class GUIGameLogicWindowTest : public ::testing::Test {
protected:
    GUIGameLogicWindowTest()
    {
        GUIManager& gui = *engine->guiManager;
        data.levelRootWindow = gui.CreateWindow(GUIWindowFlags::Visible | GUIWindowFlags::DepthBack, Vector2(),
                                                Vector2(), nullptr, nullptr);
        data.levelOverlayWindow = gui.CreateWindow(GUIWindowFlags::Visible, Vector2(), Vector2(), nullptr,
                                                   data.levelRootWindow);
        GameData::HudModels& hud = data.hudModels;
        for (Model** model : {&hud.background, &hud.mainPanel, &hud.menuButton, &hud.levelNameTextArea,
                              &hud.levelName, &hud.levelNameTitleTextArea, &hud.scoreTextArea, &hud.score,
                              &hud.scoreTitleTextArea, &hud.minimizeButton, &hud.maximizeWindowButton,
                              &hud.maximizeFullscreenButton, &hud.closeButton})
            *model = Box(10, 10, 40, 30);
        for (GameData::ButtonLook* look : {&data.controlModels.buttonSmall, &data.controlModels.buttonGameLogicMinimize,
                                           &data.controlModels.buttonGameLogicMaximize,
                                           &data.controlModels.buttonGameLogicClose}) {
            look->look = Box(0, 0, 30, 20, true);
            look->selectionArea = Box(0, 0, 30, 20);
            look->textArea = Box(2, 2, 28, 18);
        }
        engine->config->AddVariable("0", "d_show_statistics", ConfigVariableType::Bool, true, &statistics, false);
        engine->config->AddVariable("", "v_window_change_mode", ConfigVariableType::Command, false, nullptr, false);
        engine->config->SetCommandDone("v_window_change_mode", true);
        stage.index = 1;
        level.stageIndex = 1;
        level.levelIndex = 2;
        profile.totalScore = 1200;
        profiles.currentProfile = &profile;
        hudWindow = std::make_unique<GUIGameLogicWindow>(engine.get(), &data, nullptr, &profiles);
        engine->timers->frameStep = 0.05f;
    }
    ~GUIGameLogicWindowTest() override
    {
        hudWindow.reset();
        logic.reset();
        engine->config->DetachVariable("d_show_statistics");
    }
    Model* Box(float x0, float y0, float x1, float y1, bool colours = false)
    {
        Model* model = engine->models->CreateBox(Vector3(x0, y0, 0), Vector3(x1, y1, 0), nullptr,
                                                 colours ? ModelFlags::VertexColor : 0);
        data.AddAnonymousModel(model);
        return model;
    }
    // One frame: the keys as given, the HUD's update, and its texts drawn.
    void Frame(std::initializer_list<const char*> keys = {})
    {
        Controls& input = *engine->input;
        for (const char* key : keys) input.SetKeyState(true, key);
        hudWindow->Update();
        for (const char* key : keys) input.SetKeyState(false, key);
        input.EndFrame();
    }
    std::u16string TextOn(GUIWindow* window)
    {
        if (window->GetTextCount() == 0) return u"";
        return window->GetTextItems()[0]->text;
    }

    TestSupport::EngineTestEnvironment env;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>(env.Settings());
    bool statistics = false;
    GameData data{engine.get(), "ge"};
    GameFramework::SoundPlayer sounds{engine.get(), 1, 1};
    ProfileManager profiles{engine.get(), &sounds, env.UserFolder()};
    GameFramework::ProfileBase profile{engine.get(), env.UserFolder()};
    StageInfo stage;
    LevelInfo level;
    std::unique_ptr<GameFramework::GameLogicBase> logic =
        std::make_unique<GameFramework::GameLogicBase>(stage, level, *engine, &sounds, 0);
    std::unique_ptr<GUIGameLogicWindow> hudWindow;
};

TEST_F(GUIGameLogicWindowTest, KeysAndButtonsAskForTheQuestionThePauseOrTheMenu)
{
    hudWindow->Open(logic.get());
    Frame();
    struct Row {
        std::initializer_list<const char*> keys;
        bool close, menu;
        WindowAction result;
    } rows[] = {
        {{}, false, false, WindowAction::None},
        {{}, true, false, WindowAction::ToExit},
        {{"P"}, true, false, WindowAction::Pause},
        {{"SPACE"}, false, false, WindowAction::Pause},
        {{"ESCAPE", "SPACE"}, false, false, WindowAction::ToGameMenu},
        {{}, true, true, WindowAction::ToGameMenu},
    };
    for (const Row& row : rows) {
        hudWindow->GetCloseButton()->clicked = row.close;
        hudWindow->GetMenuButton()->clicked = row.menu;
        Frame(row.keys);
        EXPECT_EQ(hudWindow->result, row.result);
    }

    // Covered by another window: no keys, no menu or close, but minimise
    // and the mode toggle still act.
    hudWindow->SetActive(false);
    EXPECT_EQ(hudWindow->GetCloseButton()->state, ButtonStateDisabled);
    hudWindow->GetCloseButton()->clicked = true;
    Frame({"ESCAPE", "P"});
    EXPECT_EQ(hudWindow->result, WindowAction::None);
    env.windowing.calls.clear();
    hudWindow->GetMinimizeButton()->clicked = true;
    Frame();
    bool minimised = false;
    for (const std::string& call : env.windowing.calls) minimised = minimised || call.find("PostMessage") == 0;
    EXPECT_TRUE(minimised);
    hudWindow->GetMinimizeButton()->clicked = false;
    GUICheckBox& toggle = *hudWindow->GetCurrentCheckBox();
    ASSERT_TRUE(toggle.checked) << "opened in a window: the window-mode box, checked";
    toggle.checked = false;  // as the click leaves it
    toggle.clicked = true;
    Frame();
    EXPECT_TRUE(engine->config->fullscreen);
    EXPECT_FALSE(engine->config->IsCommandDone("v_window_change_mode"));
}

TEST_F(GUIGameLogicWindowTest, ShowsTheLevelFromOneAndThePlayersTotalWithTheLevelsScore)
{
    hudWindow->Open(logic.get());
    Frame();
    EXPECT_EQ(TextOn(hudWindow->GetLevelNameWindow()), u"2-3");
    EXPECT_EQ(TextOn(hudWindow->GetScoreWindow()), u"1200");
    logic->scoreKeeper->score = 350;
    hudWindow->GetScoreWindow()->Draw();  // the frame's queue goes
    Frame();
    EXPECT_EQ(TextOn(hudWindow->GetScoreWindow()), u"1550");
    EXPECT_EQ(GUIGameLogicWindow::LevelText(0, 0), u"1-1");
}

TEST_F(GUIGameLogicWindowTest, OpenedInFullScreenTheFullScreenBoxShowsUnchecked)
{
    engine->config->fullscreen = true;
    hudWindow->Open(logic.get());
    Frame();
    ASSERT_NE(hudWindow->GetCurrentCheckBox(), nullptr);
    EXPECT_FALSE(hudWindow->GetCurrentCheckBox()->checked);
    EXPECT_TRUE(hudWindow->GetCurrentCheckBox()->effectivelyVisible);
}

TEST_F(GUIGameLogicWindowTest, StatisticsShowOnlyForANumberOtherThanZero)
{
    EXPECT_EQ(GUIGameLogicWindow::LeadingNumber("12abc"), 12);
    EXPECT_EQ(GUIGameLogicWindow::LeadingNumber("abc"), 0);
    EXPECT_EQ(GUIGameLogicWindow::LeadingNumber(""), 0);
    hudWindow->Open(logic.get());
    GUIWindow& lines = *hudWindow->GetStatisticsWindow();
    for (const char* value : {"0", "1"}) {
        engine->config->SetValue("d_show_statistics", value);
        lines.Draw();
        Frame();
        EXPECT_EQ(lines.GetTextCount(), value[0] == '1' ? 3u : 0u) << value;
    }
    ASSERT_EQ(lines.GetTextCount(), 3u);
    EXPECT_FLOAT_EQ(lines.GetTextItems()[0]->offset.y, 512);
    EXPECT_FLOAT_EQ(lines.GetTextItems()[2]->offset.y, 482);

    // Closed: nothing more, although the statistics' window lies beside the HUD.
    hudWindow->Close();
    lines.Draw();
    Frame();
    EXPECT_EQ(lines.GetTextCount(), 0u);
}

// The HUD fades in at 4 a second; after Close it is gone at the next update
// and draws nothing for a level that no longer exists.
TEST_F(GUIGameLogicWindowTest, ItFadesInAndVanishesOnTheUpdateAfterClose)
{
    hudWindow->Open(logic.get());
    for (int i = 1; i <= 4; ++i) {
        Frame();
        EXPECT_NEAR(hudWindow->GetAlpha(), 0.2f * static_cast<float>(i), 0.0001f);
    }
    EXPECT_TRUE(hudWindow->GetRootWindow()->effectivelyVisible);
    hudWindow->Close();
    logic.reset();
    hudWindow->GetScoreWindow()->Draw();
    Frame();
    EXPECT_FALSE(hudWindow->GetRootWindow()->effectivelyVisible);
    EXPECT_EQ(hudWindow->GetScoreWindow()->GetTextCount(), 0u);
    Frame();
    Frame();
    EXPECT_EQ(hudWindow->GetAlpha(), 0.0f);
}

} // namespace
} // namespace ActionPuzzle
