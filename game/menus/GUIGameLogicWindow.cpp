#include "game/menus/GUIGameLogicWindow.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/TextUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "engine/gui/TextAlign.h"
#include "engine/input/Controls.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ScoreKeeper.h"
#include "game/common/GUIModelHelpers.h"
#include "game/common/GameData.h"
#include "game/common/ProfileManager.h"
#include "game/menus/GUIControl.h"
#include "platform/window/Messages.h"
#include "platform/window/Windowing.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;
using GameFramework::WindowAction;

namespace {

constexpr float Tolerance = 0.0001f;
constexpr float FadeInSpeed = 4.0f;
constexpr float FadeOutSpeed = 8.0f;
constexpr int32_t StatisticsFont = 0;
constexpr int32_t TitleFont = 1;
constexpr int32_t ValueFont = 6;
constexpr uint32_t ButtonTextAlign = TextAlign::Center;
constexpr uint32_t TitleAlign = TextAlign::CenterY | TextAlign::Left;
constexpr uint32_t ValueAlign = TextAlign::CenterY | TextAlign::Right;
const char* const ChangeModeCommand = "v_window_change_mode";

GUIWindow* AreaWindow(GUIManager& gui, const Model* area, GUIWindow* parent)
{
    const Vector2 corner = area != nullptr ? BoxCorner(*area) : Vector2();
    const Vector2 size = area != nullptr ? BoxSize(*area) : Vector2();
    return gui.CreateWindow(GUIWindowFlags::Visible, corner, size, nullptr, parent);
}

void RemoveWindow(GUIManager& gui, GUIWindow* window)
{
    if (gui.windows.Remove(window)) {
        delete window;
    }
}

} // namespace

GUIGameLogicWindow::GUIGameLogicWindow(Engine* engine, GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                                       ProfileManager* profileManager)
    : GUIGameLogicWindowBase(engine, profileManager), timers(engine->timers.get()), models(engine->models.get()),
      guiManager(engine->guiManager.get()), fontManager(engine->guiManager->GetFontManager()),
      textManager(engine->guiManager->GetTextManager()), controls(engine->input.get()), gameData(gameData),
      menuWindowManager(menuWindowManager)
{
    GUIManager& gui = *guiManager;
    GUIWindow* overlay = gameData->levelOverlayWindow;
    rootWindow = gui.CreateWindow(0, Vector2(), Vector2(), nullptr, overlay);
    panelWindow = gui.CreateWindow(GUIWindowFlags::Visible, Vector2(), Vector2(), nullptr, rootWindow);
    panelWindow->SetLayer(PanelLayer);
    controlsWindow = gui.CreateWindow(GUIWindowFlags::Visible, Vector2(), Vector2(), nullptr, panelWindow);
    statisticsWindow = gui.CreateWindow(GUIWindowFlags::Visible, Vector2(), Vector2(), nullptr, overlay);
    statisticsWindow->SetLayer(StatisticsLayer);
    const GameData::HudModels& hud = gameData->hudModels;
    const GameData::ControlModels& looks = gameData->controlModels;
    backgroundWindow = gui.CreateWindow(GUIWindowFlags::Visible, Vector2(), Vector2(1, 1), hud.background, rootWindow);
    backgroundWindow->SetLayer(TableLayer);

    const auto make = [&](const Model* placement, MenuControlKind kind, const Model* look, const Model* hitArea,
                          const Model* textArea, GUIWindow* parent) {
        return std::make_unique<GUIControl>(engine, placement, gameData, kind, look, hitArea, textArea, parent);
    };
    mainPanelControl = make(hud.mainPanel, MenuControlKind::Button, hud.mainPanel, nullptr, nullptr, panelWindow);
    menuControl = make(hud.menuButton, MenuControlKind::Button, looks.buttonSmall.look, looks.buttonSmall.selectionArea,
                       looks.buttonSmall.textArea, controlsWindow);
    menuButton = menuControl->button;
    const GameData::ButtonLook& minimize = looks.buttonGameLogicMinimize;
    minimizeControl = make(hud.minimizeButton, MenuControlKind::Button, minimize.look, minimize.selectionArea,
                           minimize.textArea, controlsWindow);
    minimizeButton = minimizeControl->button;
    const GameData::ButtonLook& maximize = looks.buttonGameLogicMaximize;
    windowModeControl = make(hud.maximizeWindowButton, MenuControlKind::CheckBox, maximize.look,
                             maximize.selectionArea, maximize.textArea, controlsWindow);
    windowModeCheckBox = windowModeControl->checkBox;
    fullScreenModeControl = make(hud.maximizeFullscreenButton, MenuControlKind::CheckBox, maximize.look,
                                 maximize.selectionArea, maximize.textArea, controlsWindow);
    fullScreenModeCheckBox = fullScreenModeControl->checkBox;
    const GameData::ButtonLook& close = looks.buttonGameLogicClose;
    closeControl = make(hud.closeButton, MenuControlKind::Button, close.look, close.selectionArea, close.textArea,
                        controlsWindow);
    closeButton = closeControl->button;
    levelNameControl =
        make(hud.levelName, MenuControlKind::Window, hud.levelName, nullptr, hud.levelNameTextArea, controlsWindow);
    levelNameWindow = levelNameControl->widget;
    scoreControl = make(hud.score, MenuControlKind::Window, hud.score, nullptr, hud.scoreTextArea, controlsWindow);
    scoreWindow = scoreControl->widget;

    levelTitleWindow = AreaWindow(gui, hud.levelNameTitleTextArea, controlsWindow);
    scoreTitleWindow = AreaWindow(gui, hud.scoreTitleTextArea, controlsWindow);

    controlList = {mainPanelControl.get(), menuControl.get(), minimizeControl.get(),
                   closeControl.get(),     levelNameControl.get(), scoreControl.get()};
}

GUIGameLogicWindow::~GUIGameLogicWindow()
{
    for (GUIWindow* window : {rootWindow, panelWindow, controlsWindow, statisticsWindow}) {
        RemoveWindow(*guiManager, window);
    }
    mainPanelControl.reset();
    menuControl.reset();
    minimizeControl.reset();
    windowModeControl.reset();
    fullScreenModeControl.reset();
    closeControl.reset();
    levelNameControl.reset();
    scoreControl.reset();
    for (GUIWindow* window : {levelTitleWindow, scoreTitleWindow, backgroundWindow}) {
        RemoveWindow(*guiManager, window);
    }
    controlList.clear();
}

void GUIGameLogicWindow::Open(GameFramework::GameLogicBase* newLogic)
{
    GUIGameLogicWindowBase::Open(newLogic);
    logic = newLogic;
    rootWindow->SetFlags(GUIWindowFlags::Visible);
    open = true;
    for (GUIControl* control : controlList) {
        control->Show();
    }
    currentModeControl = fullScreen ? fullScreenModeControl.get() : windowModeControl.get();
    currentCheckBox = currentModeControl->checkBox;
    currentModeControl->Show();
    if (currentCheckBox != nullptr) {
        currentCheckBox->checked = !fullScreen;
    }
    colour.a = 0.0f;
    SetActive(true);
}

void GUIGameLogicWindow::Close()
{
    GUIGameLogicWindowBase::Close();
    logic = nullptr;
    open = false;
}

void GUIGameLogicWindow::SetActive(bool isActive)
{
    GUIGameLogicWindowBase::SetActive(isActive);
    for (GUIButton* button : {menuButton, closeButton}) {
        if (button != nullptr) {
            button->SetEnabled(isActive);
        }
    }
}

bool GUIGameLogicWindow::AnyControlAnimating() const
{
    return std::any_of(controlList.begin(), controlList.end(), [](const GUIControl* c) { return c->IsAppearing(); }) ||
           windowModeControl->IsAppearing() || fullScreenModeControl->IsAppearing();
}

bool GUIGameLogicWindow::AnyControlVisible() const
{
    const auto visible = [](const GUIControl* c) {
        return (c->appearWindow != nullptr && c->appearWindow->effectivelyVisible) ||
               (c->widget != nullptr && c->widget->effectivelyVisible);
    };
    return std::any_of(controlList.begin(), controlList.end(), visible) || visible(windowModeControl.get()) ||
           visible(fullScreenModeControl.get());
}

std::u16string GUIGameLogicWindow::LevelText(uint32_t stageIndex, uint32_t levelIndex)
{
    return UIntToWideText(stageIndex + 1) + u"-" + UIntToWideText(levelIndex + 1);
}

int64_t GUIGameLogicWindow::LeadingNumber(const std::string& text)
{
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min<int64_t>(value * 10 + (c - '0'), INT32_MAX);
    }
    return value;
}

void GUIGameLogicWindow::Update()
{
    GUIGameLogicWindowBase::Update();
    const float dt = timers->frameStep;
    if (!config->IsCommandDone(ChangeModeCommand) && currentCheckBox != nullptr) {
        currentCheckBox->checked = !fullScreen;
    }
    if (open && !AnyControlAnimating()) {
        colour.a = std::min(colour.a + FadeInSpeed * dt, 1.0f);
    }
    const bool wasVisible = AnyControlVisible();
    for (GUIControl* control : controlList) {
        control->colour = colour;
        control->Update();
    }
    if (currentModeControl != nullptr) {
        currentModeControl->colour = colour;
        currentModeControl->Update();
    }
    if (!open) {
        const float old = colour.a;
        colour.a = std::max(colour.a - FadeOutSpeed * dt, 0.0f);
        if (colour.a < Tolerance && old > Tolerance) {
            for (GUIControl* control : controlList) {
                control->Hide();
            }
            if (currentModeControl != nullptr) {
                currentModeControl->Hide();
            }
        }
        if (AnyControlVisible() || wasVisible) {
            rootWindow->SetVisible(false);
        }
    }
    if (!rootWindow->effectivelyVisible) {
        return;
    }

    if (minimizeButton != nullptr && minimizeButton->clicked) {
        Platform::GetWindowing().PostMessage(window->handle, Platform::WM_SYSCOMMAND, Platform::SC_MINIMIZE, 0);
    }
    if (currentCheckBox != nullptr && currentCheckBox->clicked) {
        fullScreen = !currentCheckBox->checked;
        config->fullscreen = fullScreen;
        config->Save();
        config->SetCommandDone(ChangeModeCommand, false);
    }
    QueueTexts();
    DrawStatistics();

    if (active) {
        if (closeButton != nullptr && closeButton->clicked) {
            result = WindowAction::ToExit;
        }
        if (controls->IsKeyPressed("SPACE") || controls->IsKeyPressed("P")) {
            result = WindowAction::Pause;
        }
        if (controls->IsKeyPressed("ESCAPE") || (menuButton != nullptr && menuButton->clicked)) {
            result = WindowAction::ToGameMenu;
        }
    }
}

void GUIGameLogicWindow::QueueTexts()
{
    const ColorRGBA& textColour = colour;
    if (menuButton != nullptr) {
        menuButton->AddTextByKey(ButtonTextAlign, TitleFont, "GAME_LOGIC_MENU", -1, 0.0f, -1.0f, Vector2(), textColour);
    }
    levelTitleWindow->AddTextByKey(TitleAlign, TitleFont, "GAME_LOGIC_LEVEL", -1, 0.0f, -1.0f, Vector2(), textColour);
    scoreTitleWindow->AddTextByKey(TitleAlign, TitleFont, "GAME_LOGIC_SCORE", -1, 0.0f, -1.0f, Vector2(), textColour);
    // The level and the player are gone after Close; the HUD may still be
    // on the screen for that update.
    if (logic != nullptr && levelNameWindow != nullptr) {
        levelNameWindow->AddText(ValueAlign, ValueFont,
                                 LevelText(logic->levelInfo->stageIndex, logic->levelInfo->levelIndex), 0.0f, -1.0f,
                                 Vector2(), textColour);
    }
    if (logic != nullptr && scoreWindow != nullptr) {
        const uint64_t total = (profile != nullptr ? profile->totalScore : 0u) +
                               static_cast<uint64_t>(std::max(logic->scoreKeeper->score, 0));
        scoreWindow->AddText(ValueAlign, ValueFont, ToWide(std::to_string(static_cast<uint32_t>(total))), 0.0f, -1.0f,
                             Vector2(), textColour);
    }
}

void GUIGameLogicWindow::DrawStatistics()
{
    if (LeadingNumber(config->GetValueString("d_show_statistics")) == 0) {
        return;
    }
    const ColorRGBA white(1, 1, 1, 1);
    const struct {
        const char* key;
        std::string number;
        float y;
    } lines[] = {
        {"FPS", IntToText(timers->framesPerSecond), 512},
        {"MODELS_COUNT", UIntToText(models->GetDrawnModels()), 497},
        {"TRIANGLES_COUNT", UIntToText(models->GetDrawnPrimitives()), 482},
    };
    for (const auto& line : lines) {
        statisticsWindow->AddText(0, StatisticsFont, textManager->GetText(line.key) + u": " + ToWide(line.number), 0.0f,
                                  -1.0f, Vector2(8, line.y), white);
    }
}

} // namespace ActionPuzzle
