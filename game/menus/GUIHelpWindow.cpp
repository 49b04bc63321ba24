#include "game/menus/GUIHelpWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlign.h"
#include "game/common/GameData.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

constexpr int32_t kHeadingFont = 3;
constexpr int32_t kBodyFont = 2;

struct HelpLine {
    float y;
    bool heading;
};

// A heading stands 19 above its first line, lines of a paragraph 18 apart,
// and a paragraph's last line 24 above the next heading.
constexpr HelpLine kLines[GUIHelpWindow::LineCount] = {
    {283, true},  {264, false}, {246, false}, {228, false}, {204, true}, {185, false},
    {161, true},  {142, false}, {118, true},  {99, false},  {75, true},  {56, false},
};

} // namespace

float GUIHelpWindow::LineY(int32_t line)
{
    return kLines[line].y;
}

bool GUIHelpWindow::IsHeading(int32_t line)
{
    return kLines[line].heading;
}

GUIHelpWindow::GUIHelpWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                             GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent)
    : GUIMenuWindow(MenuFrameKind::BigWindow, engine, soundPlayer, gameData, manager, parent)
{
    backControl = AddBigButton(gameData->menuFrameModels.bigWindow.buttons[0]);
    backButton = backControl->button;
    SetTitle("HELP_TITLE");
}

void GUIHelpWindow::Open()
{
    openRequested = true;
}

void GUIHelpWindow::Close()
{
    GUIHelpWindowBase::Close();
    GUIMenuWindow::Close();
}

void GUIHelpWindow::Update()
{
    GUIHelpWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (Clicked(backButton))
        result = WindowAction::ToMainMenu;
    for (int32_t line = 0; line < LineCount; ++line)
        frameWidget->AddTextByKey(ZorvaneEngine::TextAlign::CenterX, IsHeading(line) ? kHeadingFont : kBodyFont,
                                  "HELP_TEXT_", line, 0.0f, -1.0f, {0, LineY(line)}, colour);
    AddCaption(*backControl, "BACK");
}

} // namespace ActionPuzzle
