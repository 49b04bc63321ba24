#include "game/menus/GUIHighScoresWindow.h"

#include <algorithm>

#include "engine/core/TextUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "engine/gui/TextAlign.h"
#include "framework/HighScoresTable.h"
#include "game/common/GameData.h"
#include "game/common/GameWindowActions.h"
#include "game/common/Profile.h"
#include "game/common/ProfileManager.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using GameFramework::HighScoreEntry;
using GameFramework::HighScoresOpenMode;
using GameFramework::WindowAction;
using ZorvaneEngine::TextAlign;

namespace {

constexpr int32_t kTitleFont = 1;
constexpr int32_t kRowFont = 3;
constexpr int32_t kNewEntryFont = 4;
constexpr float kTableTitleY = 283.0f;
constexpr float kNoRecordsY = 261.0f;

} // namespace

GUIHighScoresWindow::GUIHighScoresWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                         GameData* gameData, GUIMenuWindowManager* manager,
                                         ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager,
                                         GameFramework::HighScoresTable* highScores)
    : GUIHighScoresWindowBase(highScores),
      GUIMenuWindow(MenuFrameKind::BigWindow, engine, soundPlayer, gameData, manager, parent),
      profileManager(profileManager)
{
    const GameData::MenuFrame<3>& frame = gameData->menuFrameModels.bigWindow;
    modeControl = AddBigButton(frame.buttons[1]);
    backControl = AddBigButton(frame.buttons[0]);
    backButton = backControl->button;
    modeButton = modeControl->button;
    SetTitle("HIGH_SCORES_TITLE");

    const auto column = [&](float x) {
        return guiManager->CreateWindow(ZorvaneEngine::GUIWindowFlags::Visible, {x, 0}, {0, 0}, nullptr,
                                        frameWidget);
    };
    placeColumn = column(290);
    nameColumn = column(295);
    scoreColumn = column(525);
}

GUIHighScoresWindow::~GUIHighScoresWindow()
{
    for (ZorvaneEngine::GUIWindow** column : {&placeColumn, &nameColumn, &scoreColumn})
        guiManager->DeleteWindow(*column);
}

void GUIHighScoresWindow::Open(HighScoresOpenMode mode, HighScoreEntry* entry)
{
    GUIHighScoresWindowBase::Open(mode, entry);
    openRequested = true;
    tableAlpha = 1.0f;
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    chosenMode = shownMode = profile ? profile->modeFlag : ArcadeMode;
}

void GUIHighScoresWindow::Close()
{
    GUIHighScoresWindowBase::Close();
    GUIMenuWindow::Close();
}

void GUIHighScoresWindow::Update()
{
    GUIHighScoresWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;

    if (Clicked(modeButton))
        chosenMode = chosenMode == ArcadeMode ? RelaxMode : ArcadeMode;
    if (Clicked(backButton)) {
        // The relax mode is offered once per player, after the first lost
        // arcade game whose scores were looked at.
        auto* profile = static_cast<Profile*>(profileManager->currentProfile);
        if (profile && profile->relaxOfferPending && profile->modeFlag == ArcadeMode &&
            openMode == HighScoresOpenMode::AfterGameOver) {
            profile->relaxOfferPending = false;
            profile->Save();
            result = ToRelaxOffer;
        } else {
            result = WindowAction::ToMainMenu;
        }
    }

    const float dt = timers->frameStep;
    if (chosenMode == shownMode) {
        tableAlpha = std::min(tableAlpha + TableFadeInSpeed * dt, 1.0f);
    } else {
        tableAlpha -= TableFadeOutSpeed * dt;
        if (tableAlpha < 0.0f) {
            tableAlpha = 0.0f;
            shownMode = chosenMode;
        }
    }
    ZorvaneEngine::ColorRGBA tableColour = colour;
    tableColour.a *= tableAlpha;
    AddTable(tableColour);

    // The button names the other table, and changes once the fade-out ends.
    modeButton->AddTextByKey(TextAlign::Center, kTitleFont,
                             shownMode == RelaxMode ? "HIGH_SCORES_ARCADE_MODE_BUTTON"
                                                    : "HIGH_SCORES_RELAX_MODE_BUTTON",
                             -1, 0.0f, -1.0f, {0, 0}, tableColour);
    AddCaption(*backControl, openMode == HighScoresOpenMode::FromMainMenu ? "BACK" : "OK");
}

void GUIHighScoresWindow::AddTable(const ZorvaneEngine::ColorRGBA& tableColour) const
{
    frameWidget->AddTextByKey(TextAlign::CenterX, kTitleFont,
                              shownMode == ArcadeMode ? "HIGH_SCORES_ARCADE_MODE_TITLE"
                                                      : "HIGH_SCORES_RELAX_MODE_TITLE",
                              -1, 0.0f, -1.0f, {0, kTableTitleY}, tableColour);
    uint32_t row = 0;
    for (const auto& entry : highScores->GetEntries()) {
        if (entry->mode != shownMode)
            continue;
        const float y = FirstRowY - RowStep * static_cast<float>(row);
        // Compared only: the pointer given to Open may be stale by now.
        const int32_t font = entry.get() == newEntry ? kNewEntryFont : kRowFont;
        placeColumn->AddText(TextAlign::Right, font, ZorvaneEngine::UIntToWideText(row + 1) + u".", 0.0f, -1.0f,
                             {0, y}, tableColour);
        if (!entry->name.empty())
            nameColumn->AddText(TextAlign::Left, font, entry->name, 0.0f, -1.0f, {0, y}, tableColour);
        scoreColumn->AddText(TextAlign::Right, font, ZorvaneEngine::UIntToWideText(entry->score), 0.0f, -1.0f,
                             {0, y}, tableColour);
        ++row;
    }
    if (row == 0)
        frameWidget->AddTextByKey(TextAlign::CenterX, kRowFont, "HIGH_SCORES_NO_RECORDS", -1, 0.0f, -1.0f,
                                  {0, kNoRecordsY}, tableColour);
}

} // namespace ActionPuzzle
