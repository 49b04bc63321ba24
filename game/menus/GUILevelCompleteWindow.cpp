#include "game/menus/GUILevelCompleteWindow.h"

#include <algorithm>
#include <cmath>

#include "engine/core/TextUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlign.h"
#include "engine/sound/Sound.h"
#include "framework/ProfileBase.h"
#include "framework/SoundPlayer.h"
#include "game/common/GUIModelHelpers.h"
#include "game/common/GameData.h"
#include "game/common/LevelManager.h"
#include "game/common/ProfileManager.h"
#include "game/common/SoundId.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindowManager.h"

namespace ActionPuzzle {

using GameFramework::WindowAction;
using ZorvaneEngine::ColorRGBA;
using ZorvaneEngine::TextAlign;

namespace {

constexpr int32_t kLabelFont = 2;
constexpr int32_t kValueFont = 4;
constexpr int32_t kNameFont = 5;
constexpr float kYourTimeY = 131.0f;
constexpr float kAceTimeY = 114.0f;
constexpr float kBonusY = 94.0f;
constexpr float kBestTimeY = 70.0f;
constexpr float kHolderY = 53.0f;
// The totem's share starts to grow after a second, over 1/0.75 s.
constexpr float kTotemDelay = 1.0f;
constexpr float kTotemRate = 0.75f;
// CONTINUE finishes the bonus and the totem at once.
constexpr float kFinished = 100000.0f;
constexpr char16_t kPlaceholder[] = u"%profile_name%";


} // namespace

GUILevelCompleteWindow::GUILevelCompleteWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                               GameData* gameData, GUIMenuWindowManager* manager,
                                               ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager,
                                               LevelManager* levelManager)
    : GUILevelCompleteWindowBase(engine, levelManager),
      GUIMenuWindow(MenuFrameKind::BigWindow, engine, soundPlayer, gameData, manager, parent),
      profileManager(profileManager)
{
    const GameData::LevelCompleteModels& models = gameData->levelCompleteModels;
    const ZorvaneEngine::Model* totem = gameData->controlModels.totem;
    decoration = AddControl(std::make_unique<GUIControl>(engine, models.frame, gameData, MenuControlKind::Window,
                                                         models.frame, nullptr, models.frame, frameWidget));
    totemBase = AddControl(std::make_unique<GUIControl>(engine, models.totem, gameData, MenuControlKind::Window,
                                                        totem, nullptr, nullptr, frameWidget));
    totemOverlay = AddControl(std::make_unique<GUIControl>(engine, models.totem, gameData, MenuControlKind::Window,
                                                           totem, nullptr, nullptr, frameWidget));
    totemBase->widget->SetLayer(2);
    totemOverlay->widget->SetLayer(3);
    ShowModelFrame(*totemBase->widget, 1);
    ShowModelFrame(*totemOverlay->widget, 0);
    continueButton = AddBigButton(gameData->menuFrameModels.bigWindow.buttons[0]);
    // The labels start at its left edge and the numbers end at its right.
    valuesWindow = guiManager->CreateWindow(ZorvaneEngine::GUIWindowFlags::Visible, {249, 95}, {243, 0}, nullptr,
                                            frameWidget);
    SetTitle("LEVEL_COMPLETE_TITLE");
}

GUILevelCompleteWindow::~GUILevelCompleteWindow()
{
    if (valuesWindow && guiManager->windows.Remove(valuesWindow))
        delete valuesWindow;
}

std::u16string GUILevelCompleteWindow::TimeText(float seconds)
{
    const int32_t whole = std::max(0, static_cast<int32_t>(seconds));
    return ZorvaneEngine::IntToWideText(whole / 60) + u":" + ZorvaneEngine::IntToWideText(whole % 60, 2);
}

uint32_t GUILevelCompleteWindow::BonusPoints(float aceSeconds, float playerSeconds, float clock)
{
    if (!(aceSeconds > playerSeconds))
        return 0;
    const float gap = aceSeconds - std::trunc(playerSeconds);
    const float counted = std::min(std::max(clock - CountDelay, 0.0f) * CountRate, gap);
    return static_cast<uint32_t>(counted * BonusPerSecond);
}

int32_t GUILevelCompleteWindow::AceSeconds() const
{
    const auto& levels = levelManager->levels;
    if (stage >= levels.size() || level >= levels[stage].size())
        return 0;
    const auto& info = static_cast<const LevelInfo&>(*levels[stage][level]);
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    return info.aceTimes[profile && profile->modeFlag == 1 ? 1 : 0];
}

void GUILevelCompleteWindow::Open(const GameFramework::LevelInfo& info, float seconds)
{
    GUILevelCompleteWindowBase::Open(info, seconds);
    openRequested = true;
    openWithTitlePlate = true;
    bonusClock = 0.0f;
    totemClock = 0.0f;
    leaving = false;
    creditedBonus = 0;
    ShowModelFrame(*totemBase->widget, 2 * stage + 1);
    ShowModelFrame(*totemOverlay->widget, 2 * stage);
}

void GUILevelCompleteWindow::Close()
{
    leaving = false;
    StopChargeSound();
}

void GUILevelCompleteWindow::StopChargeSound()
{
    if (GUIMenuWindow::soundPlayer->GetSoundState(SoundChargeScore) == ZorvaneEngine::SoundState::Playing)
        GUIMenuWindow::soundPlayer->StopSound(SoundChargeScore);
}

void GUILevelCompleteWindow::UpdateBonus(float dt)
{
    const int32_t ace = AceSeconds();
    if (!(static_cast<float>(ace) > time))
        return;
    if (colour.a > 0.9999f)
        bonusClock += dt;
    const uint32_t points = BonusPoints(static_cast<float>(ace), time, bonusClock);
    GameFramework::ProfileBase* profile = profileManager->currentProfile;
    if (points > creditedBonus && profile != nullptr) {
        profile->totalScore += points - creditedBonus;
        creditedBonus = points;
        if (GUIMenuWindow::soundPlayer->GetSoundState(SoundChargeScore) != ZorvaneEngine::SoundState::Playing)
            GUIMenuWindow::soundPlayer->PlaySound(SoundChargeScore);
        // Saved once the whole bonus is in, so that it survives whatever
        // ends the program during the next level.
        if (points == BonusPoints(static_cast<float>(ace), time, kFinished))
            profile->Save();
    } else {
        StopChargeSound();
    }
}

void GUILevelCompleteWindow::UpdateTotem(float dt)
{
    totemClock += dt;
    const auto& levels = levelManager->levels;
    const float n = stage < levels.size() ? static_cast<float>(levels[stage].size()) : 1.0f;
    const float u = std::clamp((totemClock - kTotemDelay) * kTotemRate, 0.0f, 1.0f);
    const float share = (1.0f - u) * static_cast<float>(level) / n + u * static_cast<float>(level + 1) / n;
    totemOverlay->colour = ColorRGBA(1, 1, 1, colour.a * share);
    totemOverlay->Update();
}

void GUILevelCompleteWindow::AddTexts(int32_t ace)
{
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    const auto label = [&](const char* key, float y) {
        valuesWindow->AddTextByKey(0, kLabelFont, key, -1, 0.0f, -1.0f, {0, y}, colour);
    };
    const auto value = [&](const std::u16string& text, float y) {
        valuesWindow->AddText(TextAlign::Right, kValueFont, text, 0.0f, -1.0f, {0, y}, colour);
    };
    label("LEVEL_COMPLETE_YOUR_TIME", kYourTimeY);
    value(TimeText(time), kYourTimeY);
    label("LEVEL_COMPLETE_ACE_TIME", kAceTimeY);
    value(TimeText(static_cast<float>(ace)), kAceTimeY);
    if (static_cast<float>(ace) > time) {
        label("LEVEL_COMPLETE_TIME_BONUS", kBonusY);
        value(ZorvaneEngine::UIntToWideText(creditedBonus), kBonusY);
    } else {
        label("LEVEL_COMPLETE_NO_TIME_BONUS", kBonusY);
    }
    label("LEVEL_COMPLETE_BEST_TIME", kBestTimeY);
    if (profile != nullptr) {
        const uint32_t mode = profile->modeFlag;
        for (const auto& record : profile->GetBestRecords()) {
            if (record->modeFlag == mode && record->stage == stage && record->level == level) {
                value(TimeText(record->bestTime), kBestTimeY);
                break;
            }
        }
    }
    AddBestTimeHolder();
    AddCaption(*continueButton, "CONTINUE");
}

void GUILevelCompleteWindow::AddBestTimeHolder()
{
    const std::u16string text = textManager->GetText("LEVEL_COMPLETE_BEST_TIME_NAME");
    const std::u16string lower = ZorvaneEngine::ToLowerCase(text);
    const std::u16string placeholder = kPlaceholder;
    if (lower.find(placeholder) == std::u16string::npos) {
        valuesWindow->AddText(0, kNameFont, text, 0.0f, -1.0f, {0, kHolderY}, colour);
        return;
    }
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    const std::u16string name = profile ? profile->GetName() : std::u16string();
    // The name in its own font, letter by letter, in the line's flow.
    const ZorvaneEngine::GUIFont* nameFont = fontManager->GetFont(kNameFont);
    const ZorvaneEngine::GUIFont* textFont = fontManager->GetFont(kLabelFont);
    float x = 0.0f;
    const auto put = [&](char16_t c, int32_t font, const ZorvaneEngine::GUIFont* metrics) {
        const std::u16string letter(1, c);
        valuesWindow->AddText(0, font, letter, 0.0f, -1.0f, {x, kHolderY}, colour);
        if (metrics != nullptr)
            x += metrics->MeasureText(letter, 0.0f, -1.0f).x;
    };
    size_t i = 0;
    while (i < text.size()) {
        if (lower.compare(i, placeholder.size(), placeholder) == 0) {
            for (char16_t c : name)
                put(c, kNameFont, nameFont);
            i += placeholder.size();
        } else {
            put(text[i], kLabelFont, textFont);
            ++i;
        }
    }
}

void GUILevelCompleteWindow::Update()
{
    GUILevelCompleteWindowBase::Update();
    GUIMenuWindow::Update();
    const float dt = timers->frameStep;
    GUIBackgroundWindow* background = manager->GetBackground();
    if (!IsFrameVisible()) {
        if (leaving && background->IsTransitionFinished())
            result = levelManager->IsLastLevelOfStage(stage, level) ? WindowAction::StageComplete
                                                                     : WindowAction::Proceed;
        return;
    }
    if (Clicked(continueButton->button)) {
        GUIMenuWindow::Close();
        background->FadeInLayers();
        leaving = true;
        bonusClock = kFinished;
        totemClock = kFinished;
    }
    UpdateTotem(dt);
    UpdateBonus(dt);
    AddTexts(AceSeconds());
}

} // namespace ActionPuzzle
