#pragma once
// A player at the real game on SDL's offscreen drivers: the shared event
// player (EventPlayer.h) with what a test's player knows of the game's
// screens and levels. The player reads the game's state only to know where
// to click, as a player looks at the screen. The game's clock is the
// test's (SteppedClockSystem), moved on by the frame its user hands in.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "engine/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIWindow.h"
#include "game/gameplay/Bonus.h"
#include "game/gameplay/BonusManager.h"
#include "game/gameplay/GameLogic.h"
#include "game/gameplay/Puzzle.h"
#include "game/gameplay/PuzzleDepository.h"
#include "game/gameplay/PuzzleElement.h"
#include "game/gameplay/PuzzleElementManager.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindow.h"
#include "platform/system/SteppedClockSystem.h"
#include "platform/system/System.h"
#include "platform/window/sdl/SdlWindowAccess.h"
#include "tools/common/EventPlayer.h"

namespace TestSupport {

// The hands: what they do reaches the game through SDL's event queue only.
// frame runs one turn of the game's loop.
class SdlPlayer : public Tools::EventPlayer {
public:
    explicit SdlPlayer(std::function<void()> frame) : EventPlayer(std::move(frame)) {}

    // The game's window from now on. The offscreen driver never gives a
    // window the mouse focus, so the pointer is read as a desktop position
    // less the window's: with the window at the desktop's corner the two
    // agree.
    void Attach(ZorvaneEngine::Engine& game)
    {
        EventPlayer::Attach(game);
        SDL_Window* window = Platform::GetSdlWindow(game.window->handle);
        ASSERT_NE(window, nullptr);
        SDL_SetWindowPosition(window, 0, 0);
    }

    // A menu window fully on screen: appeared and faded in.
    static bool OnScreen(const ActionPuzzle::GUIMenuWindow& menu)
    {
        return menu.shown && menu.colour.a >= 1.0f && !menu.IsAnyControlAnimating();
    }
    // The window on screen, then its control clicked, as a player waits for
    // the window before clicking.
    void ClickWhenShown(const ActionPuzzle::GUIMenuWindow& menu, const ActionPuzzle::GUIControl& control)
    {
        ASSERT_TRUE(RunUntil([&] { return OnScreen(menu); }, 1000));
        Click(*control.widget);
    }

    // --- In a level ---

    static ActionPuzzle::PuzzleElement* Held(ActionPuzzle::GameLogic& logic)
    {
        for (auto& piece : logic.GetPieceManager()->pieces)
            if (ActionPuzzle::PuzzleElementManager::IsHeld(*piece)) return piece.get();
        return nullptr;
    }
    // The piece on the path nearest the hole whose slot is open, or the
    // one a wanted bonus marks.
    static ActionPuzzle::PuzzleElement* Choose(ActionPuzzle::GameLogic& logic,
                                               const std::set<ActionPuzzle::BonusKind>& wanted = {})
    {
        const auto& queue = logic.GetDepository()->GetQueue();
        for (const auto& bonus : logic.GetBonusManager()->bonuses) {
            if (bonus->picked || !wanted.count(bonus->kind)) continue;
            for (const auto& entry : queue)
                if (static_cast<int32_t>(entry.piece->index) == bonus->pieceIndex) return entry.piece;
        }
        for (auto it = queue.rbegin(); it != queue.rend(); ++it)
            if (!logic.GetPuzzle()->slots[it->piece->index]->blocked) return it->piece;
        return nullptr;
    }
    // Takes the piece from the path and drops it on its slot; true when it
    // was placed.
    bool PickAndPlace(ActionPuzzle::GameLogic& logic, ActionPuzzle::PuzzleElement& piece)
    {
        ActionPuzzle::Puzzle& board = *logic.GetPuzzle();
        Click(piece.centre);
        if (Held(logic) != &piece) return false;
        const ZorvaneEngine::Vector2 slot = board.GetSlotCentre(*board.slots[piece.index]);
        const ZorvaneEngine::Vector2 grip = logic.GetDepository()->grabOffset;
        // Carried over in a few steps, as a hand moves.
        const ZorvaneEngine::Vector2 from = piece.centre;
        for (int step = 1; step <= 4 && piece.IsShown(); ++step) {
            const float t = static_cast<float>(step) / 4.0f;
            PointAt(ZorvaneEngine::Vector2(from.x + (slot.x - from.x) * t - grip.x,
                                           from.y + (slot.y - from.y) * t - grip.y));
            Frame();
        }
        if (piece.IsShown()) Click(ZorvaneEngine::Vector2(slot.x - grip.x, slot.y - grip.y));
        // A magnet glides the piece into its slot over a few frames while
        // the pointer keeps still; moving off early would drag it along.
        for (int wait = 0; wait < 60 && piece.magnetTarget != nullptr && Held(logic) == &piece; ++wait) Frame();
        // Whatever stays in the hand goes back to the path, so that the
        // next pick finds the hand empty.
        if (Held(logic) == &piece) Press(1, 1);
        return ActionPuzzle::PuzzleElementManager::IsPlaced(piece);
    }
    // Every piece placed, one after the other; false when the level stopped
    // playing or the pieces would not go.
    bool PlaceEveryPiece(ActionPuzzle::GameLogic& logic)
    {
        ActionPuzzle::Puzzle& board = *logic.GetPuzzle();
        int misses = 0;
        while (board.placedCount < board.GetPieceCount() && misses < 200) {
            if (logic.state != GameFramework::GameLogicState::Playing) return false;
            ActionPuzzle::PuzzleElement* piece = Choose(logic);
            if (piece == nullptr || !PickAndPlace(logic, *piece)) {
                ++misses;
                Frame();
            }
        }
        return board.placedCount == board.GetPieceCount();
    }

    // What the screen shows now, as folder/name.png.
    void Screenshot(const std::filesystem::path& folder, const std::string& name)
    {
        std::filesystem::create_directories(folder);
        ASSERT_TRUE(SaveScreen((folder / (name + ".png")).string())) << name;
    }
};

} // namespace TestSupport
