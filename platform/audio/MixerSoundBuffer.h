#pragma once
// A secondary buffer: one voice of the mixer, and its 3D side when it was
// created with DSBCAPS_CTRL3D.
#include <memory>
#include <vector>

#include "platform/audio/MixerBuffer.h"

namespace Platform {

class MixerSoundBuffer final : public MixerBuffer<IDirectSound3DBuffer> {
public:
    // Registers the voice with the mixer. The memory is shared with
    // duplicates.
    MixerSoundBuffer(std::shared_ptr<AudioDeviceCore> core, uint32_t flags,
                     const WaveFormat& format, std::shared_ptr<std::vector<uint8_t>> memory);

    const WaveFormat& Format() const { return format_; }
    const std::shared_ptr<std::vector<uint8_t>>& Memory() const { return voice_.memory; }
    // Read and changed with the mixer's mutex held.
    AudioVoice& Voice() { return voice_; }
    int32_t Volume() const { return volume_; }
    // Applies a deferred 3D position; the caller holds the mixer's mutex.
    void CommitDeferred();

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

private:
    ~MixerSoundBuffer() override;

    const WaveFormat format_;
    AudioVoice voice_;
    int32_t volume_ = DSBVOLUME_MAX;

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
