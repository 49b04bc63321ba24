#pragma once
// A player at the real game on SDL's offscreen drivers: the mouse and
// keyboard through SDL (the pointer warped to screen positions, buttons,
// keys and text pushed into its event queue). The player reads the game's
// state only to know where to click, as a player looks at the screen. The
// game's clock is the test's (SteppedClockSystem), moved on by the frame
// its user hands in.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "engine/Engine.h"
#include "engine/core/Window.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/RenderSystem.h"
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
#include "platform/input/sdl/InputInjection.h"
#include "platform/system/SteppedClockSystem.h"
#include "platform/system/System.h"
#include "platform/window/sdl/SdlWindowAccess.h"
#include "tools/common/PngWriter.h"

namespace TestSupport {

// The hands: what they do reaches the game through SDL's event queue only.
// frame runs one turn of the game's loop.
class SdlPlayer {
public:
    explicit SdlPlayer(std::function<void()> frame) : frame(std::move(frame)) {}

    // The game's window from now on. The offscreen driver never gives a
    // window the mouse focus, so the pointer is read as a desktop position
    // less the window's: with the window at the desktop's corner the two
    // agree.
    void Attach(ZorvaneEngine::Engine& game)
    {
        engine = &game;
        window = Platform::GetSdlWindow(game.window->handle);
        ASSERT_NE(window, nullptr);
        SDL_SetWindowPosition(window, 0, 0);
    }

    void Frame() { frame(); }
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) frame();
    }
    template <typename Condition>
    bool RunUntil(Condition condition, int limit)
    {
        for (int i = 0; i < limit && !condition(); ++i) frame();
        return condition();
    }

    // The pointer to a point of the 800 × 600 interface.
    void MoveTo(ZorvaneEngine::Vector2 at)
    {
        const ZorvaneEngine::Window& w = *engine->window;
        const int x = static_cast<int>(std::lround(at.x * static_cast<float>(w.width) / 800.0f));
        const int y = static_cast<int>(w.height) - 1 -
                      static_cast<int>(std::lround(at.y * static_cast<float>(w.height) / 600.0f));
        SDL_WarpMouseInWindow(window, x, y);
        pointer = {x, y};
    }
    void Button(bool down, bool left = true)
    {
        SDL_Event event{};
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.windowID = SDL_GetWindowID(window);
        event.button.button = static_cast<Uint8>(left ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT);
        event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.button.clicks = 1;
        event.button.x = pointer.first;
        event.button.y = pointer.second;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    // settle frames pass between the pointer's arrival and the press.
    void Click(ZorvaneEngine::Vector2 at, int settle = 1)
    {
        MoveTo(at);
        Frames(settle);
        Button(true);
        frame();
        Button(false);
        frame();
    }
    // The middle of a widget's hit area.
    static ZorvaneEngine::Vector2 CentreOf(const ZorvaneEngine::GUIWindow& widget)
    {
        ZorvaneEngine::Vector2 corner = widget.GetAbsolutePosition();
        ZorvaneEngine::Vector2 extent = widget.size;
        if (widget.hitAreaOn) {
            corner = ZorvaneEngine::Vector2(corner.x + widget.hitAreaOffset.x, corner.y + widget.hitAreaOffset.y);
            extent = widget.hitAreaSize;
        }
        return ZorvaneEngine::Vector2(corner.x + extent.x / 2, corner.y + extent.y / 2);
    }
    void Click(const ZorvaneEngine::GUIWindow& widget) { Click(CentreOf(widget)); }

    // A key by its scan code, down for a frame.
    void Key(uint32_t scanCode)
    {
        Platform::InjectKey(engine->window->handle, scanCode, true);
        Frames(2);
        Platform::InjectKey(engine->window->handle, scanCode, false);
        Frames(2);
    }
    // Typed a character every other frame, as an edit box takes one a frame.
    void Type(const std::string& utf8)
    {
        size_t start = 0;
        while (start < utf8.size()) {
            size_t end = start + 1;
            while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
            Platform::InjectText(engine->window->handle, utf8.substr(start, end - start));
            Frames(2);
            start = end;
        }
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
            MoveTo(ZorvaneEngine::Vector2(from.x + (slot.x - from.x) * t - grip.x,
                                          from.y + (slot.y - from.y) * t - grip.y));
            frame();
        }
        if (piece.IsShown()) Click(ZorvaneEngine::Vector2(slot.x - grip.x, slot.y - grip.y));
        // A magnet glides the piece into its slot over a few frames while
        // the pointer keeps still; moving off early would drag it along.
        for (int wait = 0; wait < 60 && piece.magnetTarget != nullptr && Held(logic) == &piece; ++wait) frame();
        // Whatever stays in the hand goes back to the path, so that the
        // next pick finds the hand empty.
        if (Held(logic) == &piece) {
            Button(true, false);
            frame();
            Button(false, false);
            frame();
        }
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
                frame();
            }
        }
        return board.placedCount == board.GetPieceCount();
    }

    // What the screen shows now, as folder/name.png.
    void Screenshot(const std::filesystem::path& folder, const std::string& name)
    {
        ZorvaneEngine::Image picture;
        engine->renderer->CaptureScreen(picture);
        ASSERT_FALSE(picture.IsEmpty()) << name;
        std::filesystem::create_directories(folder);
        ASSERT_TRUE(Tools::SavePngFile((folder / (name + ".png")).string(), picture)) << name;
    }

private:
    std::function<void()> frame;
    ZorvaneEngine::Engine* engine = nullptr;
    SDL_Window* window = nullptr;
    std::pair<int, int> pointer{0, 0};
};

} // namespace TestSupport
