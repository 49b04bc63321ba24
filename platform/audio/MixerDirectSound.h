#pragma once
// The device object over our mixer. The real implementation gives it an SDL
// output; the scripted one gives it a hook and mixes on demand.
#include <memory>

#include "platform/audio/MixerObject.h"

namespace Platform {

class MixerDirectSound final : public MixerObject<IDirectSound> {
public:
    explicit MixerDirectSound(std::shared_ptr<AudioDeviceCore> core);

    const std::shared_ptr<AudioDeviceCore>& Core() const { return core_; }

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
};

} // namespace Platform
