#include "engine/sound/SoundSystem_DS7.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/Sound_DS7.h"

namespace ZorvaneEngine {

using namespace Platform;

SoundSystem_DS7::SoundSystem_DS7(MessageManager* log, FileManager* files, TimerManager* timers,
                                 Config*, Window* window, bool use3D)
    : SoundSystem(log, files, use3D), timers(timers), window(window)
{
    log->Message("\nInitialization of DirectSound Subsystem:");
    log->Message("...Creating a device...");
    if (DirectSoundCreate(&device) < 0 || !device) {
        device = nullptr;
        Fail("Failed to create a device");
    }

    log->Message("...Set cooperative level...");
    if (device->SetCooperativeLevel(window ? window->handle : nullptr, DSSCL_PRIORITY) < 0)
        Fail("Failed to set cooperative level");

    log->Message("...Create primary buffer...");
    BufferDescription description;
    description.size = BUFFER_DESCRIPTION_SIZE;
    description.flags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME;
    if (this->use3D)
        description.flags |= DSBCAPS_CTRL3D;
    if (device->CreateSoundBuffer(&description, &primaryBuffer) < 0 || !primaryBuffer) {
        primaryBuffer = nullptr;
        Fail("Failed to create primary buffer");
    }

    log->Message("...Set primary buffer format...");
    WaveFormat format;
    format.formatTag = WAVE_FORMAT_PCM;
    format.channels = 2;
    format.samplesPerSec = 22050;
    format.bitsPerSample = 16;
    format.blockAlign = 4;
    format.avgBytesPerSec = 88200;
    if (primaryBuffer->SetFormat(&format) < 0) {
        primaryBuffer->Release();
        primaryBuffer = nullptr;
        Fail("Failed to set primary buffer format");
    }

    if (this->use3D) {
        log->Message("...Get the 3D listener from the primary buffer...");
        if (primaryBuffer->QueryInterface(&listener) < 0 || !listener) {
            listener = nullptr;
            log->Error("Failed to get the 3D listener from the primary buffer");
            this->use3D = false;
        }
    }

    log->Message("");
    ResetListener();
}

SoundSystem_DS7::~SoundSystem_DS7()
{
    Release();
}

void SoundSystem_DS7::Fail(const std::string& text)
{
    log->Error(text);
    Release();
    throw Error("");
}

void SoundSystem_DS7::Release()
{
    log->Message("DirectSound system destroying:");
    if (listener) {
        log->Message("...Releasing 3D listener...");
        listener->Release();
        listener = nullptr;
    }
    if (primaryBuffer) {
        log->Message("...Releasing primary buffer...");
        primaryBuffer->Release();
        primaryBuffer = nullptr;
    }
    if (device) {
        log->Message("...Releasing device...");
        device->Release();
        device = nullptr;
    }
}

void SoundSystem_DS7::Refresh()
{
    if (primaryBuffer) {
        uint32_t status = 0;
        const HRESULT result = primaryBuffer->GetStatus(&status);
        ReportError("SoundSystem_DS7::Refresh", this, result);
        if (result >= 0 && status == DSBSTATUS_BUFFERLOST)
            ReportError("SoundSystem_DS7::Refresh", this, primaryBuffer->Restore());
    }
    if (listener)
        ReportError("SoundSystem_DS7::Refresh", this, listener->CommitDeferredSettings());
}

Sound* SoundSystem_DS7::CreateSound(const std::string& name)
{
    return new Sound_DS7(soundBufferManager, name, log, this);
}

Sound* SoundSystem_DS7::CloneSound(const Sound& sound)
{
    return new Sound_DS7(static_cast<const Sound_DS7&>(sound));
}

SoundBuffer* SoundSystem_DS7::CreateSoundBuffer(const std::string& name)
{
    auto* buffer = new SoundBuffer_DS7(name, log, files, timers, this, device);
    buffer->Load(nullptr);
    return buffer;
}

SoundBuffer* SoundSystem_DS7::DuplicateSoundBuffer(const SoundBuffer& source)
{
    auto* buffer = new SoundBuffer_DS7(source.name, log, files, timers, this, device);
    buffer->Load(&source);
    return buffer;
}

void SoundSystem_DS7::SetListenerPosition(const Vector3& position)
{
    SoundSystem::SetListenerPosition(position);
    if (listener)
        ReportError("SoundSystem_DS7::SetListenerPosition", this,
                    listener->SetPosition(position.x, position.y, position.z, DS3D_DEFERRED));
}

void SoundSystem_DS7::SetListenerOrientation(const Vector3& front, const Vector3& top)
{
    SoundSystem::SetListenerOrientation(front, top);
    if (listener)
        ReportError("SoundSystem_DS7::SetListenerOrientation", this,
                    listener->SetOrientation(front.x, front.y, front.z, top.x, top.y, top.z,
                                             DS3D_DEFERRED));
}

std::string SoundSystem_DS7::ErrorText(HRESULT result)
{
    struct Entry {
        HRESULT result;
        const char* text;
    };
    static const Entry table[] = {
        {DSERR_ACCESSDENIED, "The request failed because access was denied."},
        {DSERR_ALLOCATED, "The request failed because resources, such as a priority level, were "
                          "already in use by another caller."},
        {DSERR_ALREADYINITIALIZED, "The object is already initialized."},
        {DSERR_BADFORMAT, "The specified wave format is not supported."},
        {DSERR_BUFFERLOST, "The buffer memory has been lost and must be restored."},
        {DSERR_CONTROLUNAVAIL,
         "The buffer control (volume, pan, and so on) requested by the caller is not available."},
        {DSERR_GENERIC, "An undetermined error occurred inside the DirectSound subsystem."},
        {DSERR_INVALIDCALL, "This function is not valid for the current state of this object."},
        {DSERR_INVALIDPARAM, "An invalid parameter was passed to the returning function."},
        {DSERR_NOAGGREGATION, "The object does not support aggregation."},
        {DSERR_NODRIVER, "No sound driver is available for use."},
        {DSERR_NOINTERFACE, "The requested COM interface is not available."},
        {DSERR_OTHERAPPHASPRIO, "Another application has a higher priority level, preventing "
                                "this call from succeeding."},
        {DSERR_OUTOFMEMORY, "The DirectSound subsystem could not allocate sufficient memory to "
                            "complete the caller's request."},
        {DSERR_PRIOLEVELNEEDED, "The caller does not have the priority level required for the "
                                "function to succeed."},
        {DSERR_UNINITIALIZED, "The IDirectSound::Initialize method has not been called or has "
                              "not been called successfully before other methods were called."},
        {DSERR_UNSUPPORTED, "The function called is not supported at this time."},
    };
    for (const Entry& entry : table) {
        if (entry.result == result)
            return entry.text;
    }
    return "Unknown error (Code: " + std::to_string(result) + ")";
}

void SoundSystem_DS7::ReportError(const std::string& tag, const SoundSystem_DS7* owner,
                                  HRESULT result)
{
    if (result == DS_OK || !owner || !owner->log)
        return;
    owner->log->Error("DirectSound Subsystem (" + tag + "): " + ErrorText(result));
}

} // namespace ZorvaneEngine
