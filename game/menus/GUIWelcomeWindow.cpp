#include "game/menus/GUIWelcomeWindow.h"

#include "engine/gui/GUIManager.h"
#include "framework/ProfileManagerBase.h"
#include "game/common/ProfileManager.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIProfileNameEntry.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

GUIWelcomeWindow::GUIWelcomeWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                   GameData* gameData, GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent,
                                   ProfileManager* profileManager)
    : GUIWelcomeWindowBase(profileManager),
      GUIMenuWindow(MenuFrameKind::SmallWindow, engine, soundPlayer, gameData, manager, parent)
{
    entry = std::make_unique<GUIProfileNameEntry>(*this, false);
    SetTitle("WELCOME_TITLE");
}

GUIWelcomeWindow::~GUIWelcomeWindow() = default;

void GUIWelcomeWindow::Open()
{
    entry->SetText(std::u16string());
    openRequested = true;
}

void GUIWelcomeWindow::Close()
{
    GUIWelcomeWindowBase::Close();
    GUIMenuWindow::Close();
}

void GUIWelcomeWindow::Update()
{
    GUIWelcomeWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (entry->IsOtherClicked())
        result = WindowAction::ToExit;
    if (entry->IsAccepted()) {
        const std::u16string name = entry->GetName();
        profileManager->AddProfile(name);
        // A profile that could not be made leaves the player here.
        if (GameFramework::ProfileBase* profile = profileManager->FindProfile(name)) {
            profileManager->currentProfile = profile;
            profileManager->SaveProfileList();
            result = WindowAction::ToMainMenu;
        }
    }
    // The typed name fades with the window.
    entry->edit->editBox->color = colour;
    entry->AddTexts("OK", "EXIT");
}

} // namespace ActionPuzzle
