#include "game/menus/GUINewProfileWindow.h"

#include "framework/ProfileManagerBase.h"
#include "game/common/ProfileManager.h"
#include "game/menus/GUIProfileNameEntry.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

GUINewProfileWindow::GUINewProfileWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                         GameData* gameData, GUIMenuWindowManager* manager,
                                         ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager)
    : GUINewProfileWindowBase(profileManager),
      GUIMenuWindow(MenuFrameKind::SmallWindow, engine, soundPlayer, gameData, manager, parent)
{
    entry = std::make_unique<GUIProfileNameEntry>(*this, true);
    SetTitle("NEW_PROFILE_TITLE");
}

GUINewProfileWindow::~GUINewProfileWindow() = default;

void GUINewProfileWindow::Open(GameFramework::NewProfileOpenMode mode)
{
    if (mode == GameFramework::NewProfileOpenMode::FromProfileList)
        entry->SetText(std::u16string());
    noProfiles = profileManager->GetProfiles().empty();
    openRequested = true;
}

void GUINewProfileWindow::Close()
{
    GUINewProfileWindowBase::Close();
    GUIMenuWindow::Close();
}

void GUINewProfileWindow::Update()
{
    GUINewProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (entry->IsOtherClicked())
        result = noProfiles ? WindowAction::ToExit : WindowAction::ToProfiles;
    if (entry->IsAccepted()) {
        const std::u16string name = entry->GetName();
        if (profileManager->FindProfile(name)) {
            result = WindowAction::ProfileNameConflict;
        } else {
            profileManager->AddProfile(name);
            if (GameFramework::ProfileBase* profile = profileManager->FindProfile(name)) {
                profileManager->currentProfile = profile;
                profileManager->SaveProfileList();
                result = WindowAction::ToProfiles;
            }
        }
    }
    entry->AddTexts("OK", noProfiles ? "EXIT" : "CANCEL");
}

} // namespace ActionPuzzle
