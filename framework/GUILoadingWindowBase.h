#pragma once
// The base of the loading screens. RunLoading, called from the screen's
// update on the main thread, loads the keeper on a worker thread while the
// main thread only keeps the window alive: it dispatches platform events,
// shows the last presented frame again when windowed, lets the sound manager
// refill its streams (queued play requests wait for the next frame) and
// sleeps 20 ms between polls. Nothing is drawn anew during the load, so the
// two threads never share the engine's managers.
//
// A failure inside the load (a fatal data error, any exception) is caught on
// the worker and raised again from RunLoading on the main thread, where the
// game loader's handlers report it.
#include <atomic>

#include "framework/WindowControllerBase.h"

namespace ZorvaneEngine {
class Engine;
class MessageManager;
class RenderSystem;
class SoundManager;
class TimerManager;
class Window;
} // namespace ZorvaneEngine

namespace GameFramework {

class DataKeeper;

class GUILoadingWindowBase : public WindowControllerBase {
public:
    static constexpr uint32_t PollSleepMs = 20;

    explicit GUILoadingWindowBase(ZorvaneEngine::Engine* engine);

    // The keeper to load; it stays the caller's.
    virtual void Open(DataKeeper* keeper);
    // Forgets the keeper and the done flag.
    void Close() override;

    // Loads the keeper; returns once the load has ended. Without a worker
    // thread the load runs right here; without a keeper there is nothing to
    // load and the screen is done at once.
    void RunLoading();

    DataKeeper* GetKeeper() const { return keeper; }
    bool IsDone() const { return done.load(); }

protected:
    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::MessageManager* log;
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::Window* window;
    ZorvaneEngine::RenderSystem* renderer;
    ZorvaneEngine::SoundManager* soundManager;  // null without sound
    DataKeeper* keeper = nullptr;
    // Written by the worker, polled by the main thread.
    std::atomic<bool> done{false};

private:
    void LoadingThreadProc();
};

} // namespace GameFramework
