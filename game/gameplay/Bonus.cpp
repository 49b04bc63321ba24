#include "game/gameplay/Bonus.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "game/common/GameData.h"
#include "game/gameplay/ModelPlacement.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

const Model* KindModel(const GameData& data, BonusKind kind)
{
    switch (kind) {
    case BonusKind::Magnet: return data.bonusModels.magnet;
    case BonusKind::Pause: return data.bonusModels.pause;
    case BonusKind::Rollback: return data.bonusModels.rollback;
    case BonusKind::Tip: return data.bonusModels.tip;
    }
    return nullptr;
}

} // namespace

Bonus::Bonus(Engine* engine, BonusKind kind, GameData* gameData, int32_t pieceIndex, const Vector2& position,
             GUIWindow* parent)
    : kind(kind), pieceIndex(pieceIndex), position(position), engine(engine), guiManager(engine->guiManager.get()),
      timers(engine->timers.get()), gameData(gameData)
{
    window = guiManager->CreateWindow(GUIWindowFlags::Visible | GUIWindowFlags::VertexColor, Vector2(0, 0),
                                      Vector2(1, 1), KindModel(*gameData, kind), parent);
    if (window != nullptr) {
        window->SetLayer(1);
        window->placeModel = false;
        model = window->model;
    }
    if (model != nullptr) {
        RecentreModel(*model);
        model->SetColor(ColorRGBA(1, 1, 1, 0));
    }
}

Bonus::~Bonus()
{
    if (guiManager->windows.Remove(window)) {
        delete window;
    }
}

void Bonus::Update(float speed)
{
    age += timers->frameStep * speed;
    scale = 1.0f;
    alpha = 1.0f;
    if (picked) {
        alpha = std::max(1.0f - age, 0.0f);
        scale = 1.0f + 0.5f * age;
        if (age + 0.0001f > 1.0f) {
            alive = false;
        }
    } else {
        if (age < 1.0f) {
            alpha = age;
        } else if (age > FadeOutStart) {
            alpha = std::max(LifeTime - age, 0.0f);
        }
        if (age > LifeTime) {
            alive = false;
        }
    }
    if (model != nullptr) {
        model->SetColor(ColorRGBA(1, 1, 1, alpha));
        model->ResetTransform();
        model->ApplyTransform(ScaleMatrix(scale, scale, 1.0f));
        model->ApplyTransform(TranslationMatrix(position.x, position.y, 0.0f));
    }
}

} // namespace ActionPuzzle
