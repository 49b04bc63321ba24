// Writes the seed corpora: fuzz_seeds FOLDER THING... makes FOLDER/THING for
// every fuzz program named on the command line and fills those that have
// seeds. A program without seeds starts from an empty input.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "fuzz/seeds/Seeds.h"

namespace FuzzSeeds {

namespace {

std::map<std::string, Maker>& Makers()
{
    static std::map<std::string, Maker> makers;
    return makers;
}

} // namespace

Registration::Registration(const char* thing, Maker maker)
{
    Makers()[thing] = maker;
}

} // namespace FuzzSeeds

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER THING...\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    int status = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string thing = argv[i];
        const std::filesystem::path folder = root / thing;
        std::filesystem::create_directories(folder);
        const auto found = FuzzSeeds::Makers().find(thing);
        if (found == FuzzSeeds::Makers().end()) {
            continue;
        }
        FuzzSeeds::Seeds seeds;
        try {
            found->second(seeds);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "fuzz_seeds: %s: %s\n", thing.c_str(), error.what());
            status = 1;
            continue;
        }
        for (const auto& [name, bytes] : seeds.files) {
            std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                std::fprintf(stderr, "fuzz_seeds: cannot write %s/%s\n", thing.c_str(), name.c_str());
                status = 1;
            }
        }
    }
    // A maker whose program is gone is a leftover worth knowing of.
    for (const auto& [thing, maker] : FuzzSeeds::Makers()) {
        bool named = false;
        for (int i = 2; i < argc; ++i) {
            named = named || thing == argv[i];
        }
        if (!named) {
            std::fprintf(stderr, "fuzz_seeds: seeds for \"%s\" but no fuzz/fuzz_%s.cpp\n", thing.c_str(),
                         thing.c_str());
            status = 1;
        }
    }
    return status;
}
