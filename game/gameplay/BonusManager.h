#pragma once
// The bonuses of a level: the layer they are drawn on (in front of the
// board's picture and slots), their updates, and new bonuses of a kind drawn
// at random: tip and magnet always, pause and rollback in arcade mode the
// more likely the fuller the path.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/MathTypes.h"
#include "game/gameplay/Bonus.h"

namespace ZorvaneEngine {
class Engine;
class GUIManager;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameTools {
class RandomSelecter;
}

namespace ActionPuzzle {

class GameData;
class PuzzleDepository;

class BonusManager {
public:
    BonusManager(GameData* gameData, ZorvaneEngine::Engine* engine, PuzzleDepository* depository, bool relax,
                 ZorvaneEngine::GUIWindow* parent);
    // The bonuses, then their layer.
    virtual ~BonusManager();

    BonusManager(const BonusManager&) = delete;
    BonusManager& operator=(const BonusManager&) = delete;

    // Each bonus in turn; the ones that have run out are deleted.
    void Update(float speed);
    // A new bonus over the slot of the piece, centred on position.
    void SpawnBonus(int32_t pieceIndex, const ZorvaneEngine::Vector2& position);
    // The bonus that marks the piece (whatever its state), or null.
    Bonus* FindBonus(int32_t pieceIndex) const;

    // The kinds a new bonus is drawn from with their weights, for a path
    // whose free share is freeRatio.
    static void FillKinds(GameTools::RandomSelecter& selecter, bool relax, float freeRatio);

    std::vector<std::unique_ptr<Bonus>> bonuses;  // in order of creation

private:
    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::GUIManager* guiManager;
    GameData* gameData;
    PuzzleDepository* depository;
    ZorvaneEngine::GUIWindow* bonusLayer = nullptr;  // owned through the GUI manager's pool
    bool relax;
};

} // namespace ActionPuzzle
