#include "engine/sound/Sound_DS7.h"

#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/SoundFileReader.h"

namespace ZorvaneEngine {

using Platform::DSBSTATUS_BUFFERLOST;
using Platform::DSBSTATUS_PLAYING;

Sound_DS7::Sound_DS7(SoundBufferManager* buffers, const std::string& name, MessageManager* log,
                     SoundSystem_DS7* system)
    : Sound(buffers, name, log),
      system(system),
      deviceBuffer(static_cast<SoundBuffer_DS7*>(buffer))
{
    if (deviceBuffer) {
        deviceBuffer->SetVolume(volume);
        deviceBuffer->SetTempo(tempo);
        deviceBuffer->SetPosition(position.x, position.y, position.z);
    }
}

Sound_DS7::Sound_DS7(const Sound_DS7& other)
    : Sound(other), system(other.system), deviceBuffer(static_cast<SoundBuffer_DS7*>(buffer))
{
    if (deviceBuffer) {
        deviceBuffer->SetVolume(volume);
        deviceBuffer->SetPosition(position.x, position.y, position.z);
    }
}

void Sound_DS7::Update()
{
    if (!deviceBuffer)
        return;
    uint32_t status = deviceBuffer->IsPlaying();
    if (status & DSBSTATUS_BUFFERLOST) {
        if (!deviceBuffer->Restore())
            return;
        if (!deviceBuffer->streaming) {
            // A fresh reader writes the samples again.
            deviceBuffer->Load(nullptr);
        } else {
            const SoundState was = state;
            Stop();
            if (was == SoundState::Playing) {
                Play();
            } else if (was == SoundState::Paused) {
                Play();
                Pause();
            }
        }
        status = deviceBuffer->IsPlaying();
    }
    if (state != SoundState::Playing)
        return;
    if (deviceBuffer->HasDeviceBuffer() && (status & DSBSTATUS_PLAYING))
        return;
    Stop();
}

bool Sound_DS7::Play()
{
    if (deviceBuffer) {
        // A stream that ended by itself counts as stopped even before this
        // sound's update has noticed it: it starts again from the top.
        if ((deviceBuffer->IsPlaying() & DSBSTATUS_PLAYING) || deviceBuffer->finished) {
            deviceBuffer->Stop();
            if (deviceBuffer->streaming)
                deviceBuffer->streamState = StreamState::Stopped;
        }
        if (deviceBuffer->streaming && deviceBuffer->streamState != StreamState::Playing) {
            if (deviceBuffer->streamState == StreamState::Stopped) {
                if (deviceBuffer->reader)
                    deviceBuffer->reader->Rewind();
                for (uint32_t chunk = 0; chunk < SoundBuffer::ChunkCount; ++chunk) {
                    if (deviceBuffer->FillBuffer(chunk, SoundBuffer::ChunkSize))
                        deviceBuffer->QueueBuffer(chunk);
                }
            }
            deviceBuffer->streamState = StreamState::Playing;
        }
        deviceBuffer->Play(looping);
    }
    state = SoundState::Playing;
    return true;
}

void Sound_DS7::Pause()
{
    if (deviceBuffer) {
        deviceBuffer->Pause();
        // A stream that never started stays stopped, so that its next play
        // fills the ring instead of resuming one that holds nothing.
        if (deviceBuffer->streaming && deviceBuffer->streamState == StreamState::Playing)
            deviceBuffer->streamState = StreamState::Paused;
    }
    state = SoundState::Paused;
}

void Sound_DS7::Stop()
{
    if (deviceBuffer) {
        deviceBuffer->Stop();
        if (deviceBuffer->streaming)
            deviceBuffer->streamState = StreamState::Stopped;
    }
    state = SoundState::Stopped;
}

void Sound_DS7::SetLooping(bool value)
{
    looping = value;
    if (!deviceBuffer)
        return;
    if (deviceBuffer->streaming)
        deviceBuffer->loop = value;
    else if (deviceBuffer->IsPlaying() & DSBSTATUS_PLAYING)
        deviceBuffer->Play(value);
}

void Sound_DS7::SetVolume(float value)
{
    volume = value;
    if (deviceBuffer)
        deviceBuffer->SetVolume(value);
}

void Sound_DS7::SetTempo(float value)
{
    tempo = value;
    if (deviceBuffer)
        deviceBuffer->SetTempo(value);
}

void Sound_DS7::SetPosition(const Vector3& value)
{
    position = value;
    if (deviceBuffer)
        deviceBuffer->SetPosition(value.x, value.y, value.z);
}

} // namespace ZorvaneEngine
