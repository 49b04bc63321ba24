#pragma once
// What every object of the mixer device has: its number in the call record,
// the shared device state, and a reference count shared by all the
// interfaces it implements (one AddRef or Release overrides each of them).
#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/audio/AudioDeviceCore.h"

namespace Platform {

template <class... Interfaces>
class MixerObject : public Interfaces... {
public:
    uint32_t Id() const { return id_; }
    uint32_t References() const { return references_; }

    uint32_t AddRef() override { return ++references_; }

    uint32_t Release() override
    {
        const uint32_t left = --references_;
        core_->Note("Release", id_, {static_cast<double>(left)});
        if (left == 0)
            delete this;
        return left;
    }

protected:
    explicit MixerObject(std::shared_ptr<AudioDeviceCore> core)
        : core_(std::move(core)), id_(core_->NewId())
    {
    }
    ~MixerObject() override = default;

    std::shared_ptr<AudioDeviceCore> core_;
    const uint32_t id_;

private:
    std::atomic<uint32_t> references_{1};
};

} // namespace Platform
