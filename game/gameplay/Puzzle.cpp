#include "game/gameplay/Puzzle.h"

#include <algorithm>
#include <cmath>

#include "engine/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TextUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "engine/input/Controls.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/ScoreKeeper.h"
#include "framework/SoundPlayer.h"
#include "game/common/GameData.h"
#include "game/common/SoundId.h"
#include "game/gameplay/Bonus.h"
#include "game/gameplay/BonusManager.h"
#include "game/gameplay/GUIGameLogicTextManager.h"
#include "game/gameplay/GameLogicData.h"
#include "game/gameplay/ModelPlacement.h"
#include "game/gameplay/PuzzleDepository.h"
#include "game/gameplay/PuzzleElement.h"
#include "game/gameplay/PuzzleElementManager.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

constexpr float Tolerance = 0.0001f;
constexpr int32_t CompletionLayer = 203;
constexpr int32_t OutlineLayer = 204;
constexpr int32_t PauseOverlayLayer = 205;
constexpr float EffectDepthStep = 0.001f;
// The renderer's blend factors.
constexpr uint32_t BlendSourceAlpha = 4;
constexpr uint32_t BlendInverseSourceAlpha = 5;
// Each combo step from 2 to 5 brakes the queue this long per step.
constexpr float ComboPause = 0.45f;
constexpr uint32_t LongestCombo = 5;

const char* BonusTextKey(BonusKind kind)
{
    switch (kind) {
    case BonusKind::Rollback: return "GAME_LOGIC_BONUS_ROLL_BACK";
    case BonusKind::Pause: return "GAME_LOGIC_BONUS_PAUSE";
    case BonusKind::Magnet: return "GAME_LOGIC_BONUS_MAGNET";
    case BonusKind::Tip: return "GAME_LOGIC_BONUS_TIP";
    }
    return "";
}

void RemoveWindow(GUIManager& gui, GUIWindow* window)
{
    if (gui.windows.Remove(window)) {
        delete window;
    }
}

} // namespace

Puzzle::Puzzle(Engine* engine, GameLogicData* logicData, GameFramework::GUIGameCursorBase* cursor,
               GameFramework::SoundPlayer* soundPlayer, GameData* gameData, GUIGameLogicTextManager* textManager,
               PuzzleElementManager* pieceManager, PuzzleDepository* depository, BonusManager* bonusManager,
               GameFramework::ScoreKeeper* scoreKeeper, bool relax, GUIWindow* boardWindow)
    : engine(engine), timers(engine->timers.get()), guiManager(engine->guiManager.get()),
      texts(engine->guiManager->GetTextManager()), particleSystems(engine->particleSystems.get()),
      controls(engine->input.get()), cursor(cursor), soundPlayer(soundPlayer), gameData(gameData),
      logicData(logicData), textManager(textManager), pieceManager(pieceManager), depository(depository),
      bonusManager(bonusManager), scoreKeeper(scoreKeeper), relax(relax), boardWindow(boardWindow)
{
    const Vector2 origin(BoardOrigin, BoardOrigin);
    const Vector2 size = logicData->pictureSize;
    // Only the picture's part of the board pictures is shown.
    const Vector2 uv(size.x / 1024.0f, size.y / 512.0f);
    const uint32_t shownWithColour = GUIWindowFlags::Visible | GUIWindowFlags::VertexColor;

    pictureWindow =
        guiManager->CreateQuadWindow(shownWithColour, origin, size, logicData->backgroundShaderUser, boardWindow, uv);
    if (pictureWindow != nullptr) {
        pictureWindow->SetColor(logicData->boardTintColour);
    }
    slotContainer = guiManager->CreateWindow(GUIWindowFlags::Visible, Vector2(0, 0), Vector2(0, 0), nullptr,
                                             pictureWindow);
    outlineWindow =
        guiManager->CreateQuadWindow(shownWithColour, origin, size, logicData->outlineShaderUser, boardWindow, uv);
    if (outlineWindow != nullptr) {
        outlineWindow->SetLayer(OutlineLayer);
    }

    ShaderDescriptor overlayMaterial = *logicData->backgroundShaderUser;
    overlayMaterial.flags |= ShaderAlphaBlend;
    overlayMaterial.sourceBlend = BlendSourceAlpha;
    overlayMaterial.destinationBlend = BlendInverseSourceAlpha;
    pauseOverlay =
        guiManager->CreateQuadWindow(GUIWindowFlags::VertexColor, origin, size, &overlayMaterial, boardWindow, uv);
    if (pauseOverlay != nullptr) {
        pauseOverlay->SetColor(logicData->boardTintColour);
        pauseOverlay->SetLayer(PauseOverlayLayer);
    }

    completionWindow =
        guiManager->CreateWindow(0, Vector2(0, 0), Vector2(1, 1), gameData->boardModels.levelComplete, boardWindow);
    if (completionWindow != nullptr) {
        completionWindow->SetLayer(CompletionLayer);
        completionModel = completionWindow->model;
    }
    if (completionModel != nullptr) {
        completionModel->SetShader(*logicData->themeShaderUser);
        completionAnimation = completionModel->GetAnimation();
    }
    completionAnimates = completionAnimation != nullptr && completionAnimation->GetFrameCount() > 1 &&
                         completionAnimation->speed > 0.0f && (completionModel->flags & ModelFlags::Animated) != 0;
    if (!completionAnimates) {
        engine->log->Warning("The level-complete model \"" +
                             (completionModel != nullptr ? completionModel->name : std::string("none")) +
                             "\" has no animation to play: a level ends as soon as it is shown");
    }
    if (gameData->boardModels.levelCompleteEffect != nullptr) {
        completionEffect = particleSystems->CloneParticleSystem(*gameData->boardModels.levelCompleteEffect);
        SetParticleSystemDepth(*completionEffect,
                               (completionWindow != nullptr ? completionWindow->GetZ() : 0.0f) - EffectDepthStep);
        ShowParticleSystem(*completionEffect, false);
        completionEffect->emitting = false;
    }

    for (uint32_t i = 0; i < logicData->GetPieceCount(); ++i) {
        slots.push_back(std::make_unique<PuzzleElement>(logicData, engine, soundPlayer, gameData, i,
                                                        PuzzleElement::Slot, slotContainer));
        slots.back()->SetPosition(logicData->pieceCentres[i]);
    }
    boardBox = BoundingBox(Vector3(origin.x, origin.y, 0), Vector3(origin.x + size.x, origin.y + size.y, 0));
}

Puzzle::~Puzzle()
{
    slots.clear();
    if (completionEffect != nullptr && particleSystems->systems.Remove(completionEffect)) {
        delete completionEffect;
    }
    for (GUIWindow* window : {completionWindow, pauseOverlay, outlineWindow, slotContainer, pictureWindow}) {
        RemoveWindow(*guiManager, window);
    }
}

int32_t Puzzle::Points(int32_t scoreId) const
{
    const auto found = scoreKeeper->points.find(scoreId);
    return (found == scoreKeeper->points.end() ? 0 : found->second) * scoreKeeper->multiplier;
}

Vector2 Puzzle::GetSlotCentre(const PuzzleElement& slot) const
{
    const Vector2 board = boardWindow != nullptr ? boardWindow->GetAbsolutePosition() : Vector2();
    const Vector2 picture = pictureWindow != nullptr ? pictureWindow->position : Vector2(BoardOrigin, BoardOrigin);
    return Vector2(slot.centre.x + picture.x + board.x, slot.centre.y + picture.y + board.y);
}

std::u16string Puzzle::Text(const char* key) const
{
    return texts != nullptr ? texts->GetText(key) : std::u16string();
}

PuzzleElement* Puzzle::FindHeldPiece() const
{
    for (const std::unique_ptr<PuzzleElement>& piece : pieceManager->pieces) {
        if (PuzzleElementManager::IsHeld(*piece)) {
            return piece.get();
        }
    }
    return nullptr;
}

bool Puzzle::IsCompletionFinished() const
{
    if (!completionAnimates) {
        return completionPlayed;
    }
    return !completionAnimation->playing && completionAnimation->position > Tolerance;
}

float Puzzle::GetBonusInterval() const
{
    if (relax) {
        return 13.0f;
    }
    const auto onPath = static_cast<float>(depository->GetQueue().size());
    return std::max(11.5f - 0.65f * (std::max(onPath, 10.0f) - 10.0f), 3.5f);
}

void Puzzle::UpdatePauseOverlay(float speed)
{
    if (pauseOverlay == nullptr) {
        return;
    }
    if (speed + Tolerance >= 1.0f) {
        pauseOverlay->SetVisible(false);
        return;
    }
    pauseOverlay->SetVisible(true);
    const ColorRGBA& tint = logicData->boardTintColour;
    pauseOverlay->SetColor(ColorRGBA(tint.r, tint.g, tint.b, std::clamp(1.0f - speed, 0.0f, 1.0f)));
}

void Puzzle::PlacePiece(PuzzleElement& piece, PuzzleElement& slot)
{
    magnetPending = magnetAssigned = tipPending = false;
    piece.Show(false);
    if (GUIWindow* sprite = slot.GetSprite()) {
        sprite->SetVisible(true);
        sprite->SetColor(ColorRGBA(1, 1, 1, 1));
    }
    slot.unblockAnimating = false;
    slot.ClearHighlights();

    if (timeSincePlacement < ComboTime) {
        combo %= LongestCombo;
        if (!relax && depository->GetFreeRatio() < 0.8f) {
            depository->pauseTime += static_cast<float>(combo) * ComboPause;
        }
        ++combo;
    } else {
        combo = 1;
    }
    soundPlayer->PlaySound(SoundElementGet + static_cast<int32_t>(combo));

    int32_t points = Points(ScorePiecePlaced) * static_cast<int32_t>(combo);
    timeSincePlacement = 0.0f;
    Bonus* bonus = bonusManager->FindBonus(static_cast<int32_t>(piece.index));
    if (bonus != nullptr) {
        points += Points(ScoreBonusCollected);
    }
    scoreKeeper->score += points;

    // Appended piece by piece: GCC 12 at -O3 takes a literal plus a string
    // for an overflowing copy and warns.
    std::u16string text = u"+";
    text += IntToWideText(points);
    if (combo > 1) {
        std::u16string comboText = Text("GAME_LOGIC_COMBO");
        ReplaceAllNoCase(comboText, u"%COMBO%", UIntToWideText(combo));
        text += u'\n';
        text += comboText;
    }
    ++placedCount;

    if (bonus != nullptr) {
        text += u'\n';
        text += Text(BonusTextKey(bonus->kind));
        // The last piece's bonus scores but has nothing left to act on.
        if (placedCount < GetPieceCount()) {
            switch (bonus->kind) {
            case BonusKind::Rollback:
                depository->rollbackTime += 3.1f;
                soundPlayer->PlaySound(SoundBonusRollbackApply);
                break;
            case BonusKind::Pause:
                depository->AddPauseTime();
                soundPlayer->PlaySound(SoundBonusPauseApply);
                break;
            case BonusKind::Magnet:
                magnetPending = true;
                soundPlayer->PlaySound(SoundBonusMagnetApply);
                break;
            case BonusKind::Tip:
                tipPending = true;
                soundPlayer->PlaySound(SoundBonusTipApply);
                break;
            }
        }
        bonus->age = 0.0f;
        bonus->picked = true;
    }
    const Vector2 centre = GetSlotCentre(slot);
    textManager->AddText(centre.x, centre.y, text);
}

void Puzzle::Unblock()
{
    for (const std::unique_ptr<PuzzleElement>& slot : slots) {
        if (slot->blocked != 1 || slot->links.empty()) {
            continue;
        }
        bool anyOpen = false;
        bool anyOpenAndEmpty = false;
        for (uint32_t link : slot->links) {
            const PuzzleElement& other = *slots[link];
            if (!other.blocked) {
                anyOpen = true;
                anyOpenAndEmpty = anyOpenAndEmpty || !other.IsShown();
            }
        }
        if (!anyOpen || anyOpenAndEmpty) {
            continue;
        }
        slot->unblockAnimating = true;
        slot->unblockPhase = 0.0f;
        slot->blocked = 0;
        const int32_t points = Points(ScoreSlotUnblocked);
        scoreKeeper->score += points;
        const Vector2 centre = GetSlotCentre(*slot);
        std::u16string text = u"+";
        text += IntToWideText(points);
        textManager->AddText(centre.x, centre.y, text);
    }
}

void Puzzle::Place(bool paused)
{
    if (paused || !(controls->IsKeyPressed("MOUSE1") || magnetPending || tipPending)) {
        return;
    }
    PuzzleElement* held = FindHeldPiece();
    if (held != nullptr && heldPiece == nullptr) {
        // A piece has just been taken: the pending tip shows its slot, the
        // pending magnet pulls it there (a blocked slot gets the tip).
        PuzzleElement& slot = *slots[held->index];
        if (tipPending) {
            tipPending = false;
            slot.ShowTip();
        }
        if (magnetPending && held->magnetTarget == nullptr) {
            if (slot.blocked) {
                slot.ShowTip();
                magnetPending = magnetAssigned = false;
            } else {
                magnetAssigned = true;
                held->magnetTarget = &slot;
            }
        }
    }
    heldPiece = held;
    if (held == nullptr) {
        return;
    }

    PuzzleElement& slot = *slots[held->index];
    const Vector2 centre = GetSlotCentre(slot);
    bool placed = false;
    if (std::hypot(held->centre.x - centre.x, held->centre.y - centre.y) < SnapDistance) {
        if (slot.blocked) {
            depository->returnRequested = true;
            textManager->AddText(centre.x, centre.y, Text("GAME_LOGIC_BLOCKED_ELEMENT"));
        } else {
            PlacePiece(*held, slot);
            placed = true;
        }
    }
    if (!controls->IsInputLocked() && controls->IsKeyPressed("MOUSE1") && held->IsShown()) {
        soundPlayer->PlaySound(SoundElementPutBad);
    }
    if (placedCount == GetPieceCount()) {
        scoreKeeper->score += Points(ScoreLevelComplete);
        soundPlayer->PlaySound(SoundLevelComplete);
        soundPlayer->StopMusic(LevelMusicChannel, 2.0f);
    }
    if (placed) {
        Unblock();
    }
}

void Puzzle::UpdateCursor(bool paused, float speed)
{
    if (FindHeldPiece() != nullptr) {
        if (!paused && speed + Tolerance > 1.0f && cursor != nullptr) {
            for (const std::unique_ptr<PuzzleElement>& slot : slots) {
                if (slot->tipShown) {
                    cursor->SelectCursor(CursorTip);
                }
            }
            if (magnetPending) {
                cursor->SelectCursor(CursorMagnet);
            }
        }
        return;
    }
    // A magnet serves only the piece it was given to, placed or not.
    if (magnetAssigned) {
        magnetPending = magnetAssigned = false;
    }
    for (const std::unique_ptr<PuzzleElement>& slot : slots) {
        if (slot->tipShown) {
            slot->tipEnding = true;
        }
        if (slot->magnetShown) {
            slot->magnetEnding = true;
        }
        slot->magnetTarget = nullptr;
    }
    for (const std::unique_ptr<PuzzleElement>& piece : pieceManager->pieces) {
        piece->magnetTarget = nullptr;
    }
    if (cursor != nullptr) {
        cursor->SelectCursor(tipPending ? CursorTip : magnetPending ? CursorMagnet : CursorNormal);
    }
}

void Puzzle::UpdateCompletion(float speed, float dt)
{
    if (placedCount != GetPieceCount() || outlineWindow == nullptr ||
        (outlineWindow->GetFlags() & GUIWindowFlags::Visible) == 0) {
        return;
    }
    if (completionWindow != nullptr) {
        completionWindow->SetVisible(true);
    }
    if (completionAnimation != nullptr) {
        completionAnimation->position = 0.0f;
        completionAnimation->playing = false;
    }
    if (pictureWindow != nullptr) {
        pictureWindow->SetVisible(false);
    }
    outlineAlpha -= speed * dt;
    outlineWindow->SetColor(ColorRGBA(1, 1, 1, std::max(outlineAlpha, 0.0f)));
    if (outlineAlpha <= Tolerance) {
        outlineWindow->SetVisible(false);
        if (completionAnimation != nullptr) {
            completionAnimation->Play();
        }
        completionPlayed = true;
        if (completionEffect != nullptr) {
            ShowParticleSystem(*completionEffect, true);
            completionEffect->emitting = true;
        }
    }
}

void Puzzle::SpawnBonus(float speed, float dt)
{
    bonusTimer += speed * dt;
    if (bonusTimer <= GetBonusInterval()) {
        return;
    }
    std::vector<const PuzzleElement*> candidates;
    for (const PuzzleDepository::QueueEntry& entry : depository->GetQueue()) {
        const uint32_t index = entry.piece->index;
        if (!slots[index]->blocked && bonusManager->FindBonus(static_cast<int32_t>(index)) == nullptr) {
            candidates.push_back(entry.piece);
        }
    }
    if (!candidates.empty()) {
        const PuzzleElement* chosen = candidates[RandomInt(static_cast<uint32_t>(candidates.size()))];
        bonusManager->SpawnBonus(static_cast<int32_t>(chosen->index), GetSlotCentre(*slots[chosen->index]));
    }
    bonusTimer = 0.0f;
}

void Puzzle::Update(bool paused, float speed, bool playing)
{
    const float dt = timers->frameStep;
    UpdatePauseOverlay(speed);
    timeSincePlacement += speed * dt;
    if (playing) {
        Place(paused);
    }
    if (placedCount == GetPieceCount() &&
        soundPlayer->GetMusicState(LevelMusicChannel) != SoundState::Playing) {
        soundPlayer->PlayMusic(LevelMusicChannel, MusicGame0, 0.15f);
    }
    UpdateCursor(paused, speed);
    for (const std::unique_ptr<PuzzleElement>& slot : slots) {
        slot->Update(paused, speed);
    }
    UpdateCompletion(speed, dt);
    SpawnBonus(speed, dt);
}

} // namespace ActionPuzzle
