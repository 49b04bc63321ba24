#pragma once
// A texture shared under its key by the texture manager.
#include <cstdint>
#include <string>

namespace ZorvaneEngine {

class Texture2D {
public:
    explicit Texture2D(std::string key) : key(std::move(key)) {}
    virtual ~Texture2D() = default;

    std::string key;
    uint32_t referenceCount = 1;
};

} // namespace ZorvaneEngine
