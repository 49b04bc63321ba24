#include "game/gameplay/PuzzleElementManager.h"

#include "engine/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "game/gameplay/GameLogicData.h"
#include "game/gameplay/PuzzleElement.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

PuzzleElementManager::PuzzleElementManager(GameData* gameData, GameLogicData* logicData, Engine* engine,
                                           GameFramework::SoundPlayer* soundPlayer, GUIWindow* parent)
    : guiManager(engine->guiManager.get())
{
    piecesWindow = guiManager->CreateWindow(GUIWindowFlags::Visible, Vector2(0, 0), Vector2(0, 0), nullptr, parent);
    if (piecesWindow != nullptr) {
        piecesWindow->SetLayer(PiecesLayer);
    }
    for (uint32_t i = 0; i < logicData->GetPieceCount(); ++i) {
        pieces.push_back(std::make_unique<PuzzleElement>(logicData, engine, soundPlayer, gameData, i,
                                                         PuzzleElement::Movable, piecesWindow));
    }
    Shuffle(pieces);
}

PuzzleElementManager::~PuzzleElementManager()
{
    pieces.clear();
    if (guiManager->windows.Remove(piecesWindow)) {
        delete piecesWindow;
    }
}

bool PuzzleElementManager::IsPlaced(const PuzzleElement& piece)
{
    return piece.held && !piece.IsShown();
}

bool PuzzleElementManager::IsHeld(const PuzzleElement& piece)
{
    return piece.held && piece.IsShown();
}

bool PuzzleElementManager::AllPlaced() const
{
    for (const std::unique_ptr<PuzzleElement>& piece : pieces) {
        if (!IsPlaced(*piece)) {
            return false;
        }
    }
    return true;
}

void PuzzleElementManager::Update(bool paused, float speed)
{
    for (const std::unique_ptr<PuzzleElement>& piece : pieces) {
        piece->Update(paused, speed);
    }
}

} // namespace ActionPuzzle
