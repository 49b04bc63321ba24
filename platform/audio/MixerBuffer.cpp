#include "platform/audio/MixerBuffer.h"

#include <type_traits>

namespace Platform {

template <class ThreeD>
HRESULT MixerBuffer<ThreeD>::QueryInterface(IDirectSound3DListener** listener)
{
    return Query3D(listener, 0);
}

template <class ThreeD>
HRESULT MixerBuffer<ThreeD>::QueryInterface(IDirectSound3DBuffer** buffer)
{
    return Query3D(buffer, 1);
}

template <class ThreeD>
template <class Side>
HRESULT MixerBuffer<ThreeD>::Query3D(Side** side, double which)
{
    return core_->Traced("QueryInterface", id_, {which}, [&] {
        if (!side)
            return DSERR_INVALIDPARAM;
        *side = nullptr;
        if constexpr (std::is_same_v<Side, ThreeD>) {
            if (!(flags_ & DSBCAPS_CTRL3D))
                return DSERR_NOINTERFACE;
            this->AddRef();
            *side = this;
            return DS_OK;
        } else {
            return DSERR_NOINTERFACE;
        }
    });
}

template <class ThreeD>
HRESULT MixerBuffer<ThreeD>::SetPosition(float x, float y, float z, uint32_t apply)
{
    return core_->Traced("SetPosition", id_, {x, y, z, double(apply)},
                         [&] { return Set3D(position3D_, {x, y, z}, apply); });
}

template <class ThreeD>
HRESULT MixerBuffer<ThreeD>::GetPosition(Vector3D* position)
{
    return core_->Traced("GetPosition", id_, {}, [&] {
        if (!position)
            return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> lock(core_->mixer.Mutex());
        *position = position3D_.current;
        return DS_OK;
    });
}

template <class ThreeD>
HRESULT MixerBuffer<ThreeD>::CheckVolume(int32_t volume) const
{
    if (!(flags_ & DSBCAPS_CTRLVOLUME))
        return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
        return DSERR_INVALIDPARAM;
    return DS_OK;
}

template class MixerBuffer<IDirectSound3DListener>;
template class MixerBuffer<IDirectSound3DBuffer>;

} // namespace Platform
