// fontbuild FONT.ttf PIXEL_SIZE OUT.fnt OUT.tga [CODE_POINTS]
// Renders the characters of a TrueType font at PIXEL_SIZE pixels per em into
// a glyph texture (32-bit TGA, white with the glyphs in alpha) and the font
// file that places them. CODE_POINTS is a list such as "20-7E,A0-FF,20AC";
// without it, every printable character of code page 1252.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "tools/common/BinaryWriter.h"
#include "tools/common/FontCharacters.h"
#include "tools/common/FontWriter.h"
#include "tools/common/FreeTypeRasterizer.h"
#include "tools/common/ImageFile.h"

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: fontbuild FONT.ttf PIXEL_SIZE OUT.fnt OUT.tga [CODE_POINTS]\n");
        return 2;
    }
    const std::string fontPath = argv[1];
    const std::string fontFile = argv[3];
    const std::string textureFile = argv[4];
    char* end = nullptr;
    const long pixelSize = std::strtol(argv[2], &end, 10);
    if (*end != '\0' || pixelSize < 1 || pixelSize > 1024) {
        std::fprintf(stderr, "fontbuild: the pixel size must be a whole number from 1 to 1024\n");
        return 2;
    }
    std::vector<char16_t> codes = Tools::DefaultFontCharacters();
    std::string error;
    if (argc == 6 && !Tools::ParseCodePointList(argv[5], codes, error)) {
        std::fprintf(stderr, "fontbuild: %s\n", error.c_str());
        return 2;
    }

    try {
        Tools::RasterFont font;
        std::vector<char16_t> missing;
        if (!Tools::RasterizeFont(fontPath, static_cast<uint32_t>(pixelSize), codes, font, missing, error)) {
            std::fprintf(stderr, "fontbuild: %s\n", error.c_str());
            return 1;
        }
        for (const char16_t code : missing) {
            std::fprintf(stderr, "fontbuild: warning: %s has no glyph for U+%04X\n", fontPath.c_str(),
                         static_cast<unsigned>(code));
        }
        const Tools::FontAtlas atlas = Tools::BuildFontAtlas(font);
        if (!Tools::SaveFile(fontFile, Tools::BuildFontFile(atlas.glyphs))) {
            std::fprintf(stderr, "fontbuild: cannot write %s\n", fontFile.c_str());
            return 1;
        }
        if (!Tools::SaveImageFile(textureFile, atlas.texture, error)) {
            std::fprintf(stderr, "fontbuild: %s\n", error.c_str());
            return 1;
        }
        std::printf("fontbuild: %zu glyphs, %u x %u texture, line height %d pixels\n", atlas.glyphs.size(),
                    atlas.texture.GetWidth(), atlas.texture.GetHeight(), font.ascent + font.descent);
    } catch (const std::exception& exception) {
        std::fprintf(stderr, "fontbuild: %s\n", exception.what());
        return 1;
    }
    return 0;
}
