#include "game/menus/GUIRelaxWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileBase.h"
#include "game/common/GameData.h"
#include "game/common/ProfileManager.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIPagedText.h"

namespace ActionPuzzle {

namespace {

constexpr float kFirstLineY = 276.0f;
constexpr float kLineStep = 20.0f;
// The profile's mode flag of the relax mode.
constexpr uint32_t kRelaxMode = 1;

} // namespace

GUIRelaxWindow::GUIRelaxWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                               GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                               ProfileManager* profileManager)
    : GUIMenuWindow(MenuFrameKind::BigWindow, engine, soundPlayer, gameData, manager, parent),
      profileManager(profileManager)
{
    yesButton = AddBigButton(gameData->menuFrameModels.bigWindow.buttons[1]);
    noButton = AddBigButton(gameData->menuFrameModels.bigWindow.buttons[0]);
    SetTitle("RELAX_TITLE");
}

void GUIRelaxWindow::Open()
{
    openRequested = true;
    // Text that is not a number counts no lines; a damaged count is held to
    // what the frame has room for.
    lineCount = GUIPagedText::ReadLineCount(*textManager, "RELAX_TEXT_SIZE", MaxLines);
}

void GUIRelaxWindow::Close()
{
    GUIMenuWindow::Close();
}

void GUIRelaxWindow::Update()
{
    WindowControllerBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (Clicked(yesButton->button)) {
        if (GameFramework::ProfileBase* profile = profileManager->currentProfile) {
            profile->modeFlag = kRelaxMode;
            profile->Save();
        }
        result = GameFramework::WindowAction::ToMainMenu;
    } else if (Clicked(noButton->button)) {
        result = GameFramework::WindowAction::ToMainMenu;
    }
    for (uint32_t i = 0; i < lineCount; ++i)
        AddTextLine("RELAX_TEXT_", static_cast<int32_t>(i), kFirstLineY - kLineStep * static_cast<float>(i));
    AddCaption(*yesButton, "YES");
    AddCaption(*noButton, "NO");
}

} // namespace ActionPuzzle
