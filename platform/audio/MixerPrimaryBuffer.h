#pragma once
// The primary buffer: the device's output format and master volume, and
// the 3D listener when it was created with DSBCAPS_CTRL3D. It holds no
// samples of its own: Lock and the cursors are refused.
#include <atomic>
#include <memory>

#include "platform/audio/AudioDeviceCore.h"

namespace Platform {

class MixerPrimaryBuffer final : public IDirectSoundBuffer, public IDirectSound3DListener {
public:
    MixerPrimaryBuffer(std::shared_ptr<AudioDeviceCore> core, uint32_t flags);

    uint32_t Id() const { return id_; }
    uint32_t Flags() const { return flags_; }
    // Read and changed with the mixer's mutex held.
    bool& Lost() { return lost_; }

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

    // IDirectSound3DListener
    HRESULT SetPosition(float x, float y, float z, uint32_t apply) override;
    HRESULT SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY,
                           float topZ, uint32_t apply) override;
    HRESULT GetPosition(Vector3D* position) override;
    HRESULT GetOrientation(Vector3D* front, Vector3D* top) override;
    HRESULT CommitDeferredSettings() override;

private:
    ~MixerPrimaryBuffer() override;

    std::shared_ptr<AudioDeviceCore> core_;
    const uint32_t id_;
    const uint32_t flags_;
    std::atomic<uint32_t> references_{1};
    WaveFormat format_;
    bool lost_ = false;

    struct Listener {
        Vector3D position;
        Vector3D front{0.0f, 0.0f, 1.0f};
        Vector3D top{0.0f, 1.0f, 0.0f};
    };
    Listener listener_;
    Listener deferred_;
    bool deferredPosition_ = false;
    bool deferredOrientation_ = false;
};

} // namespace Platform
