#include "game/menus/GUIStartGameLogicWindow.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlign.h"
#include "framework/ProfileBase.h"
#include "framework/tools/GUIDoubleClickDetecter.h"
#include "framework/tools/GUITextPrinter.h"
#include "game/common/GUIModelHelpers.h"
#include "game/common/GameData.h"
#include "game/common/GameWindowActions.h"
#include "game/common/LevelManager.h"
#include "game/common/Profile.h"
#include "game/common/ProfileManager.h"
#include "game/gameplay/MiniGame.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIGameCompleteEffect.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/MapFile.h"

namespace ActionPuzzle {

using GameFramework::LevelStartOpenMode;
using GameFramework::WindowAction;
using ZorvaneEngine::ColorRGBA;
using ZorvaneEngine::GUIWindowFlags;
using ZorvaneEngine::Vector2;

namespace {

constexpr float kTolerance = 0.0001f;
// Totems light up and go out at this rate, per second.
constexpr float kTotemSpeed = 2.0f;
// After the mini game the map fades in at this rate, per second.
constexpr float kMapFadeSpeed = 2.0f;
// The preview: elements appear this far apart, each fading over kPreviewFade
// seconds, and fade out again kPreviewLag seconds later.
constexpr float kPreviewStep = 0.15f;
constexpr float kPreviewFade = 0.3f;
constexpr float kPreviewLag = 0.6f;
constexpr int32_t kCaptionFont = 1;

// Earlier on the path: a smaller stage, or the same stage and a smaller index.
bool Before(uint32_t stageA, uint32_t levelA, uint32_t stageB, uint32_t levelB)
{
    return stageA < stageB || (stageA == stageB && levelA < levelB);
}

} // namespace

GUIStartGameLogicWindow::GUIStartGameLogicWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                                                 GameData* gameData, GUIMenuWindowManager* manager,
                                                 ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager,
                                                 LevelManager* levelManager, GUIGameCompleteEffect* effect)
    : GUIMenuWindow(MenuFrameKind::LargeWindow, engine, soundPlayer, gameData, manager, parent),
      profileManager(profileManager),
      levelManager(levelManager),
      effect(effect)
{
    miniGame = std::make_unique<MiniGame>(engine, levelManager, gameData, frameWidget, soundPlayer);
    const ZorvaneEngine::Model* map = gameData->startGameModels.map;
    auto make = [&](const ZorvaneEngine::Model* placement, MenuControlKind kind, const ZorvaneEngine::Model* look,
                    const ZorvaneEngine::Model* hit, const ZorvaneEngine::Model* text) {
        return std::make_unique<GUIControl>(engine, placement, gameData, kind, look, hit, text, frameWidget);
    };
    const GameData::ButtonLook& small = gameData->controlModels.buttonSmall;
    const GameData::MenuFrame<2>& frame = gameData->menuFrameModels.largeWindow;
    // Only BACK is one of the window's controls; the map, START and the
    // relax box follow the map's colour and are updated here.
    auto mapOwned = make(map, MenuControlKind::Window, map, nullptr, map);
    mapControl = mapOwned.get();
    backButton = AddControl(make(frame.buttons[0], MenuControlKind::Button, small.look, small.selectionArea,
                                 small.textArea));
    auto startOwned = make(frame.buttons[1], MenuControlKind::Button, small.look, small.selectionArea, small.textArea);
    startButton = startOwned.get();
    const ZorvaneEngine::Model* box = gameData->controlModels.checkBox;
    auto relaxOwned = make(gameData->startGameModels.relaxCheckBox, MenuControlKind::CheckBox, box, box, nullptr);
    relaxBox = relaxOwned.get();
    for (auto* owned : {&mapOwned, &startOwned, &relaxOwned}) {
        mapControls.push_back(owned->get());
        ownedControls.push_back(std::move(*owned));
    }

    CreateTotems();
    doubleClick = std::make_unique<GameTools::GUIDoubleClickDetecter>(*engine);

    std::vector<MapRecord> records;
    try {
        records = ReadMapFile(*engine->fileManager);
    } catch (const ZorvaneEngine::FileError& error) {
        engine->log->Fatal(error.message);
    }
    for (const MapRecord& record : records) {
        if (record.type == MapElementType::CheckPoint)
            ++checkPointCount;
        elements.push_back(std::make_unique<GUIMapElement>(engine, record.type, gameData, doubleClick.get(),
                                                           record.transform, record.stage, record.index,
                                                           mapControl->widget));
        elements.back()->SetVisible(false);
    }
    SetTitle("START_GAME_TITLE");
}

GUIStartGameLogicWindow::~GUIStartGameLogicWindow()
{
    // The elements stand on the map's widget: they go before the controls.
    elements.clear();
    miniGame.reset();
    for (auto* copies : {&totemLights, &totemBases}) {
        for (ZorvaneEngine::GUIWindow*& window : *copies) {
            if (window && guiManager->windows.Remove(window))
                delete window;
            window = nullptr;
        }
    }
}

void GUIStartGameLogicWindow::CreateTotems()
{
    const ZorvaneEngine::Model* look = gameData->controlModels.totem;
    if (look == nullptr)
        return;
    const Vector2 lookCorner = BoxCorner(*look);
    const Vector2 lookSize = BoxSize(*look);
    for (uint32_t s = 0; s < TotemStages; ++s) {
        const ZorvaneEngine::Model* place = gameData->startGameModels.totems[s];
        if (place == nullptr || lookSize.x <= 0 || lookSize.y <= 0)
            continue;
        // The totem as wide as the stage's place, standing on its corner;
        // its height follows from its own shape.
        const Vector2 corner = BoxCorner(*place);
        const float k = BoxSize(*place).x / lookSize.x;
        const Vector2 scale(k, k);
        const Vector2 at(corner.x - lookCorner.x * k, corner.y - lookCorner.y * k);
        for (int copy = 0; copy < 2; ++copy) {
            ZorvaneEngine::GUIWindow* window = guiManager->CreateWindow(
                GUIWindowFlags::Visible | GUIWindowFlags::VertexColor, at, scale, look, frameWidget);
            window->SetLayer(10 * copy + 1);
            // The dark carving below, the stage's lit colours over it.
            ShowModelFrame(*window, copy == 0 ? 2 * s + 1 : 2 * s);
            (copy == 0 ? totemBases : totemLights)[s] = window;
        }
    }
}

bool GUIStartGameLogicWindow::GameFinished() const
{
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    return profile != nullptr && levelManager->IsLastLevel(profile->stage, profile->level) &&
           profile->stage == profile->furthestStage && profile->level == profile->furthestLevel && profile->endReached;
}

uint32_t GUIStartGameLogicWindow::CompletedStages() const
{
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    if (profile == nullptr)
        return 0;
    return profile->stage + (GameFinished() ? 1 : 0);
}

void GUIStartGameLogicWindow::SelectLevel(uint32_t stage, uint32_t level)
{
    GameFramework::ProfileBase* profile = profileManager->currentProfile;
    if (profile == nullptr)
        return;
    if (stage > profile->furthestStage) {
        stage = profile->furthestStage;
        level = profile->furthestLevel;
    } else if (stage == profile->furthestStage && level > profile->furthestLevel) {
        level = profile->furthestLevel;
    }
    for (auto& element : elements) {
        element->SetCheckPointModel(false);
        element->SetVisible(false);
    }
    for (auto& element : elements) {
        const uint32_t s = element->stage;
        const uint32_t i = element->index;
        if (Before(s, i, stage, level)) {
            element->SetState(GUIMapElement::Passed);
        } else if (s == stage && i == level) {
            element->SetCheckPointModel(true);
            element->SetState(GUIMapElement::Current);
            if (profile->stage != stage || profile->level != level) {
                profile->stage = stage;
                profile->level = level;
                profile->Save();
            }
        } else {
            element->SetState(GUIMapElement::Open);
        }
        element->SetVisible(true);
        if (s == profile->furthestStage && i == profile->furthestLevel)
            break;
    }
    if (GUIBackgroundWindow* background = manager->GetBackground())
        background->UpdateStageIndex();
}

void GUIStartGameLogicWindow::Open(LevelStartOpenMode mode)
{
    GUIStartGameLogicWindowBase::Open(mode);
    gameEnd = false;
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    const int32_t m = static_cast<int32_t>(mode);
    if (mode == LevelStartOpenMode::AfterRestart || mode == LevelStartOpenMode::AfterLevel || m == 13)
        return;
    if (mode == LevelStartOpenMode::FromContinue) {
        if (profile != nullptr && profile->inProgress)
            return;
        openMode = static_cast<LevelStartOpenMode>(0);
        relaxBox->active = true;
    } else {
        relaxBox->active = mode == LevelStartOpenMode::FromMainMenu;
    }
    const bool afterStage = mode == LevelStartOpenMode::AfterStage && profile != nullptr;
    uint32_t finishedStage = 0;
    if (afterStage) {
        // The profile has moved on to the next stage already, unless the
        // stage finished was the game's last.
        finishedStage = profile->stage;
        if (!levelManager->IsLastLevel(profile->stage, profile->level) && finishedStage > 0)
            --finishedStage;
        SetTitle("MINI_GAME_TITLE");
        miniGame->Start(finishedStage);
    } else {
        SetTitle("START_GAME_TITLE");
    }
    openRequested = true;
    mapColour = ColorRGBA(1, 1, 1, 0);
    if (profile != nullptr)
        SelectLevel(profile->stage, profile->level);
    const uint32_t done = CompletedStages();
    for (uint32_t s = 0; s < TotemStages; ++s)
        totemValues[s] = s < done ? 1.0f : 0.0f;
    // The finished stage's totem lights up when its puzzle is over, and the
    // map takes no clicks before.
    if (afterStage) {
        if (finishedStage < TotemStages)
            totemValues[finishedStage] = 0.0f;
        for (auto& element : elements)
            element->DisableClick();
    }
    for (auto& element : elements)
        element->SetAlpha(0.0f);
    relaxBox->checkBox->checked = profile != nullptr && profile->modeFlag != 0;
    previewTime = 0.0f;
    previewRunning = true;
}

void GUIStartGameLogicWindow::Close()
{
    GUIMenuWindow::Close();
}

void GUIStartGameLogicWindow::Update()
{
    GUIStartGameLogicWindowBase::Update();
    const int32_t m = static_cast<int32_t>(openMode);
    if (openMode == LevelStartOpenMode::FromContinue || m == 13 || openMode == LevelStartOpenMode::AfterLevel ||
        openMode == LevelStartOpenMode::AfterRestart) {
        // These ways in never show the map: the level plays at once.
        result = WindowAction::Play;
        openMode = static_cast<LevelStartOpenMode>(0);
        return;
    }
    const float dt = timers->frameStep;
    const float alphaBefore = colour.a;
    bool full = colour.a + kTolerance > 1.0f;
    GUIMenuWindow::Update();
    full = full && colour.a + kTolerance > 1.0f;

    UpdateMiniGame();

    // The map's controls appear with the window's and hide with them; after
    // a stage they wait for the mini game.
    const bool puzzleRunning = miniGame->active && !miniGame->finished;
    if (shown && !manager->free && !mapOut && !puzzleRunning) {
        for (GUIControl* control : mapControls)
            control->Show();
        mapOut = true;
    }
    if (!shown && mapOut && alphaBefore >= kTolerance && colour.a < kTolerance) {
        for (GUIControl* control : mapControls)
            control->Hide();
        mapOut = false;
    }
    if (!IsFrameVisible())
        return;

    if (miniGame->active) {
        // The map fades in once the mini game is over, and the map is not
        // fully there before.
        if (miniGame->finished) {
            mapColour.a = std::min(mapColour.a + kMapFadeSpeed * dt, 1.0f);
            const GameFramework::ProfileBase* player = profileManager->currentProfile;
            gameEnd = player != nullptr && levelManager->IsLastLevel(player->stage, player->level);
        }
        full = full && mapColour.a + kTolerance > 1.0f;
    } else {
        mapColour = ColorRGBA(1, 1, 1, 1);
        const uint32_t done = CompletedStages();
        for (uint32_t s = 0; s < TotemStages; ++s) {
            const float target = s < done ? 1.0f : 0.0f;
            totemValues[s] = target > totemValues[s] ? std::min(totemValues[s] + kTotemSpeed * dt, target)
                                                     : std::max(totemValues[s] - kTotemSpeed * dt, target);
        }
    }
    const ColorRGBA mapped(colour.r * mapColour.r, colour.g * mapColour.g, colour.b * mapColour.b,
                           colour.a * mapColour.a);
    for (GUIControl* control : mapControls) {
        control->colour = gameEnd && control == startButton ? ColorRGBA(0, 0, 0, 0) : mapped;
        control->Update();
    }
    // The frame in which the map closes itself still draws the rest.
    if (gameEnd)
        RunGameEnd();
    for (uint32_t s = 0; s < TotemStages; ++s) {
        if (totemBases[s])
            totemBases[s]->SetColor(ColorRGBA(1, 1, 1, colour.a));
        if (totemLights[s])
            totemLights[s]->SetColor(ColorRGBA(1, 1, 1, totemValues[s] * colour.a));
    }

    GameFramework::ProfileBase* profile = profileManager->currentProfile;
    if (Clicked(backButton->button))
        result = WindowAction::ToMainMenu;
    if (Clicked(startButton->button) && !gameEnd)
        result = openMode == LevelStartOpenMode::FromMainMenu ? ToTutorial : WindowAction::Play;
    if (relaxBox->active && Clicked(relaxBox->checkBox) && profile != nullptr) {
        profile->modeFlag = relaxBox->checkBox->checked ? 1 : 0;
        profile->Save();
    }

    AddCaption(*backButton, "BACK");
    startButton->widget->AddTextByKey(ZorvaneEngine::TextAlign::Center, kCaptionFont,
                                      openMode == LevelStartOpenMode::AfterStage ? "START_GAME_CONTINUE"
                                                                                 : "START_GAME_START",
                                      -1, 0.0f, -1.0f, {0, 0}, mapped);
    if (relaxBox->active)
        frameWidget->AddTextByKey(0, kCaptionFont, "START_GAME_RELAX_MODE", -1, 0.0f, 19.0f, {195, 23}, mapped);

    doubleClick->Update();
    if (full) {
        UpdateElements(dt);
    } else {
        for (auto& element : elements)
            element->SetAlpha(gameEnd ? 0.0f : mapColour.a * colour.a);
    }
}

void GUIStartGameLogicWindow::RunGameEnd()
{
    const float visible = colour.a * mapColour.a + kTolerance;
    // The effect starts once; later calls leave it running.
    if (visible > 0.2f && effect)
        effect->Start();
    if (visible <= 1.0f || !shown)
        return;
    if (GUIBackgroundWindow* background = manager->GetBackground())
        background->EndFinale();
    Close();
}

void GUIStartGameLogicWindow::UpdateMiniGame()
{
    const bool wasFinished = miniGame->finished;
    miniGame->Update(colour);
    if (!miniGame->finished || wasFinished)
        return;
    for (GUIControl* control : mapControls)
        control->Show();
    mapOut = true;
    if (miniGame->stage < TotemStages)
        totemValues[miniGame->stage] = 1.0f;
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    const bool lastStage = profile != nullptr && levelManager->IsLastLevel(profile->stage, profile->level);
    SetTitle(lastStage ? "GAME_COMPLETE_TITLE" : "START_GAME_STAGE_COMPLETE_TITLE");
    if (GUIBackgroundWindow* background = manager->GetBackground()) {
        if (GameTools::GUITextPrinter* printer = background->GetCentreTextPrinter())
            printer->SetText(title);
    }
}

void GUIStartGameLogicWindow::UpdateElements(float dt)
{
    const GUIMapElement* previous = nullptr;
    for (auto& element : elements) {
        if (!element->IsVisible() || element->state == GUIMapElement::Ahead)
            break;
        const bool wasHighlighted = previous != nullptr && previous->highlighted;
        element->highlighted = false;
        if (element->state != GUIMapElement::Current) {
            if (element->clickButton->hovered && !element->clickDisabled && !wasHighlighted) {
                element->ShowFrame(GUIMapElement::Hover);
                element->highlighted = true;
            } else {
                element->ShowFrame(element->state);
            }
            if (Clicked(element->clickButton)) {
                SelectLevel(element->stage, element->index);
                break;
            }
        }
        previous = element.get();
    }
    if (doubleClick->doubleClicked) {
        for (auto& element : elements) {
            if (element->IsVisible() && element->state != GUIMapElement::Ahead &&
                (!element->clickDisabled || element->state == GUIMapElement::Current) &&
                doubleClick->window == element->clickButton)
                result = WindowAction::Play;
        }
    }
    if (previewRunning)
        UpdatePreview(dt);
}

void GUIStartGameLogicWindow::UpdatePreview(float dt)
{
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    if (profile == nullptr || elements.empty())
        return;
    previewTime += dt;
    // The element of the furthest level reached.
    size_t start = 0;
    while (start < elements.size() && elements[start]->stage < profile->furthestStage)
        ++start;
    if (start + profile->furthestLevel < elements.size())
        start += profile->furthestLevel;
    for (int pass = 0; pass < 2; ++pass) {
        float t = previewTime - kPreviewLag * static_cast<float>(pass);
        if (t < 0.0f)
            continue;
        for (size_t i = start + 1; i < elements.size(); ++i) {
            GUIMapElement& element = *elements[i];
            if (!element.IsVisible()) {
                element.SetVisible(true);
                element.SetState(GUIMapElement::Ahead);
            }
            if (element.state == GUIMapElement::Ahead) {
                const float fade = t <= kPreviewFade ? t / kPreviewFade : 1.0f;
                element.SetAlpha(pass == 0 ? fade : 1.0f - fade);
            }
            t -= kPreviewStep;
            if (t < kTolerance)
                break;
            if (element.type != MapElementType::Path) {
                if (pass == 1 && t > 1.0f)
                    previewTime = 0.0f;
                break;
            }
        }
    }
}

} // namespace ActionPuzzle
