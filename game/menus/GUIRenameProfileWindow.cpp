#include "game/menus/GUIRenameProfileWindow.h"

#include "game/common/ProfileManager.h"
#include "game/menus/GUIProfileNameEntry.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

GUIRenameProfileWindow::GUIRenameProfileWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                               GameData* gameData, GUIMenuWindowManager* manager,
                                               ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager)
    : GUIRenameProfileWindowBase(profileManager),
      GUIMenuWindow(MenuFrameKind::SmallWindow, engine, soundPlayer, gameData, manager, parent)
{
    entry = std::make_unique<GUIProfileNameEntry>(*this, true);
    SetTitle("RENAME_PROFILE_TITLE");
}

GUIRenameProfileWindow::~GUIRenameProfileWindow() = default;

void GUIRenameProfileWindow::Open(bool keep, const std::u16string& name)
{
    GUIRenameProfileWindowBase::Open(keep, name);
    if (keep)
        entry->SetText(name);
    openRequested = true;
}

void GUIRenameProfileWindow::Close()
{
    GUIRenameProfileWindowBase::Close();
    GUIMenuWindow::Close();
}

void GUIRenameProfileWindow::Update()
{
    GUIRenameProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (entry->IsOtherClicked())
        result = WindowAction::ToProfiles;
    if (entry->IsAccepted())
        result = RenameProfile(entry->GetName()) ? WindowAction::ToProfiles : WindowAction::ProfileNameConflict;
    entry->AddTexts("OK", "CANCEL");
}

} // namespace ActionPuzzle
