#include "framework/GUILoadingWindowBase.h"

#include <memory>

#include "engine/Engine.h"
#include "engine/core/Window.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/sound/SoundManager.h"
#include "framework/DataKeeper.h"
#include "framework/GameLoaderBase.h"
#include "platform/system/System.h"

namespace GameFramework {

GUILoadingWindowBase::GUILoadingWindowBase(ZorvaneEngine::Engine* engine)
    : engine(engine), log(engine->log.get()), timers(engine->timers.get()),
      window(engine->window.get()), renderer(engine->renderer.get()),
      soundManager(engine->soundManager.get())
{
}

void GUILoadingWindowBase::Open(DataKeeper* keeperToLoad)
{
    keeper = keeperToLoad;
}

void GUILoadingWindowBase::Close()
{
    keeper = nullptr;
    done = false;
}

void GUILoadingWindowBase::LoadingThreadProc()
{
    keeper->StartLoad();
    done = true;
}

void GUILoadingWindowBase::RunLoading()
{
    if (!keeper) {
        done = true;
        return;
    }
    Platform::System& system = Platform::GetSystem();
    std::unique_ptr<Platform::Thread> thread = system.CreateThread([this] { LoadingThreadProc(); });
    if (!thread) {
        LoadingThreadProc();
    }
    for (;;) {
        if (GameLoaderBase::DispatchNextEvent())
            continue;
        if (!window->fullscreen)
            renderer->SwapBuffers();
        if (soundManager)
            soundManager->Update(false);
        if ((thread && thread->IsFinished()) || done)
            break;
        system.Sleep(PollSleepMs);
    }
    // Raises what the load raised, now on the main thread.
    if (thread)
        thread->Join();
}

} // namespace GameFramework
