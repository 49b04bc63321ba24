#pragma once
// What the primary and the secondary buffers share: the capabilities asked
// for at creation, and the 3D side that QueryInterface hands out when they
// include DSBCAPS_CTRL3D. ThreeD is that side: the listener of the primary
// buffer, the 3D buffer of a secondary one. Both have a position, kept here.
#include <mutex>

#include "platform/audio/MixerObject.h"

namespace Platform {

// A 3D value that is set at once, or kept until the deferred settings are
// committed. Guarded by the mixer's mutex.
template <class Value>
struct DeferredSetting {
    void Set(const Value& value, bool deferred)
    {
        if (deferred) {
            pending = value;
        } else {
            current = value;
        }
        hasPending = deferred;
    }
    void Commit()
    {
        if (hasPending)
            current = pending;
        hasPending = false;
    }

    Value current;
    Value pending;
    bool hasPending = false;
};

template <class ThreeD>
class MixerBuffer : public MixerObject<IDirectSoundBuffer, ThreeD> {
public:
    uint32_t Flags() const { return flags_; }
    // Read with the mixer's mutex held.
    Vector3D Position3D() const { return position3D_.current; }

    HRESULT QueryInterface(IDirectSound3DListener** listener) override;
    HRESULT QueryInterface(IDirectSound3DBuffer** buffer) override;

    // ThreeD
    HRESULT SetPosition(float x, float y, float z, uint32_t apply) override;
    HRESULT GetPosition(Vector3D* position) override;

protected:
    using Object = MixerObject<IDirectSoundBuffer, ThreeD>;
    using Object::core_;
    using Object::id_;

    MixerBuffer(std::shared_ptr<AudioDeviceCore> core, uint32_t flags)
        : Object(std::move(core)), flags_(flags)
    {
    }
    ~MixerBuffer() override = default;

    // DSERR_CONTROLUNAVAIL without DSBCAPS_CTRLVOLUME, DSERR_INVALIDPARAM for
    // a volume outside DSBVOLUME_MIN..DSBVOLUME_MAX, else DS_OK.
    HRESULT CheckVolume(int32_t volume) const;

    // DSERR_INVALIDPARAM for an apply other than DS3D_IMMEDIATE or
    // DS3D_DEFERRED; otherwise stores the value under the mixer's mutex.
    template <class Value>
    HRESULT Set3D(DeferredSetting<Value>& setting, const Value& value, uint32_t apply)
    {
        if (apply != DS3D_IMMEDIATE && apply != DS3D_DEFERRED)
            return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        setting.Set(value, apply == DS3D_DEFERRED);
        return DS_OK;
    }

    const uint32_t flags_;
    DeferredSetting<Vector3D> position3D_;

private:
    // The call record tells the two interfaces apart by `which`: 0 for the
    // listener, 1 for the 3D buffer.
    template <class Side>
    HRESULT Query3D(Side** side, double which);
};

extern template class MixerBuffer<IDirectSound3DListener>;
extern template class MixerBuffer<IDirectSound3DBuffer>;

} // namespace Platform
