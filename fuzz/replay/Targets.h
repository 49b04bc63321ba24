#pragma once
// The fuzz programs linked into fuzz_replay. Each fuzz/fuzz_<thing>.cpp is
// compiled with its entry point renamed to TangroveFuzz_<thing>; the table
// of names is written by cmake/Fuzz.cmake.
#include <cstddef>
#include <cstdint>
#include <string>

namespace FuzzReplay {

struct Target {
    const char* name;
    int (*run)(const uint8_t* data, size_t size);
};

// The program of that name, or null.
const Target* FindTarget(const std::string& name);

} // namespace FuzzReplay
