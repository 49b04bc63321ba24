#pragma once
// The seed corpora of the fuzz programs, written by our own writers. Each
// fuzz/seeds/<thing>.cpp fills the corpus of fuzz/fuzz_<thing>.cpp:
//
//     TANGROVE_FUZZ_SEEDS(wav)
//     {
//         seeds.Add("mono8.wav", bytes);
//     }
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace FuzzSeeds {

class Seeds {
public:
    void Add(const std::string& name, std::vector<uint8_t> bytes) { files.emplace_back(name, std::move(bytes)); }
    void Add(const std::string& name, const std::string& text)
    {
        files.emplace_back(name, std::vector<uint8_t>(text.begin(), text.end()));
    }

    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
};

using Maker = void (*)(Seeds&);

// Records a maker under its program's name; used by the macro below.
struct Registration {
    Registration(const char* thing, Maker maker);
};

} // namespace FuzzSeeds

#define TANGROVE_FUZZ_SEEDS(thing)                                                                  \
    static void MakeSeeds_##thing(FuzzSeeds::Seeds& seeds);                                          \
    static const FuzzSeeds::Registration registration_##thing(#thing, MakeSeeds_##thing);            \
    static void MakeSeeds_##thing(FuzzSeeds::Seeds& seeds)
