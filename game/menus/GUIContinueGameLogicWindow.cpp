#include "game/menus/GUIContinueGameLogicWindow.h"

#include "engine/core/TextUtils.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindowFlags.h"
#include "engine/gui/TextAlign.h"
#include "framework/ProfileBase.h"
#include "game/common/GameData.h"
#include "game/common/ProfileManager.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;
using ZorvaneEngine::TextAlign;

namespace {

constexpr float kFirstLineY = 267.0f;
constexpr float kLineStep = 22.0f;
constexpr float kModeRowY = 275.0f;
constexpr float kLevelRowY = 254.0f;
constexpr float kScoreRowY = 233.0f;
constexpr int32_t kLabelFont = 2;
constexpr int32_t kValueFont = 4;

} // namespace

GUIContinueGameLogicWindow::GUIContinueGameLogicWindow(ZorvaneEngine::Engine* engine,
                                                       GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                                                       GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                                                       ProfileManager* profileManager)
    : GUIContinueGameLogicWindowBase(engine),
      GUIMenuWindow(MenuFrameKind::BigWindow, engine, soundPlayer, gameData, manager, parent),
      profileManager(profileManager)
{
    const GameData::MenuFrame<3>& frame = gameData->menuFrameModels.bigWindow;
    const GameData::ButtonLook& look = gameData->controlModels.buttonBig;
    GUIControl** buttons[] = {&continueButton, &newGameButton, &cancelButton};
    for (int i = 0; i < 3; ++i) {
        *buttons[i] = new GUIControl(engine, frame.buttons[2 - i], gameData, MenuControlKind::Button, look.look,
                                     look.selectionArea, look.textArea, frameWidget);
        controls.push_back(*buttons[i]);
    }
    rightColumn = guiManager->CreateWindow(ZorvaneEngine::GUIWindowFlags::Visible, {RightColumnX, 0}, {0, 0},
                                           nullptr, frameWidget);
    leftColumn = guiManager->CreateWindow(ZorvaneEngine::GUIWindowFlags::Visible, {LeftColumnX, 0}, {0, 0}, nullptr,
                                          frameWidget);
    SetTitle("CONTINUE_GAME_LOGIC_TITLE");
}

GUIContinueGameLogicWindow::~GUIContinueGameLogicWindow()
{
    delete cancelButton;
    delete newGameButton;
    delete continueButton;
    for (ZorvaneEngine::GUIWindow* column : {rightColumn, leftColumn}) {
        if (guiManager->windows.Remove(column))
            delete column;
    }
}

void GUIContinueGameLogicWindow::Open()
{
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    totalScore = profile ? profile->totalScore : 0;
    openRequested = true;
}

void GUIContinueGameLogicWindow::Close()
{
    GUIContinueGameLogicWindowBase::Close();
    GUIMenuWindow::Close();
}

std::u16string GUIContinueGameLogicWindow::LevelText(uint32_t stage, uint32_t level)
{
    return ZorvaneEngine::UIntToWideText(stage + 1) + u"-" + ZorvaneEngine::UIntToWideText(level + 1);
}

void GUIContinueGameLogicWindow::Update()
{
    GUIContinueGameLogicWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (Clicked(continueButton->button))
        result = WindowAction::ContinueGame;
    if (Clicked(newGameButton->button))
        result = WindowAction::Proceed;
    if (Clicked(cancelButton->button))
        result = WindowAction::ToMainMenu;

    for (int32_t i = 0; i < 3; ++i)
        AddTextLine("CONTINUE_GAME_LOGIC_TEXT_", i, kFirstLineY - kLineStep * static_cast<float>(i));

    const auto label = [&](const std::string& key, float y) {
        leftColumn->AddText(TextAlign::Left, kLabelFont, textManager->GetText(key) + u":", 0.0f, -1.0f, {0, y},
                            colour);
    };
    label("CONTINUE_GAME_LOGIC_GAME_MODE", kModeRowY);
    label("CONTINUE_GAME_LOGIC_LEVEL", kLevelRowY);
    label("CONTINUE_GAME_LOGIC_SCORE", kScoreRowY);
    if (const GameFramework::ProfileBase* profile = profileManager->currentProfile) {
        rightColumn->AddTextByKey(TextAlign::Right, kValueFont,
                                  profile->modeFlag == 0 ? "CONTINUE_GAME_LOGIC_GAME_MODE_ARCADE"
                                                         : "CONTINUE_GAME_LOGIC_GAME_MODE_RELAX",
                                  -1, 0.0f, -1.0f, {0, kModeRowY}, colour);
        rightColumn->AddText(TextAlign::Right, kValueFont, LevelText(profile->stage, profile->level), 0.0f, -1.0f,
                             {0, kLevelRowY}, colour);
    }
    rightColumn->AddText(TextAlign::Right, kValueFont, ZorvaneEngine::UIntToWideText(totalScore), 0.0f, -1.0f,
                         {0, kScoreRowY}, colour);

    AddCaption(*continueButton, "CONTINUE_GAME_LOGIC_CONTINUE_GAME");
    AddCaption(*newGameButton, "CONTINUE_GAME_LOGIC_NEW_GAME");
    AddCaption(*cancelButton, "CANCEL");
}

} // namespace ActionPuzzle
