// fontbuild FONT.ttf PIXEL_SIZE OUT.fnt OUT.tga [CODE_POINTS]
// Renders the characters of a TrueType font at PIXEL_SIZE pixels per em into
// a glyph texture (32-bit TGA, white with the glyphs in alpha) and the font
// file that places them. CODE_POINTS is a list such as "20-7E,A0-FF,20AC";
// without it, every printable character of code page 1252.
//
// fontbuild --set TABLE OUT_FOLDER
// Builds a language's whole font set and its font list from TABLE:
//   list NAME CONSOLE_ID FOLDER      the list file and where the game finds
//                                    the fonts below "data\" (once, first)
//   font NAME FACE.ttf HEIGHT RRGGBB none|shadow|outline
// Each font is rendered so that its line, halo included, is exactly HEIGHT
// pixels: the text height in interface units, so that at 800 × 600 one
// texel meets one pixel. Its list entry takes HEIGHT as the size. Every
// character of code page 1252. "#" starts a comment.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/common/BinaryWriter.h"
#include "tools/common/FontCharacters.h"
#include "tools/common/FontListWriter.h"
#include "tools/common/FontWriter.h"
#include "tools/common/FreeTypeRasterizer.h"
#include "tools/common/ImageFile.h"
#include "tools/fontbuild/FontStyle.h"

namespace {

int32_t HaloHeight(FontBuild::Halo halo) {
    return halo == FontBuild::Halo::Outline ? 2 : halo == FontBuild::Halo::Shadow ? 1 : 0;
}

// The largest em size whose line, with the halo, is at most height pixels,
// rendered; the ascent then takes up what is left, so the line is exactly
// height pixels.
Tools::RasterFont FitToHeight(const std::string& face, int32_t height, FontBuild::Halo halo,
                              const std::vector<char16_t>& codes) {
    std::vector<char16_t> missing;
    std::string error;
    Tools::RasterFont font;
    const auto lineOf = [&](int32_t size) {
        if (!Tools::RasterizeFont(face, static_cast<uint32_t>(size), codes, font, missing, error)) {
            throw std::runtime_error(error);
        }
        return font.ascent + font.descent + HaloHeight(halo);
    };
    int32_t size = std::max(1, height * 6 / 7);
    while (size > 1 && lineOf(size) > height) {
        --size;
    }
    if (lineOf(size + 1) > height) {
        lineOf(size);
    }
    if (font.ascent + font.descent + HaloHeight(halo) > height) {
        throw std::runtime_error(face + " does not fit in " + std::to_string(height) + " pixels");
    }
    for (const char16_t code : missing) {
        std::fprintf(stderr, "fontbuild: warning: %s has no glyph for U+%04X\n", face.c_str(), static_cast<unsigned>(code));
    }
    font.ascent += height - (font.ascent + font.descent + HaloHeight(halo));
    return font;
}

int BuildSet(const std::string& tablePath, const std::string& outFolder) {
    std::vector<uint8_t> bytes;
    if (!Tools::LoadFile(tablePath, bytes)) {
        std::fprintf(stderr, "fontbuild: cannot read %s\n", tablePath.c_str());
        return 1;
    }
    std::istringstream table(std::string(bytes.begin(), bytes.end()));
    std::string listName, listFolder;
    int32_t consoleFont = 0;
    std::vector<Tools::FontListEntry> entries;
    std::string line;
    for (int number = 1; std::getline(table, line); ++number) {
        std::istringstream fields(line.substr(0, line.find('#')));
        std::string kind;
        if (!(fields >> kind)) {
            continue;
        }
        const std::string where = tablePath + ":" + std::to_string(number) + ": ";
        if (kind == "list") {
            if (!(fields >> listName >> consoleFont >> listFolder)) {
                throw std::runtime_error(where + "expected list NAME CONSOLE_ID FOLDER");
            }
            continue;
        }
        std::string name, face, fill, haloName;
        int32_t height = 0;
        FontBuild::FontStyle style;
        if (kind != "font" || listName.empty() || !(fields >> name >> face >> height >> fill >> haloName) ||
            height < 4 || height > 256 || !FontBuild::ParseColour(fill, style.fill)) {
            throw std::runtime_error(where + "expected font NAME FACE.ttf HEIGHT RRGGBB HALO after the list line");
        }
        style.halo = haloName == "shadow" ? FontBuild::Halo::Shadow
                   : haloName == "outline" ? FontBuild::Halo::Outline
                   : haloName == "none" ? FontBuild::Halo::None
                   : throw std::runtime_error(where + "the halo is none, shadow or outline");
        if (style.halo == FontBuild::Halo::Outline) {
            style.haloOpacity = 1.0f;
        }
        Tools::RasterFont font = FitToHeight(face, height, style.halo, Tools::DefaultFontCharacters());
        Tools::RasterFont haloFont;
        FontBuild::AddHalo(font, style.halo, haloFont);
        const Tools::FontAtlas atlas = FontBuild::BuildStyledAtlas(font, haloFont, style);
        std::string error;
        if (!Tools::SaveFile(outFolder + "/" + name + ".fnt", Tools::BuildFontFile(atlas.glyphs)) ||
            !Tools::SaveImageFile(outFolder + "/" + name + ".tga", atlas.texture, error)) {
            throw std::runtime_error("cannot write " + outFolder + "/" + name + " " + error);
        }
        Tools::FontListEntry entry;
        entry.fontFile = listFolder + "\\" + name + ".fnt";
        entry.diffuseTexture = listFolder + "\\" + name + ".tga";
        entry.opacityTexture = "32bit";
        entry.size = static_cast<float>(height);
        entries.push_back(entry);
    }
    if (listName.empty() || entries.empty()) {
        throw std::runtime_error(tablePath + ": no list line or no fonts");
    }
    const std::string list = "// Fonts: file, texture, opacity, size, missing-glyph advance, spacing, "
                             "lower-case aliases, fixed width\n" + Tools::BuildFontList(consoleFont, entries);
    if (!Tools::SaveFile(outFolder + "/" + listName, std::vector<uint8_t>(list.begin(), list.end()))) {
        throw std::runtime_error("cannot write " + outFolder + "/" + listName);
    }
    std::printf("fontbuild: %zu fonts and %s\n", entries.size(), listName.c_str());
    return 0;
}

int BuildOne(int argc, char** argv) {
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
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool set = argc == 4 && std::string(argv[1]) == "--set";
    if (!set && argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: fontbuild FONT.ttf PIXEL_SIZE OUT.fnt OUT.tga [CODE_POINTS]\n"
                             "       fontbuild --set TABLE OUT_FOLDER\n");
        return 2;
    }
    try {
        return set ? BuildSet(argv[2], argv[3]) : BuildOne(argc, argv);
    } catch (const std::exception& exception) {
        std::fprintf(stderr, "fontbuild: %s\n", exception.what());
        return 1;
    }
}
