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

const QuestionLayout kLayout{"DELETE_PROFILE_TITLE", "DELETE_PROFILE_TEXT_", GUIDeleteProfileWindow::TextLines,
                             129.0f, 23.0f, "YES", "NO"};
constexpr int32_t kTextFont = 2;

} // namespace

GUIDeleteProfileWindow::GUIDeleteProfileWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                               GameData* gameData, GUIMenuWindowManager* manager,
                                               ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager)
    : GUIDeleteProfileWindowBase(profileManager),
      GUIQuestionWindow(kLayout, engine, soundPlayer, gameData, manager, parent)
{
}

void GUIDeleteProfileWindow::Open(const std::u16string& name)
{
    GUIDeleteProfileWindowBase::Open(name);
    OpenQuestion();
}

void GUIDeleteProfileWindow::Close()
{
    GUIDeleteProfileWindowBase::Close();
    CloseQuestion();
}

std::u16string GUIDeleteProfileWindow::GetTextLine(int32_t line) const
{
    std::u16string text = textManager->GetText(layout.textPrefix, line);
    ZorvaneEngine::ReplaceAllNoCase(text, u"%PROFILE_NAME%", u"\"" + profileName + u"\"");
    return text;
}

void GUIDeleteProfileWindow::AddLines() const
{
    for (int32_t i = 0; i < layout.lines; ++i) {
        frameWidget->AddText(ZorvaneEngine::TextAlign::CenterX, kTextFont, GetTextLine(i), 0.0f, -1.0f,
                             {0, layout.firstLineY - layout.lineStep * static_cast<float>(i)}, colour);
    }
}

void GUIDeleteProfileWindow::Update()
{
    GUIDeleteProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (CancelClicked())
        result = WindowAction::ToProfiles;
    if (ConfirmClicked()) {
        profileManager->DeleteProfile(profileName);
        result = profileManager->GetProfiles().empty() ? WindowAction::ToNewProfile : WindowAction::ToProfiles;
    }
    AddTexts();
}

} // namespace ActionPuzzle
