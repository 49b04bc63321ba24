#pragma once
// The sound device as the sound system uses it: a device object, its
// primary buffer (the output format), secondary buffers holding PCM samples
// that our own mixer plays, duplicates sharing sample memory, and the 3D
// listener and 3D buffers, whose values are stored but not rendered (the
// game plays without 3D sound).
//
// Objects are reference counted: every pointer handed out (by creation,
// duplication or QueryInterface) carries one reference that Release gives
// back; the object goes away with its last reference. Buffers and listeners
// stay usable after the device itself is released.
//
// Results are HRESULT-style codes: DS_OK, or a negative DSERR_* code.
#include <cstdint>

#include "platform/Installed.h"
#include "platform/system/System.h"
#include "platform/window/WindowHandle.h"

namespace Platform {

constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);
constexpr HRESULT DSERR_ALLOCATED = static_cast<HRESULT>(0x8878000Au);
constexpr HRESULT DSERR_ALREADYINITIALIZED = static_cast<HRESULT>(0x88780082u);
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064u);
constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096u);
constexpr HRESULT DSERR_CONTROLUNAVAIL = static_cast<HRESULT>(0x8878001Eu);
constexpr HRESULT DSERR_GENERIC = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032u);
constexpr HRESULT DSERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DSERR_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078u);
constexpr HRESULT DSERR_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT DSERR_OTHERAPPHASPRIO = static_cast<HRESULT>(0x887800A0u);
constexpr HRESULT DSERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DSERR_PRIOLEVELNEEDED = static_cast<HRESULT>(0x88780046u);
constexpr HRESULT DSERR_UNINITIALIZED = static_cast<HRESULT>(0x887800AAu);
constexpr HRESULT DSERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001u);

// Cooperative levels.
constexpr uint32_t DSSCL_NORMAL = 1;
constexpr uint32_t DSSCL_PRIORITY = 2;
constexpr uint32_t DSSCL_EXCLUSIVE = 3;
constexpr uint32_t DSSCL_WRITEPRIMARY = 4;

// Buffer capabilities asked for at creation. A control that was not asked
// for answers DSERR_CONTROLUNAVAIL.
constexpr uint32_t DSBCAPS_PRIMARYBUFFER = 0x01;
constexpr uint32_t DSBCAPS_STATIC = 0x02;
constexpr uint32_t DSBCAPS_CTRL3D = 0x10;
constexpr uint32_t DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr uint32_t DSBCAPS_CTRLVOLUME = 0x80;

constexpr uint32_t DSBPLAY_LOOPING = 0x1;

constexpr uint32_t DSBSTATUS_PLAYING = 0x1;
constexpr uint32_t DSBSTATUS_BUFFERLOST = 0x2;
constexpr uint32_t DSBSTATUS_LOOPING = 0x4;

constexpr uint32_t DSBLOCK_FROMWRITECURSOR = 0x1;
constexpr uint32_t DSBLOCK_ENTIREBUFFER = 0x2;

// Volume in hundredths of a decibel: 0 is the sample's own level, -10000
// is silence.
constexpr int32_t DSBVOLUME_MAX = 0;
constexpr int32_t DSBVOLUME_MIN = -10000;

// Playback rates in Hz; DSBFREQUENCY_ORIGINAL goes back to the format's rate.
constexpr uint32_t DSBFREQUENCY_ORIGINAL = 0;
constexpr uint32_t DSBFREQUENCY_MIN = 100;
constexpr uint32_t DSBFREQUENCY_MAX = 100000;

// Sizes of a secondary buffer in bytes.
constexpr uint32_t DSBSIZE_MIN = 4;
constexpr uint32_t DSBSIZE_MAX = 0x0FFFFFFF;

// 3D settings: applied at once, or kept until CommitDeferredSettings.
constexpr uint32_t DS3D_IMMEDIATE = 0;
constexpr uint32_t DS3D_DEFERRED = 1;

// GetCaps flags.
constexpr uint32_t DSCAPS_PRIMARYMONO = 0x001;
constexpr uint32_t DSCAPS_PRIMARYSTEREO = 0x002;
constexpr uint32_t DSCAPS_PRIMARY8BIT = 0x004;
constexpr uint32_t DSCAPS_PRIMARY16BIT = 0x008;
constexpr uint32_t DSCAPS_CONTINUOUSRATE = 0x010;
constexpr uint32_t DSCAPS_EMULDRIVER = 0x020;
constexpr uint32_t DSCAPS_SECONDARYMONO = 0x100;
constexpr uint32_t DSCAPS_SECONDARYSTEREO = 0x200;
constexpr uint32_t DSCAPS_SECONDARY8BIT = 0x400;
constexpr uint32_t DSCAPS_SECONDARY16BIT = 0x800;

constexpr uint16_t WAVE_FORMAT_PCM = 1;

// The sizes of a buffer description the device accepts: the full one the
// game passes, and the older one without the 3D algorithm field.
constexpr uint32_t BUFFER_DESCRIPTION_SIZE = 36;
constexpr uint32_t BUFFER_DESCRIPTION_SIZE_OLD = 20;

// A PCM format. 8-bit samples are unsigned (silence 0x80), 16-bit samples
// signed little-endian; stereo frames are left then right.
struct WaveFormat {
    uint16_t formatTag = WAVE_FORMAT_PCM;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0; // blockAlign * samplesPerSec
    uint16_t blockAlign = 0;     // channels * bitsPerSample / 8
    uint16_t bitsPerSample = 0;
};

// What CreateSoundBuffer is asked for. A primary buffer has no size and no
// format; a secondary buffer needs both.
struct BufferDescription {
    uint32_t size = BUFFER_DESCRIPTION_SIZE;
    uint32_t flags = 0;
    uint32_t bufferBytes = 0;
    const WaveFormat* format = nullptr;
};

struct DeviceCaps {
    uint32_t flags = 0;
    uint32_t minSecondarySampleRate = 0;
    uint32_t maxSecondarySampleRate = 0;
};

struct Vector3D {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

class IDirectSound3DListener;
class IDirectSound3DBuffer;

// A primary or secondary buffer.
class IDirectSoundBuffer {
public:
    virtual uint32_t AddRef() = 0;
    // Gives back one reference; returns how many remain.
    virtual uint32_t Release() = 0;
    // The 3D side of the buffer: the listener of a primary buffer created
    // with DSBCAPS_CTRL3D, the 3D buffer of a secondary buffer created with
    // it; DSERR_NOINTERFACE otherwise.
    virtual HRESULT QueryInterface(IDirectSound3DListener** listener) = 0;
    virtual HRESULT QueryInterface(IDirectSound3DBuffer** buffer) = 0;

    // The output format; primary buffer only, with the priority level.
    virtual HRESULT SetFormat(const WaveFormat* format) = 0;
    virtual HRESULT GetFormat(WaveFormat* format) = 0;
    // DSBSTATUS_* bits. A lost buffer does not play until restored.
    virtual HRESULT GetStatus(uint32_t* status) = 0;
    // Clears the lost state; the samples must be written again.
    virtual HRESULT Restore() = 0;

    // Gives up to two regions covering bytes from offset: the second is
    // non-empty when the range wraps past the buffer's end. Unlock takes the
    // same pointers and the bytes actually written to each.
    virtual HRESULT Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1,
                         void** part2, uint32_t* bytes2, uint32_t flags) = 0;
    virtual HRESULT Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2) = 0;

    // Plays from the current position; on a playing buffer only the looping
    // flag changes. Without DSBPLAY_LOOPING the buffer stops at its end and
    // its position returns to 0.
    virtual HRESULT Play(uint32_t reserved, uint32_t priority, uint32_t flags) = 0;
    // Stops where it is; the position is kept.
    virtual HRESULT Stop() = 0;
    // Byte offsets: the play cursor, and the write cursor from which data
    // may be written safely (the mixer reads at the play cursor, so both
    // are the same here).
    virtual HRESULT SetCurrentPosition(uint32_t position) = 0;
    virtual HRESULT GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) = 0;
    // Hundredths of a decibel, DSBVOLUME_MIN to DSBVOLUME_MAX.
    virtual HRESULT SetVolume(int32_t volume) = 0;
    // Playback rate in Hz, DSBFREQUENCY_MIN to DSBFREQUENCY_MAX, or
    // DSBFREQUENCY_ORIGINAL.
    virtual HRESULT SetFrequency(uint32_t frequency) = 0;

protected:
    virtual ~IDirectSoundBuffer() = default;
};

// The listener's values are kept; they change nothing in the output.
class IDirectSound3DListener {
public:
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;
    virtual HRESULT SetPosition(float x, float y, float z, uint32_t apply) = 0;
    virtual HRESULT SetOrientation(float frontX, float frontY, float frontZ, float topX,
                                   float topY, float topZ, uint32_t apply) = 0;
    virtual HRESULT GetPosition(Vector3D* position) = 0;
    virtual HRESULT GetOrientation(Vector3D* front, Vector3D* top) = 0;
    // Applies the deferred settings of the listener and of every 3D buffer.
    virtual HRESULT CommitDeferredSettings() = 0;

protected:
    virtual ~IDirectSound3DListener() = default;
};

// A secondary buffer's 3D position, kept without effect on the output.
class IDirectSound3DBuffer {
public:
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;
    virtual HRESULT SetPosition(float x, float y, float z, uint32_t apply) = 0;
    virtual HRESULT GetPosition(Vector3D* position) = 0;

protected:
    virtual ~IDirectSound3DBuffer() = default;
};

class IDirectSound {
public:
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;
    // DSSCL_*; the window may be null (no window).
    virtual HRESULT SetCooperativeLevel(WindowHandle window, uint32_t level) = 0;
    virtual HRESULT GetCaps(DeviceCaps* caps) = 0;
    // With DSBCAPS_PRIMARYBUFFER: the primary buffer (size 0, no format).
    // Otherwise a stopped secondary buffer at position 0 filled with silence,
    // full volume, at the format's rate.
    virtual HRESULT CreateSoundBuffer(const BufferDescription* description,
                                      IDirectSoundBuffer** buffer) = 0;
    // A new secondary buffer playing the same sample memory, with its own
    // position, status, volume and rate (stopped, at 0, the format's rate).
    virtual HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original,
                                         IDirectSoundBuffer** duplicate) = 0;

protected:
    virtual ~IDirectSound() = default;
};

// Where DirectSoundCreate gets its devices from: the SDL output, or a
// test's twin. directSound is never null and already cleared.
class AudioDevices {
public:
    virtual ~AudioDevices() = default;
    virtual HRESULT DirectSoundCreate(IDirectSound** directSound) = 0;
};

// Opens the default output device: the installed twin's device when a test
// installed one, else the SDL output. DSERR_NODRIVER when no output device
// can be opened.
HRESULT DirectSoundCreate(IDirectSound** directSound);

// The devices in use: the SDL ones unless a test installed another.
AudioDevices& GetAudioDevices();
// Installs a replacement (null restores the SDL one); returns the previous.
AudioDevices* SetAudioDevices(AudioDevices* devices);
using ScopedAudioDevices = ScopedInstall<AudioDevices, &SetAudioDevices>;

} // namespace Platform
