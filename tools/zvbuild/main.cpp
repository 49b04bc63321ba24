// zvbuild INPUT.txt OUTPUT: writes the material, model or particle-system
// file that a text description gives (syntax in the README beside this file).
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/common/BinaryWriter.h"
#include "tools/common/DataDescription.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zvbuild INPUT.txt OUTPUT\n");
        return 2;
    }
    const std::string input = argv[1];
    const std::string output = argv[2];
    std::vector<uint8_t> text;
    if (!Tools::LoadFile(input, text)) {
        std::fprintf(stderr, "zvbuild: cannot read %s\n", input.c_str());
        return 1;
    }
    try {
        const std::vector<uint8_t> bytes =
            Tools::BuildDescribedFile(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
        if (!Tools::SaveFile(output, bytes)) {
            std::fprintf(stderr, "zvbuild: cannot write %s\n", output.c_str());
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zvbuild: %s: %s\n", input.c_str(), error.what());
        return 1;
    }
    return 0;
}
