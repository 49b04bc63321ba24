// iconbuild OUT.cpp [PREVIEW.tga]: paints the game's window icon and writes
// it as a C++ source that defines the pixels the program carries for its
// window (declared in game/app/GameIcon.h); the picture itself also goes to
// PREVIEW.tga when given, for looking at.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/graphics/Image.h"
#include "game/app/GameIcon.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/GameIconPainter.h"
#include "tools/common/ImageFile.h"

namespace {

std::string Source(const std::vector<uint8_t>& pixels)
{
    std::string text =
        "// Written by tools/iconbuild at build time; do not edit.\n"
        "#include \"game/app/GameIcon.h\"\n\n"
        "namespace ActionPuzzle {\n\n"
        "const uint8_t kGameIconPixels[kGameIconSide * kGameIconSide * 4] = {";
    for (size_t i = 0; i < pixels.size(); ++i) {
        text += i % 16 == 0 ? "\n    " : " ";
        text += std::to_string(pixels[i]) + ",";
    }
    text += "\n};\n\n} // namespace ActionPuzzle\n";
    return text;
}

bool SavePreview(const std::string& path, const std::vector<uint8_t>& pixels)
{
    const uint32_t side = ActionPuzzle::kGameIconSide;
    ZorvaneEngine::Image image;
    image.Create(side, side, 32, nullptr);
    // The picture's rows run from the bottom.
    for (uint32_t y = 0; y < side; ++y) {
        const uint8_t* from = &pixels[static_cast<size_t>(side - 1 - y) * side * 4];
        std::copy(from, from + side * 4, image.GetRow(y));
    }
    std::string error;
    if (!Tools::SaveImageFile(path, image, error)) {
        std::fprintf(stderr, "iconbuild: %s\n", error.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: iconbuild OUT.cpp [PREVIEW.tga]\n");
        return 2;
    }
    const std::vector<uint8_t> pixels = Tools::PaintGameIcon(ActionPuzzle::kGameIconSide);
    const std::string source = Source(pixels);
    if (!Tools::SaveFile(argv[1], std::vector<uint8_t>(source.begin(), source.end()))) {
        std::fprintf(stderr, "iconbuild: cannot write %s\n", argv[1]);
        return 1;
    }
    if (argc == 3 && !SavePreview(argv[2], pixels)) {
        return 1;
    }
    return 0;
}
