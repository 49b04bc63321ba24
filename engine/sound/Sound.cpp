#include "engine/sound/Sound.h"

#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundBufferManager.h"

namespace ZorvaneEngine {

Sound::Sound(SoundBufferManager* buffers, const std::string& name, MessageManager* log)
    : log(log), buffers(buffers), name(name)
{
    if (buffers)
        buffer = buffers->GetSoundBuffer(name);
}

Sound::Sound(const Sound& other)
    : log(other.log),
      buffers(other.buffers),
      name(other.name),
      looping(other.looping),
      volume(other.volume),
      tempo(other.tempo),
      position(other.position)
{
    if (buffers)
        buffer = buffers->GetSoundBuffer(name);
}

Sound::~Sound()
{
    if (buffers)
        buffers->ReleaseSoundBuffer(buffer);
}

void Sound::SetLooping(bool value)
{
    looping = value;
    if (buffer && buffer->streaming)
        buffer->loop = value;
}

void Sound::SetVolume(float value)
{
    volume = value;
}

void Sound::SetTempo(float value)
{
    tempo = value;
}

void Sound::SetPosition(const Vector3& value)
{
    position = value;
}

} // namespace ZorvaneEngine
