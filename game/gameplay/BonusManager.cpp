#include "game/gameplay/BonusManager.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "framework/tools/RandomSelecter.h"
#include "game/gameplay/PuzzleDepository.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

constexpr int32_t BonusLayer = 100;

} // namespace

BonusManager::BonusManager(GameData* gameData, Engine* engine, PuzzleDepository* depository, bool relax,
                           GUIWindow* parent)
    : engine(engine), guiManager(engine->guiManager.get()), gameData(gameData), depository(depository), relax(relax)
{
    bonusLayer = guiManager->CreateWindow(GUIWindowFlags::Visible, Vector2(0, 0), Vector2(0, 0), nullptr, parent);
    if (bonusLayer != nullptr) {
        bonusLayer->SetLayer(BonusLayer);
    }
}

BonusManager::~BonusManager()
{
    bonuses.clear();
    if (guiManager->windows.Remove(bonusLayer)) {
        delete bonusLayer;
    }
}

void BonusManager::Update(float speed)
{
    for (std::unique_ptr<Bonus>& bonus : bonuses) {
        bonus->Update(speed);
        if (!bonus->alive) {
            bonus.reset();
        }
    }
    std::erase(bonuses, nullptr);
}

void BonusManager::FillKinds(GameTools::RandomSelecter& selecter, bool relax, float freeRatio)
{
    selecter.AddEntry(static_cast<int32_t>(BonusKind::Tip), 20);
    selecter.AddEntry(static_cast<int32_t>(BonusKind::Magnet), 16);
    if (relax) {
        return;
    }
    uint32_t pause = 0;
    uint32_t rollback = 0;
    if (freeRatio > 0.8f) {
        pause = 0;
    } else if (freeRatio > 0.7f) {
        pause = 12;
    } else if (freeRatio >= 0.2f) {
        pause = 12;
        rollback = 5;
    } else {
        pause = 12;
        rollback = 22;
    }
    selecter.AddEntry(static_cast<int32_t>(BonusKind::Pause), pause);
    selecter.AddEntry(static_cast<int32_t>(BonusKind::Rollback), rollback);
}

void BonusManager::SpawnBonus(int32_t pieceIndex, const Vector2& position)
{
    GameTools::RandomSelecter selecter;
    FillKinds(selecter, relax, depository->GetFreeRatio());
    const auto kind = static_cast<BonusKind>(selecter.Select());
    bonuses.push_back(std::make_unique<Bonus>(engine, kind, gameData, pieceIndex, position, bonusLayer));
}

Bonus* BonusManager::FindBonus(int32_t pieceIndex) const
{
    for (const std::unique_ptr<Bonus>& bonus : bonuses) {
        if (bonus->pieceIndex == pieceIndex) {
            return bonus.get();
        }
    }
    return nullptr;
}

} // namespace ActionPuzzle
