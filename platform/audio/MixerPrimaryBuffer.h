#pragma once
// The primary buffer: the device's output format and master volume, and
// the 3D listener when it was created with DSBCAPS_CTRL3D. It holds no
// samples of its own: Lock and the cursors are refused.
#include <memory>

#include "platform/audio/MixerBuffer.h"

namespace Platform {

class MixerPrimaryBuffer final : public MixerBuffer<IDirectSound3DListener> {
public:
    MixerPrimaryBuffer(std::shared_ptr<AudioDeviceCore> core, uint32_t flags);

    // Read and changed with the mixer's mutex held.
    bool& Lost() { return lost_; }

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

    // IDirectSound3DListener; the position is MixerBuffer's.
    HRESULT SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY,
                           float topZ, uint32_t apply) override;
    HRESULT GetOrientation(Vector3D* front, Vector3D* top) override;
    HRESULT CommitDeferredSettings() override;

private:
    ~MixerPrimaryBuffer() override;

    WaveFormat format_;
    bool lost_ = false;

    struct Orientation {
        Vector3D front{0.0f, 0.0f, 1.0f};
        Vector3D top{0.0f, 1.0f, 0.0f};
    };
    DeferredSetting<Orientation> orientation_;
};

} // namespace Platform
