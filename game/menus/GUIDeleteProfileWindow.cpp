#include "game/menus/GUIDeleteProfileWindow.h"

#include "engine/core/TextUtils.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/TextAlign.h"
#include "game/common/GameData.h"
#include "game/common/ProfileManager.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

constexpr float kFirstLineY = 129.0f;
constexpr float kLineStep = 23.0f;
constexpr int32_t kTextFont = 2;

} // namespace

GUIDeleteProfileWindow::GUIDeleteProfileWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                               GameData* gameData, GUIMenuWindowManager* manager,
                                               ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager)
    : GUIDeleteProfileWindowBase(profileManager),
      GUIMenuWindow(MenuFrameKind::SmallWindow, engine, soundPlayer, gameData, manager, parent)
{
    const GameData::MenuFrame<2>& frame = gameData->menuFrameModels.smallWindow;
    const GameData::ButtonLook& look = gameData->controlModels.buttonBig;
    no = new GUIControl(engine, frame.buttons[0], gameData, MenuControlKind::Button, look.look, look.selectionArea,
                        look.textArea, frameWidget);
    yes = new GUIControl(engine, frame.buttons[1], gameData, MenuControlKind::Button, look.look, look.selectionArea,
                         look.textArea, frameWidget);
    controls.push_back(no);
    controls.push_back(yes);
    SetTitle("DELETE_PROFILE_TITLE");
}

GUIDeleteProfileWindow::~GUIDeleteProfileWindow()
{
    delete yes;
    delete no;
}

void GUIDeleteProfileWindow::Open(const std::u16string& name)
{
    GUIDeleteProfileWindowBase::Open(name);
    openRequested = true;
}

void GUIDeleteProfileWindow::Close()
{
    GUIDeleteProfileWindowBase::Close();
    GUIMenuWindow::Close();
}

std::u16string GUIDeleteProfileWindow::GetTextLine(int32_t line) const
{
    std::u16string text = textManager->GetText("DELETE_PROFILE_TEXT_", line);
    ZorvaneEngine::ReplaceAllNoCase(text, u"%PROFILE_NAME%", u"\"" + profileName + u"\"");
    return text;
}

void GUIDeleteProfileWindow::Update()
{
    GUIDeleteProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (Clicked(no->button))
        result = WindowAction::ToProfiles;
    if (Clicked(yes->button)) {
        profileManager->DeleteProfile(profileName);
        result = profileManager->GetProfiles().empty() ? WindowAction::ToNewProfile : WindowAction::ToProfiles;
    }
    for (int32_t i = 0; i < TextLines; ++i) {
        frameWidget->AddText(ZorvaneEngine::TextAlign::CenterX, kTextFont, GetTextLine(i), 0.0f, -1.0f,
                             {0, kFirstLineY - kLineStep * static_cast<float>(i)}, colour);
    }
    AddCaption(*yes, "YES");
    AddCaption(*no, "NO");
}

} // namespace ActionPuzzle
