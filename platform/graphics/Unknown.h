#pragma once
// The reference count every graphics object carries. Objects are created
// with one reference; Release returns the references left and deletes the
// object at zero. Counting is atomic: textures are made on the loading
// thread and released on the main thread.
#include <atomic>
#include <cstdint>

namespace Platform {

class Unknown {
public:
    Unknown() = default;
    Unknown(const Unknown&) = delete;
    Unknown& operator=(const Unknown&) = delete;

    uint32_t AddRef() { return ++references_; }
    uint32_t Release()
    {
        const uint32_t left = --references_;
        Released(left);
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    virtual ~Unknown() = default;
    // Told of every Release with the references left (the scripted driver
    // records it).
    virtual void Released(uint32_t) {}

private:
    std::atomic<uint32_t> references_{1};
};

} // namespace Platform
