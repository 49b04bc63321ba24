#pragma once
// A secondary buffer: one voice of the mixer, and its 3D side when it was
// created with DSBCAPS_CTRL3D.
#include <atomic>
#include <memory>
#include <vector>

#include "platform/audio/AudioDeviceCore.h"

namespace Platform {

class MixerSoundBuffer final : public IDirectSoundBuffer, public IDirectSound3DBuffer {
public:
    // Registers the voice with the mixer. The memory is shared with
    // duplicates.
    MixerSoundBuffer(std::shared_ptr<AudioDeviceCore> core, uint32_t flags,
                     const WaveFormat& format, std::shared_ptr<std::vector<uint8_t>> memory);

    uint32_t Id() const { return id_; }
    uint32_t Flags() const { return flags_; }
    const WaveFormat& Format() const { return format_; }
    const std::shared_ptr<std::vector<uint8_t>>& Memory() const { return voice_.memory; }
    uint32_t References() const { return references_; }
    // Read and changed with the mixer's mutex held.
    AudioVoice& Voice() { return voice_; }
    int32_t Volume() const { return volume_; }
    Vector3D Position3D() const { return position3D_; }
    // Applies a deferred 3D position; the caller holds the mixer's mutex.
    void CommitDeferred();

    uint32_t AddRef() override;
    uint32_t Release() override;
    HRESULT QueryInterface(IDirectSound3DListener** listener) override;
    HRESULT QueryInterface(IDirectSound3DBuffer** buffer) override;
    HRESULT SetFormat(const WaveFormat* format) override;
    HRESULT GetFormat(WaveFormat* format) override;
    HRESULT GetStatus(uint32_t* status) override;
    HRESULT Restore() override;
    HRESULT Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
                 uint32_t* bytes2, uint32_t flags) override;
    HRESULT Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2) override;
    HRESULT Play(uint32_t reserved, uint32_t priority, uint32_t flags) override;
    HRESULT Stop() override;
    HRESULT SetCurrentPosition(uint32_t position) override;
    HRESULT GetCurrentPosition(uint32_t* playCursor, uint32_t* writeCursor) override;
    HRESULT SetVolume(int32_t volume) override;
    HRESULT SetFrequency(uint32_t frequency) override;

    // IDirectSound3DBuffer
    HRESULT SetPosition(float x, float y, float z, uint32_t apply) override;
    HRESULT GetPosition(Vector3D* position) override;

private:
    ~MixerSoundBuffer() override;

    std::shared_ptr<AudioDeviceCore> core_;
    const uint32_t id_;
    const uint32_t flags_;
    const WaveFormat format_;
    std::atomic<uint32_t> references_{1};
    AudioVoice voice_;
    int32_t volume_ = DSBVOLUME_MAX;
    Vector3D position3D_;
    Vector3D deferred3D_;
    bool hasDeferred3D_ = false;

    // A lock hands out this copy of the locked bytes; Unlock copies it into
    // the sample memory under the mixer's mutex, so the mixer never reads
    // memory the game is writing.
    std::vector<uint8_t> staging_;
    bool locked_ = false;
    uint32_t lockOffset_ = 0;
    uint32_t lockBytes1_ = 0;
    uint32_t lockBytes2_ = 0;
};

} // namespace Platform
