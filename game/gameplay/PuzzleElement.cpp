#include "game/gameplay/PuzzleElement.h"

#include <cmath>
#include <numbers>

#include "engine/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "framework/SoundPlayer.h"
#include "game/common/GameData.h"
#include "game/common/SoundId.h"
#include "game/gameplay/GameLogicData.h"
#include "game/gameplay/ModelPlacement.h"
#include "game/gameplay/TexturePack.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

constexpr float ShadowAlpha = 0.3f;
constexpr float HighlightRate = 1.5f;
constexpr float UnblockRate = 2.5f;
// A blocked slot shows the tip's particles this long.
constexpr float BlockedTipTime = 2.5f;
// A particle system just in front of the window it belongs to.
constexpr float EffectDepthStep = 0.001f;

const ColorRGBA BlockedColor(0.1f, 0.1f, 0.1f, 0.9f);

} // namespace

PuzzleElement::PuzzleElement(GameLogicData* logicData, Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                             GameData* gameData, uint32_t index, Mode mode, GUIWindow* parent)
    : index(index), mode(mode), engine(engine), timers(engine->timers.get()),
      particleSystems(engine->particleSystems.get()), guiManager(engine->guiManager.get()),
      soundPlayer(soundPlayer), gameData(gameData), logicData(logicData)
{
    size = logicData->pieceSizes[index];
    const Vector2 corner(-size.x / 2, -size.y / 2);
    const std::string& name = logicData->piecePackNames[index];
    sprite = logicData->texturePack->CreateSprite(corner, size, name, parent);
    if (mode == Movable) {
        shadow = logicData->texturePack->CreateSprite(corner, size, name, parent);
        if (shadow != nullptr) {
            shadow->SetColor(ColorRGBA(0, 0, 0, ShadowAlpha));
            shadow->SetLayer(ShadowLayer);
        }
        if (sprite != nullptr) {
            sprite->SetLayer(PieceLayer);
        }
    } else {
        blocked = logicData->pieceBlocked[index];
        links = logicData->pieceLinks[index];
        if (sprite != nullptr) {
            sprite->SetLayer(static_cast<int32_t>(index) + 1);
            if (blocked) {
                sprite->SetColor(BlockedColor);
                sprite->SetVisible(true);
            }
        }
    }
}

PuzzleElement::~PuzzleElement()
{
    if (tipEffect != nullptr && particleSystems->systems.Remove(tipEffect)) {
        delete tipEffect;
    }
    for (GUIWindow* window : {shadow, sprite}) {
        if (guiManager->windows.Remove(window)) {
            delete window;
        }
    }
}

void PuzzleElement::Layout()
{
    const Vector2 scaled(size.x * scale, size.y * scale);
    const Vector2 corner(centre.x - scaled.x / 2, centre.y - scaled.y / 2);
    if (sprite != nullptr) {
        sprite->size = scaled;
        sprite->position = corner;
    }
    if (shadow != nullptr) {
        const float k = std::min(2 * scale, 1.0f);
        shadow->size = scaled;
        shadow->position = Vector2(corner.x + 3 * k, corner.y - 3 * k);
    }
}

void PuzzleElement::SetScale(float s)
{
    scale = s;
    Layout();
}

void PuzzleElement::SetPosition(const Vector2& p)
{
    centre = p;
    Layout();
}

bool PuzzleElement::ContainsPoint(const Vector2& p) const
{
    if (sprite == nullptr) {
        return false;
    }
    const Vector2 corner = sprite->GetAbsolutePosition();
    return corner.x < p.x && p.x < corner.x + sprite->size.x && corner.y < p.y && p.y < corner.y + sprite->size.y;
}

void PuzzleElement::Show(bool show)
{
    for (GUIWindow* window : {sprite, shadow}) {
        if (window != nullptr) {
            window->SetVisible(show);
        }
    }
}

bool PuzzleElement::IsShown() const
{
    return sprite != nullptr && (sprite->GetFlags() & GUIWindowFlags::Visible) != 0;
}

void PuzzleElement::SetColor(const ColorRGBA& color)
{
    if (sprite != nullptr) {
        sprite->SetColor(color);
    }
}

void PuzzleElement::ShowTip()
{
    tipPhase = 0.0f;
    tipShown = true;
    tipEnding = false;
    if (!blocked && sprite != nullptr) {
        sprite->SetVisible(true);
        const ColorRGBA& highlight = logicData->highlightColour;
        sprite->SetColor(ColorRGBA(highlight.r, highlight.g, highlight.b, 0.0f));
    }
    if (tipEffect == nullptr && gameData->boardModels.tipEffect != nullptr && sprite != nullptr) {
        tipEffect = particleSystems->CloneParticleSystem(*gameData->boardModels.tipEffect);
        SetParticleSystemDepth(*tipEffect, sprite->GetZ() - EffectDepthStep);
        const Vector2 origin = sprite->GetParentAbsolutePosition();
        tipEffect->spawnShape = SpawnShape::PointList;
        tipEffect->spawnPoints.clear();
        for (const Vector2& point : logicData->pieceOutlinePoints[index]) {
            tipEffect->spawnPoints.emplace_back(point.x + origin.x, point.y + origin.y, 0.0f);
        }
    }
    if (tipEffect != nullptr) {
        ShowParticleSystem(*tipEffect, true);
        tipEffect->emitting = true;
    }
}

void PuzzleElement::StartMagnetHighlight()
{
    magnetPhase = 0.0f;
    magnetShown = true;
    magnetEnding = false;
    if (sprite != nullptr) {
        sprite->SetVisible(true);
        const ColorRGBA& highlight = logicData->highlightColour;
        sprite->SetColor(ColorRGBA(highlight.r, highlight.g, highlight.b, 0.0f));
    }
}

void PuzzleElement::StopTipEffect()
{
    if (tipEffect != nullptr) {
        tipEffect->emitting = false;
    }
}

void PuzzleElement::ClearHighlights()
{
    tipShown = tipEnding = false;
    magnetShown = magnetEnding = false;
    StopTipEffect();
}

void PuzzleElement::UpdateHighlight(bool& shown, bool& ending, float& phase, float step)
{
    if (!shown || sprite == nullptr) {
        return;
    }
    ColorRGBA color = sprite->GetColor();
    if (!ending) {
        phase += step;
        color.a = std::fabs(std::sin(phase)) * HighlightAlpha;
    } else {
        color.a -= step;
        if (color.a < 0.0f) {
            color.a = 0.0f;
            shown = false;
            ending = false;
        }
    }
    sprite->SetColor(color);
}

void PuzzleElement::Update(bool paused, float speed)
{
    const float dt = timers->frameStep;
    if (mode == Movable) {
        if (sprite != nullptr) {
            sprite->SetLayer(held ? HeldPieceLayer : PieceLayer);
            sprite->SetColor(ColorRGBA(1, 1, 1, 1));
        }
        if (shadow != nullptr) {
            shadow->SetLayer(held ? HeldShadowLayer : ShadowLayer);
            shadow->SetColor(ColorRGBA(0, 0, 0, ShadowAlpha * speed));
        }
        return;
    }

    if (!blocked) {
        const float step = dt * HighlightRate * speed;
        const bool tipWasShown = tipShown;
        UpdateHighlight(tipShown, tipEnding, tipPhase, step);
        if (tipWasShown && !tipShown) {
            StopTipEffect();
        }
        if (tipShown && !paused) {
            if (soundPlayer->GetSoundState(SoundBonusTip) != SoundState::Playing) {
                soundPlayer->SetSoundLooping(true, SoundBonusTip);
                soundPlayer->PlaySound(SoundBonusTip);
            }
        } else if (soundPlayer->GetSoundState(SoundBonusTip) == SoundState::Playing) {
            soundPlayer->SetSoundLooping(false, SoundBonusTip);
        }
        UpdateHighlight(magnetShown, magnetEnding, magnetPhase, step);
    } else if (tipShown) {
        // Only the outline's particles show; with them the tip ends, and
        // the tip cursor with it.
        tipPhase += speed * dt;
        if (tipPhase > BlockedTipTime) {
            StopTipEffect();
            tipShown = tipEnding = false;
        }
    }

    if (unblockAnimating && sprite != nullptr) {
        constexpr float Pi = std::numbers::pi_v<float>;
        unblockPhase += dt * UnblockRate * speed;
        if (unblockPhase >= 5 * Pi / 2) {
            unblockAnimating = false;
            sprite->SetVisible(false);
        } else {
            const float f = unblockPhase < Pi / 2 ? 0.9f : unblockPhase < 3 * Pi / 2 ? 0.6f : 0.3f;
            ColorRGBA color = sprite->GetColor();
            color.a = std::fabs(std::cos(unblockPhase)) * f;
            sprite->SetColor(color);
        }
    }
}

} // namespace ActionPuzzle
