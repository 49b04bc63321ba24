#include "game/menus/GUIProfilesWindow.h"

#include <algorithm>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindowFlags.h"
#include "engine/gui/TextAlign.h"
#include "framework/ProfileBase.h"
#include "game/common/GUIModelHelpers.h"
#include "game/common/GameData.h"
#include "game/common/ProfileManager.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

constexpr int32_t kRowFont = 3;
constexpr int32_t kCurrentRowFont = 4;
constexpr int32_t kHoveredRowFont = 5;

} // namespace

GUIProfilesWindow::GUIProfilesWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                     GameData* gameData, GUIMenuWindowManager* manager,
                                     ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager)
    : GUIProfilesWindowBase(profileManager),
      GUIMenuWindow(MenuFrameKind::BigWindow, engine, soundPlayer, gameData, manager, parent)
{
    const GameData::ProfilesModels& models = gameData->profilesModels;
    const GameData::ControlModels& looks = gameData->controlModels;
    listPanel = new GUIControl(engine, models.text, gameData, MenuControlKind::Window, models.text, nullptr,
                               models.text, frameWidget);
    controls.push_back(listPanel);

    const ZorvaneEngine::Vector2 panelCorner = BoxCorner(*models.text);
    const ZorvaneEngine::Vector2 panelSize = BoxSize(*models.text);
    const float x = panelCorner.x + (panelSize.x - RowWidth) / 2;
    for (int32_t i = 0; i < RowCount; ++i) {
        const float y = panelCorner.y + FirstRowY - RowStep * static_cast<float>(i);
        rows.push_back(guiManager->CreateButton(ZorvaneEngine::GUIWindowFlags::Visible, {x, y}, {RowWidth, RowHeight},
                                                nullptr, frameWidget));
    }

    scrollBar = new GUIControl(engine, models.scroll, gameData, MenuControlKind::ScrollVertical, looks.scrollV.track,
                               nullptr, nullptr, frameWidget);
    scrollBar->scroll->reversed = true;
    controls.push_back(scrollBar);

    const GameData::ButtonLook& look = looks.buttonSmall;
    GUIControl** buttons[] = {&newButton, &renameButton, &deleteButton, &doneButton};
    for (int i = 0; i < 4; ++i) {
        *buttons[i] = new GUIControl(engine, models.buttons[i], gameData, MenuControlKind::Button, look.look,
                                     look.selectionArea, look.textArea, frameWidget);
        controls.push_back(*buttons[i]);
    }
    SetTitle("PROFILES_TITLE");
}

GUIProfilesWindow::~GUIProfilesWindow()
{
    delete doneButton;
    delete deleteButton;
    delete renameButton;
    delete newButton;
    delete scrollBar;
    for (ZorvaneEngine::GUIButton* row : rows) {
        if (guiManager->buttons.Remove(row))
            delete row;
    }
    delete listPanel;
}

void GUIProfilesWindow::Open()
{
    selectedName.clear();
    names.clear();
    // Without a current profile the list is just the sorted names.
    const GameFramework::ProfileBase* current = profileManager->currentProfile;
    if (current)
        names.push_back(current->GetName());
    for (const auto& profile : profileManager->GetProfiles()) {
        if (profile.get() != current)
            names.push_back(profile->GetName());
    }
    const int32_t count = static_cast<int32_t>(names.size());
    for (int32_t i = 0; i < RowCount; ++i)
        rows[i]->SetVisible(i < count);
    ZorvaneEngine::GUIScroll* scroll = scrollBar->scroll;
    if (count > RowCount) {
        scroll->SetEnabled(true);
        scroll->steps = static_cast<uint32_t>(std::max(count - RowCount + 1, 2));
    } else {
        scroll->SetEnabled(false);
        scroll->steps = 2;
    }
    scroll->SetPosition(0);
    openRequested = true;
}

void GUIProfilesWindow::Close()
{
    GUIProfilesWindowBase::Close();
    GUIMenuWindow::Close();
}

void GUIProfilesWindow::Update()
{
    GUIProfilesWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;

    const size_t top = scrollBar->scroll->position;
    for (size_t i = 0; i < rows.size(); ++i) {
        ZorvaneEngine::GUIButton* row = rows[i];
        if (!row->effectivelyVisible || top + i >= names.size())
            break;
        const std::u16string& name = names[top + i];
        if (Clicked(row)) {
            if (GameFramework::ProfileBase* chosen = profileManager->FindProfile(name)) {
                profileManager->currentProfile = chosen;
                profileManager->SaveProfileList();
            }
        }
        const GameFramework::ProfileBase* current = profileManager->currentProfile;
        const bool isCurrent = current && current->GetName() == name;
        row->SetEnabled(!isCurrent);
        const int32_t font = isCurrent ? kCurrentRowFont : row->hovered ? kHoveredRowFont : kRowFont;
        row->AddText(ZorvaneEngine::TextAlign::Center, font, name, 0.0f, -1.0f, {0, 0}, colour);
    }

    const GameFramework::ProfileBase* current = profileManager->currentProfile;
    if (Clicked(newButton->button))
        result = WindowAction::ToNewProfile;
    if (Clicked(renameButton->button) && current) {
        result = WindowAction::ToRenameProfile;
        selectedName = current->GetName();
    }
    if (Clicked(deleteButton->button) && current) {
        result = WindowAction::ToDeleteProfile;
        selectedName = current->GetName();
    }
    if (Clicked(doneButton->button))
        result = WindowAction::ToMainMenu;

    AddCaption(*newButton, "PROFILES_NEW");
    AddCaption(*renameButton, "PROFILES_RENAME");
    AddCaption(*deleteButton, "PROFILES_DELETE");
    AddCaption(*doneButton, "PROFILES_DONE");
}

} // namespace ActionPuzzle
