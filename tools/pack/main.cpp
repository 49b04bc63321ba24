// pack OUT.pak ROOT_FOLDER: packs every file below ROOT_FOLDER into one
// archive, each named by its path relative to ROOT_FOLDER with "\" separators.
#include <cstdio>
#include <exception>
#include <string>

#include "tools/common/PackWriter.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pack OUT.pak ROOT_FOLDER\n");
        return 2;
    }
    const std::string output = argv[1];
    const std::string root = argv[2];
    try {
        Tools::PackWriter writer;
        std::string error;
        if (!Tools::AddFolderTree(writer, root, error)) {
            std::fprintf(stderr, "pack: %s\n", error.c_str());
            return 1;
        }
        if (!writer.Save(output)) {
            std::fprintf(stderr, "pack: cannot write %s\n", output.c_str());
            return 1;
        }
        std::printf("pack: %zu files into %s\n", writer.Count(), output.c_str());
    } catch (const std::exception& exception) {
        std::fprintf(stderr, "pack: %s\n", exception.what());
        return 1;
    }
    return 0;
}
