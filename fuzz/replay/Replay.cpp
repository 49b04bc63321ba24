// Runs the fuzz programs without libFuzzer, in the sanitizer build of the
// tests: every input of a seed folder, then a fixed set of damaged copies of
// each (cut short, bits flipped, sizes and counts overwritten with extreme
// values, pieces dropped or repeated). The copies come from a generator with
// a fixed start, so a run is the same on every machine; a crash, a sanitizer
// report, an escaping exception or a leak fails the run, and the input that
// was running is named on standard error.
//
//     fuzz_replay THING SEEDS [COPIES]
//
// COPIES is the number of damaged copies made of each seed (256 unless given).
// The libFuzzer build of fuzz/ (make fuzz) explores far more; this run only
// makes sure that every program still builds and survives its seeds and
// their simplest damage.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <exception>
#include <vector>

#include <sanitizer/common_interface_defs.h>

#include "fuzz/replay/Targets.h"

namespace {

using Bytes = std::vector<uint8_t>;

// xorshift32: small, and the same sequence everywhere.
class Generator {
public:
    explicit Generator(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // A number in [0, bound); 0 when bound is 0.
    uint32_t Below(uint32_t bound) { return bound ? Next() % bound : 0; }

private:
    uint32_t state;
};

uint32_t HashName(const std::string& name)
{
    uint32_t hash = 2166136261u;  // FNV-1a
    for (const unsigned char c : name) {
        hash = (hash ^ c) * 16777619u;
    }
    return hash;
}

// Values that sizes, counts and offsets read from a file trip over.
constexpr uint32_t kExtremes[] = {0u, 1u, 0x7Fu, 0x80u, 0xFFu, 0x7FFFu, 0xFFFFu, 0x7FFFFFFFu, 0x80000000u,
                                  0xFFFFFFFFu, 0xFFFFFFFEu};

void Damage(Bytes& bytes, Generator& random)
{
    const auto size = static_cast<uint32_t>(bytes.size());
    switch (random.Below(6)) {
    case 0:  // cut short
        bytes.resize(random.Below(size + 1));
        break;
    case 1:  // a few bits flipped
        for (uint32_t i = 1 + random.Below(8); i > 0 && size > 0; --i) {
            bytes[random.Below(size)] ^= static_cast<uint8_t>(1u << random.Below(8));
        }
        break;
    case 2:  // one byte set to an extreme
        if (size > 0) {
            bytes[random.Below(size)] = static_cast<uint8_t>(kExtremes[random.Below(std::size(kExtremes))]);
        }
        break;
    case 3: {  // a little-endian 16- or 32-bit field set to an extreme
        const uint32_t width = random.Below(2) ? 4 : 2;
        if (size >= width) {
            const uint32_t at = random.Below(size - width + 1);
            const uint32_t value = kExtremes[random.Below(std::size(kExtremes))];
            for (uint32_t i = 0; i < width; ++i) {
                bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
            }
        }
        break;
    }
    case 4:  // a piece dropped
        if (size > 0) {
            const uint32_t at = random.Below(size);
            const uint32_t length = 1 + random.Below(std::min<uint32_t>(size - at, 64));
            bytes.erase(bytes.begin() + at, bytes.begin() + at + length);
        }
        break;
    default:  // a piece repeated
        if (size > 0) {
            const uint32_t at = random.Below(size);
            const uint32_t length = 1 + random.Below(std::min<uint32_t>(size - at, 64));
            const Bytes piece(bytes.begin() + at, bytes.begin() + at + length);
            bytes.insert(bytes.begin() + at, piece.begin(), piece.end());
        }
        break;
    }
}

// What runs now, for the report of a fault.
std::string current;

void NameCurrentInput()
{
    std::fprintf(stderr, "fuzz_replay: the fault came with %s\n", current.c_str());
}

void Run(const FuzzReplay::Target& target, const std::string& what, const Bytes& bytes)
{
    // libFuzzer never hands over a null pointer, not even for no bytes.
    static const uint8_t none = 0;
    current = what;
    target.run(bytes.empty() ? &none : bytes.data(), bytes.size());
}

bool ReadFile(const std::filesystem::path& path, Bytes& bytes)
{
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: fuzz_replay THING SEEDS [COPIES]\n");
        return 2;
    }
    const std::string thing = argv[1];
    const FuzzReplay::Target* target = FuzzReplay::FindTarget(thing);
    if (!target) {
        std::fprintf(stderr, "fuzz_replay: no fuzz program \"%s\"\n", thing.c_str());
        return 2;
    }
    const int copies = argc == 4 ? std::atoi(argv[3]) : 256;
    __sanitizer_set_death_callback(NameCurrentInput);
    std::set_terminate([] {
        NameCurrentInput();
        std::abort();
    });

    std::vector<std::filesystem::path> seeds;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(argv[2], error)) {
        if (entry.is_regular_file()) {
            seeds.push_back(entry.path());
        }
    }
    if (error) {
        std::fprintf(stderr, "fuzz_replay: cannot read %s: %s\n", argv[2], error.message().c_str());
        return 2;
    }
    std::sort(seeds.begin(), seeds.end());

    // Every program meets the empty input, seeds or none.
    Run(*target, "the empty input", {});
    long runs = 1;
    for (const auto& path : seeds) {
        Bytes seed;
        if (!ReadFile(path, seed)) {
            std::fprintf(stderr, "fuzz_replay: cannot read %s\n", path.c_str());
            return 2;
        }
        const std::string name = path.filename().string();
        Run(*target, "seed " + name, seed);
        ++runs;
        Generator random(HashName(name));
        for (int copy = 0; copy < copies; ++copy) {
            Bytes damaged = seed;
            for (uint32_t changes = 1 + random.Below(3); changes > 0; --changes) {
                Damage(damaged, random);
            }
            Run(*target, "damaged copy " + std::to_string(copy) + " of seed " + name, damaged);
            ++runs;
        }
    }
    std::printf("fuzz_replay %s: %zu seeds, %ld inputs, no fault\n", thing.c_str(), seeds.size(), runs);
    return 0;
}
