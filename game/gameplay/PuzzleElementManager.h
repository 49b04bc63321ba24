#pragma once
// The movable pieces of a level, one per piece, all waiting hidden at the
// start, in a shuffled order: the order in which they enter the path.
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "engine/core/Random.h"

namespace ZorvaneEngine {
class Engine;
class GUIManager;
class GUIWindow;
} // namespace ZorvaneEngine

namespace GameFramework {
class SoundPlayer;
}

namespace ActionPuzzle {

class GameData;
class GameLogicData;
class PuzzleElement;

class PuzzleElementManager {
public:
    // The pieces' window lies in front of the board and the HUD's
    // background, under the given parent.
    static constexpr int32_t PiecesLayer = 210;

    PuzzleElementManager(GameData* gameData, GameLogicData* logicData, ZorvaneEngine::Engine* engine,
                         GameFramework::SoundPlayer* soundPlayer, ZorvaneEngine::GUIWindow* parent);
    // The pieces, then their window.
    virtual ~PuzzleElementManager();

    PuzzleElementManager(const PuzzleElementManager&) = delete;
    PuzzleElementManager& operator=(const PuzzleElementManager&) = delete;

    void Update(bool paused, float speed);

    // For k from 1 up, entry k swaps places with one of the first k + 1,
    // drawn from the shared generator.
    template <typename T>
    static void Shuffle(std::vector<T>& list)
    {
        for (size_t k = 1; k < list.size(); ++k) {
            std::swap(list[k], list[ZorvaneEngine::RandomInt(static_cast<uint32_t>(k + 1))]);
        }
    }

    // Placed: held and hidden.
    static bool IsPlaced(const PuzzleElement& piece);
    // In the hand: held and shown.
    static bool IsHeld(const PuzzleElement& piece);
    bool AllPlaced() const;

    ZorvaneEngine::GUIWindow* GetPiecesWindow() const { return piecesWindow; }

    std::vector<std::unique_ptr<PuzzleElement>> pieces;

private:
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::GUIWindow* piecesWindow = nullptr;  // owned through the GUI manager's pool
};

} // namespace ActionPuzzle
