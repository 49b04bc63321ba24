#include "game/gameplay/GameLogic.h"

#include <algorithm>
#include <cmath>

#include "engine/Engine.h"
#include "engine/core/BoundingBox.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/ScoreKeeper.h"
#include "framework/SoundPlayer.h"
#include "game/common/GameData.h"
#include "game/common/LevelManager.h"
#include "game/common/SoundId.h"
#include "game/gameplay/BonusManager.h"
#include "game/gameplay/GUIGameLogicTextManager.h"
#include "game/gameplay/GameLogicData.h"
#include "game/gameplay/Puzzle.h"
#include "game/gameplay/PuzzleDepository.h"
#include "game/gameplay/PuzzleElement.h"
#include "game/gameplay/PuzzleElementManager.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;
using GameFramework::GameLogicState;

namespace {

constexpr float Tolerance = 0.0001f;
// Seconds of fading out and in of a pause, as speed per second.
constexpr float PauseFade = 2.0f;
constexpr float ResumeFade = 1.3f;
// The held piece grows from path size to full size between these distances
// from the path, on the board's side.
constexpr float GrowStart = 20.0f;
constexpr float GrowLength = 25.0f;
// The magnet pulls from this far, fully from the nearer distance on, and
// then glides the piece the rest of the way.
constexpr float MagnetReach = 450.0f;
constexpr float MagnetFullPull = 200.0f;
constexpr float MagnetPull = 100.0f;
constexpr float MagnetGlideTime = 0.35f;

} // namespace

GameLogic::GameLogic(Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameFramework::GUIGameCursorBase* cursor,
                     GameFramework::ProfileManagerBase* profileManager, GameData* gameData, GameLogicData* logicData,
                     const StageInfo& stageInfo, const LevelInfo& levelInfo, int32_t carriedValue)
    : GameLogicBase(stageInfo, levelInfo, *engine, soundPlayer, carriedValue), cursor(cursor),
      profileManager(profileManager), gameData(gameData), logicData(logicData)
{
    for (const auto& [id, points] : {std::pair{Puzzle::ScoreLevelComplete, 1000}, {Puzzle::ScorePiecePlaced, 100},
                                     {Puzzle::ScoreSlotUnblocked, 350}, {Puzzle::ScoreBonusCollected, 250},
                                     {4, 25}}) {
        scoreKeeper->points.emplace(id, points);
    }
    relax = profileManager != nullptr && profileManager->currentProfile != nullptr &&
            profileManager->currentProfile->modeFlag == 1;

    boardWindow = engine->guiManager->CreateWindow(GUIWindowFlags::Visible, Vector2(0, 0), Vector2(0, 0), nullptr,
                                                   gameData->levelRootWindow);
    textManager = std::make_unique<GUIGameLogicTextManager>(engine, gameData->levelOverlayWindow);
    pieceManager =
        std::make_unique<PuzzleElementManager>(gameData, logicData, engine, soundPlayer, gameData->levelOverlayWindow);
    depository = std::make_unique<PuzzleDepository>(relax, pieceManager.get(), engine, soundPlayer, gameData,
                                                    textManager.get(), scoreKeeper.get());
    bonusManager = std::make_unique<BonusManager>(gameData, engine, depository.get(), relax, boardWindow);
    puzzle = std::make_unique<Puzzle>(engine, logicData, cursor, soundPlayer, gameData, textManager.get(),
                                      pieceManager.get(), depository.get(), bonusManager.get(), scoreKeeper.get(),
                                      relax, boardWindow);

    speed = 1.0f;
    magnetStep = 0.0f;
    // Arcade time runs from the end of the path's introduction run.
    if (relax) {
        levelTimer->SetPaused(false);
    }
    soundPlayer->PlaySound(SoundLevelBegin);
}

GameLogic::~GameLogic()
{
    puzzle.reset();
    bonusManager.reset();
    depository.reset();
    pieceManager.reset();
    textManager.reset();
    if (engine->guiManager->windows.Remove(boardWindow)) {
        delete boardWindow;
    }
}

bool GameLogic::MoveHeldPieces(PuzzleElement*& lastHeld)
{
    bool magnetActive = false;
    const GUICursor* guiCursor = engine->guiManager->GetDefaultCursor();
    const Vector2 pointer = guiCursor != nullptr ? guiCursor->position : Vector2();
    for (const std::unique_ptr<PuzzleElement>& piece : pieceManager->pieces) {
        if (!PuzzleElementManager::IsHeld(*piece)) {
            continue;
        }
        lastHeld = piece.get();
        piece->SetScale(1.0f);
        const Vector2 size = piece->GetSize();
        const float pathScale = std::min(depository->slotSize.x / size.x, depository->slotSize.y / size.y);
        const float w = std::clamp((depository->heldPieceSideDistance - GrowStart) / GrowLength, 0.0f, 1.0f);
        float q = w + (1.0f - w) * pathScale;
        const BoundingBox full(Vector3(piece->centre.x - size.x / 2, piece->centre.y - size.y / 2, 0),
                               Vector3(piece->centre.x + size.x / 2, piece->centre.y + size.y / 2, 0));
        if (!full.Overlaps(puzzle->boardBox)) {
            q = pathScale;
        }
        piece->SetScale(q);

        Vector2 target(pointer.x + depository->grabOffset.x, pointer.y + depository->grabOffset.y);
        if (PuzzleElement* slot = piece->magnetTarget) {
            const Vector2 origin = slot->GetSprite() != nullptr ? slot->GetSprite()->GetParentAbsolutePosition()
                                                                : Vector2();
            const Vector2 t(slot->centre.x + origin.x, slot->centre.y + origin.y);
            const Vector2 d(t.x - target.x, t.y - target.y);
            const float distance = std::hypot(d.x, d.y);
            if (distance < MagnetReach && distance > Tolerance) {
                const float pull = 1.0f - std::max(distance - MagnetFullPull, 0.0f) / (MagnetReach - MagnetFullPull);
                target.x += d.x / distance * pull * MagnetPull;
                target.y += d.y / distance * pull * MagnetPull;
            }
            if (distance < MagnetFullPull) {
                if (!slot->magnetShown) {
                    slot->StartMagnetHighlight();
                }
                magnetActive = true;
                const float glide = std::min(1.0f, magnetStep / MagnetGlideTime);
                target = Vector2(piece->centre.x * (1 - glide) + t.x * glide, piece->centre.y * (1 - glide) + t.y * glide);
            }
        }
        piece->SetPosition(target);
    }
    return magnetActive;
}

void GameLogic::DecideEnd()
{
    if (puzzle->placedCount == puzzle->GetPieceCount()) {
        if (relax) {
            if (puzzle->IsCompletionFinished()) {
                SetState(GameLogicState::Won);
            }
            return;
        }
        if (!depository->finalRunActive && !depository->finalRunFinished) {
            depository->StartFinalRun();
        }
        if (depository->finalRunFinished && puzzle->IsCompletionFinished()) {
            SetState(GameLogicState::Won);
        }
    } else if (!relax && depository->reachedEnd) {
        SetState(GameLogicState::Lost);
    }
}

void GameLogic::Update()
{
    const float dt = timers->frameStep;
    const bool paused = state == GameLogicState::Paused;
    const bool playing = state == GameLogicState::Playing;
    speed = std::clamp(speed + (paused ? -PauseFade : ResumeFade) * dt, 0.0f, 1.0f);

    const bool introWasFinished = depository->introFinished;
    depository->Update(paused, speed);
    if (!relax && !depository->introFinished) {
        // Arcade time starts with the end of the introduction run, also
        // when a pause or a lost focus was taken back during it.
        if (!levelTimer->IsPaused()) {
            levelTimer->SetPaused(true);
        }
    } else if (!introWasFinished && depository->introFinished && playing && levelTimer->IsPaused()) {
        levelTimer->SetPaused(false);
    }

    PuzzleElement* lastHeld = nullptr;
    const bool magnetActive = playing && MoveHeldPieces(lastHeld);

    if (playing && lastHeld != nullptr && lastHeld->magnetTarget != nullptr) {
        if (soundPlayer->GetSoundState(SoundBonusMagnet) != SoundState::Playing) {
            soundPlayer->SetSoundLooping(true, SoundBonusMagnet);
            soundPlayer->PlaySound(SoundBonusMagnet);
        }
    } else if (soundPlayer->GetSoundState(SoundBonusMagnet) == SoundState::Playing) {
        // Let it run out rather than cut it.
        soundPlayer->SetSoundLooping(false, SoundBonusMagnet);
    }
    magnetStep = magnetActive ? dt * speed : 0.0f;

    puzzle->Update(paused, speed, playing);
    pieceManager->Update(paused, speed);
    bonusManager->Update(speed);
    textManager->Update();

    if (puzzle->placedCount == puzzle->GetPieceCount() && !levelTimer->IsPaused()) {
        levelTimer->SetPaused(true);
    }
    if (playing) {
        DecideEnd();
    }
}

} // namespace ActionPuzzle
