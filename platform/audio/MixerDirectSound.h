#pragma once
// The device object over our mixer. The real implementation gives it an SDL
// output; the scripted one gives it a hook and mixes on demand.
#include <atomic>
#include <memory>

#include "platform/audio/AudioDeviceCore.h"

namespace Platform {

class MixerDirectSound final : public IDirectSound {
public:
    explicit MixerDirectSound(std::shared_ptr<AudioDeviceCore> core);

    uint32_t Id() const { return id_; }
    const std::shared_ptr<AudioDeviceCore>& Core() const { return core_; }

    uint32_t AddRef() override;
    uint32_t Release() override;
    HRESULT SetCooperativeLevel(WindowHandle window, uint32_t level) override;
    HRESULT GetCaps(DeviceCaps* caps) override;
    HRESULT CreateSoundBuffer(const BufferDescription* description,
                              IDirectSoundBuffer** buffer) override;
    HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original,
                                 IDirectSoundBuffer** duplicate) override;

private:
    ~MixerDirectSound() override = default;
    HRESULT CreatePrimary(const BufferDescription& description, IDirectSoundBuffer** buffer);
    HRESULT CreateSecondary(const BufferDescription& description, IDirectSoundBuffer** buffer);

    std::shared_ptr<AudioDeviceCore> core_;
    const uint32_t id_;
    std::atomic<uint32_t> references_{1};
};

} // namespace Platform
