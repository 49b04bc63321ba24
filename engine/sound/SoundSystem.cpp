#include "engine/sound/SoundSystem.h"

namespace ZorvaneEngine {

SoundSystem::SoundSystem(MessageManager* log, FileManager* files, bool use3D)
    : log(log), files(files), use3D(use3D)
{
}

void SoundSystem::SetListenerPosition(const Vector3& position)
{
    listenerPosition = position;
}

void SoundSystem::SetListenerOrientation(const Vector3& front, const Vector3& top)
{
    listenerFront = front;
    listenerTop = top;
}

void SoundSystem::ResetListener()
{
    SetListenerPosition(Vector3(0.0f, 0.0f, 0.0f));
    SetListenerOrientation(Vector3(0.0f, 0.0f, -1.0f), Vector3(0.0f, 1.0f, 0.0f));
}

} // namespace ZorvaneEngine
