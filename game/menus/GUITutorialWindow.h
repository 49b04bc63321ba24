#pragma once
// The tutorial before a new game: a small board on which a pointer shows
// how pieces are taken from the path and put into their slots, over and
// over with a pause between the runs. CONTINUE plays the first level (and
// with "do not show again" ticked, never shows the tutorial to this player
// again), BACK returns to the main menu. A player who asked not to see it
// goes straight on.
#include <vector>

#include "framework/WindowControllerBase.h"
#include "game/menus/GUIMenuWindow.h"

namespace ActionPuzzle {

class ProfileManager;

class GUITutorialWindow : public GameFramework::WindowControllerBase, public GUIMenuWindow {
public:
    // The demonstration's models play at this rate, once per run.
    static constexpr float DemoFramesPerSecond = 8.0f;
    // Seconds between the end of one run and the start of the next.
    static constexpr float PauseBetweenRuns = 1.5f;

    GUITutorialWindow(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                      GUIMenuWindowManager* manager, ZorvaneEngine::GUIWindow* parent, ProfileManager* profileManager);
    // Deletes the demonstration's windows before the frame they stand on.
    ~GUITutorialWindow() override;

    // With the box unticked and the demonstration at its start, invisible
    // until the window has faded in.
    virtual void Open();
    void Close() override;
    void Update() override;

    // The pointer's picture for a frame of the pointer's path: 0 the mouse
    // at rest, 1 the right button down, 2 the left button down.
    static uint32_t PointerPicture(float pathFrame);
    // The blocked slot's opacity (times the window's) for a frame of the
    // pointer's path: it opens as the third piece is put in.
    static float ClosedSlotOpacity(float pathFrame);

    ProfileManager* profileManager;  // not owned
    // Whether the tutorial is shown at all; the game sets it from the
    // profile before it opens.
    bool show = true;
    bool answerAtOnce = false;
    GUIControl* continueButton = nullptr;
    GUIControl* backButton = nullptr;
    GUIControl* doNotShowBox = nullptr;

    // The demonstration: the board, the blocked slot, the four pieces, the
    // pointer's path (never seen) and the pointer with its mouse.
    ZorvaneEngine::GUIWindow* boardWindow = nullptr;
    ZorvaneEngine::GUIWindow* closedSlotWindow = nullptr;
    ZorvaneEngine::GUIWindow* pieceWindows[4] = {};
    ZorvaneEngine::GUIWindow* pathWindow = nullptr;
    ZorvaneEngine::GUIWindow* pointerWindow = nullptr;
    // Seconds since the last run ended.
    float pauseClock = 0.0f;

private:
    // The pieces and the path: the animations that make one run.
    std::vector<ZorvaneEngine::GUIWindow*> RunWindows() const;
    // Where the pointer's path stands, in frames; 0 without an animation.
    float PathFrame() const;
    void RewindDemonstration();
    void RunDemonstration(float dt);

    // Every demonstration window but the path, coloured with the window.
    std::vector<ZorvaneEngine::GUIWindow*> colourList;
};

} // namespace ActionPuzzle
