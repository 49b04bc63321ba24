#include "tools/common/FontListWriter.h"

#include <charconv>
#include <stdexcept>

namespace Tools {

namespace {

const std::string& CheckedName(const std::string& name) {
    const bool blank = name.find_first_of(" \t\r\n\v\f") != std::string::npos;
    if (name.empty() || blank || name.find("//") != std::string::npos) {
        throw std::invalid_argument("not a name the font list can hold: \"" + name + "\"");
    }
    return name;
}

// The shortest text that reads back as the same float, with a decimal point
// whatever the locale.
std::string FloatText(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

} // namespace

std::string BuildFontList(int32_t consoleFont, const std::vector<FontListEntry>& fonts) {
    std::string list = std::to_string(fonts.size()) + "\n" + std::to_string(consoleFont) + "\n";
    for (const FontListEntry& font : fonts) {
        list += CheckedName(font.fontFile) + " " + CheckedName(font.diffuseTexture) + " " +
                CheckedName(font.opacityTexture) + " " + FloatText(font.size) + " " +
                FloatText(font.missingAdvance) + " " + FloatText(font.spacing) + " " +
                (font.lowerCaseAliases ? "1" : "0") + " " + (font.fixedWidth ? "1" : "0") + "\n";
    }
    return list;
}

} // namespace Tools
