#include "game/menus/GUIMainMenuWindow.h"

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/TextAlign.h"
#include "game/common/GameData.h"
#include "game/common/GameWindowActions.h"
#include "game/common/Profile.h"
#include "game/common/ProfileManager.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;

namespace {

struct ButtonRow {
    int placement;  // button_<n> of the main menu's frame
    const char* caption;
    int32_t layer;
};

// From the top down.
constexpr ButtonRow kButtons[GUIMainMenuWindow::ButtonCount] = {
    {6, "MAIN_MENU_START", 1},          {5, "MAIN_MENU_HIGH_SCORES", 2}, {4, "MAIN_MENU_OPTIONS", 3},
    {3, "MAIN_MENU_CHANGE_PROFILE", 4}, {2, "MAIN_MENU_SHOW_PLACE", 5},  {1, "MAIN_MENU_CREDITS", 6},
    {0, "MAIN_MENU_EXIT", 7},
};

} // namespace

GUIMainMenuWindow::GUIMainMenuWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                     GameData* gameData, GUIMenuWindowManager* manager,
                                     ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager)
    : GUIMenuWindow(MenuFrameKind::MainMenu, engine, soundPlayer, gameData, manager, parent),
      profileManager(profileManager)
{
    const GameData::ButtonLook& look = gameData->controlModels.buttonMainMenu;
    for (int i = 0; i < ButtonCount; ++i) {
        GUIControl* control = new GUIControl(engine, gameData->menuFrameModels.mainMenu.buttons[kButtons[i].placement],
                                             gameData, MenuControlKind::Button, look.look, look.selectionArea,
                                             look.textArea, frameWidget);
        control->SetAppearSpeed(MainMenuAppearSpeed);
        buttonControls[i] = control;
        buttons[i] = control->button;
        buttons[i]->SetLayer(kButtons[i].layer);
        controls.push_back(control);
    }
}

GUIMainMenuWindow::~GUIMainMenuWindow()
{
    for (GUIControl* control : buttonControls)
        delete control;
}

void GUIMainMenuWindow::Open()
{
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    title = textManager->GetText("MAIN_MENU_WELCOME");
    if (profile)
        title += u" " + profile->GetName();
    title += u"!";
    openRequested = true;
}

void GUIMainMenuWindow::Close()
{
    GUIMainMenuWindowBase::Close();
    GUIMenuWindow::Close();
}

void GUIMainMenuWindow::Update()
{
    GUIMainMenuWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;

    const bool ready = shown && !IsAnyControlAnimating();
    for (int i = 0; i < ButtonCount; ++i) {
        ZorvaneEngine::GUIButton* button = buttons[i];
        const int32_t font = button->state == ZorvaneEngine::ButtonStateHover     ? HoveredCaptionFont
                             : button->state == ZorvaneEngine::ButtonStatePressed ? PressedCaptionFont
                                                                                  : CaptionFont;
        // The captions stay opaque: they go with their buttons.
        button->AddTextByKey(ZorvaneEngine::TextAlign::Center, font, kButtons[i].caption, -1, 0.0f, -1.0f, {0, 0},
                             ZorvaneEngine::ColorRGBA(1, 1, 1, 1));
        button->SetEnabled(ready);
    }

    const auto* profile = static_cast<const Profile*>(profileManager->currentProfile);
    // A later click of the same frame wins.
    if (Clicked(buttons[ChangeProfile]))
        result = WindowAction::ToProfiles;
    if (Clicked(buttons[Start]))
        result = profile && profile->introductionPending ? ToIntroduction : WindowAction::Play;
    if (Clicked(buttons[HighScores]))
        result = WindowAction::ToHighScores;
    if (Clicked(buttons[Options]))
        result = WindowAction::ToOptions;
    if (Clicked(buttons[Exit]))
        result = WindowAction::ToExit;
    if (Clicked(buttons[ShowPlace]))
        result = ToShowPlace;
    if (Clicked(buttons[Credits]))
        result = WindowAction::ToHelp;
}

} // namespace ActionPuzzle
