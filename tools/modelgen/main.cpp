// modelgen STAGE_ROOT TABLE.txt... [--preview FOLDER]
// modelgen --cursor-header OUT.h
// Draws the models, materials, pictures and particle systems the tables in
// data/models list, below STAGE_ROOT/data as the game opens them. With
// --preview, every picture is also written as a PNG there for looking at.
// The second form writes the system cursors as a header.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/common/BinaryWriter.h"
#include "tools/modelgen/CursorHeader.h"
#include "tools/modelgen/Recipes.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--cursor-header") {
        try {
            ModelGen::WriteCursorHeader(argv[2]);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "modelgen: %s\n", error.what());
            return 1;
        }
        return 0;
    }
    std::string root;
    std::string preview;
    std::vector<std::string> tables;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--preview" && i + 1 < argc) {
            preview = argv[++i];
        } else if (root.empty()) {
            root = arg;
        } else {
            tables.push_back(arg);
        }
    }
    if (root.empty() || tables.empty()) {
        std::fprintf(stderr, "usage: modelgen STAGE_ROOT TABLE.txt... [--preview FOLDER]\n");
        return 2;
    }
    ModelGen::Writer out(root, preview);
    for (const std::string& table : tables) {
        std::vector<uint8_t> text;
        if (!Tools::LoadFile(table, text)) {
            std::fprintf(stderr, "modelgen: cannot read %s\n", table.c_str());
            return 1;
        }
        try {
            const auto entries = ModelGen::ParseTable(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
            for (const ModelGen::Entry& entry : entries) {
                const std::string art = entry.Text("art");
                const auto recipe = ModelGen::Recipes().find(art);
                if (recipe == ModelGen::Recipes().end()) {
                    throw ModelGen::TableError(entry.Where() + ": no recipe " + art);
                }
                recipe->second(entry, out);
            }
        } catch (const std::exception& error) {
            std::fprintf(stderr, "modelgen: %s: %s\n", table.c_str(), error.what());
            return 1;
        }
    }
    std::printf("modelgen: %zu files\n", out.FileCount());
    return 0;
}
